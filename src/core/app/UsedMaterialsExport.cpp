#include "app/UsedMaterialsExport.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "app/FileErrors.h"
#include "app/ProjectFiles.h"
#include "lang/BuiltInTexts.h"
#include "lang/PrintingScope.h"
#include "lang/TLanguages.h"
#include "materials/TClipboardStream.h"
#include "util/Codepage.h"
#include "util/Error.h"
#include "util/FormatText.h"

namespace kalorina {

namespace {
// The extension of the file name, lower case, without the dot; empty when it has none.
std::string ExtensionOf(const std::string& path)
{
    const auto dot = path.find_last_of('.');
    const auto slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}
} // namespace

ExportFileKind ExportKindOfPath(const std::string& path)
{
    const std::string ext = ExtensionOf(path);
    if (ext == "xls")
        return ExportFileKind::Xls;
    if (ext == "rtf")
        return ExportFileKind::Rtf;
    if (ext == "html" || ext == "htm")
        return ExportFileKind::Html;
    return ExportFileKind::Csv;
}

const std::vector<ExportFileType>& ExportFileTypes()
{
    static const std::vector<ExportFileType> types = {
        {ExportFileKind::Xls, "Excel munkalap", "xls"},
        {ExportFileKind::Rtf, "RTF dokumentum", "rtf"},
        {ExportFileKind::Csv, "CSV", "csv"},
        {ExportFileKind::Html, "HTML", "html"},
    };
    return types;
}

std::string ExportFileFilter()
{
    std::string filter;
    for (const auto& t : ExportFileTypes()) {
        const std::string pattern = std::string("*.") + t.extension;
        filter += (filter.empty() ? "" : "|") + std::string(t.caption) + " (" + pattern + ")|" + pattern;
    }
    return filter;
}

ExportTarget ExportTargetOfChoice(const std::string& path, int fileType)
{
    const auto& types = ExportFileTypes();
    ExportTarget target{path, ExportKindOfPath(path)};
    if (fileType >= 0 && fileType < static_cast<int>(types.size()))
        target.kind = types[fileType].kind;
    // A name that already ends with the type's suffix keeps it (".htm" too); any other
    // gets it, so that the suffix always tells what the file holds.
    const std::string ext = ExtensionOf(path);
    if (ExportKindOfPath(path) == target.kind && (target.kind != ExportFileKind::Csv || ext == "csv"))
        return target;
    for (const auto& t : types)
        if (t.kind == target.kind) {
            if (!target.path.empty() && target.path.back() != '.')
                target.path += '.';
            target.path += t.extension;
            break;
        }
    return target;
}

TUsedMaterial BuildPrintedUsedMaterials(const TProject& project, const TDevices& devices)
{
    PrintingScope printing;
    return BuildUsedMaterials(project, devices);
}

void WriteSelectedRows(TUsedMaterial& bill, TClipboardStream& stream)
{
    bill.cursor = -1;
    while (const TUsedMaterialItem* row = bill.NextSelected())
        stream.WriteUsedMaterialRow(*row);
    // The notes speak of the whole bill: a chosen part of it (the tubes for the
    // tube supplier) goes without them.
    if (bill.SelectedCount() == static_cast<int>(bill.rows.size()))
        stream.WriteNotes(BillWarnings(bill));
}

std::string ExportFileBytes(const TClipboardStream& stream, ExportFileKind kind)
{
    switch (kind) {
    case ExportFileKind::Xls:
        return stream.BiffWorksheet();
    case ExportFileKind::Rtf:
        return stream.RtfDocument();
    case ExportFileKind::Html:
        return stream.HtmlTable();
    case ExportFileKind::Csv:
        break;
    }
    return stream.CsvText();
}

void WriteExportFile(const std::string& path, const std::string& bytes)
{
    // An export replaces the old file only once it is whole on the disk.
    WriteFileAtomically(path, bytes);
}

std::string CycleWarning(const TUsedMaterial& bill)
{
    std::string text;
    for (const std::string& line : BillWarnings(bill))
        text += (text.empty() ? "" : "\n") + line;
    return text;
}

UsedMaterialsExportEditor::View UsedMaterialsExportEditor::GetView() const
{
    View v;
    v.tree = &tree_;
    v.all = all_;
    v.warning = CycleWarning(bill_);
    v.empty = bill_.rows.empty();
    return v;
}

void UsedMaterialsExportEditor::CopyToClipboard(ClipboardService& clipboard)
{
    if (bill_.SelectedCount() == 0)
        return;
    TClipboardStream stream;
    WriteSelectedRows(bill_, stream);
    stream.PutOnClipboard(clipboard, {});
}

void UsedMaterialsExportEditor::CommitChosen()
{
    if (Commit() == 0)
        throw KalorinaError(Txt("IDS_NOEXPORTROWS"));
}

void UsedMaterialsExportEditor::SaveToFile(const ExportTarget& target)
{
    if (bill_.SelectedCount() == 0)
        throw KalorinaError(Txt("IDS_NOEXPORTROWS"));
    TClipboardStream stream;
    WriteSelectedRows(bill_, stream);
    WriteExportFile(target.path, ExportFileBytes(stream, target.kind));
}

} // namespace kalorina
