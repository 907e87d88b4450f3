#pragma once
// A registry accessor: opens keys relative to the key that is open, creating them
// on request, and reads and writes typed values, over a SettingsStore.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/SettingsStore.h"

namespace kalorina {

class TRegistry {
public:
    explicit TRegistry(SettingsStore& store = Settings()) : store_(store) {}

    // Opens `key` (may contain backslashes) below the open key, or from the top when
    // none is open or `key` starts with a backslash.  With canCreate a missing key is made.
    bool OpenKey(const std::string& key, bool canCreate);
    void CloseKey() { path_.clear(); }
    const std::string& CurrentPath() const { return path_; }
    bool HasOpenKey() const { return !path_.empty(); }

    bool ValueExists(const std::string& name) const;
    std::vector<std::string> GetValueNames() const;
    // Reading a missing value or one of the other type raises a KalorinaError.
    std::string ReadString(const std::string& name) const;
    std::int32_t ReadInteger(const std::string& name) const;
    bool ReadBool(const std::string& name) const;
    void WriteString(const std::string& name, const std::string& value);
    void WriteInteger(const std::string& name, std::int32_t value);
    void WriteBool(const std::string& name, bool value);
    bool DeleteValue(const std::string& name);

private:
    SettingsStore& store_;
    std::string path_;
};

// Opens Software\Vexalon\Kalorina below whatever the accessor has open.
bool OpenRootKey(TRegistry& registry);

} // namespace kalorina
