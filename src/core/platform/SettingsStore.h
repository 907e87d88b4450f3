#pragma once
// Per-user settings with the semantics of a registry: a tree of keys addressed by
// backslash-separated paths, each key holding named string or integer values.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kalorina {

struct SettingsValue {
    enum class Kind { String, Integer };
    Kind kind = Kind::String;
    std::string text;        // code page 1250, for strings
    std::int32_t number = 0; // for integers (bools are stored as 0 and 1)

    static SettingsValue String(std::string s) { return {Kind::String, std::move(s), 0}; }
    static SettingsValue Integer(std::int32_t n) { return {Kind::Integer, {}, n}; }
    bool operator==(const SettingsValue&) const = default;
};

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual bool KeyExists(const std::string& path) const = 0;
    // Creates the key and every missing parent; false when it cannot be created.
    virtual bool CreateKey(const std::string& path) = 0;
    virtual std::optional<SettingsValue> ReadValue(const std::string& path, const std::string& name) const = 0;
    virtual bool WriteValue(const std::string& path, const std::string& name, const SettingsValue& value) = 0;
    virtual bool DeleteValue(const std::string& path, const std::string& name) = 0;
    // Value names of a key in the order they were first written.
    virtual std::vector<std::string> ValueNames(const std::string& path) const = 0;
};

// Keys and values held in memory; the base of the file store and the store of tests.
class MemorySettingsStore : public SettingsStore {
public:
    bool KeyExists(const std::string& path) const override;
    bool CreateKey(const std::string& path) override;
    std::optional<SettingsValue> ReadValue(const std::string& path, const std::string& name) const override;
    bool WriteValue(const std::string& path, const std::string& name, const SettingsValue& value) override;
    bool DeleteValue(const std::string& path, const std::string& name) override;
    std::vector<std::string> ValueNames(const std::string& path) const override;

    struct Key {
        std::vector<std::pair<std::string, SettingsValue>> values;
    };
    const std::map<std::string, Key>& Keys() const { return keys_; }

protected:
    virtual void Changed() {}
    std::map<std::string, Key> keys_; // full path → key
};

// A settings file in the form of a registry export (UTF-8):
//   [HKEY_CURRENT_USER\Software\Vexalon\Kalorina\ProgramOptions]
//   "LanguageID"="English"
//   "LeftMargin"=dword:00000014
// Strings escape backslash, quote, CR and LF as \\ \" \r \n.  Every change is written
// back at once through a temporary file, so a crash never leaves half a file.
class FileSettingsStore : public MemorySettingsStore {
public:
    explicit FileSettingsStore(std::string fileName);
    const std::string& FileName() const { return fileName_; }
    // Parses a settings file's text into keys (unknown lines are ignored).
    void Parse(const std::string& utf8Text);
    std::string Serialize() const;

protected:
    void Changed() override;

private:
    std::string fileName_;
};

// $KALORINA_CONFIG, else $XDG_CONFIG_HOME/Kalorina/Kalorina.reg, else ~/.config/Kalorina/Kalorina.reg.
std::string DefaultSettingsFileName();

// The process-wide store every registry accessor uses unless given another one.
SettingsStore& Settings();
void SetSettingsStore(std::unique_ptr<SettingsStore> store);

} // namespace kalorina
