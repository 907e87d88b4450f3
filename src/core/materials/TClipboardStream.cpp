#include "materials/TClipboardStream.h"

#include <charconv>
#include <cstring>

#include "lang/TLanguages.h"
#include "materials/TUsedMaterial.h"
#include "platform/Clipboard.h"
#include "platform/Resources.h"
#include "util/Codepage.h"
#include "util/FloatFormat.h"

namespace kalorina {

namespace {
void Put16(std::string& out, std::int16_t v)
{
    auto u = static_cast<std::uint16_t>(v);
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>(u >> 8);
}

void Patch16(std::string& out, std::size_t at, std::int16_t v)
{
    auto u = static_cast<std::uint16_t>(v);
    out[at] = static_cast<char>(u & 0xFF);
    out[at + 1] = static_cast<char>(u >> 8);
}

// One more byte, zero, as the clipboard blocks of the program carry.
std::string Block(const std::string& bytes)
{
    return bytes + std::string(1, '\0');
}

std::string HtmlEscape(const std::string& utf8)
{
    std::string out;
    for (char c : utf8) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string PlainCell(const std::string& utf8)
{
    std::string out = utf8;
    for (char& c : out)
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    return out;
}

} // namespace

char CsvSeparator(char decimalSign)
{
    return decimalSign == ',' ? ';' : ',';
}

std::string CsvField(const std::string& utf8, char separator)
{
    bool quote = utf8.find_first_of(std::string("\"\r\n") + separator) != std::string::npos
        || (!utf8.empty() && (utf8.front() == ' ' || utf8.back() == ' '));
    if (!quote)
        return utf8;
    std::string out = "\"";
    for (char c : utf8) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

std::string RtfFormatName()
{
    return ResourceString(16);
}
std::string BiffFormatName()
{
    return ResourceString(17);
}
std::string ItemFormatName()
{
    return ResourceString(18);
}

const std::string& UsedMaterialsRtfHeader()
{
    static const std::string header = [] {
        static const char* const lines[] = {
            "{\\rtf1\\ansi \\deff4\\deflang1038",
            "{\\fonttbl",
            "{\\f1\\froman\\fcharset2\\fprq2 Symbol;}",
            "{\\f4\\froman\\fcharset238\\fprq2 Times New Roman CE;}",
            "{\\f5\\fswiss\\fcharset238\\fprq2 Arial CE;}",
            "}",
            "{\\colortbl;",
            "\\red0\\green0\\blue0;",
            "\\red0\\green0\\blue255;",
            "\\red0\\green255\\blue255;",
            "\\red0\\green255\\blue0;",
            "\\red255\\green0\\blue255;",
            "\\red255\\green0\\blue0;",
            "\\red255\\green255\\blue0;",
            "\\red255\\green255\\blue255;",
            "\\red0\\green0\\blue128;",
            "\\red0\\green128\\blue128;",
            "\\red0\\green128\\blue0;",
            "\\red128\\green0\\blue128;",
            "\\red128\\green0\\blue0;",
            "\\red128\\green128\\blue0;",
            "\\red128\\green128\\blue128;",
            "\\red192\\green192\\blue192;",
            "}",
            "{\\stylesheet",
            "{\\f4\\fs16\\lang1038 \\snext0 Normal;}",
            "{\\s1\\qc\\sb240\\sa240\\keepn \\b\\f5\\fs28\\lang1038\\kerning28 \\sbasedon0\\snext0 heading 1;}",
            "{\\s2\\fi170\\sb120\\sa120\\keepn \\b\\f5\\lang1038 \\sbasedon0\\snext0 heading 2;}",
            "{\\s3\\fi170\\sb240\\sa60\\keepn \\b\\f4\\lang1038 \\sbasedon0\\snext0 heading 3;}",
            "{\\*\\cs10 \\additive Default Paragraph Font;}",
            "{\\s31\\sb180\\f4\\fs24\\lang1038\\b \\sbasedon0\\snext32 #CID_USEDMATERIAL0#;}",
            "}",
            "",
            "\\paperw11906\\paperh16838\\margl720\\margr360\\margt720\\margb720 \\deftab708\\widowctrl\\ftnbj"
            "\\aenddoc\\hyphhotz425\\formshade \\fet0\\sectd \\linex0\\headery709\\footery709\\endnhere",
            "\\pard\\plain \\s37\\sb90\\f4\\fs20\\lang1038 #CID_USEDMATERIAL1#:\\par",
            "\\trowd \\trgaph28\\trleft-28\\cellx2880\\cellx5760\\cellx7200\\cellx8640",
            "\\pard\\plain \\s36\\f4\\fs20\\lang1038\\ql\\intbl ",
            "#CID_USEDMATERIAL2#\\cell #CID_USEDMATERIAL3#\\cell #CID_USEDMATERIAL4#\\cell "
            "#CID_USEDMATERIAL5#\\cell\\row\\ql",
        };
        std::string text;
        for (const char* line : lines)
            text += std::string(line) + "\r\n";
        return text + "\r\n";
    }();
    return header;
}

std::string RtfEscape(const std::string& cp1250)
{
    static const char* const hex = "0123456789abcdef";
    std::string out;
    for (char c : cp1250) {
        auto u = static_cast<unsigned char>(c);
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += c;
        } else if (u >= 0x80) {
            out += "\\'";
            out += hex[u >> 4];
            out += hex[u & 15];
        } else {
            out += c;
        }
    }
    return out;
}

TClipboardStream::TClipboardStream() = default;

TClipboardStream::~TClipboardStream() = default;

void TClipboardStream::WriteRtfCell(const std::string& text)
{
    rtf += RtfEscape(text) + "\\cell ";
}

void TClipboardStream::EndRtfRow()
{
    rtf += "\\row\r\n";
}

void TClipboardStream::WriteBiffHeader()
{
    static const unsigned char header[20] = {0x09, 0x00, 0x04, 0x00, 0x07, 0x00, 0x10, 0x00, 0x00, 0x00,
                                             0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    biff.append(reinterpret_cast<const char*>(header), sizeof header);
    // The labels are code page 1250 bytes; without saying so, spreadsheets read them as
    // their own code page and garble every accented letter.  The record follows the
    // header, so the dimensions keep their offsets.
    static const unsigned char codepage[6] = {0x42, 0x00, 0x02, 0x00, 0xE2, 0x04};
    biff.append(reinterpret_cast<const char*>(codepage), sizeof codepage);
}

void TClipboardStream::WriteBiffLabel(const std::string& text)
{
    // One length byte: a longer text is cut rather than written with a wrong length.
    std::size_t n = text.size() > 255 ? 255 : text.size();
    Put16(biff, 0x0004);
    Put16(biff, static_cast<std::int16_t>(n + 8));
    Put16(biff, row_);
    Put16(biff, column_);
    biff += std::string("\x40\x00\x00", 3);
    biff += static_cast<char>(n);
    biff.append(text, 0, n);
    ++column_;
    if (column_ > columnsUsed_)
        columnsUsed_ = column_;
}

void TClipboardStream::WriteBiffNumber(float value)
{
    Put16(biff, 0x0003);
    Put16(biff, 0x000F);
    Put16(biff, row_);
    Put16(biff, column_);
    biff += std::string("\x40\x00\x00", 3);
    const double d = SingleAsShown(value);
    char bytes[8];
    std::memcpy(bytes, &d, 8); // little-endian machines only, as the rest of the file format
    biff.append(bytes, 8);
    ++column_;
    if (column_ > columnsUsed_)
        columnsUsed_ = column_;
}

void TClipboardStream::NextBiffRow()
{
    ++row_;
    if (row_ > rowsUsed_)
        rowsUsed_ = row_;
    column_ = 0;
}

void TClipboardStream::FinishBiff()
{
    if (biffFinished_ || biff.size() < 20)
        return;
    biff += std::string("\x0A\x00\x00\x00", 4);
    Patch16(biff, 14, rowsUsed_);
    Patch16(biff, 18, columnsUsed_);
    biffFinished_ = true;
}

void TClipboardStream::WriteUsedMaterialRow(const TUsedMaterialItem& item)
{
    TLanguages& lang = Languages();
    if (headerPending_) {
        std::string header = lang.ReplaceTokens(UsedMaterialsRtfHeader());
        // The replaced titles are the only texts of the prologue that may need it.
        std::string escaped;
        for (char c : header)
            escaped += static_cast<unsigned char>(c) >= 0x80 ? RtfEscape(std::string(1, c)) : std::string(1, c);
        rtf += escaped;
        headerPending_ = false;
        std::array<std::string, 4> heading;
        for (int i = 0; i < 4; ++i)
            heading[i] = lang.GetFamilyText("IDS_USEDMATERIALSBIFFTITLE+", i);
        table_.push_back(heading);
    }
    std::string quantity = FloatToStrF(item.quantity, TFloatFormat::General, 6, 0);
    WriteRtfCell(item.name);
    WriteRtfCell(item.estimateCode);
    WriteRtfCell(quantity);
    WriteRtfCell(item.unit);
    EndRtfRow();

    if (row_ == 0) {
        WriteBiffHeader();
        for (int i = 0; i < 4; ++i)
            WriteBiffLabel(lang.GetFamilyText("IDS_USEDMATERIALSBIFFTITLE+", i));
        NextBiffRow();
    }
    WriteBiffLabel(item.name);
    WriteBiffLabel(item.estimateCode);
    WriteBiffNumber(item.quantity);
    WriteBiffLabel(item.unit);
    NextBiffRow();

    table_.push_back({item.name, item.estimateCode, QuantityText(item.quantity), item.unit});
}

void TClipboardStream::WriteNotes(const std::vector<std::string>& lines)
{
    if (lines.empty() || table_.empty())
        return;
    for (const std::string& line : lines) {
        rtf += "\\pard\\plain \\s37\\sb90\\f4\\fs20\\lang1038 " + RtfEscape(line) + "\\par\r\n";
        notes_.push_back(line);
    }
    NextBiffRow(); // an empty row between the table and its notes
    for (const std::string& line : lines) {
        WriteBiffLabel(line);
        NextBiffRow();
    }
}

std::string TClipboardStream::RtfDocument() const
{
    return rtf.empty() ? std::string() : rtf + "}\r\n";
}

std::string TClipboardStream::BiffWorksheet() const
{
    if (biff.empty())
        return {};
    if (biffFinished_)
        return biff;
    std::string out = biff + std::string("\x0A\x00\x00\x00", 4);
    Patch16(out, 14, rowsUsed_);
    Patch16(out, 18, columnsUsed_);
    return out;
}

std::string TClipboardStream::HtmlTable() const
{
    if (table_.empty())
        return {};
    std::string out = "<html><head><meta charset=\"utf-8\"></head><body><table border=\"1\">\n";
    for (std::size_t r = 0; r < table_.size(); ++r) {
        const char* cell = r == 0 ? "th" : "td";
        out += "<tr>";
        for (int c = 0; c < 4; ++c) {
            out += std::string("<") + cell + (r > 0 && c == 2 ? " align=\"right\"" : "") + ">";
            out += HtmlEscape(Cp1250ToUtf8(table_[r][c]));
            out += std::string("</") + cell + ">";
        }
        out += "</tr>\n";
    }
    out += "</table>\n";
    for (const std::string& note : notes_)
        out += "<p>" + HtmlEscape(Cp1250ToUtf8(note)) + "</p>\n";
    return out + "</body></html>\n";
}

std::string TClipboardStream::TabText() const
{
    std::string out;
    for (const auto& row : table_) {
        for (int c = 0; c < 4; ++c)
            out += (c ? "\t" : "") + PlainCell(Cp1250ToUtf8(row[c]));
        out += "\n";
    }
    if (!notes_.empty())
        out += "\n";
    for (const std::string& note : notes_)
        out += PlainCell(Cp1250ToUtf8(note)) + "\n";
    return out;
}

std::string TClipboardStream::CsvText() const
{
    if (table_.empty())
        return {};
    // The quantities were written with the printing language's sign, which the
    // stream's own printing scope keeps in force.
    const char separator = CsvSeparator();
    std::string out = "\xEF\xBB\xBF";
    for (const auto& row : table_) {
        for (int c = 0; c < 4; ++c)
            out += (c ? std::string(1, separator) : std::string()) + CsvField(Cp1250ToUtf8(row[c]), separator);
        out += "\r\n";
    }
    if (!notes_.empty())
        out += "\r\n";
    for (const std::string& note : notes_)
        out += CsvField(Cp1250ToUtf8(note), separator) + "\r\n";
    return out;
}

void TClipboardStream::PutOnClipboard(ClipboardService& clipboard, const std::string& itemFormat)
{
    std::map<std::string, std::string> blocks;
    if (!itemFormat.empty() && itemData.Size() > 0)
        blocks[itemFormat] = Block(itemData.Data());
    if (!rtf.empty())
        blocks[RtfFormatName()] = Block(RtfDocument());
    if (!biff.empty()) {
        FinishBiff();
        blocks[BiffFormatName()] = Block(biff);
    }
    if (!table_.empty()) {
        blocks[kHtmlFormat] = HtmlTable();
        blocks[kPlainTextFormat] = TabText();
    }
    clipboard.Put(blocks);
}

bool TClipboardStream::GetFromClipboard(const ClipboardService& clipboard, const std::string& format)
{
    if (auto bytes = clipboard.Get(format)) {
        itemData = TMemoryStream(*bytes);
        itemData.Seek(0);
    }
    return itemData.Size() > 0;
}

} // namespace kalorina
