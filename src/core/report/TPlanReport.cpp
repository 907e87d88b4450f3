#include "report/TPlanReport.h"

#include <algorithm>
#include <cmath>

#include "document/TProject.h"
#include "lang/BuiltInTexts.h"
#include "plan/DxfWriter.h"
#include "report/ReportTemplates.h"
#include "util/FloatFormat.h"
#include "util/FormatText.h"

namespace kalorina {

namespace {

std::string Fixed(double v, int decimals)
{
    return FloatToStrF(v, TFloatFormat::Fixed, 15, decimals);
}

struct Bounds {
    double left = 1e300, bottom = 1e300, right = -1e300, top = -1e300;
    void Add(plan::Point p)
    {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        bottom = std::min(bottom, p.y);
        top = std::max(top, p.y);
    }
    bool Empty() const { return right < left; }
};

Bounds FloorBounds(const plan::Plan& plan, int floor)
{
    Bounds b;
    for (const plan::RoomOutline& o : plan.outlines)
        if (o.floor == floor)
            for (const plan::Point& c : o.outline)
                b.Add(c);
    for (const plan::ManifoldPlace& m : plan.manifolds)
        if (m.floor == floor)
            b.Add(m.position);
    return b;
}

} // namespace

TPlanReport::TPlanReport(const TProject& project, const TDevices& devices, std::vector<TReportTreeNode> tree,
                         bool printAll, const TProgramOptions::Margins& margins, TReportEnvironment environment)
    : TBReport(project, devices, std::move(tree), printAll, margins, std::move(environment))
{
    kind_ = ReportKind::Plan;
}

int TPlanReport::ScaleFor(double widthM, double heightM, double widthMm, double heightMm)
{
    for (int scale : {20, 50, 100, 200, 500, 1000, 2000})
        if (widthM * 1000 / scale <= widthMm && heightM * 1000 / scale <= heightMm)
            return scale;
    return 5000;
}

bool TPlanReport::NextItem()
{
    currentRoom = nullptr;
    currentRound = nullptr;
    // One item per floor; a project without a plan says so once.
    const int floors = static_cast<int>(project.plan.floors.size());
    if (next_ < std::max(floors, 1)) {
        current_ = next_++;
        ItemState = ItemProgress::Taken;
        return true;
    }
    current_ = -1;
    ItemState = ItemProgress::None;
    return false;
}

void TPlanReport::Draw(TCanvas& canvas, const TRect& area, int floor, int scale)
{
    const plan::Plan& plan = project.plan;
    const Bounds b = FloorBounds(plan, floor);
    const double unitsPerMm = canvas.PixelsPerInchX() / 25.4;
    const double k = 1000.0 / scale * unitsPerMm; // device units per metre
    const double drawnWidth = (b.right - b.left) * k, drawnHeight = (b.top - b.bottom) * k;
    const int left = area.left + static_cast<int>((area.Width() - drawnWidth) / 2);
    const int top = area.top;
    auto x = [&](double m) { return left + static_cast<int>(std::lround((m - b.left) * k)); };
    auto y = [&](double m) { return top + static_cast<int>(std::lround((b.top - m) * k)); };
    TCanvasFontSaver keep(canvas);
    canvas.SetFont(BaseFont());
    canvas.SetFontSize(std::max(6, BaseFont().size - 2));
    canvas.SetPenColour(clBlack);
    for (const plan::RoomOutline& o : plan.outlines) {
        if (o.floor != floor)
            continue;
        for (std::size_t i = 0; i < o.outline.size(); ++i) {
            const plan::Point a = o.outline[i], c = o.outline[(i + 1) % o.outline.size()];
            canvas.Line(x(a.x), y(a.y), x(c.x), y(c.y));
        }
        const TRoomItem* room = project.FindRoomById(o.roomId);
        if (!room)
            continue;
        double cx = 0, cy = 0;
        for (const plan::Point& c : o.outline) {
            cx += c.x;
            cy += c.y;
        }
        cx /= static_cast<double>(o.outline.size());
        cy /= static_cast<double>(o.outline.size());
        const std::string lines[] = {room->roomName, Fixed(plan::RoundedArea(o.outline), 2) + " m2",
                                     Fixed(room->heatDemand, 0) + " W"};
        const int lineHeight = canvas.TextHeight();
        int ty = y(cy) - lineHeight * 3 / 2;
        for (const std::string& line : lines) {
            canvas.TextRect(area, x(cx) - canvas.TextWidth(line) / 2, ty, line);
            ty += lineHeight;
        }
    }
    // The laid tubes, each circuit in its colour, two lines thick.
    for (std::size_t r = 0; r < project.rounds.size(); ++r) {
        const plan::CircuitLayout& l = project.rounds[r].layout;
        if (!l.laid || l.floor != floor)
            continue;
        const plan::Rgb c = plan::CircuitColour(int(r));
        canvas.SetPenColour(RGBColor(c.r, c.g, c.b));
        const plan::Polyline tube = plan::WholeTube(l);
        for (std::size_t i = 1; i < tube.size(); ++i) {
            const int x1 = x(tube[i - 1].x), y1 = y(tube[i - 1].y), x2 = x(tube[i].x), y2 = y(tube[i].y);
            canvas.Line(x1, y1, x2, y2);
            if (std::abs(x2 - x1) >= std::abs(y2 - y1))
                canvas.Line(x1, y1 + 1, x2, y2 + 1);
            else
                canvas.Line(x1 + 1, y1, x2 + 1, y2);
        }
    }
    // Doors: a gap-wide bar across the wall, three lines thick.
    canvas.SetPenColour(RGBColor(150, 90, 30));
    for (const plan::Door& d : plan.doors) {
        if (d.floor != floor)
            continue;
        for (int offset = -1; offset <= 1; ++offset) {
            const bool horizontal = std::fabs(d.to.x - d.from.x) >= std::fabs(d.to.y - d.from.y);
            const int dx = horizontal ? 0 : offset, dy = horizontal ? offset : 0;
            canvas.Line(x(d.from.x) + dx, y(d.from.y) + dy, x(d.to.x) + dx, y(d.to.y) + dy);
        }
    }
    // Manifolds: a box of 0.6 × 0.2 m and the name.
    canvas.SetPenColour(RGBColor(0, 110, 60));
    for (const plan::ManifoldPlace& m : plan.manifolds) {
        if (m.floor != floor || m.manifold < 0 || std::size_t(m.manifold) >= project.manifolds.size())
            continue;
        const int l = x(m.position.x - 0.3), r = x(m.position.x + 0.3), t = y(m.position.y + 0.1),
                  bt = y(m.position.y - 0.1);
        canvas.Line(l, t, r, t);
        canvas.Line(r, t, r, bt);
        canvas.Line(r, bt, l, bt);
        canvas.Line(l, bt, l, t);
        const std::string& name = project.manifolds[m.manifold].name;
        canvas.TextRect(area, x(m.position.x) - canvas.TextWidth(name) / 2, bt + 2, name);
    }
    // The scale bar under the drawing: the longest round length up to a fifth of it.
    double metres = 1;
    for (double candidate : {0.5, 1.0, 2.0, 5.0, 10.0, 20.0, 50.0})
        if (candidate * k <= std::max(drawnWidth / 5, 0.5 * k))
            metres = candidate;
    canvas.SetPenColour(clBlack);
    const int barY = top + static_cast<int>(drawnHeight) + canvas.TextHeight();
    const int barLength = static_cast<int>(std::lround(metres * k));
    canvas.Line(left, barY, left + barLength, barY);
    canvas.Line(left, barY - 4, left, barY + 4);
    canvas.Line(left + barLength, barY - 4, left + barLength, barY + 4);
    canvas.TextRect(area, left + barLength + 8, barY - canvas.TextHeight() / 2,
                    Fixed(metres, metres < 1 ? 1 : 0) + " m");
}

TBReport::Result TPlanReport::PrintBand(Band band, TCanvas& canvas, TRect& area)
{
    if (band != Band::Item)
        return TBReport::PrintBand(band, canvas, area);
    if (current_ < 0) {
        ItemState = ItemProgress::None;
        return Result::Nothing;
    }
    const plan::Plan& plan = project.plan;
    if (plan.floors.empty()) {
        text.Clear();
        text.PrintfText(kTemplateHeatLoadTotal, TextOrBuiltIn("IDS_PLANREPORTNONE"));
        if (PrintText(canvas, area, text) == Result::NoRoom)
            return Result::NoRoom;
        ItemState = ItemProgress::None;
        return Result::Done;
    }
    // Every floor on a page of its own.
    if (!PageEmpty() && !Forced())
        return Result::NoRoom;
    const Bounds b = FloorBounds(plan, current_);
    text.Clear();
    const double unitsPerMm = canvas.PixelsPerInchX() / 25.4;
    std::vector<int> laid;
    for (std::size_t r = 0; r < project.rounds.size(); ++r)
        if (project.rounds[r].layout.laid && project.rounds[r].layout.floor == current_)
            laid.push_back(int(r));
    // What the heading, the scale bar and the legends leave for the drawing.
    const int reserve = (7 + int(laid.size())) * canvas.TextHeight();
    const double widthMm = area.Width() / unitsPerMm, heightMm = (area.Height() - reserve) / unitsPerMm;
    const int scale = b.Empty() ? 100 : ScaleFor(b.right - b.left, b.top - b.bottom, widthMm, heightMm);
    text.PrintfText(
        kTemplateHeatLoadRoom,
        FormatText(TextOrBuiltIn("IDS_PLANREPORTFLOOR"), {plan.floors[current_].name, "1:" + std::to_string(scale)}));
    if (PrintText(canvas, area, text) == Result::NoRoom)
        return Result::NoRoom;
    if (!b.Empty()) {
        Draw(canvas, area, current_, scale);
        const double k = 1000.0 / scale * unitsPerMm;
        area.top += static_cast<int>((b.top - b.bottom) * k) + 3 * canvas.TextHeight();
    }
    // The circuits laid on the floor: colour, name, spacing, length, manifold outlet.
    {
        TCanvasFontSaver keep(canvas);
        canvas.SetFont(BaseFont());
        const int line = canvas.TextHeight();
        for (int r : laid) {
            const TRoundItem& round = project.rounds[r];
            const std::vector<int> outlets = project.ManifoldRounds(round.manifold);
            const auto at = std::find(outlets.begin(), outlets.end(), r);
            const plan::Rgb c = plan::CircuitColour(r);
            canvas.SetBrushColour(RGBColor(c.r, c.g, c.b));
            canvas.FillRect({area.left, area.top + line / 4, area.left + 2 * line, area.top + line * 3 / 4});
            canvas.TextRect(
                area, area.left + 3 * line, area.top,
                FormatText(TextOrBuiltIn("IDS_PLANREPORTCIRCUIT"),
                           {round.roundName, Fixed(round.layout.spacing * 1000, 0), Fixed(round.layout.length, 1),
                            std::to_string(at - outlets.begin() + 1), project.manifolds[round.manifold].name}));
            area.top += line;
        }
        canvas.SetBrushColour(clWhite);
    }
    text.Clear();
    text.PrintfText(kTemplateNoteLine, TextOrBuiltIn("IDS_PLANREPORTLEGEND"));
    PrintText(canvas, area, text);
    ItemState = ItemProgress::None;
    return Result::Done;
}

} // namespace kalorina
