#pragma once
// The heat load on paper: the climate it is computed with, then for each chosen
// room with data of its building a heading (inside temperature, floor, volume),
// the table of its elements (A, U, boundary, factor, H and watts), the
// transmission, the air, the heating up and the room's load, and at the end the
// building's sum.
#include <vector>

#include "building/HeatLoad.h"
#include "report/TBReport.h"

namespace kalorina {

class THeatLoadReport : public TBReport {
public:
    THeatLoadReport(const TProject& project, const TDevices& devices, std::vector<TReportTreeNode> tree, bool printAll,
                    const TProgramOptions::Margins& margins, TReportEnvironment environment);

    // The text of an element's cell for the column.
    static std::string CellText(const HeatElement& element, const ElementLoad& load, const TListHeaderFormatCol& col);

protected:
    bool NextItem() override;
    Result PrintBand(Band band, TCanvas& canvas, TRect& area) override;
    std::vector<TListHeaderFormat*> TablesOf() override { return {&elementsFormat_}; }
    void VisitCells(const TListHeaderFormat& format, const CellSink& sink) override;

private:
    enum class Step { Header, TableHeader, Rows, Notes, Done };
    struct Chosen {
        const TRoomItem* room = nullptr;
        RoomLoad load;
    };
    void WriteNotes(const Chosen& c);

    std::vector<Chosen> rooms_;
    double building_ = 0;
    TListHeaderFormat elementsFormat_;
    std::size_t next_ = 0;
    const Chosen* current_ = nullptr;
    bool climateDone_ = false, buildingDone_ = false, buildingItem_ = false;
    Step step_ = Step::Header;
    std::size_t row_ = 0;
};

// The rooms the printing dialog's tree chooses (its first group), or every room,
// that have data of their building.
std::vector<const TRoomItem*> ChosenHeatLoadRooms(const TProject& project, const std::vector<TReportTreeNode>& tree,
                                                  bool printAll);

// The heat load as CSV in the printing language: a row per element (room,
// element, type, A, U, boundary, factor, H, W), then the room's transmission,
// air, heating up and load; UTF-8 with a byte-order mark, as the manifold
// schedule's file.
std::string HeatLoadCsv(const TProject& project, const std::vector<const TRoomItem*>& rooms);

} // namespace kalorina
