#include "platform/Registry.h"

#include "util/Error.h"

namespace kalorina {

bool TRegistry::OpenKey(const std::string& key, bool canCreate)
{
    std::string rel = key;
    std::string base = path_;
    if (!rel.empty() && rel.front() == '\\') {
        base.clear();
        rel.erase(0, 1);
    }
    if (rel.empty())
        return HasOpenKey();
    std::string full = base.empty() ? rel : base + "\\" + rel;
    if (!store_.KeyExists(full) && !(canCreate && store_.CreateKey(full)))
        return false;
    path_ = full;
    return true;
}

bool TRegistry::ValueExists(const std::string& name) const
{
    return HasOpenKey() && store_.ReadValue(path_, name).has_value();
}

std::vector<std::string> TRegistry::GetValueNames() const
{
    return HasOpenKey() ? store_.ValueNames(path_) : std::vector<std::string>{};
}

std::string TRegistry::ReadString(const std::string& name) const
{
    auto v = HasOpenKey() ? store_.ReadValue(path_, name) : std::nullopt;
    if (!v || v->kind != SettingsValue::Kind::String)
        throw KalorinaError("Invalid data type for '" + name + "'");
    return v->text;
}

std::int32_t TRegistry::ReadInteger(const std::string& name) const
{
    auto v = HasOpenKey() ? store_.ReadValue(path_, name) : std::nullopt;
    if (!v || v->kind != SettingsValue::Kind::Integer)
        throw KalorinaError("Invalid data type for '" + name + "'");
    return v->number;
}

bool TRegistry::ReadBool(const std::string& name) const
{
    return ReadInteger(name) != 0;
}

void TRegistry::WriteString(const std::string& name, const std::string& value)
{
    if (HasOpenKey())
        store_.WriteValue(path_, name, SettingsValue::String(value));
}

void TRegistry::WriteInteger(const std::string& name, std::int32_t value)
{
    if (HasOpenKey())
        store_.WriteValue(path_, name, SettingsValue::Integer(value));
}

void TRegistry::WriteBool(const std::string& name, bool value)
{
    WriteInteger(name, value ? 1 : 0);
}

bool TRegistry::DeleteValue(const std::string& name)
{
    return HasOpenKey() && store_.DeleteValue(path_, name);
}

bool OpenRootKey(TRegistry& registry)
{
    return registry.OpenKey("Software", true) && registry.OpenKey("Vexalon", true)
        && registry.OpenKey("Kalorina", true);
}

} // namespace kalorina
