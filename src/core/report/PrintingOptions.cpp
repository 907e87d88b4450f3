#include "report/PrintingOptions.h"

namespace kalorina {

namespace {
const char* const kKey = "Software\\Vexalon\\Kalorina\\PrintingOptions";
struct SwitchName {
    PrintingOptions::Switch bit;
    const char* name;
};
constexpr SwitchName kSwitchNames[] = {
    {PrintingOptions::kProjectData, "ProjektData"},
    {PrintingOptions::kFileName, "ProjektName"},
    {PrintingOptions::kPageNumbers, "PageNumber"},
    {PrintingOptions::kDate, "Date"},
};
} // namespace

void PrintingOptions::Load(SettingsStore& store)
{
    loaded = true;
    if (!store.CreateKey(kKey))
        return;
    for (const auto& s : kSwitchNames) {
        auto v = store.ReadValue(kKey, s.name);
        Set(s.bit, !v || v->number != 0);
    }
    if (auto v = store.ReadValue(kKey, "FormType");
        v && v->kind == SettingsValue::Kind::Integer && v->number >= 0 && v->number < kReportKindCount)
        kind = static_cast<ReportKind>(v->number);
}

void PrintingOptions::Save(SettingsStore& store) const
{
    if (!store.CreateKey(kKey))
        return;
    for (const auto& s : kSwitchNames)
        store.WriteValue(kKey, s.name, SettingsValue::Integer(Has(s.bit) ? 1 : 0));
    store.WriteValue(kKey, "FormType", SettingsValue::Integer(static_cast<int>(kind)));
}

PrintingOptions& ProcessPrintingOptions()
{
    static PrintingOptions options;
    return options;
}

} // namespace kalorina
