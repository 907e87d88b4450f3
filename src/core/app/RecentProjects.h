#pragma once
// The projects used last, newest first, kept in the settings store below the root
// key as `RecentProjects` with the values File1 ... File8.  Paths are file-system
// names (UTF-8 bytes, not code page texts), stored with every byte outside printable
// ASCII, and '%' itself, written as %XX so that any name survives the store.
#include <string>
#include <vector>

#include "platform/SettingsStore.h"

namespace kalorina {

class RecentProjects {
public:
    static constexpr std::size_t kMaxEntries = 8;

    // Without a store the process-wide one is used at each access.
    explicit RecentProjects(SettingsStore* store = nullptr) : store_(store) {}

    // Reads the stored list; damaged, empty or repeated values are skipped.
    void Load();
    // Puts `path` first (moving it up when it is listed) and stores the list.
    void Add(const std::string& path);
    void Remove(const std::string& path);
    const std::vector<std::string>& Paths() const { return paths_; }

    // The names the menu shows for `paths`, in their order: the file's name, and
    // where two share it, the last folders of its path that tell them apart
    // ("flat.klp (a/projects)" beside "flat.klp (b/projects)").
    static std::vector<std::string> MenuNames(const std::vector<std::string>& paths);

    static std::string Encode(const std::string& path);
    // False when the text is not a valid encoding.
    static bool Decode(const std::string& text, std::string& path);

private:
    void Save();
    SettingsStore& Store() const { return store_ ? *store_ : Settings(); }
    SettingsStore* store_;
    std::vector<std::string> paths_;
};

} // namespace kalorina
