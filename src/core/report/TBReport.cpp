#include "report/TBReport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "check/DesignCheck.h"
#include "document/TProject.h"
#include "lang/PrintingScope.h"
#include "lang/TLanguages.h"
#include "listview/ColourPrefix.h"
#include "listview/RichCaption.h"
#include "report/ProjectReportText.h"
#include "report/ReportTemplates.h"
#include "report/RtfRenderer.h"
#include "report/THeatLoadReport.h"
#include "report/TManifoldReport.h"
#include "report/TPlanReport.h"
#include "util/Codepage.h"
#include "util/FloatFormat.h"

namespace kalorina {

std::vector<TReportTreeNode> ReportTree(const TProject& project)
{
    // The tree belongs to the printing dialog, which speaks the user-interface
    // language; only the reports speak the printing language.
    const TLanguages& languages = Languages();
    std::vector<TReportTreeNode> nodes;
    nodes.push_back({languages.GetInterfaceText("IDS_ROOMGROUP"), false, 3});
    for (const auto& room : project.rooms)
        nodes.push_back({room.roomName, true, 3});
    nodes.push_back({languages.GetInterfaceText("IDS_ROUNDGROUP"), false, 3});
    for (const auto& round : project.rounds)
        nodes.push_back({round.roundName, true, 3});
    nodes.push_back({languages.GetInterfaceText("IDS_MANIFOLDGROUP"), false, 3});
    for (const auto& manifold : project.manifolds)
        nodes.push_back({manifold.name, true, 3});
    return nodes;
}

std::string DefaultIdentificationLine()
{
    return "\\sb180\\f4\\fs16 "
        + Utf8ToCp1250("Kalorina Padlófűtés méretező 1.02 (2005. 2. 8.) Kalorina fejlesztői csapat");
}

TReportEnvironment MakeReportEnvironment(const PrintingOptions& options, const std::string& closingPicture,
                                         SettingsStore& store)
{
    TReportEnvironment env;
    ListFontAttributes font = ListFontAttributes::LoadFontAttributes(FontKind::Report, store);
    if (!font.name.empty())
        env.reportFont.name = font.name;
    if (font.size > 0)
        env.reportFont.size = font.size;
    env.options = options;
    env.closingPicture = closingPicture;
    {
        // The footer is printed: today in the printing language's form, whichever
        // language the dialog that asks for the report speaks.
        PrintingScope printing;
        env.today = ShortDateToday();
    }
    return env;
}

std::string RtfDocumentStart(const TFontAttributes& font, const TProgramOptions::Margins& m)
{
    auto twips = [](int mm) { return std::to_string(mm * 1440 * 10 / 254); };
    std::string face = EscapeRtfText(font.name);
    std::string start = "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1038{\\fonttbl";
    for (int f = 0; f <= 4; ++f)
        start += f == 1 ? "{\\f1\\ftech\\fcharset2 Symbol;}"
                        : "{\\f" + std::to_string(f) + "\\froman\\fcharset238 " + face + ";}";
    start += "}\r\n\\paperw11906\\paperh16838\\margl" + twips(m.left) + "\\margr" + twips(m.right) + "\\margt"
        + twips(m.top) + "\\margb" + twips(m.bottom) + "\\fs" + std::to_string(font.size * 2) + "\r\n";
    return start;
}

TBReport::TBReport(const TProject& project_, const TDevices& devices_, std::vector<TReportTreeNode> tree_,
                   bool printAll_, const TProgramOptions::Margins& margins, TReportEnvironment environment)
    : project(project_), devices(devices_), tree(std::move(tree_)), printAll(printAll_), env(std::move(environment)),
      margins_(margins)
{
    if (env.identificationLine.empty())
        env.identificationLine = DefaultIdentificationLine();
    baseFont_ = env.reportFont;
}

TBReport::~TBReport() = default;

void TBReport::LoadColumns(TListHeaderFormat& format, const std::string& formatName, const std::string& layoutName)
{
    format.LoadFormat(formatName);
    format.LoadLayout("Kalorina", layoutName);
}

void TBReport::UseColumnsOf(ReportKind kind, TListHeaderFormat& format)
{
    kind_ = kind;
    const ReportColumns c = ReportColumnsOf(kind);
    LoadColumns(format, c.formatName, c.layoutName);
}

bool TBReport::NextItem()
{
    currentRoom = nullptr;
    currentRound = nullptr;
    const bool roomKinds = kind_ == ReportKind::Rooms || kind_ == ReportKind::Fields;
    while (true) {
        ++treeIndex;
        if (treeIndex >= static_cast<int>(tree.size()))
            return false;
        const TReportTreeNode& node = tree[treeIndex];
        if (!node.hasParent) {
            ++groupIndex;
            continue;
        }
        if (groupIndex != (roomKinds ? 0 : 1))
            continue;
        if (!printAll && node.state != 1)
            continue;
        int index = project.FindItem(node.text, roomKinds);
        if (index < 0)
            continue;
        if (roomKinds)
            currentRoom = &project.rooms[index];
        else
            currentRound = &project.rounds[index];
        ItemState = ItemProgress::Taken;
        return true;
    }
}

TBReport::Result TBReport::PrintText(TCanvas& canvas, TRect& area, TPrintfStringStream& stream)
{
    if (stream.UsedUp())
        return Result::Done;
    const std::size_t start = stream.Position();
    TRect measured = area;
    RTFPrint(env.reportFont, true).Render(canvas, measured, stream);
    stream.SetPosition(start);
    if (measured.top > area.bottom && !forced_)
        return Result::NoRoom;
    AppendRtf(stream.Text().substr(start));
    RTFPrint(env.reportFont, false).Render(canvas, area, stream);
    return Result::Done;
}

int TBReport::MeasureText(TCanvas& canvas, const TRect& area, TPrintfStringStream& stream)
{
    const std::size_t start = stream.Position();
    TRect measured = area;
    RTFPrint(env.reportFont, true).Render(canvas, measured, stream);
    stream.SetPosition(start);
    return measured.top - area.top;
}

std::string TBReport::RightTabStop() const
{
    long long width = pageArea_.right - pageArea_.left;
    long long twips = setup_.pageWidth > 0 ? width * setup_.paperWidthMM / setup_.pageWidth * 14400 / 254 - 180 : 0;
    return "\\tqr\\tx" + std::to_string(twips) + " ";
}

void TBReport::AppendRtf(const std::string& fragment)
{
    if (env.rtf)
        *env.rtf += fragment;
}

void TBReport::AppendRtfRow(const TListHeaderFormat& format, const std::vector<std::string>& cells, bool header)
{
    if (!env.rtf)
        return;
    std::string row = "\\trowd\\trgaph57\\trleft0";
    int right = 0;
    auto visible = format.VisibleColumns();
    for (const auto* col : visible) {
        right += col->width * 100; // an average character of a 10-point face is about 100 twips
        row += "\\clvertalb\\cellx" + std::to_string(right);
    }
    row += "\r\n";
    for (std::size_t i = 0; i < visible.size(); ++i) {
        TAlignment a = header ? visible[i]->titleAlignment : visible[i]->dataAlignment;
        row += "\\pard\\intbl\\plain\\f4\\fs16";
        row += a == TAlignment::Right ? "\\qr " : a == TAlignment::Center ? "\\qc " : " ";
        if (header)
            row += "\\b ";
        row += i < cells.size() ? cells[i] : std::string();
        row += "\\cell ";
    }
    row += "\\row\r\n";
    *env.rtf += row;
}

namespace {

CellNumberFormat FormatOf(const TListHeaderFormatCol& col)
{
    if (col.valueKind == TValueKind::Integer)
        return [&col](double v) { return col.FormatInteger(std::llround(v)); };
    return [&col](double v) { return col.FormatReal(v); };
}

int WidthInChars(const std::vector<TListHeaderFormatCol*>& columns, const std::vector<int>& widths)
{
    int chars = 0;
    for (std::size_t i = 0; i < columns.size(); ++i)
        chars += widths[i];
    return chars;
}

} // namespace

void TBReport::FitTable(TCanvas& canvas)
{
    if (!env.fitTableToWidth)
        return;
    TListHeaderFormat* widest = &columnFormat_;
    for (TListHeaderFormat* f : TablesOf())
        widest = f;
    std::vector<TListHeaderFormatCol*> columns;
    for (auto& col : widest->columns)
        if (col.visible)
            columns.push_back(&col);
    if (columns.empty())
        return;
    // The widest text of each text column, in pixels of the base font.
    std::vector<int> textWidth(columns.size(), 0);
    TCanvasFontSaver keep(canvas);
    canvas.SetFont(baseFont_);
    VisitCells(*widest, [&](const TListHeaderFormatCol& col, const std::string& text) {
        for (std::size_t i = 0; i < columns.size(); ++i)
            if (columns[i] == &col && !col.IsNumber())
                textWidth[i] = std::max(textWidth[i], canvas.TextWidth(StripColourPrefix(text)));
    });
    const int baseAverage = std::max(1, canvas.TextMetrics().averageCharWidth);
    const int available = pageArea_.right - pageArea_.left;
    std::vector<int> original;
    for (const auto* col : columns)
        original.push_back(col->width);
    // Widths at a font whose average character is `average` pixels wide: text
    // columns as wide as their widest text (with the cell's spacing), never narrower
    // than the layout says.
    auto widthsAt = [&](int average) {
        const int pad = std::max(0, canvas.PixelsPerInchX() / 72 - 1);
        std::vector<int> widths = original;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (textWidth[i] == 0)
                continue;
            // Text widths scale with the font as its average character does.
            const long long scaled = static_cast<long long>(textWidth[i]) * average / baseAverage;
            const int need = static_cast<int>((scaled + 5 + 2 * pad + average - 1) / average);
            widths[i] = std::max(widths[i], std::min(need, 32767));
        }
        return widths;
    };
    auto apply = [&](const std::vector<int>& widths) {
        for (std::size_t i = 0; i < columns.size(); ++i)
            columns[i]->width = static_cast<std::int16_t>(widths[i]);
    };
    // Names are not cut while a font size lets the whole table fit: the text columns
    // get their room before the font is made smaller.
    for (TFontAttributes f = baseFont_; f.size > 5; --f.size) {
        canvas.SetFont(f);
        const int average = std::max(1, canvas.TextMetrics().averageCharWidth);
        const std::vector<int> widths = widthsAt(average);
        if (static_cast<long long>(WidthInChars(columns, widths)) * average <= available) {
            apply(widths);
            baseFont_ = f;
            return;
        }
    }
    // Even the smallest font cannot hold every text whole: the font that fits the
    // layout's widths, and what room is left goes to the text columns in turn.
    TFontAttributes f = baseFont_;
    int average = baseAverage;
    for (; f.size > 5; --f.size) {
        canvas.SetFont(f);
        average = std::max(1, canvas.TextMetrics().averageCharWidth);
        if (static_cast<long long>(WidthInChars(columns, original)) * average <= available)
            break;
    }
    if (f.size <= 5) {
        ++f.size;
        canvas.SetFont(f);
        average = std::max(1, canvas.TextMetrics().averageCharWidth);
    }
    baseFont_ = f;
    const std::vector<int> wanted = widthsAt(average);
    std::vector<int> widths = original;
    int room = available / average - WidthInChars(columns, original);
    for (std::size_t i = 0; i < columns.size() && room > 0; ++i) {
        const int more = std::min(room, wanted[i] - widths[i]);
        widths[i] += more;
        room -= more;
    }
    apply(widths);
}

std::vector<TListHeaderFormat*> TBReport::TablesOf()
{
    return {&columnFormat_};
}

void TBReport::VisitCells(const TListHeaderFormat& format, const CellSink& sink)
{
    const int savedTree = treeIndex, savedGroup = groupIndex;
    const TRoomItem* savedRoom = currentRoom;
    const TRoundItem* savedRound = currentRound;
    const ItemProgress savedState = ItemState;
    treeIndex = groupIndex = -1;
    while (TBReport::NextItem())
        ItemCells(format, sink);
    treeIndex = savedTree;
    groupIndex = savedGroup;
    currentRoom = savedRoom;
    currentRound = savedRound;
    ItemState = savedState;
}

void TBReport::ItemCells(const TListHeaderFormat& format, const CellSink& sink)
{
    for (const auto* col : format.VisibleColumns()) {
        if (currentRoom)
            sink(*col, currentRoom->CellText(col->columnId, FormatOf(*col)));
        else if (currentRound)
            sink(*col, currentRound->CellText(col->columnId, FormatOf(*col)));
    }
}

void TBReport::PrintColumnHeader(TCanvas& canvas, TRect& area, TListHeaderFormat& format)
{
    TCanvasFontSaver keep(canvas);
    canvas.SetFont(baseFont_);
    const int top = area.top;
    format.PrintHeader(canvas, area);
    int width = 0;
    for (const auto* col : format.VisibleColumns())
        width += col->width * format.averageCharWidth;
    canvas.SetPenColour(clBlack);
    canvas.Line(area.left, top, area.left + width, top);
    canvas.Line(area.left, area.top - 2, area.left + width, area.top - 2);
    if (env.rtf) {
        std::vector<std::string> cells;
        for (const auto* col : format.VisibleColumns()) {
            std::string caption = EscapeRtfText(RichCaptionPlainText(col->Caption(0), true));
            std::string unit = EscapeRtfText(RichCaptionPlainText(col->Caption(1), true));
            cells.push_back(unit.empty() ? caption : caption + "\\line " + unit);
        }
        AppendRtfRow(format, cells, true);
    }
}

TBReport::Result TBReport::PrintRow(TCanvas& canvas, TRect& area, TListHeaderFormat& format,
                                    const std::function<std::string(const TListHeaderFormatCol&)>& cell)
{
    if (area.bottom - area.top < format.TextHeight() && !forced_)
        return Result::NoRoom;
    TCanvasFontSaver keep(canvas);
    canvas.SetFont(baseFont_);
    int x = 0;
    std::vector<std::string> cells;
    // The cells' few pixels of spacing are meant for the screen; on paper a number
    // and the text of the next column keep a gap of about a point on each side.
    const int pad = std::max(0, canvas.PixelsPerInchX() / 72 - 1);
    for (const auto* col : format.VisibleColumns()) {
        TRect rect = format.ColumnRect(*col, area, x);
        rect.left += pad;
        rect.right -= pad;
        std::string value = StripColourPrefix(cell(*col));
        col->DrawCellText(canvas, value, rect, 0);
        if (env.rtf)
            cells.push_back(EscapeRtfText(value));
    }
    AppendRtfRow(format, cells, false);
    area.top += format.lineHeight;
    openTable_ = {area.left, area.top, area.left + x, area.top};
    return Result::Done;
}

void TBReport::CloseTable(TCanvas& canvas)
{
    if (openTable_.right <= openTable_.left)
        return;
    canvas.SetPenColour(clBlack);
    canvas.Line(openTable_.left, openTable_.bottom, openTable_.right, openTable_.bottom);
    openTable_ = {};
}

int TBReport::FooterHeight(TCanvas& canvas)
{
    int height = 0;
    if (env.options.Has(PrintingOptions::kFileName) || env.options.Has(PrintingOptions::kDate)) {
        TPrintfStringStream s;
        s.Write("\\sb360\\f4\\fs20\\par ");
        height += MeasureText(canvas, area_, s);
    }
    TPrintfStringStream line;
    line.Write(env.identificationLine);
    int lineHeight = MeasureText(canvas, area_, line);
    int w = 0, h = 0;
    if (!env.logoPicture.empty() && canvas.PictureSize(env.logoPicture, w, h))
        lineHeight = std::max(lineHeight, h * canvas.PixelsPerInchY() / 300);
    return height + lineHeight;
}

bool TBReport::ClosingPictureFits()
{
    int pw = 0, ph = 0;
    if (env.closingPicture.empty() || !canvas_ || !canvas_->PictureSize(env.closingPicture, pw, ph))
        return true; // nothing to place
    const int y = area_.top + canvas_->PixelsPerInchY() * ph / 300;
    return pageArea_.bottom - footerHeight_ > 1.8 * y;
}

void TBReport::NewPage()
{
    ++pageCount_;
    if (pageCount_ > 1) {
        FinishPage(false);
        AppendRtf("\\page\r\n");
    }
    canvas_ = &target_->BeginPage();
    if (pageCount_ == 1 && !tableFitted_) {
        FitTable(*canvas_);
        tableFitted_ = true;
    }
    area_ = pageArea_;
    const bool wasForced = forced_;
    forced_ = true; // page furniture is always drawn
    PrintBand(Band::PageHeader, *canvas_, area_);
    if (pageCount_ == 1)
        PrintBand(Band::ProjectData, *canvas_, area_);
    if (!closingPage_)
        PrintBand(Band::ColumnHeader, *canvas_, area_);
    forced_ = wasForced;
    footerHeight_ = FooterHeight(*canvas_);
    area_.bottom -= footerHeight_;
    contentTop_ = area_.top;
}

void TBReport::FinishPage(bool last)
{
    TCanvas& canvas = *canvas_;
    CloseTable(canvas);
    int pw = 0, ph = 0;
    if (last && !env.closingPicture.empty() && canvas.PictureSize(env.closingPicture, pw, ph)) {
        const int ppi = canvas.PixelsPerInchY();
        const int h = ppi * ph / 300;
        // On a page of its own it is drawn even where it is taller than the rule allows.
        if (ClosingPictureFits() || PageEmpty()) {
            furniture_.Clear();
            furniture_.WriteText(kTemplateClosingBefore);
            PrintText(canvas, area_, furniture_);
            canvas.DrawPicture({area_.left, area_.top, area_.left + ppi * pw / 300, area_.top + h}, env.closingPicture);
            area_.top += h;
            furniture_.Clear();
            furniture_.WriteText(kTemplateClosingAfter);
            PrintText(canvas, area_, furniture_);
        }
    }
    area_.top = area_.bottom;
    area_.bottom = pageArea_.bottom;
    const bool wasForced = forced_;
    forced_ = true;
    PrintBand(Band::PageFooter, canvas, area_);
    forced_ = wasForced;
    target_->EndPage();
}

void TBReport::Run(TReportTarget& target)
{
    target_ = &target;
    setup_ = target.PageSetup();
    const TPageSetup& s = setup_;
    if (s.preview) {
        auto px = [&](int mm) { return static_cast<int>(s.pixelsPerInch * mm * 0.03937007874015748); };
        pageArea_ = {px(margins_.left), px(margins_.top), s.pageWidth - px(margins_.right),
                     s.pageHeight - px(margins_.bottom)};
    } else {
        auto sx = [&](int mm) { return static_cast<int>(static_cast<long long>(mm) * s.pageWidth / s.paperWidthMM); };
        auto sy = [&](int mm) { return static_cast<int>(static_cast<long long>(mm) * s.pageHeight / s.paperHeightMM); };
        pageArea_ = {sx(margins_.left) - s.offsetX, sy(margins_.top) - s.offsetY,
                     s.pageWidth - sx(margins_.right) - s.offsetX, s.pageHeight - sy(margins_.bottom) - s.offsetY};
    }
    // Margins that leave no room at all would give pages that never take a row.
    if (pageArea_.right <= pageArea_.left)
        pageArea_.right = pageArea_.left + s.pageWidth / 2;
    if (pageArea_.bottom <= pageArea_.top)
        pageArea_.bottom = pageArea_.top + s.pageHeight / 2;

    Result r = Result::NoRoom;
    while (true) {
        if (r == Result::NoRoom) {
            if (pageCount_ > 0 && PageEmpty())
                forced_ = true; // it does not fit even on an empty page
            else
                NewPage();
        }
        if (ItemState == ItemProgress::None && !NextItem())
            break;
        r = PrintBand(Band::Item, *canvas_, area_);
        if (r == Result::Done)
            forced_ = false;
        if (r == Result::Nothing)
            break;
    }
    CloseTable(*canvas_);
    // What follows the table (totals, the signature block) is no table: a page
    // begun for it has no column header over no rows.
    closingPage_ = true;
    while (PrintBand(Band::Closing, *canvas_, area_) == Result::NoRoom) {
        if (PageEmpty())
            forced_ = true;
        else
            NewPage();
    }
    forced_ = false;
    // The signature block is never dropped for want of room: it takes a page of its own.
    if (!ClosingPictureFits() && !PageEmpty())
        NewPage();
    FinishPage(true);
    target.EndDocument();
}

TBReport::Result TBReport::PrintBand(Band band, TCanvas& canvas, TRect& area)
{
    switch (band) {
    case Band::ProjectData:
        if (!env.options.Has(PrintingOptions::kProjectData))
            return Result::Nothing;
        furniture_.Clear();
        WriteProjectDataReport(furniture_, project);
        furniture_.Write("\\par ");
        return PrintText(canvas, area, furniture_);
    case Band::PageHeader:
        if (env.options.title.empty() && !env.options.Has(PrintingOptions::kPageNumbers))
            return Result::Nothing;
        furniture_.Clear();
        furniture_.Write("\\sa360\\f4\\fs20 ");
        furniture_.Write(RightTabStop());
        furniture_.Write(EscapeRtfText(env.options.title));
        if (env.options.Has(PrintingOptions::kPageNumbers))
            furniture_.Write("\\tab " + std::to_string(pageCount_));
        furniture_.Write("\\par ");
        return PrintText(canvas, area, furniture_);
    case Band::ColumnHeader:
        if (columnFormat_.VisibleColumns().empty())
            return Result::Done;
        PrintColumnHeader(canvas, area, columnFormat_);
        return Result::Done;
    case Band::PageFooter: {
        canvas.SetPenColour(clBlack);
        canvas.Line(area.left, area.top + 1, area.right, area.top + 1);
        if (env.options.Has(PrintingOptions::kFileName) || env.options.Has(PrintingOptions::kDate)) {
            furniture_.Clear();
            furniture_.Write("\\sb360\\f4\\fs20 ");
            furniture_.Write(RightTabStop());
            if (env.options.Has(PrintingOptions::kFileName))
                furniture_.Write(EscapeRtfText(project.fileName));
            if (env.options.Has(PrintingOptions::kDate))
                furniture_.Write("\\tab " + EscapeRtfText(env.today));
            furniture_.Write("\\par ");
            PrintText(canvas, area, furniture_);
        }
        TRect line = area;
        int w = 0, h = 0;
        if (!env.logoPicture.empty() && canvas.PictureSize(env.logoPicture, w, h)) {
            const int ppi = canvas.PixelsPerInchY();
            TRect logo{area.right - w * ppi / 300, area.top, area.right, area.top + h * ppi / 300};
            canvas.DrawPicture(logo, env.logoPicture);
            line.right = logo.left - ppi / 10;
        }
        furniture_.Clear();
        furniture_.Write(env.identificationLine);
        PrintText(canvas, line, furniture_);
        return Result::Done;
    }
    case Band::Item: {
        if (!currentRoom && !currentRound) {
            ItemState = ItemProgress::None;
            return Result::Done;
        }
        Result r = PrintRow(canvas, area, columnFormat_, [&](const TListHeaderFormatCol& col) {
            return currentRoom ? currentRoom->CellText(col.columnId, FormatOf(col))
                               : currentRound->CellText(col.columnId, FormatOf(col));
        });
        if (r == Result::Done)
            ItemState = ItemProgress::None;
        return r;
    }
    case Band::Closing:
        return Result::Done;
    }
    return Result::Nothing;
}

ReportColumns ReportColumnsOf(ReportKind kind)
{
    switch (kind) {
    case ReportKind::Rooms:
        return {"RoomItemTitle", "RoomItemTitleReport"};
    case ReportKind::Fields:
        return {"FloorHeatingsReportTitle", "FloorHeatingsReportTitle"};
    case ReportKind::Rounds:
        return {"RoundItemTitle", "RoundItemTitleReport"};
    case ReportKind::RoundsDetailed:
        return {"RoundFloorFields", "RoundFloorFieldsReport"};
    case ReportKind::Manifolds:
        return {"ManifoldOutletsTitle", "ManifoldOutletsTitleReport"};
    case ReportKind::HeatLoad:
        return {"HeatLoadElementsTitle", "HeatLoadElementsTitleReport"};
    case ReportKind::Plan:
        break; // a drawing, no table
    }
    return {"", ""};
}

namespace {

// Rooms summary and fields of the rooms end with the totals.
TBReport::Result PrintTotals(TBReport& report, const TProject& project, TPrintfStringStream& text, TCanvas& canvas,
                             TRect& area)
{
    const ProjectTotals totals = project.Totals();
    text.Clear();
    text.PrintfValue(kTemplateTotalHeatLoss, true, totals.heatingLoss);
    text.PrintfValue(kTemplateTotalFieldArea, true, totals.surfaceSum);
    text.PrintfValue(kTemplateTotalFieldPower, true, totals.fieldPowers);
    // Rooms whose floor leaves part of the heat loss to a heater beside it.
    bool captioned = false;
    for (const TRoomItem& room : project.rooms) {
        const double watts = room.SupplementaryHeat();
        if (!NoticeableShortfall(watts, room.heatDemand))
            continue;
        if (!captioned)
            text.WriteText(kTemplateSupplementaryCaption);
        captioned = true;
        text.PrintfText(kTemplateSupplementaryRoom,
                        EscapeRtfText(room.roomName) + "\\tab " + FloatToStrF(watts, TFloatFormat::Fixed, 15, 0)
                            + "\\tab W");
    }
    return report.PrintText(canvas, area, text);
}

class TRoomItemReport : public TBReport {
public:
    template <class... A>
    explicit TRoomItemReport(A&&... a) : TBReport(std::forward<A>(a)...)
    {
        UseColumnsOf(ReportKind::Rooms, columnFormat_);
    }

protected:
    Result PrintBand(Band band, TCanvas& canvas, TRect& area) override
    {
        if (band == Band::Closing)
            return PrintTotals(*this, project, text, canvas, area);
        return TBReport::PrintBand(band, canvas, area);
    }
};

class TRoomFieldsReport : public TBReport {
public:
    template <class... A>
    explicit TRoomFieldsReport(A&&... a) : TBReport(std::forward<A>(a)...)
    {
        UseColumnsOf(ReportKind::Fields, columnFormat_);
    }

protected:
    Result PrintBand(Band band, TCanvas& canvas, TRect& area) override
    {
        if (band == Band::Closing)
            return PrintTotals(*this, project, text, canvas, area);
        if (band != Band::Item)
            return TBReport::PrintBand(band, canvas, area);
        if (!currentRoom || currentRoom->fields.empty()) {
            ItemState = ItemProgress::None;
            return Result::Done;
        }
        const TRoomItem& room = *currentRoom;
        const FloorHeatingField& field = room.fields[fieldCounter_];
        Result r = PrintRow(canvas, area, columnFormat_, [&](const TListHeaderFormatCol& col) {
            return col.columnId == 0 ? room.roomName : field.CellText(col.columnId, FormatOf(col));
        });
        if (r != Result::Done)
            return r;
        if (++fieldCounter_ >= room.fields.size()) {
            fieldCounter_ = 0;
            ItemState = ItemProgress::None;
        }
        return Result::Done;
    }

    void ItemCells(const TListHeaderFormat& format, const CellSink& sink) override
    {
        if (!currentRoom)
            return;
        for (const FloorHeatingField& field : currentRoom->fields)
            for (const auto* col : format.VisibleColumns())
                sink(*col, col->columnId == 0 ? currentRoom->roomName : field.CellText(col->columnId, FormatOf(*col)));
    }

private:
    std::size_t fieldCounter_ = 0;
};

class TRoundItemReport : public TBReport {
public:
    template <class... A>
    explicit TRoundItemReport(A&&... a) : TBReport(std::forward<A>(a)...)
    {
        UseColumnsOf(ReportKind::Rounds, columnFormat_);
    }
};

class TDetailedRoundItemReport : public TBReport {
public:
    template <class... A>
    explicit TDetailedRoundItemReport(A&&... a) : TBReport(std::forward<A>(a)...)
    {
        UseColumnsOf(ReportKind::RoundsDetailed, fieldsFormat_);
    }

protected:
    std::vector<TListHeaderFormat*> TablesOf() override { return {&fieldsFormat_}; }

    void ItemCells(const TListHeaderFormat& format, const CellSink& sink) override
    {
        if (!currentRound)
            return;
        for (const FloorHeatingRoundField& part : currentRound->roundFields) {
            const FloorHeatingField* field = part.RoomField(project);
            for (const auto* col : format.VisibleColumns())
                sink(*col, part.CellText(col->columnId, field, FormatOf(*col)));
        }
    }

    Result PrintBand(Band band, TCanvas& canvas, TRect& area) override
    {
        if (band != Band::Item)
            return TBReport::PrintBand(band, canvas, area);
        if (ItemState == ItemProgress::Taken && currentRound) {
            text.Clear();
            WriteReportHeader(text, *currentRound);
            WriteHydraulicReport(text, currentRound->hydraulic, devices);
            ItemState = ItemProgress::Printing;
            step_ = DetailStep::Hydraulics;
            row_ = 0;
        } else if (ItemState != ItemProgress::Printing || !currentRound) {
            return Result::Nothing;
        }
        const TRoundItem& round = *currentRound;
        const std::size_t count = round.roundFields.size();
        while (true) {
            switch (step_) {
            case DetailStep::Hydraulics: {
                if (!text.UsedUp()) {
                    Result r = PrintText(canvas, area, text);
                    if (r == Result::NoRoom)
                        return r;
                }
                Advance(count);
                continue;
            }
            case DetailStep::FieldsHeader: {
                if (row_ == 0) {
                    TCanvasFontSaver keep(canvas);
                    canvas.SetFont(BaseFont());
                    int need = fieldsFormat_.HeaderHeight(canvas, static_cast<int>(count) + 2);
                    // The caption goes with its table: it never stays at the foot of
                    // a page whose table moves to the next.
                    if (!text.UsedUp())
                        need += MeasureText(canvas, area, text);
                    if (area.bottom - area.top < need && !Forced())
                        return Result::NoRoom;
                    if (!text.UsedUp())
                        return PrintText(canvas, area, text);
                }
                const bool empty = PageEmpty();
                PrintColumnHeader(canvas, area, fieldsFormat_);
                if (empty)
                    CountAsFurniture();
                step_ = DetailStep::FieldRows;
                return Result::Done;
            }
            case DetailStep::FieldRows: {
                const FloorHeatingRoundField& part = round.roundFields[row_];
                const FloorHeatingField* field = part.RoomField(project);
                // A part whose room or field is gone still counts in the circuit's
                // stored output: its row says so in its first cell.
                const auto columns = fieldsFormat_.VisibleColumns();
                const TListHeaderFormatCol* first = columns.empty() ? nullptr : columns.front();
                Result r = PrintRow(canvas, area, fieldsFormat_, [&](const TListHeaderFormatCol& col) {
                    std::string cell = part.CellText(col.columnId, field, FormatOf(col));
                    if (!field && &col == first)
                        cell += (cell.empty() ? "" : " ") + Txt("IDS_BROKENREFERENCEMARK");
                    return cell;
                });
                if (r == Result::NoRoom) {
                    // The next page repeats the header; below a header alone the
                    // row is drawn anyway when the report comes back.
                    if (!PageEmpty())
                        step_ = DetailStep::FieldsHeader;
                    return r;
                }
                if (++row_ >= count) {
                    CloseTable(canvas);
                    Advance(count);
                }
                return Result::Done;
            }
            case DetailStep::Done:
                ItemState = ItemProgress::None;
                return Result::Done;
            }
        }
    }

private:
    // The hydraulic block, the header of the parts' table (with its caption text),
    // the parts row by row, the end; a circuit without parts has no table.
    enum class DetailStep { Hydraulics, FieldsHeader, FieldRows, Done };

    void Advance(std::size_t count)
    {
        switch (step_) {
        case DetailStep::Hydraulics:
            step_ = count == 0 ? DetailStep::Done : DetailStep::FieldsHeader;
            break;
        case DetailStep::FieldsHeader:
            step_ = count == 0 ? DetailStep::Done : DetailStep::FieldRows;
            break;
        default:
            step_ = DetailStep::Done;
            break;
        }
        if (step_ == DetailStep::FieldsHeader && row_ == 0) {
            text.Clear();
            text.WriteText(kTemplateCircuitFieldsCaption);
        }
        if (step_ == DetailStep::Done)
            ItemState = ItemProgress::None;
    }

    TListHeaderFormat fieldsFormat_;
    DetailStep step_ = DetailStep::Hydraulics;
    std::size_t row_ = 0;
};

} // namespace

std::unique_ptr<TBReport> MakeReport(ReportKind kind, const TProject& project, const TDevices& devices,
                                     std::vector<TReportTreeNode> tree, bool printAll,
                                     const TProgramOptions::Margins& margins, TReportEnvironment environment)
{
    switch (kind) {
    case ReportKind::Rooms:
        return std::make_unique<TRoomItemReport>(project, devices, std::move(tree), printAll, margins,
                                                 std::move(environment));
    case ReportKind::Fields:
        return std::make_unique<TRoomFieldsReport>(project, devices, std::move(tree), printAll, margins,
                                                   std::move(environment));
    case ReportKind::Rounds:
        return std::make_unique<TRoundItemReport>(project, devices, std::move(tree), printAll, margins,
                                                  std::move(environment));
    case ReportKind::RoundsDetailed:
        return std::make_unique<TDetailedRoundItemReport>(project, devices, std::move(tree), printAll, margins,
                                                          std::move(environment));
    case ReportKind::Manifolds:
        return std::make_unique<TManifoldReport>(project, devices, std::move(tree), printAll, margins,
                                                 std::move(environment));
    case ReportKind::HeatLoad:
        return std::make_unique<THeatLoadReport>(project, devices, std::move(tree), printAll, margins,
                                                 std::move(environment));
    case ReportKind::Plan:
        return std::make_unique<TPlanReport>(project, devices, std::move(tree), printAll, margins,
                                             std::move(environment));
    }
    return nullptr;
}

} // namespace kalorina
