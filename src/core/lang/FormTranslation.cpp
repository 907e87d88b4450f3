#include <cctype>
#include <set>

#include "lang/FormTranslation.h"
#include "lang/TLanguages.h"

namespace kalorina {

namespace {

const TLanguageForm* FindForm(const TLanguage& lang, const std::string& name)
{
    for (const auto& f : lang.forms)
        if (f.name == name)
            return &f;
    return nullptr;
}

// A further instance of a window is named "<name>_<digits>"; it takes the window's texts.
std::string BaseFormName(const std::string& name)
{
    std::size_t end = name.size();
    std::size_t i = end;
    while (i > 0 && std::isdigit(static_cast<unsigned char>(name[i - 1])))
        --i;
    if (i == end || i == 0 || name[i - 1] != '_')
        return {};
    return name.substr(0, i - 1);
}

bool Has(std::initializer_list<const char*> types, const std::string& type)
{
    for (const char* t : types)
        if (type == t)
            return true;
    return false;
}

void ApplyItem(TranslatableComponent& c, const TLanguageFormItem& item)
{
    const std::string& type = item.type;
    int position = 0; // shared by Items.Strings and Columns.item.Caption
    for (std::size_t i = 0; i < item.propertyIds.size() && i < item.propertyValues.size(); ++i) {
        const std::string& id = item.propertyIds[i];
        const std::string& value = item.propertyValues[i];
        if (id == "Caption"
            && Has({"TAction", "TButton", "TCheckBox", "TGroupBox", "TLabel", "TMenuItem", "TPanel", "TRadioButton",
                    "TRadioGroup", "TSpeedButton", "TTabSheet", "TToolButton"},
                   type))
            c.SetCaption(value);
        else if (id == "Hint"
                 && Has({"TAction", "TButton", "TComboBox", "TEdit", "TGroupBox", "TImage", "TLabel", "TListHeader",
                         "TMenuItem", "TPageControl", "TSpeedButton", "TToolButton", "TUpDown"},
                        type))
            c.SetHint(value);
        else if (id == "Text" && Has({"TComboBox", "TEdit"}, type))
            c.SetText(value);
        else if (id == "Items.Strings" && Has({"TCheckListBox", "TComboBox", "TRadioGroup"}, type))
            c.SetEntry(position++, value);
        else if (id == "Columns.item.Caption" && type == "TListView")
            c.SetEntry(position++, value);
        else if ((id == "Filter" || id == "Title") && Has({"TOpenDialog", "TSaveDialog"}, type))
            id == "Filter" ? c.SetFilter(value) : c.SetTitle(value);
        else if (id == "Title" && type == "TSeries")
            c.SetTitle(value);
        else if (type == "TChart") {
            if (id == "Title.Text.Strings")
                c.AppendTitleLine(value);
            else if (id.size() > 19 && id.compare(id.size() - 14, 14, ".Title.Caption") == 0) {
                std::string axis = id.substr(0, id.size() - 14);
                if (axis == "BottomAxis" || axis == "LeftAxis" || axis == "RightAxis" || axis == "TopAxis")
                    c.SetAxisTitle(axis.substr(0, axis.size() - 4), value);
            }
        }
    }
}

} // namespace

void TLanguages::TranslateForm(TranslatableForm& form) const
{
    const TLanguage* lang = Current();
    if (!lang || !lang->userInterface)
        return;
    std::string name = form.FormName();
    const TLanguageForm* f = FindForm(*lang, name);
    if (!f) {
        std::string base = BaseFormName(name);
        if (!base.empty())
            f = FindForm(*lang, base);
    }
    if (!f)
        return;
    for (std::size_t i = 0; i < f->propertyIds.size() && i < f->propertyValues.size(); ++i) {
        const std::string& id = f->propertyIds[i];
        if (id == "Caption")
            form.SetCaption(f->propertyValues[i]);
        else if (id == "Hint")
            form.SetHint(f->propertyValues[i]);
        else if (id == "HelpFile")
            form.SetHelpFile(f->propertyValues[i]);
    }
    for (const auto& item : f->items)
        if (TranslatableComponent* c = form.FindComponent(item.name))
            ApplyItem(*c, item);
}

} // namespace kalorina
