#include "app/UsedMaterialsExport.h"

#include "app/FileErrors.h"
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "app/FileErrors.h"
#include "lang/BuiltInTexts.h"
#include "lang/TLanguages.h"
#include "materials/TClipboardStream.h"
#include "util/Codepage.h"
#include "util/Error.h"
#include "util/FormatText.h"

namespace kalorina {

ExportFileKind ExportKindOfPath(const std::string& path)
{
    auto dot = path.find_last_of('.');
    std::string ext = dot == std::string::npos ? std::string() : path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext == "xls")
        return ExportFileKind::Xls;
    if (ext == "rtf")
        return ExportFileKind::Rtf;
    if (ext == "html" || ext == "htm")
        return ExportFileKind::Html;
    return ExportFileKind::Csv;
}

void WriteSelectedRows(TUsedMaterial& bill, TClipboardStream& stream)
{
    bill.cursor = -1;
    while (const TUsedMaterialItem* row = bill.NextSelected())
        stream.WriteUsedMaterialRow(*row);
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
    std::string temp = path + ".part";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (out)
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (out)
            out.flush();
        if (!out) {
            int err = errno;
            std::remove(temp.c_str());
            RaiseFileError("IDS_CANNOTWRITEFILE", path, err);
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        int err = errno;
        std::remove(temp.c_str());
        RaiseFileError("IDS_CANNOTWRITEFILE", path, err);
    }
}

std::string CycleWarning(const TUsedMaterial& bill)
{
    std::string text;
    for (const std::string& kit : bill.cycleKits) {
        std::string line = Txt("IDS_PIECELISTCYCLE");
        if (line.empty())
            line = "The kit %s refers back to itself; its rows were not expanded.";
        text += (text.empty() ? "" : "\n") + FormatText(line, {kit});
    }
    for (const std::string& row : bill.impossibleRows)
        text += (text.empty() ? "" : "\n") + FormatText(TextOrBuiltIn("IDS_IMPOSSIBLEQUANTITY"), {row});
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

void UsedMaterialsExportEditor::SaveToFile(const std::string& path)
{
    if (bill_.SelectedCount() == 0)
        return;
    TClipboardStream stream;
    WriteSelectedRows(bill_, stream);
    WriteExportFile(path, ExportFileBytes(stream, ExportKindOfPath(path)));
}

} // namespace kalorina
