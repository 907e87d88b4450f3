#include "report/TUsedMaterialReport.h"

#include "materials/TUsedMaterial.h"
#include "report/ReportTemplates.h"

namespace kalorina {

TUsedMaterialReport::TUsedMaterialReport(TUsedMaterial& bill, const TProject& project, const TDevices& devices,
                                         const TProgramOptions::Margins& margins, TReportEnvironment environment)
    : TBReport(project, devices, {}, true, margins, std::move(environment)), bill_(bill)
{
    bill_.cursor = -1;
    LoadColumns(columnFormat_, kUsedMaterialsFormat, kUsedMaterialsLayout);
}

std::string TUsedMaterialReport::CellText(const TUsedMaterialItem& row, const TListHeaderFormatCol& col)
{
    switch (col.columnId) {
    case 0:
        return row.name;
    case 1:
        return row.estimateCode;
    case 2:
        return col.FormatReal(row.quantity) + (row.unit.empty() ? "" : " " + row.unit);
    default:
        return {};
    }
}

bool TUsedMaterialReport::NextItem()
{
    current_ = bill_.NextSelected();
    ItemState = current_ ? ItemProgress::Taken : ItemProgress::None;
    return current_ != nullptr;
}

void TUsedMaterialReport::VisitCells(const TListHeaderFormat& format, const CellSink& sink)
{
    for (const TUsedMaterialItem& row : bill_.rows)
        if (row.selected)
            for (const auto* col : format.VisibleColumns())
                sink(*col, CellText(row, *col));
}

TBReport::Result TUsedMaterialReport::PrintBand(Band band, TCanvas& canvas, TRect& area)
{
    if (band == Band::Closing) {
        // What the bill could not list, under its table: never a silent gap.
        const std::vector<std::string> warnings = BillWarnings(bill_);
        if (warnings.empty())
            return Result::Done;
        text.Clear();
        text.WriteText(kTemplateBillWarningsCaption);
        for (const std::string& w : warnings)
            text.PrintfText(kTemplateNoteLine, w);
        return PrintText(canvas, area, text);
    }
    if (band != Band::Item)
        return TBReport::PrintBand(band, canvas, area);
    if (!current_) {
        ItemState = ItemProgress::None;
        return Result::Nothing;
    }
    Result r = PrintRow(canvas, area, columnFormat_,
                        [&](const TListHeaderFormatCol& col) { return CellText(*current_, col); });
    if (r == Result::Done)
        ItemState = ItemProgress::None;
    return r;
}

} // namespace kalorina
