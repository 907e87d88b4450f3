#include "listview/TListHeaderFormat.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <numeric>
#include <optional>

#include "listview/RichCaption.h"
#include "platform/Registry.h"
#include "platform/Resources.h"
#include "util/Codepage.h"

namespace kalorina {

namespace {

constexpr std::size_t kMaxCaptionLength = 254;

// Splits a text into lines at LF, dropping a CR before it.
class LineReader {
public:
    explicit LineReader(std::string_view text) : rest_(text) {}
    bool AtEnd() const { return rest_.empty(); }
    std::string_view Next()
    {
        auto eol = rest_.find('\n');
        std::string_view line = rest_.substr(0, eol);
        rest_ = eol == std::string_view::npos ? std::string_view() : rest_.substr(eol + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return line;
    }

private:
    std::string_view rest_;
};

// A leading, optionally signed decimal integer; 0 when there is none.
long LeadingInteger(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    long value = 0;
    while (!text.empty() && text.front() >= '0' && text.front() <= '9') {
        if (value < 1000000)
            value = value * 10 + (text.front() - '0');
        text.remove_prefix(1);
    }
    return negative ? -value : value;
}

std::int16_t ToInt16(long value)
{
    return static_cast<std::int16_t>(std::clamp(value, -32768L, 32767L));
}

// Reads "[n]" or "[!n]"; without a condition the column is included.  The condition
// mask has every bit set.
bool ReadCondition(std::string_view& line)
{
    if (line.empty() || line.front() != '[')
        return true;
    line.remove_prefix(1);
    bool negate = !line.empty() && line.front() == '!';
    if (negate)
        line.remove_prefix(1);
    unsigned long n = 0;
    while (!line.empty() && line.front() >= '0' && line.front() <= '9') {
        n = (n * 10 + (line.front() - '0')) & 0xFFFFFFFFul;
        line.remove_prefix(1);
    }
    if (!line.empty() && line.front() == ']')
        line.remove_prefix(1);
    constexpr unsigned long mask = 0xFFFFFFFFul;
    bool common = (n & mask) != 0;
    return negate ? !common : common;
}

std::optional<std::string_view> FindTitleResource(const std::string& name)
{
    std::string wanted = "titles/" + name + ".fmt";
    auto lower = [](std::string s) {
        for (char& c : s)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    wanted = lower(wanted);
    for (const EmbeddedResource* r = kEmbeddedResources; r->name; ++r)
        if (lower(r->name) == wanted)
            return std::string_view(reinterpret_cast<const char*>(r->data), r->size);
    return std::nullopt;
}

bool OpenHeadersKey(TRegistry& reg, const std::string& productKey, const std::string& registryName)
{
    if (!reg.OpenKey("Software", true) || !reg.OpenKey("Vexalon", true) || !reg.OpenKey(productKey, true)
        || !reg.OpenKey("Headers", true))
        return false;
    return registryName.empty() || reg.OpenKey(registryName, true);
}

} // namespace

void TListHeaderFormat::Clear()
{
    *this = TListHeaderFormat();
}

bool TListHeaderFormat::LoadFormat(const std::string& name)
{
    Clear();
    auto resource = FindTitleResource(name);
    if (!resource)
        return false;
    Parse(Utf8ToCp1250(*resource));
    Languages().TranslateTitle(*this, name);
    return true;
}

void TListHeaderFormat::Parse(std::string_view text)
{
    columns.clear();
    LineReader reader(text);
    long lines = LeadingInteger(reader.Next());
    captionLineCount = ToInt16(std::clamp(lines, 0L, 2L));
    long count = LeadingInteger(reader.Next());
    for (long i = 0; i < count && !reader.AtEnd(); ++i) {
        TListHeaderFormatCol col;
        long width = LeadingInteger(reader.Next());
        col.visible = width >= 0;
        col.width = ToInt16(width < 0 ? -width : width);

        std::string_view format = reader.Next();
        col.included = ReadCondition(format);
        col.ReadNumberFormat(format);
        if (!format.empty()) {
            col.titleAlignment = AlignmentFromLetter(format.front());
            format.remove_prefix(1);
        }
        if (!format.empty()) {
            col.dataAlignment = AlignmentFromLetter(format.front());
            format.remove_prefix(1);
        }
        col.columnId = ToInt16(LeadingInteger(format));

        for (long l = 0; l < lines && !reader.AtEnd(); ++l) {
            std::string_view caption = reader.Next();
            if (l < 2)
                col.captionLines[l] = std::string(caption.substr(0, kMaxCaptionLength));
        }
        if (col.included)
            columns.push_back(std::move(col));
    }
    displayOrder.resize(columns.size());
    std::iota(displayOrder.begin(), displayOrder.end(), std::int16_t(0));
}

namespace {

// The characters a caption line shows: its formatting marks ("\d", "\u", "\p"...)
// take no room, and after "\;" comes the hint, which the header does not show.
int ShownLength(const std::string& line)
{
    int n = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\' && i + 1 < line.size()) {
            if (line[i + 1] == ';')
                break;
            ++i;
            continue;
        }
        ++n;
    }
    return n;
}

} // namespace

void TListHeaderFormat::SetCaptionLine(int id, int row, const std::string& text)
{
    if (row < 0 || row >= captionLineCount || row >= 2)
        return;
    for (auto& col : columns)
        if (col.columnId == id) {
            col.captionLines[row] = text;
            // A translation longer than the caption the column was made for widens
            // it, so that "Floor covering" is not cut to "Floor cov".
            col.width = static_cast<decltype(col.width)>(std::max<int>(col.width, ShownLength(text) + 1));
        }
}

std::string TListHeaderFormat::LayoutValue(const TListHeaderFormatCol& column)
{
    std::string out = column.visible ? "" : "-";
    out += std::to_string(column.width);
    out += AlignmentLetter(column.titleAlignment);
    out += AlignmentLetter(column.dataAlignment);
    out += column.NumberFormatText();
    if (column.customCaption) {
        // '@' separates the parts and cannot be part of a stored caption.
        for (const auto& line : column.customCaptionLines) {
            out += '@';
            std::remove_copy(line.begin(), line.end(), std::back_inserter(out), '@');
        }
        out += '@';
        out += FloatToStrF(column.factor, TFloatFormat::General, 7, 0);
    }
    return out;
}

void TListHeaderFormat::ReadLayoutValue(TListHeaderFormatCol& column, std::string_view text)
{
    column.visible = text.empty() || text.front() != '-';
    if (!column.visible)
        text.remove_prefix(1);
    if (!text.empty() && text.front() >= '0' && text.front() <= '9') {
        column.width = ToInt16(LeadingInteger(text));
        while (!text.empty() && text.front() >= '0' && text.front() <= '9')
            text.remove_prefix(1);
    }
    for (TAlignment* a : {&column.titleAlignment, &column.dataAlignment}) {
        if (text.empty() || text.front() == '@')
            return;
        *a = AlignmentFromLetter(text.front());
        text.remove_prefix(1);
    }
    if (!text.empty() && text.front() != '@')
        column.ReadNumberFormat(text);
    if (text.empty() || text.front() != '@')
        return;
    text.remove_prefix(1);
    column.customCaption = true;
    for (auto& line : column.customCaptionLines) {
        auto at = text.find('@');
        line = std::string(text.substr(0, at));
        text = at == std::string_view::npos ? std::string_view() : text.substr(at + 1);
        if (at == std::string_view::npos)
            return;
    }
    // Written with the language's decimal sign, which may have been the other one
    // when it was stored: either is read.
    if (!text.empty()) {
        std::string factor(text);
        std::replace(factor.begin(), factor.end(), ',', '.');
        column.factor = static_cast<float>(StrToFloat(factor, '.'));
    }
}

std::string TListHeaderFormat::OrderText() const
{
    std::string out;
    for (std::size_t i = 0; i < displayOrder.size(); ++i) {
        if (i)
            out += ',';
        out += std::to_string(columns[displayOrder[i]].columnId);
    }
    return out;
}

void TListHeaderFormat::ReadOrder(std::string_view text)
{
    const std::size_t n = columns.size();
    std::vector<bool> placed(n, false);
    std::vector<std::int16_t> order;
    while (!text.empty() && order.size() < n) {
        char c = text.front();
        if (c == ',') {
            text.remove_prefix(1);
            continue;
        }
        if (c < '0' || c > '9')
            break;
        long id = LeadingInteger(text);
        while (!text.empty() && text.front() >= '0' && text.front() <= '9')
            text.remove_prefix(1);
        for (std::size_t i = 0; i < n; ++i)
            if (!placed[i] && columns[i].columnId == id) {
                placed[i] = true;
                order.push_back(static_cast<std::int16_t>(i));
                break;
            }
    }
    for (std::size_t i = 0; i < n; ++i)
        if (!placed[i])
            order.push_back(static_cast<std::int16_t>(i));
    displayOrder = std::move(order);
}

void TListHeaderFormat::LoadLayout(const std::string& productKey, const std::string& registryName)
{
    TRegistry reg;
    if (!OpenHeadersKey(reg, productKey, registryName))
        return;
    // A damaged value (another type, a factor that is no number) leaves its column
    // with the built-in settings: a broken settings file never stops a list.
    try {
        if (reg.ValueExists("Order"))
            ReadOrder(reg.ReadString("Order"));
    } catch (const std::exception&) {
    }
    for (auto& col : columns) {
        std::string name = std::to_string(col.columnId);
        if (!reg.ValueExists(name))
            continue;
        TListHeaderFormatCol read = col;
        try {
            ReadLayoutValue(read, reg.ReadString(name));
            col = read;
        } catch (const std::exception&) {
        }
    }
}

void TListHeaderFormat::SaveLayout(const std::string& productKey, const std::string& registryName) const
{
    TRegistry reg;
    if (!OpenHeadersKey(reg, productKey, registryName))
        return;
    reg.WriteString("Order", OrderText());
    for (const auto& col : columns)
        reg.WriteString(std::to_string(col.columnId), LayoutValue(col));
}

void TListHeaderFormat::SwapColumns(int position1, int position2)
{
    int n = static_cast<int>(displayOrder.size());
    if (position1 < 0 || position1 >= n || position2 < 0 || position2 >= n)
        return;
    std::swap(displayOrder[position1], displayOrder[position2]);
}

TListHeaderFormatCol* TListHeaderFormat::ColumnAt(int position)
{
    if (position < 0 || position >= static_cast<int>(displayOrder.size()))
        return nullptr;
    return &columns[displayOrder[position]];
}

const TListHeaderFormatCol* TListHeaderFormat::ColumnAt(int position) const
{
    return const_cast<TListHeaderFormat*>(this)->ColumnAt(position);
}

std::vector<const TListHeaderFormatCol*> TListHeaderFormat::VisibleColumns() const
{
    std::vector<const TListHeaderFormatCol*> out;
    for (std::int16_t index : displayOrder)
        if (columns[index].visible)
            out.push_back(&columns[index]);
    return out;
}

void TListHeaderFormat::Measure(const TCanvas& canvas)
{
    TTextMetrics m = canvas.TextMetrics();
    lineHeight = m.LineHeight();
    averageCharWidth = m.averageCharWidth;
    externalLeading = m.externalLeading;
}

int TListHeaderFormat::HeaderHeight(const TCanvas& canvas, int extraLines)
{
    Measure(canvas);
    return lineHeight * captionLineCount + extraLines * TextHeight() + externalLeading + 4;
}

TRect TListHeaderFormat::ColumnRect(const TListHeaderFormatCol& column, const TRect& rect, int& x) const
{
    int w = column.width * averageCharWidth;
    TRect cell;
    cell.left = rect.left + x + 2;
    cell.right = rect.left + x + w - 3;
    cell.top = rect.top;
    cell.bottom = rect.top + lineHeight;
    x += w;
    return cell;
}

void TListHeaderFormat::PrintHeader(TCanvas& canvas, TRect& area)
{
    Measure(canvas);
    const int height = lineHeight * captionLineCount + externalLeading + 4;
    int x = area.left;
    for (const TListHeaderFormatCol* col : VisibleColumns()) {
        int w = col->width * averageCharWidth;
        TRect text{x + 2, area.top + externalLeading + 2, x + w - 3, area.top + height};
        for (int line = 0; line < captionLineCount; ++line) {
            DrawRichCaption(canvas, col->Caption(line), col->titleAlignment, true, text, 0, lineHeight);
            text.top += lineHeight;
        }
        x += w;
    }
    area.top += height;
}

} // namespace kalorina
