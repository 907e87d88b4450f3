#include "platform/SettingsStore.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "util/Codepage.h"

namespace kalorina {

namespace {
const char kRootPrefix[] = "HKEY_CURRENT_USER\\";

std::string Normalise(const std::string& path)
{
    std::string out;
    for (char c : path) {
        if (c == '\\' && (out.empty() || out.back() == '\\'))
            continue;
        out += c;
    }
    while (!out.empty() && out.back() == '\\')
        out.pop_back();
    return out;
}

// Overwrites every value of that name, or appends one when the key has none.
void SetValue(std::vector<std::pair<std::string, SettingsValue>>& values, const std::string& name,
              const SettingsValue& value)
{
    bool found = false;
    for (auto& [n, v] : values)
        if (n == name) {
            v = value;
            found = true;
        }
    if (!found)
        values.emplace_back(name, value);
}
} // namespace

bool MemorySettingsStore::KeyExists(const std::string& path) const
{
    return keys_.count(Normalise(path)) > 0;
}

bool MemorySettingsStore::CreateKey(const std::string& path)
{
    std::string p = Normalise(path);
    if (p.empty())
        return false;
    bool added = false;
    std::size_t pos = 0;
    while (true) {
        pos = p.find('\\', pos);
        std::string part = pos == std::string::npos ? p : p.substr(0, pos);
        added |= keys_.emplace(part, Key{}).second;
        if (pos == std::string::npos)
            break;
        ++pos;
    }
    if (added)
        Changed();
    return true;
}

std::optional<SettingsValue> MemorySettingsStore::ReadValue(const std::string& path, const std::string& name) const
{
    auto it = keys_.find(Normalise(path));
    if (it == keys_.end())
        return std::nullopt;
    for (const auto& [n, v] : it->second.values)
        if (n == name)
            return v;
    return std::nullopt;
}

bool MemorySettingsStore::WriteValue(const std::string& path, const std::string& name, const SettingsValue& value)
{
    std::string p = Normalise(path);
    if (!KeyExists(p) && !CreateKey(p))
        return false;
    SetValue(keys_[p].values, name, value);
    Changed();
    return true;
}

bool MemorySettingsStore::DeleteValue(const std::string& path, const std::string& name)
{
    auto it = keys_.find(Normalise(path));
    if (it == keys_.end())
        return false;
    auto& values = it->second.values;
    for (auto v = values.begin(); v != values.end(); ++v)
        if (v->first == name) {
            values.erase(v);
            Changed();
            return true;
        }
    return false;
}

std::vector<std::string> MemorySettingsStore::ValueNames(const std::string& path) const
{
    std::vector<std::string> names;
    auto it = keys_.find(Normalise(path));
    if (it != keys_.end())
        for (const auto& [n, v] : it->second.values)
            names.push_back(n);
    return names;
}

FileSettingsStore::FileSettingsStore(std::string fileName) : fileName_(std::move(fileName))
{
    std::ifstream in(fileName_, std::ios::binary);
    if (in) {
        std::stringstream ss;
        ss << in.rdbuf();
        Parse(ss.str());
    }
}

namespace {
std::string Escape(const std::string& cp1250)
{
    std::string out;
    for (char c : Cp1250ToUtf8(cp1250)) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Reads a quoted string starting at s[pos] == '"'; returns the position after the closing quote.
std::size_t Unquote(const std::string& s, std::size_t pos, std::string& out)
{
    out.clear();
    for (++pos; pos < s.size(); ++pos) {
        char c = s[pos];
        if (c == '"')
            return pos + 1;
        if (c == '\\' && pos + 1 < s.size()) {
            char n = s[++pos];
            out += n == 'r' ? '\r' : n == 'n' ? '\n' : n;
        } else {
            out += c;
        }
    }
    return std::string::npos;
}
} // namespace

void FileSettingsStore::Parse(const std::string& utf8Text)
{
    std::istringstream in(utf8Text);
    std::string line, key;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            key = line.substr(1, line.size() - 2);
            if (key.rfind(kRootPrefix, 0) == 0)
                key = key.substr(sizeof kRootPrefix - 1);
            key = Normalise(Utf8ToCp1250(key));
            if (!key.empty())
                keys_.emplace(key, Key{});
            continue;
        }
        if (key.empty() || line.empty() || line.front() != '"')
            continue;
        std::string name;
        std::size_t pos = Unquote(line, 0, name);
        if (pos == std::string::npos || pos >= line.size() || line[pos] != '=')
            continue;
        std::string rest = line.substr(pos + 1);
        SettingsValue value;
        if (!rest.empty() && rest.front() == '"') {
            std::string text;
            if (Unquote(rest, 0, text) == std::string::npos)
                continue;
            value = SettingsValue::String(Utf8ToCp1250(text));
        } else if (rest.rfind("dword:", 0) == 0) {
            char* end = nullptr;
            unsigned long n = std::strtoul(rest.c_str() + 6, &end, 16);
            if (end == rest.c_str() + 6)
                continue;
            value = SettingsValue::Integer(static_cast<std::int32_t>(static_cast<std::uint32_t>(n)));
        } else {
            continue;
        }
        SetValue(keys_[key].values, Utf8ToCp1250(name), value);
    }
}

std::string FileSettingsStore::Serialize() const
{
    std::string out = "Windows Registry Editor Version 5.00\r\n";
    for (const auto& [path, key] : keys_) {
        out += "\r\n[";
        out += kRootPrefix;
        out += Cp1250ToUtf8(path);
        out += "]\r\n";
        for (const auto& [name, v] : key.values) {
            out += '"' + Escape(name) + "\"=";
            if (v.kind == SettingsValue::Kind::String) {
                out += '"' + Escape(v.text) + '"';
            } else {
                char buf[16];
                std::snprintf(buf, sizeof buf, "dword:%08x", static_cast<std::uint32_t>(v.number));
                out += buf;
            }
            out += "\r\n";
        }
    }
    return out;
}

void FileSettingsStore::Changed()
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path target(fileName_);
    if (target.has_parent_path())
        fs::create_directories(target.parent_path(), ec);
    fs::path temp = target;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return; // settings are a convenience: an unwritable file is not an error
        out << Serialize();
        if (!out.flush())
            return;
    }
    fs::rename(temp, target, ec);
}

std::string DefaultSettingsFileName()
{
    if (const char* explicitFile = std::getenv("KALORINA_CONFIG"); explicitFile && *explicitFile)
        return explicitFile;
    std::string base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::string(home) + "/.config";
    else
        base = ".";
    return base + "/Kalorina/Kalorina.reg";
}

namespace {
std::unique_ptr<SettingsStore>& GlobalStore()
{
    static std::unique_ptr<SettingsStore> store;
    return store;
}
} // namespace

SettingsStore& Settings()
{
    auto& store = GlobalStore();
    if (!store)
        store = std::make_unique<FileSettingsStore>(DefaultSettingsFileName());
    return *store;
}

void SetSettingsStore(std::unique_ptr<SettingsStore> store)
{
    GlobalStore() = std::move(store);
}

} // namespace kalorina
