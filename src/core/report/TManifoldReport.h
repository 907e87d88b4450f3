#pragma once
// The manifold schedule on paper: for each chosen manifold a header block (name,
// location, whether it was designed, supply, design spread, mixed return, total
// output and flows, pump head and what it covers, index circuit, the legend of its
// valves), the table of its outlets, whose column header is repeated when the table
// goes on over a page, and the design check's problems under it.
#include "report/ManifoldSchedule.h"
#include "report/TBReport.h"

namespace kalorina {

class TManifoldReport : public TBReport {
public:
    TManifoldReport(const TProject& project, const TDevices& devices, std::vector<TReportTreeNode> tree, bool printAll,
                    const TProgramOptions::Margins& margins, TReportEnvironment environment);

    // The text of an outlet's cell for the column.
    static std::string CellText(const ManifoldOutlet& outlet, const TListHeaderFormatCol& col);

protected:
    bool NextItem() override;
    Result PrintBand(Band band, TCanvas& canvas, TRect& area) override;
    std::vector<TListHeaderFormat*> TablesOf() override { return {&outletsFormat_}; }
    void VisitCells(const TListHeaderFormat& format, const CellSink& sink) override;

private:
    // The header block, the table's header (after its caption), the rows, the notes
    // under them, the end.
    enum class Step { Header, TableHeader, Rows, Notes, Done };

    // The notes under the manifold's table into the text: the index mark's legend
    // (when there was a table) and the design check's problems.
    void WriteNotes(const ManifoldSchedule& s, bool afterTable);

    std::vector<ManifoldSchedule> schedules_;
    TListHeaderFormat outletsFormat_;
    const ManifoldSchedule* current_ = nullptr;
    std::size_t next_ = 0; // the manifold NextItem looks at next
    Step step_ = Step::Header;
    std::size_t row_ = 0;
};

// The schedules of the manifolds the printing dialog's tree chooses (its third
// group lists the manifolds in the project's order), or of every manifold.
std::vector<ManifoldSchedule> ChosenManifoldSchedules(const TProject& project, const TDevices& devices,
                                                      const std::vector<TReportTreeNode>& tree, bool printAll);

} // namespace kalorina
