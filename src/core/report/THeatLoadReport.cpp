#include "report/THeatLoadReport.h"

#include <algorithm>
#include <cmath>

#include "document/TProject.h"
#include "lang/BuiltInTexts.h"
#include "lang/TLanguages.h"
#include "materials/TClipboardStream.h"
#include "report/ReportTemplates.h"
#include "util/Codepage.h"
#include "util/FloatFormat.h"
#include "util/FormatText.h"

namespace kalorina {

namespace {

std::string Fixed(double value, int decimals)
{
    return FloatToStrF(value, TFloatFormat::Fixed, 15, decimals);
}

std::string Degrees(double value)
{
    return Fixed(value, 1)
        + " \xB0"
          "C";
}

std::string Family(const char* base, int index)
{
    return Languages().GetFamilyText(base, index);
}

} // namespace

std::vector<const TRoomItem*> ChosenHeatLoadRooms(const TProject& project, const std::vector<TReportTreeNode>& tree,
                                                  bool printAll)
{
    std::vector<bool> chosen(project.rooms.size(), printAll);
    int group = -1;
    std::size_t child = 0;
    for (const TReportTreeNode& node : tree) {
        if (!node.hasParent)
            ++group;
        else if (group == 0 && child < chosen.size()) {
            if (node.state == 1)
                chosen[child] = true;
            ++child;
        }
    }
    std::vector<const TRoomItem*> rooms;
    for (std::size_t i = 0; i < project.rooms.size(); ++i)
        if (chosen[i] && project.rooms[i].heatLoad)
            rooms.push_back(&project.rooms[i]);
    return rooms;
}

THeatLoadReport::THeatLoadReport(const TProject& project, const TDevices& devices, std::vector<TReportTreeNode> tree,
                                 bool printAll, const TProgramOptions::Margins& margins, TReportEnvironment environment)
    : TBReport(project, devices, std::move(tree), printAll, margins, std::move(environment))
{
    for (const TRoomItem* room : ChosenHeatLoadRooms(this->project, this->tree, this->printAll)) {
        rooms_.push_back({room, RoomHeatLoadOf(*room, this->project.heatLoad)});
        // The rooms' loads as they print them, so that the sum under them adds up.
        building_ += std::round(rooms_.back().load.total);
    }
    UseColumnsOf(ReportKind::HeatLoad, elementsFormat_);
}

std::string THeatLoadReport::CellText(const HeatElement& e, const ElementLoad& load, const TListHeaderFormatCol& col)
{
    switch (col.columnId) {
    case 0:
        return e.name;
    case 1:
        return Family("IDS_ELEMENTTYPE+", static_cast<int>(e.type));
    case 2:
        return col.FormatReal(e.area);
    case 3:
        return col.FormatReal(load.u);
    case 4:
        return Family("IDS_BOUNDARY+", static_cast<int>(e.boundary));
    case 5:
        return col.FormatReal(load.factor);
    case 6:
        return col.FormatReal(load.h);
    case 7:
        return col.FormatReal(load.watts);
    default:
        return {};
    }
}

bool THeatLoadReport::NextItem()
{
    currentRoom = nullptr;
    currentRound = nullptr;
    current_ = nullptr;
    buildingItem_ = false;
    if (next_ < rooms_.size()) {
        current_ = &rooms_[next_++];
        currentRoom = current_->room;
        ItemState = ItemProgress::Taken;
        return true;
    }
    // After the rooms, the building's sum as an item of its own.
    if (!buildingDone_) {
        buildingDone_ = true;
        buildingItem_ = true;
        ItemState = ItemProgress::Taken;
        return true;
    }
    ItemState = ItemProgress::None;
    return false;
}

void THeatLoadReport::VisitCells(const TListHeaderFormat& format, const CellSink& sink)
{
    for (const Chosen& c : rooms_)
        for (std::size_t i = 0; i < c.load.elements.size(); ++i)
            for (const auto* col : format.VisibleColumns())
                sink(*col, CellText(c.room->heatLoad->elements[i], c.load.elements[i], *col));
}

void THeatLoadReport::WriteNotes(const Chosen& c)
{
    const RoomLoad& l = c.load;
    text.Clear();
    text.PrintfText(
        kTemplateNoteLine,
        FormatText(TextOrBuiltIn("IDS_HEATLOADTRANSMISSION"), {Fixed(l.transmissionH, 2), Fixed(l.transmission, 0)}));
    text.PrintfText(kTemplateNoteLine,
                    FormatText(TextOrBuiltIn("IDS_HEATLOADAIR"),
                               {Fixed(l.minimumAir, 1), Fixed(l.infiltration, 1), Fixed(l.ventilation, 0)}));
    text.PrintfText(kTemplateNoteLine, FormatText(TextOrBuiltIn("IDS_HEATLOADHEATINGUP"), {Fixed(l.heatingUp, 0)}));
    text.PrintfText(kTemplateHeatLoadTotal, FormatText(TextOrBuiltIn("IDS_HEATLOADTOTAL"), {Fixed(l.total, 0)}));
    if (c.room->heatLoad->manual)
        text.PrintfText(kTemplateNoteLine,
                        FormatText(TextOrBuiltIn("IDS_HEATLOADKEPT"), {Fixed(c.room->heatDemand, 0)}));
}

TBReport::Result THeatLoadReport::PrintBand(Band band, TCanvas& canvas, TRect& area)
{
    if (band != Band::Item)
        return TBReport::PrintBand(band, canvas, area);
    if (buildingItem_) {
        if (ItemState == ItemProgress::Taken) {
            text.Clear();
            text.PrintfText(kTemplateHeatLoadTotal,
                            rooms_.empty() ? TextOrBuiltIn("IDS_HEATLOADNONE")
                                           : FormatText(TextOrBuiltIn("IDS_HEATLOADBUILDING"), {Fixed(building_, 0)}));
            ItemState = ItemProgress::Printing;
        }
        if (PrintText(canvas, area, text) == Result::NoRoom)
            return Result::NoRoom;
        ItemState = ItemProgress::None;
        return Result::Done;
    }
    if (!current_) {
        ItemState = ItemProgress::None;
        return Result::Nothing;
    }
    const Chosen& c = *current_;
    const std::vector<ElementLoad>& rows = c.load.elements;
    if (ItemState == ItemProgress::Taken) {
        text.Clear();
        if (!climateDone_) {
            // The climate once, above the first room.
            climateDone_ = true;
            const ProjectHeatLoad& k = project.heatLoad;
            text.PrintfText(kTemplateNoteLine,
                            FormatText(TextOrBuiltIn("IDS_HEATLOADCLIMATE"),
                                       {Degrees(k.outdoorTemperature), Degrees(k.annualMeanOutdoorTemperature),
                                        Fixed(k.n50, 1), Family("IDS_SHIELDING+", static_cast<int>(k.shielding))}));
        }
        text.PrintfText(kTemplateHeatLoadRoom,
                        FormatText(TextOrBuiltIn("IDS_HEATLOADROOM"),
                                   {c.room->roomName, Degrees(c.room->roomTemperature), Fixed(c.room->floorArea, 2),
                                    Fixed(c.load.volume, 1)}));
        ItemState = ItemProgress::Printing;
        step_ = Step::Header;
        row_ = 0;
    }
    while (true) {
        switch (step_) {
        case Step::Header: {
            // The heading stays on the page of its table's first rows.
            const int first = static_cast<int>(std::min<std::size_t>(rows.size(), 2));
            int need = MeasureText(canvas, area, text);
            if (first > 0) {
                TCanvasFontSaver keep(canvas);
                canvas.SetFont(BaseFont());
                need += elementsFormat_.HeaderHeight(canvas, first);
            }
            if (area.bottom - area.top < need && !Forced())
                return Result::NoRoom;
            if (PrintText(canvas, area, text) == Result::NoRoom)
                return Result::NoRoom;
            step_ = rows.empty() ? Step::Notes : Step::TableHeader;
            if (step_ == Step::Notes)
                WriteNotes(c);
            continue;
        }
        case Step::TableHeader: {
            const bool empty = PageEmpty();
            PrintColumnHeader(canvas, area, elementsFormat_);
            if (empty)
                CountAsFurniture();
            step_ = Step::Rows;
            return Result::Done;
        }
        case Step::Rows: {
            const HeatElement& e = c.room->heatLoad->elements[row_];
            const ElementLoad& load = rows[row_];
            Result r = PrintRow(canvas, area, elementsFormat_,
                                [&](const TListHeaderFormatCol& col) { return CellText(e, load, col); });
            if (r == Result::NoRoom) {
                if (!PageEmpty())
                    step_ = Step::TableHeader;
                return r;
            }
            if (++row_ >= rows.size()) {
                CloseTable(canvas);
                step_ = Step::Notes;
                WriteNotes(c);
            }
            return Result::Done;
        }
        case Step::Notes:
            if (PrintText(canvas, area, text) == Result::NoRoom)
                return Result::NoRoom;
            step_ = Step::Done;
            continue;
        case Step::Done:
            ItemState = ItemProgress::None;
            return Result::Done;
        }
    }
}

std::string HeatLoadCsv(const TProject& project, const std::vector<const TRoomItem*>& rooms)
{
    const char separator = CsvSeparator();
    std::string out = "\xEF\xBB\xBF";
    auto line = [&](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            out += (i ? std::string(1, separator) : std::string()) + CsvField(Cp1250ToUtf8(cells[i]), separator);
        out += "\r\n";
    };
    std::vector<std::string> header;
    for (int i = 0; i < 9; ++i)
        header.push_back(Family("IDS_HEATLOADCSVTITLE+", i));
    line(header);
    for (const TRoomItem* room : rooms) {
        const RoomLoad l = RoomHeatLoadOf(*room, project.heatLoad);
        for (std::size_t i = 0; i < l.elements.size(); ++i) {
            const HeatElement& e = room->heatLoad->elements[i];
            const ElementLoad& el = l.elements[i];
            line({room->roomName, e.name, Family("IDS_ELEMENTTYPE+", static_cast<int>(e.type)), Fixed(e.area, 2),
                  Fixed(el.u, 3), Family("IDS_BOUNDARY+", static_cast<int>(e.boundary)), Fixed(el.factor, 3),
                  Fixed(el.h, 3), Fixed(el.watts, 1)});
        }
        line({room->roomName, Family("IDS_HEATLOADPART+", 0), "", "", "", "", "", Fixed(l.transmissionH, 3),
              Fixed(l.transmission, 1)});
        line({room->roomName, Family("IDS_HEATLOADPART+", 1), "", "", "", "", "", "", Fixed(l.ventilation, 1)});
        line({room->roomName, Family("IDS_HEATLOADPART+", 2), "", "", "", "", "", "", Fixed(l.heatingUp, 1)});
        line({room->roomName, Family("IDS_HEATLOADPART+", 3), "", "", "", "", "", "", Fixed(l.total, 1)});
    }
    return out;
}

} // namespace kalorina
