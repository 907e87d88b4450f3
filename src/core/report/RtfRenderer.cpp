#include "report/RtfRenderer.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "platform/SymbolFont.h"

namespace kalorina {

namespace {

struct ControlWord {
    std::string_view word;
    RtfToken kind;
};

constexpr ControlWord kControlWords[] = {
    {"par", RtfToken::Par}, {"pard", RtfToken::Pard}, {"li", RtfToken::Li},   {"fi", RtfToken::Fi},
    {"ri", RtfToken::Ri},   {"tx", RtfToken::Tx},     {"tab", RtfToken::Tab}, {"b", RtfToken::B},
    {"i", RtfToken::I},     {"fs", RtfToken::Fs},     {"tqr", RtfToken::Tqr}, {"super", RtfToken::Super},
    {"sub", RtfToken::Sub}, {"f", RtfToken::F},       {"sb", RtfToken::Sb},   {"sa", RtfToken::Sa},
};

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Texts come from the string table and from language files, which anyone can edit:
// every number is held to what a page can use before it enters any arithmetic.
// Indents, tab stops and spacing: at most 22 inches either way, beyond any paper.
constexpr int kMaxTwips = 22 * 1440;
// Font sizes in points; \fs counts half-points.
constexpr int kMinPoints = 1, kMaxPoints = 1638;
constexpr int kMaxHalfPoints = 2 * kMaxPoints;

// Twips (or any 1/1440 inch measure) to device units, product first.
int ToDevice(int n, int resolution)
{
    return static_cast<int>(static_cast<long long>(std::clamp(n, -kMaxTwips, kMaxTwips)) * resolution / 1440);
}

int ClampPoints(long long points)
{
    return static_cast<int>(std::clamp<long long>(points, kMinPoints, kMaxPoints));
}

} // namespace

bool NextRtfToken(TPrintfStringStream& s, RtfTokenRead& t)
{
    t = RtfTokenRead{};
    if (s.AtEnd())
        return false;
    char c = s.Peek();
    switch (c) {
    case '\t':
        s.Get();
        t.kind = RtfToken::Tab;
        return true;
    case '\r':
    case '\n':
        s.Get();
        t.kind = RtfToken::Other;
        return true;
    case '{':
        s.Get();
        t.kind = RtfToken::GroupOpen;
        return true;
    case '}':
        s.Get();
        t.kind = RtfToken::GroupClose;
        return true;
    default:
        break;
    }
    if (c == '\\') {
        char next = s.PeekAt(1);
        if (next == '\\' || next == '{' || next == '}') {
            s.Get();
            s.Get();
            t.kind = RtfToken::Text;
            t.text = std::string(1, next);
            return true;
        }
        if (!IsLetter(next)) {
            s.Get(); // the backslash alone; what follows starts the next token
            t.kind = RtfToken::Other;
            return true;
        }
        s.Get();
        std::string word;
        while (!s.AtEnd() && IsLetter(s.Peek()))
            word += s.Get();
        t.kind = RtfToken::Other;
        for (const auto& cw : kControlWords)
            if (cw.word == word)
                t.kind = cw.kind;
        if (!s.AtEnd() && (s.Peek() == '-' || IsDigit(s.Peek()))) {
            std::string digits(1, s.Get());
            while (!s.AtEnd() && IsDigit(s.Peek()))
                digits += s.Get();
            if (digits.size() > 10)
                digits.resize(10);
            const long n = std::strtol(digits.c_str(), nullptr, 10);
            t.number = static_cast<int>(std::clamp<long>(n, INT_MIN, INT_MAX));
            t.hasNumber = true;
        }
        if (!s.AtEnd() && s.Peek() == ' ')
            s.Get();
        t.text = word;
        return true;
    }
    t.kind = RtfToken::Text;
    while (!s.AtEnd()) {
        char d = s.Peek();
        if (d == '\\' || d == '{' || d == '}' || d == '\r' || d == '\n' || d == '\t')
            break;
        t.text += s.Get();
    }
    return true;
}

void RTFPrint::UseStyleFont(TCanvas& canvas)
{
    const RTFStyle& st = styles_[level_];
    TFontAttributes f = canvas.Font();
    f.name = st.font.name;
    f.size = st.font.size;
    f.bold = st.bold;
    f.italic = st.italic;
    if (!(f == canvas.Font()) || fontHeight_ == 0) {
        canvas.SetFont(f);
        fontHeight_ = canvas.TextHeight();
    }
}

void RTFPrint::StartParagraph(TCanvas& canvas, TRect& area)
{
    const RTFStyle& st = styles_[level_];
    if (!paragraphStarted_) {
        x_ = st.leftIndent + st.firstIndent;
        area.top += st.spaceBefore;
    }
    UseStyleFont(canvas);
    paragraphStarted_ = true;
}

void RTFPrint::ApplyStyleWord(const RtfTokenRead& t, int resolution)
{
    RTFStyle& st = styles_[level_];
    const int n = t.number;
    const int d = ToDevice(n, resolution);
    switch (t.kind) {
    case RtfToken::Li:
        st.leftIndent = d;
        break;
    case RtfToken::Fi:
        st.firstIndent = d;
        break;
    case RtfToken::Ri:
        st.rightIndent = d;
        break;
    case RtfToken::Tx:
        if (st.tabCount < RTFStyle::kMaxTabStops)
            st.tabs[st.tabCount++] = {d, st.pendingRightTab};
        st.pendingRightTab = false;
        break;
    case RtfToken::B:
        st.bold = n != 0;
        break;
    case RtfToken::I:
        st.italic = n != 0;
        break;
    case RtfToken::Fs:
        // \fs20 is the report font's own size.
        st.font.size = ClampPoints(static_cast<long long>(std::clamp(n, 1, kMaxHalfPoints)) * reportFont_.size / 20);
        break;
    case RtfToken::Tqr:
        st.pendingRightTab = true;
        break;
    case RtfToken::Super:
        st.vertical = RTFStyle::Vertical::Super;
        st.font.size = ClampPoints(static_cast<long long>(st.font.size * 0.8));
        break;
    case RtfToken::Sub:
        st.vertical = RTFStyle::Vertical::Sub;
        st.font.size = ClampPoints(static_cast<long long>(st.font.size * 0.8));
        break;
    case RtfToken::F:
        st.font.name = n == 1 ? std::string(kSymbolFontName) : reportFont_.name;
        break;
    case RtfToken::Sb:
        st.spaceBefore = d;
        break;
    case RtfToken::Sa:
        st.spaceAfter = d;
        break;
    default:
        break;
    }
}

void RTFPrint::LayOutText(TCanvas& canvas, TRect& area, const std::string& token)
{
    const RTFStyle& st = styles_[level_];
    if (pendingRight_ != 0) {
        int w = canvas.TextWidth(token);
        if (x_ + w < pendingRight_)
            x_ = pendingRight_ - w;
        pendingRight_ = 0;
    }
    std::string_view rest = token;
    while (!rest.empty()) {
        std::size_t end = rest.find(' ', 1);
        std::string_view word = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end);
        int w = canvas.TextWidth(std::string(word));
        int h = fontHeight_;
        if (lineHeight_ < h)
            lineHeight_ = h;
        if (x_ + w > lineWidth_) {
            while (!word.empty() && word.front() == ' ')
                word.remove_prefix(1);
            w = canvas.TextWidth(std::string(word));
            x_ = st.leftIndent;
            area.top += lineHeight_;
            // The wrapped word opens the new line and gives it its height.
            lineHeight_ = h;
        }
        if (word.empty())
            continue;
        if (!measureOnly_) {
            int y = area.top;
            if (st.vertical == RTFStyle::Vertical::Super)
                y = static_cast<int>(area.top + h * -0.2);
            else if (st.vertical == RTFStyle::Vertical::Sub)
                y = static_cast<int>(area.top + h * 0.66);
            const int x = area.left + x_;
            TRect clip{x - w, y - h, x + 2 * w + h, y + 2 * h};
            canvas.TextRect(clip, x, y, std::string(word));
        }
        x_ += w;
    }
}

void RTFPrint::Render(TCanvas& canvas, TRect& area, TPrintfStringStream& stream)
{
    TCanvasFontSaver keep(canvas);
    TFontAttributes base = canvas.Font();
    if (!reportFont_.name.empty())
        base.name = reportFont_.name;
    else
        reportFont_.name = base.name;
    // The report font comes from the user's settings: held to the same sizes.
    if (reportFont_.size != 0)
        base.size = reportFont_.size = ClampPoints(reportFont_.size);
    else
        reportFont_.size = base.size = ClampPoints(base.size);
    base.bold = base.italic = false;
    styles_[0] = RTFStyle{};
    styles_[0].font = base;
    styles_[1] = styles_[0];
    level_ = 1;
    x_ = 0;
    lineHeight_ = 0;
    pendingRight_ = 0;
    paragraphStarted_ = false;
    fontHeight_ = 0;
    lineWidth_ = area.right - area.left;
    const int resolution = canvas.PixelsPerInchY();

    RtfTokenRead t;
    while (NextRtfToken(stream, t)) {
        switch (t.kind) {
        case RtfToken::GroupOpen:
            if (level_ < kLevels - 1) {
                styles_[level_ + 1] = styles_[level_];
                ++level_;
            }
            break;
        case RtfToken::GroupClose:
            if (level_ > 0)
                --level_;
            break;
        case RtfToken::Pard:
            styles_[level_] = styles_[0];
            break;
        case RtfToken::Par:
            if (lineHeight_ == 0) {
                StartParagraph(canvas, area);
                lineHeight_ = fontHeight_;
            }
            area.top += styles_[level_].spaceAfter + lineHeight_;
            x_ = 0;
            lineHeight_ = 0;
            paragraphStarted_ = false;
            break;
        case RtfToken::Tab: {
            StartParagraph(canvas, area);
            const RTFStyle& st = styles_[level_];
            if (x_ < st.leftIndent) {
                x_ = st.leftIndent;
                break;
            }
            for (int i = 0; i < st.tabCount; ++i)
                if (st.tabs[i].position > x_) {
                    if (st.tabs[i].right)
                        pendingRight_ = st.tabs[i].position;
                    else
                        x_ = st.tabs[i].position;
                    break;
                }
            break;
        }
        case RtfToken::Text:
            StartParagraph(canvas, area);
            LayOutText(canvas, area, t.text);
            break;
        case RtfToken::Other:
            break;
        default:
            ApplyStyleWord(t, resolution);
            break;
        }
    }
}

std::string EscapeBackslashes(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += '\\';
        out += c;
    }
    return out;
}

std::string EscapeRtfText(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (c == '\\' || c == '{' || c == '}')
            out += '\\';
        out += c;
    }
    return out;
}

} // namespace kalorina
