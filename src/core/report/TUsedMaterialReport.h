#pragma once
// The bill of materials on paper: the chosen rows of the bill as one table (name,
// estimate code, quantity with its unit) under the usual page furniture, the column
// header repeated on every page, and under it the bill's warnings.
#include "report/TBReport.h"

namespace kalorina {

class TUsedMaterial;
struct TUsedMaterialItem;

class TUsedMaterialReport : public TBReport {
public:
    // Prints the rows of `bill` whose selected flag is set, in the bill's order.
    TUsedMaterialReport(TUsedMaterial& bill, const TProject& project, const TDevices& devices,
                        const TProgramOptions::Margins& margins, TReportEnvironment environment);

    // The text of a cell of the bill's table for the column.
    static std::string CellText(const TUsedMaterialItem& row, const TListHeaderFormatCol& col);

protected:
    bool NextItem() override;
    Result PrintBand(Band band, TCanvas& canvas, TRect& area) override;
    void VisitCells(const TListHeaderFormat& format, const CellSink& sink) override;

private:
    TUsedMaterial& bill_;
    const TUsedMaterialItem* current_ = nullptr;
};

// The column format and saved layout of the printed bill.
inline constexpr const char* kUsedMaterialsFormat = "UsedMaterialsTableTitle";
inline constexpr const char* kUsedMaterialsLayout = "UsedMaterialsTableReport";

} // namespace kalorina
