#pragma once
// What one export or one item copy hands to the clipboard: the program's own item
// data, an RTF document with a four-column table, a small BIFF worksheet, and for
// desktop programs that take neither, the same table as HTML and as tab-separated
// text.  The table also goes to .csv and .html files.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "document/Stream.h"
#include "lang/PrintingScope.h"
#include "util/FloatFormat.h"

namespace kalorina {

class ClipboardService;
struct TUsedMaterialItem;

class TClipboardStream {
public:
    // Looks texts up in the printing language while it lives.
    TClipboardStream();
    ~TClipboardStream();
    TClipboardStream(const TClipboardStream&) = delete;
    TClipboardStream& operator=(const TClipboardStream&) = delete;

    TMemoryStream itemData;
    std::string rtf;
    std::string biff;

    void WriteRtfCell(const std::string& text);
    void EndRtfRow();
    void WriteBiffHeader();
    void WriteBiffLabel(const std::string& text);
    void WriteBiffNumber(float value);
    void NextBiffRow();
    void FinishBiff();

    void WriteUsedMaterialRow(const TUsedMaterialItem& row);
    // Lines said under the table (code page 1250): a paragraph each in the RTF
    // document and the HTML table, a row each of one cell, after an empty row, in
    // the worksheet, the CSV file and the plain text.  After the last row.
    void WriteNotes(const std::vector<std::string>& lines);

    // The finished documents (each may be asked for more than once).
    std::string RtfDocument() const;   // with the closing brace
    std::string BiffWorksheet() const; // with EOF and the dimensions patched
    std::string HtmlTable() const;     // UTF-8
    std::string TabText() const;       // UTF-8, one line per row
    std::string CsvText() const;       // UTF-8 with a byte order mark, CsvSeparator() between cells

    // Empties the clipboard and puts every non-empty part at once; the item data
    // only under a non-empty `itemFormat`.
    void PutOnClipboard(ClipboardService& clipboard, const std::string& itemFormat);
    // Copies the block of `format`, if offered, into the item data and rewinds it;
    // answers whether there is item data.
    bool GetFromClipboard(const ClipboardService& clipboard, const std::string& format);

    std::int16_t RowsUsed() const { return rowsUsed_; }
    std::int16_t ColumnsUsed() const { return columnsUsed_; }

private:
    // Table texts are looked up in the printing language while the stream lives.
    PrintingScope printing_;
    bool headerPending_ = true;
    std::int16_t row_ = 0, column_ = 0, rowsUsed_ = 0, columnsUsed_ = 0;
    bool biffFinished_ = false;
    // The table as texts (code page 1250): the heading row, then one row per bill row.
    std::vector<std::array<std::string, 4>> table_;
    std::vector<std::string> notes_;
};

// The clipboard format names of the string table.
std::string RtfFormatName();  // "Rich Text Format"
std::string BiffFormatName(); // "Biff"
std::string ItemFormatName(); // "Kalorina Item"
inline constexpr const char* kHtmlFormat = "text/html";
inline constexpr const char* kPlainTextFormat = "text/plain";

// The prologue of the bill's RTF document, tokens not yet replaced.
const std::string& UsedMaterialsRtfHeader();
// The cell separator of CSV files beside the decimal sign their numbers are written
// with: ';' beside a decimal comma, ',' beside a decimal point, as spreadsheets in
// the locales of either sign read them (a comma between cells would split 12,5).
char CsvSeparator(char decimalSign = DecimalSeparator());
// A cell of a CSV line (UTF-8) whose cells stand between `separator`s: quoted when it
// holds the separator, '"', a line break, or blanks at either end; quotes inside are
// doubled.
std::string CsvField(const std::string& utf8, char separator = CsvSeparator());
// A cell text as RTF: '\', '{' and '}' escaped, bytes above 127 as \'hh.
std::string RtfEscape(const std::string& cp1250);

} // namespace kalorina
