#include "app/RecentProjects.h"

#include <algorithm>

#include "platform/Registry.h"

namespace kalorina {

namespace {
constexpr const char* kKey = "RecentProjects";

std::string ValueName(std::size_t i)
{
    return "File" + std::to_string(i + 1);
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}
} // namespace

std::string RecentProjects::Encode(const std::string& path)
{
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        if (c >= 0x20 && c < 0x7F && c != '%') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

bool RecentProjects::Decode(const std::string& text, std::string& path)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '%') {
            if (i + 2 >= text.size())
                return false;
            int hi = HexDigit(text[i + 1]), lo = HexDigit(text[i + 2]);
            if (hi < 0 || lo < 0)
                return false;
            out += static_cast<char>(hi * 16 + lo);
            i += 2;
        } else if (c < 0x20 || c >= 0x7F) {
            return false;
        } else {
            out += static_cast<char>(c);
        }
    }
    path = std::move(out);
    return true;
}

void RecentProjects::Load()
{
    paths_.clear();
    TRegistry reg(Store());
    if (!OpenRootKey(reg) || !reg.OpenKey(kKey, true))
        return;
    for (std::size_t i = 0; i < kMaxEntries; ++i) {
        std::string name = ValueName(i), path;
        if (!reg.ValueExists(name))
            continue;
        try {
            if (!Decode(reg.ReadString(name), path))
                continue;
        } catch (const std::exception&) {
            continue; // a value of the wrong type is left out
        }
        if (!path.empty() && std::find(paths_.begin(), paths_.end(), path) == paths_.end())
            paths_.push_back(path);
    }
}

void RecentProjects::Save()
{
    TRegistry reg(Store());
    if (!OpenRootKey(reg) || !reg.OpenKey(kKey, true))
        return;
    for (std::size_t i = 0; i < kMaxEntries; ++i) {
        if (i < paths_.size())
            reg.WriteString(ValueName(i), Encode(paths_[i]));
        else
            reg.DeleteValue(ValueName(i));
    }
}

void RecentProjects::Add(const std::string& path)
{
    if (path.empty())
        return;
    // Another program may have changed the list meanwhile: start from what is stored.
    Load();
    paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > kMaxEntries)
        paths_.resize(kMaxEntries);
    Save();
}

void RecentProjects::Remove(const std::string& path)
{
    Load();
    paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
    Save();
}

namespace {

// The path's parts between the separators ('/' and, for names typed on Windows, '\\').
std::vector<std::string> PathParts(const std::string& path)
{
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '/' || c == '\\') {
            if (!part.empty())
                parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty())
        parts.push_back(part);
    return parts;
}

// The last `count` folders of a path's parts (its file name not among them).
std::string LastFolders(const std::vector<std::string>& parts, std::size_t count)
{
    std::string text;
    const std::size_t folders = parts.empty() ? 0 : parts.size() - 1;
    for (std::size_t i = folders - std::min(count, folders); i < folders; ++i)
        text += (text.empty() ? "" : "/") + parts[i];
    return text;
}

} // namespace

std::vector<std::string> RecentProjects::MenuNames(const std::vector<std::string>& paths)
{
    std::vector<std::vector<std::string>> parts;
    for (const std::string& path : paths)
        parts.push_back(PathParts(path));
    auto fileName = [&](std::size_t i) { return parts[i].empty() ? paths[i] : parts[i].back(); };
    std::vector<std::string> names;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        std::vector<std::size_t> namesakes;
        for (std::size_t j = 0; j < paths.size(); ++j)
            if (j != i && fileName(j) == fileName(i))
                namesakes.push_back(j);
        if (namesakes.empty()) {
            names.push_back(fileName(i));
            continue;
        }
        // As many trailing folders as it takes to differ from every namesake.
        std::size_t count = 1;
        const std::size_t most = parts[i].empty() ? 0 : parts[i].size() - 1;
        auto distinct = [&] {
            return std::none_of(namesakes.begin(), namesakes.end(), [&](std::size_t j) {
                return LastFolders(parts[j], count) == LastFolders(parts[i], count);
            });
        };
        while (count < most && !distinct())
            ++count;
        const std::string folders = LastFolders(parts[i], count);
        names.push_back(folders.empty() ? fileName(i) : fileName(i) + " (" + folders + ")");
    }
    return names;
}

} // namespace kalorina
