#include "report/TManifoldReport.h"

#include <algorithm>
#include <cmath>

#include "document/TProject.h"
#include "lang/BuiltInTexts.h"
#include "report/ReportTemplates.h"
#include "util/FloatFormat.h"
#include "util/FormatText.h"

namespace kalorina {

namespace {
// The printing dialog's tree lists the manifolds in the third group.
constexpr int kManifoldGroup = 2;
} // namespace

std::vector<ManifoldSchedule> ChosenManifoldSchedules(const TProject& project, const TDevices& devices,
                                                      const std::vector<TReportTreeNode>& tree, bool printAll)
{
    std::vector<bool> chosen(project.manifolds.size(), printAll);
    int group = -1;
    std::size_t child = 0;
    for (const TReportTreeNode& node : tree) {
        if (!node.hasParent)
            ++group;
        else if (group == kManifoldGroup && child < chosen.size()) {
            if (node.state == 1)
                chosen[child] = true;
            ++child;
        }
    }
    std::vector<int> manifolds;
    for (std::size_t m = 0; m < chosen.size(); ++m)
        if (chosen[m])
            manifolds.push_back(static_cast<int>(m));
    return MakeManifoldSchedules(project, devices, manifolds);
}

TManifoldReport::TManifoldReport(const TProject& project, const TDevices& devices, std::vector<TReportTreeNode> tree,
                                 bool printAll, const TProgramOptions::Margins& margins, TReportEnvironment environment)
    : TBReport(project, devices, std::move(tree), printAll, margins, std::move(environment)),
      schedules_(ChosenManifoldSchedules(this->project, devices, this->tree, this->printAll))
{
    UseColumnsOf(ReportKind::Manifolds, outletsFormat_);
}

std::string TManifoldReport::CellText(const ManifoldOutlet& outlet, const TListHeaderFormatCol& col)
{
    auto real = [&](float v) {
        return col.valueKind == TValueKind::Integer ? col.FormatInteger(std::llround(v)) : col.FormatReal(v);
    };
    switch (col.columnId) {
    case 0:
        return col.valueKind == TValueKind::Real ? col.FormatReal(outlet.number) : col.FormatInteger(outlet.number);
    case 1:
        return outlet.circuit;
    case 2:
        return outlet.RoomsText();
    case 3:
        return real(outlet.tubeLength);
    case 4:
        return real(outlet.volumeFlow);
    case 5:
        return real(outlet.massFlow);
    case 6:
        return WithDecimalSeparator(outlet.presetting);
    case 7:
        return real(outlet.volumeFlowPerMinute);
    case 8:
        return real(outlet.power);
    case 9:
        return real(outlet.returnTemperature);
    case 10:
        return real(outlet.pressureDrop);
    case 11:
        return outlet.valve;
    case 12:
        return outlet.index ? "*" : "";
    default:
        return {};
    }
}

bool TManifoldReport::NextItem()
{
    current_ = nullptr;
    currentRoom = nullptr;
    currentRound = nullptr;
    while (next_ < schedules_.size()) {
        current_ = &schedules_[next_++];
        ItemState = ItemProgress::Taken;
        return true;
    }
    ItemState = ItemProgress::None;
    return false;
}

void TManifoldReport::VisitCells(const TListHeaderFormat& format, const CellSink& sink)
{
    for (const ManifoldSchedule& s : schedules_)
        for (const ManifoldOutlet& outlet : s.outlets)
            for (const auto* col : format.VisibleColumns())
                sink(*col, CellText(outlet, *col));
}

void TManifoldReport::WriteNotes(const ManifoldSchedule& s, bool afterTable)
{
    text.Clear();
    if (afterTable && !s.indexCircuit.empty())
        text.WriteText(kTemplateManifoldIndexLegend);
    if (!s.warnings.empty()) {
        text.WriteText(kTemplateManifoldProblemsCaption);
        for (const std::string& w : s.warnings)
            text.PrintfText(kTemplateNoteLine, w);
    }
}

TBReport::Result TManifoldReport::PrintBand(Band band, TCanvas& canvas, TRect& area)
{
    if (band != Band::Item)
        return TBReport::PrintBand(band, canvas, area);
    if (!current_) {
        ItemState = ItemProgress::None;
        return Result::Nothing;
    }
    const ManifoldSchedule& s = *current_;
    if (ItemState == ItemProgress::Taken) {
        text.Clear();
        text.PrintfText(kTemplateManifoldName, s.name);
        if (!s.location.empty())
            text.PrintfText(kTemplateManifoldLocation, s.location);
        // Before its figures: an installer must not take a default for a design.
        if (!s.designed)
            text.WriteText(kTemplateManifoldNotDesigned);
        text.PrintfValue(kTemplateManifoldSupply, true, s.supplyTemperature);
        text.PrintfValue(kTemplateManifoldDesignSpread, true, s.designSpread);
        text.PrintfValue(kTemplateManifoldMixedReturn, true, s.mixedReturn);
        text.PrintfValue(kTemplateManifoldSpread, true, s.spread);
        text.PrintfValue(kTemplateManifoldPower, true, s.totalPower);
        text.PrintfValue(kTemplateManifoldMassFlow, true, s.totalMassFlow);
        text.PrintfValue(kTemplateManifoldVolumeFlow, true, s.totalVolumeFlow);
        text.PrintfValue(kTemplateManifoldVolumeFlowPerMinute, true, s.totalVolumeFlowPerMinute);
        text.PrintfValue(kTemplateManifoldPumpHead, true, s.pumpHead);
        text.PrintfValue(kTemplateManifoldPumpHeadMetres, true, s.pumpHeadMetres);
        text.WriteText(kTemplateManifoldPumpHeadNote);
        if (!s.indexCircuit.empty())
            text.PrintfText(kTemplateManifoldIndexCircuit, s.indexCircuit);
        for (const ScheduleValve& v : s.valves) {
            std::string line = FormatText(TextOrBuiltIn("IDS_MANIFOLDVALVELINE"), {v.key, v.name});
            if (!v.first.empty())
                line += FormatText(TextOrBuiltIn("IDS_MANIFOLDVALVESCALE"),
                                   {WithDecimalSeparator(v.first), WithDecimalSeparator(v.last)});
            text.PrintfText(kTemplateManifoldValve, line);
        }
        text.WriteText(s.outlets.empty() ? kTemplateManifoldNoOutlets : kTemplateManifoldOutletsCaption);
        ItemState = ItemProgress::Printing;
        step_ = Step::Header;
        row_ = 0;
    }
    while (true) {
        switch (step_) {
        case Step::Header: {
            // The header block stays on the page of its table's first rows.
            const int rows = static_cast<int>(std::min<std::size_t>(s.outlets.size(), 2));
            int need = MeasureText(canvas, area, text);
            if (rows > 0) {
                TCanvasFontSaver keep(canvas);
                canvas.SetFont(BaseFont());
                need += outletsFormat_.HeaderHeight(canvas, rows);
            }
            if (area.bottom - area.top < need && !Forced())
                return Result::NoRoom;
            if (PrintText(canvas, area, text) == Result::NoRoom)
                return Result::NoRoom;
            step_ = s.outlets.empty() ? Step::Notes : Step::TableHeader;
            if (step_ == Step::Notes)
                WriteNotes(s, false);
            continue;
        }
        case Step::TableHeader: {
            const bool empty = PageEmpty();
            PrintColumnHeader(canvas, area, outletsFormat_);
            if (empty)
                CountAsFurniture();
            step_ = Step::Rows;
            return Result::Done;
        }
        case Step::Rows: {
            const ManifoldOutlet& outlet = s.outlets[row_];
            Result r = PrintRow(canvas, area, outletsFormat_,
                                [&](const TListHeaderFormatCol& col) { return CellText(outlet, col); });
            if (r == Result::NoRoom) {
                // The next page repeats the table's header above the rest of the rows.
                if (!PageEmpty())
                    step_ = Step::TableHeader;
                return r;
            }
            if (++row_ >= s.outlets.size()) {
                CloseTable(canvas);
                step_ = Step::Notes;
                WriteNotes(s, true);
            }
            return Result::Done;
        }
        case Step::Notes: {
            // Under the table: the index mark's meaning and the check's problems;
            // on the next page as a whole when they do not fit below the table.
            if (PrintText(canvas, area, text) == Result::NoRoom)
                return Result::NoRoom;
            step_ = Step::Done;
            continue;
        }
        case Step::Done:
            ItemState = ItemProgress::None;
            return Result::Done;
        }
    }
}

} // namespace kalorina
