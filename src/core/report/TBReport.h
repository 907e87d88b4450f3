#pragma once
// The project reports: a report walks the rooms or circuits the user chose and lays
// out, page by page, bands of RTF text (page header, project data, closing block,
// footer) and table rows drawn cell by cell with a column format.  Every band is
// measured before it is drawn; one that does not fit moves whole to the next page,
// which repeats the page header and the column header.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/TProgramOptions.h"
#include "listview/TListHeaderFormat.h"
#include "report/PrintingOptions.h"
#include "report/ReportTarget.h"
#include "report/TPrintfStringStream.h"

namespace kalorina {

class TDevices;
class TProject;
class TRoomItem;
class TRoundItem;

// One node of the printing dialog's item tree: the group nodes (rooms first, then
// circuits) have no parent; items carry a check state (1 chosen, 2 partly, 3 not).
struct TReportTreeNode {
    std::string text;
    bool hasParent = false;
    int state = 3;
};

// The groups and items of a project, every node unchosen.
std::vector<TReportTreeNode> ReportTree(const TProject& project);

// What a report takes from the program besides the project.
struct TReportEnvironment {
    TFontAttributes reportFont{"Times New Roman", 10};
    // The program line of the footer: "\sb180\f4\fs16 " and the about box's texts.
    std::string identificationLine;
    std::string logoPicture = kLogoPicture; // empty: no logo
    std::string closingPicture;             // the picture file printed at the end; empty: none
    std::string today;                      // the date of the footer
    PrintingOptions options;                // title and switches
    // Wide tables get a smaller font until they fit between the margins, instead of
    // running off the sheet.
    bool fitTableToWidth = true;
    // Collects the report as one RTF document (prologue, then every band in order).
    std::string* rtf = nullptr;
};

// The identification line with the program's own texts.
std::string DefaultIdentificationLine();

// The environment of the running program: the report font of the settings (with
// its defaults), today's date in the printing language's form, the switches and
// title of `options`.
TReportEnvironment MakeReportEnvironment(const PrintingOptions& options, const std::string& closingPicture,
                                         SettingsStore& store = Settings());

// The start of an RTF document that report bands can follow ("}" ends it): the
// code page, a font table in which \f1 is Symbol and every other font the report
// font, and the sheet with its margins.
std::string RtfDocumentStart(const TFontAttributes& reportFont, const TProgramOptions::Margins& margins);

class TBReport {
public:
    enum class Band { ProjectData = 0, PageHeader = 1, ColumnHeader = 2, PageFooter = 3, Item = 4, Closing = 5 };
    enum class Result { Done = 0, NoRoom = 1, Nothing = 2 };

    TBReport(const TProject& project, const TDevices& devices, std::vector<TReportTreeNode> tree, bool printAll,
             const TProgramOptions::Margins& margins, TReportEnvironment environment);
    virtual ~TBReport();
    TBReport(const TBReport&) = delete;
    TBReport& operator=(const TBReport&) = delete;

    // Lays out every page onto the target (a printer, a PDF, recorded pages).
    void Run(TReportTarget& target);
    int PageCount() const { return pageCount_; }
    // The report's column format (the table of rows).
    TListHeaderFormat& ColumnFormat() { return columnFormat_; }
    const TFontAttributes& BaseFont() const { return baseFont_; }

    // Renders the text of `stream` from its position into `area` when it fits: Done,
    // and the area's top moves below it; NoRoom, drawing nothing and keeping the
    // position, when it would end below the area's bottom.
    Result PrintText(TCanvas& canvas, TRect& area, TPrintfStringStream& stream);
    int MeasureText(TCanvas& canvas, const TRect& area, TPrintfStringStream& stream);
    // "\tqr\txN ": a right tab stop 180 twips inside the right margin.
    std::string RightTabStop() const;

protected:
    virtual bool NextItem();
    virtual Result PrintBand(Band band, TCanvas& canvas, TRect& area);

    // One table row of `format` with the cell texts of `cell`(column id); NoRoom when
    // a row does not fit.
    Result PrintRow(TCanvas& canvas, TRect& area, TListHeaderFormat& format,
                    const std::function<std::string(const TListHeaderFormatCol&)>& cell);
    void PrintColumnHeader(TCanvas& canvas, TRect& area, TListHeaderFormat& format);
    // A band that does not fit on a page holding nothing else is drawn anyway
    // (running over the bottom or over pages) rather than asking for pages forever.
    bool Forced() const { return forced_; }
    // Nothing but page furniture on the page so far.
    bool PageEmpty() const { return area_.top == contentTop_; }
    // What was just drawn on an empty page counts as its furniture (a repeated table
    // header), so that a row that does not fit below it is drawn rather than moved on.
    void CountAsFurniture() { contentTop_ = area_.top; }
    // Draws the rule under the last row of the table that is open on the page.
    void CloseTable(TCanvas& canvas);
    ReportKind Kind() const { return kind_; }
    void LoadColumns(TListHeaderFormat& format, const std::string& formatName, const std::string& layoutName);
    // Makes this a report of `kind`, its table in `format` on the kind's own columns.
    void UseColumnsOf(ReportKind kind, TListHeaderFormat& format);
    // The tables the report prints, so that the font can be fitted to the widest.
    virtual std::vector<TListHeaderFormat*> TablesOf();
    // Every cell text the report will print in `format`: the chosen items' rows, so
    // that text columns can be given the width their content needs.
    using CellSink = std::function<void(const TListHeaderFormatCol&, const std::string&)>;
    virtual void VisitCells(const TListHeaderFormat& format, const CellSink& sink);
    // The cells of the current item's rows in `format`.
    virtual void ItemCells(const TListHeaderFormat& format, const CellSink& sink);

    const TProject& project;
    const TDevices& devices;
    std::vector<TReportTreeNode> tree;
    bool printAll;
    int treeIndex = -1;
    int groupIndex = -1;
    const TRoomItem* currentRoom = nullptr;
    const TRoundItem* currentRound = nullptr;
    // Where the report stands with its current item.
    enum class ItemProgress : std::uint8_t { None, Taken, Printing };
    ItemProgress ItemState = ItemProgress::None;
    TReportEnvironment env;
    TListHeaderFormat columnFormat_;
    TPrintfStringStream text;

    ReportKind kind_ = ReportKind::Rooms;

private:
    void NewPage();
    void FinishPage(bool last);
    // Whether the closing picture (the signature block) has room below the current
    // top on this page; true where there is none to place.
    bool ClosingPictureFits();
    int FooterHeight(TCanvas& canvas);
    void FitTable(TCanvas& canvas);
    void AppendRtf(const std::string& fragment);
    void AppendRtfRow(const TListHeaderFormat& format, const std::vector<std::string>& cells, bool header);

    // Page furniture has its own buffer: a band that moves to the next page keeps its
    // text while that page's header and footer are written.
    TPrintfStringStream furniture_;
    TProgramOptions::Margins margins_;
    TFontAttributes baseFont_;
    TReportTarget* target_ = nullptr;
    TCanvas* canvas_ = nullptr;
    TPageSetup setup_;
    TRect area_, pageArea_;
    int pageCount_ = 0;
    int footerHeight_ = 0;
    bool closingPage_ = false; // the table has ended: new pages carry no column header
    int contentTop_ = 0;       // the top below a page's header bands
    // The table whose rows are on the page without their closing rule: its left and
    // right edge and the bottom of its last row; right <= left when none is open.
    TRect openTable_;
    bool forced_ = false;
    bool itemsOnPage_ = false;
    bool tableFitted_ = false;
};

// The report of a kind, ready to Run.
std::unique_ptr<TBReport> MakeReport(ReportKind kind, const TProject& project, const TDevices& devices,
                                     std::vector<TReportTreeNode> tree, bool printAll,
                                     const TProgramOptions::Margins& margins, TReportEnvironment environment);

// The column format and saved layout each kind prints its table with.
struct ReportColumns {
    const char* formatName;
    const char* layoutName;
};
ReportColumns ReportColumnsOf(ReportKind kind);

} // namespace kalorina
