#include "app/HeatLoadEditor.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "document/TRoomItem.h"
#include "lang/BuiltInTexts.h"
#include "util/Error.h"
#include "util/FloatFormat.h"
#include "util/FormatText.h"
#include "util/InputRange.h"

namespace kalorina {

namespace {

std::string Shown(double value, int decimals)
{
    return FloatToStrF(value, TFloatFormat::Fixed, 15, decimals);
}

std::string Typed(float value)
{
    return TypedFloat(value);
}

std::string Cell(int rowNumber, const std::string& rowWord, const std::string& column)
{
    return rowWord + " " + std::to_string(rowNumber) + ": " + column;
}

bool Blank(const std::string& text)
{
    return text.find_first_not_of(" \t") == std::string::npos;
}

std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

std::string TypedFloat(float value)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return WithDecimalSeparator(std::string(buffer, end));
}

ElementRowTexts RowTextsOf(const HeatElement& e)
{
    ElementRowTexts r;
    r.name = e.name;
    r.type = static_cast<int>(e.type);
    r.area = Typed(e.area);
    r.u = Typed(e.u);
    r.construction = e.construction;
    r.boundary = static_cast<int>(e.boundary);
    if (e.bu)
        r.bu = Typed(*e.bu);
    if (e.temperature)
        r.temperature = Typed(*e.temperature);
    if (e.thermalBridge)
        r.thermalBridge = Typed(*e.thermalBridge);
    return r;
}

HeatElement ReadElementRow(const ElementRowTexts& row, int rowNumber, const ProjectHeatLoad& climate,
                           const ElementColumns& columns)
{
    HeatElement e;
    e.name = row.name;
    e.type = static_cast<ElementType>(std::clamp(row.type, 0, 5));
    e.boundary = static_cast<Boundary>(std::clamp(row.boundary, 0, 3));
    auto number = [&](const std::string& text, InputKind kind, const std::string& column) {
        const std::string where = Cell(rowNumber, columns.row, column);
        // An empty cell is no 0: it asks for the value.
        if (Blank(text))
            throw KalorinaError(RangeMessage(kind, where));
        return static_cast<float>(ParseInput(text, kind, where));
    };
    e.area = number(row.area, InputKind::ElementArea, columns.area);
    e.construction = row.construction;
    if (const Construction* c = FindConstruction(climate, e.construction))
        e.u = static_cast<float>(ConstructionU(*c));
    else {
        e.construction.clear();
        e.u = number(row.u, InputKind::UValue, columns.u);
    }
    if (!Blank(row.thermalBridge))
        e.thermalBridge = number(row.thermalBridge, InputKind::ThermalBridge, columns.thermalBridge);
    if (e.boundary == Boundary::Unheated) {
        if (!Blank(row.temperature))
            e.temperature = number(row.temperature, InputKind::Temperature, columns.temperature);
        else
            e.bu = number(row.bu, InputKind::ReductionFactor, columns.bu);
    } else if (e.boundary == Boundary::Heated) {
        e.temperature = number(row.temperature, InputKind::Temperature, columns.temperature);
    }
    return e;
}

ElementResultTexts ResultTextsOf(const ElementLoad& load)
{
    return {Shown(load.u, 3), Shown(load.factor, 3), Shown(load.h, 2), Shown(load.watts, 0)};
}

HeatLoadBreakdown BreakdownOf(const RoomLoad& l)
{
    HeatLoadBreakdown b;
    b.transmission =
        FormatText(TextOrBuiltIn("IDS_HEATLOADTRANSMISSION"), {Shown(l.transmissionH, 2), Shown(l.transmission, 0)});
    b.air = FormatText(TextOrBuiltIn("IDS_HEATLOADAIR"),
                       {Shown(l.minimumAir, 1), Shown(l.infiltration, 1), Shown(l.ventilation, 0)});
    b.heatingUp = FormatText(TextOrBuiltIn("IDS_HEATLOADHEATINGUP"), {Shown(l.heatingUp, 0)});
    b.rounded = AppliedHeatLoss(l.total);
    b.total = FormatText(TextOrBuiltIn("IDS_HEATLOADTOTAL"), {Shown(b.rounded, 0)});
    return b;
}

std::string LayersText(const Construction& c)
{
    std::string text;
    for (const ConstructionLayer& l : c.layers)
        text += (text.empty() ? "" : "; ") + Typed(l.thickness) + "/" + Typed(l.conductivity);
    return text;
}

Construction ReadConstructionRow(const std::string& name, const std::string& uText, const std::string& layersText,
                                 HeatFlow flow, bool outsideSurface, int rowNumber)
{
    Construction c;
    c.name = name;
    c.flow = flow;
    c.outsideSurface = outsideSurface;
    const std::string rowWord = TextOrBuiltIn("IDS_TABLEROW");
    if (Blank(layersText)) {
        c.u = static_cast<float>(ParseInput(uText, InputKind::UValue, Cell(rowNumber, rowWord, "U")));
        return c;
    }
    c.layered = true;
    std::size_t from = 0;
    int layer = 0;
    while (from <= layersText.size()) {
        const std::size_t end = std::min(layersText.find(';', from), layersText.size());
        const std::string part = Trimmed(layersText.substr(from, end - from));
        from = end + 1;
        if (Blank(part))
            continue;
        ++layer;
        const std::size_t slash = part.find('/');
        ConstructionLayer l;
        const std::string where =
            Cell(rowNumber, rowWord, TextOrBuiltIn("IDS_VALUE_LAYERTHICKNESS")) + " " + std::to_string(layer);
        l.thickness = static_cast<float>(ParseInput(Trimmed(part.substr(0, slash)), InputKind::LayerThickness, where));
        l.conductivity = static_cast<float>(ParseInput(
            slash == std::string::npos ? std::string() : Trimmed(part.substr(slash + 1)), InputKind::Conductivity,
            Cell(rowNumber, rowWord, TextOrBuiltIn("IDS_VALUE_CONDUCTIVITY")) + " " + std::to_string(layer)));
        c.layers.push_back(l);
    }
    CheckInput(ConstructionU(c), InputKind::UValue, Cell(rowNumber, rowWord, "U"));
    return c;
}

void CheckOutdoorBelowRooms(double outdoor, const std::vector<TRoomItem>& rooms, const std::string& field)
{
    for (const TRoomItem& room : rooms)
        if (room.heatLoad && !(outdoor < double(room.roomTemperature)))
            throw KalorinaError(FormatText(TextOrBuiltIn("IDS_OUTDOORNOTBELOW"),
                                           {field, room.roomName,
                                            FloatToStrF(room.roomTemperature, TFloatFormat::General, 7, 0)
                                                + " \xB0"
                                                  "C"}));
}

} // namespace kalorina
