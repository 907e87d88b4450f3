#pragma once
// The small RTF interpreter that draws report bands: sixteen control words, groups,
// tab stops and word wrapping; everything else is skipped.  It draws from the top
// of an area downwards and moves the top below what it drew; it never breaks pages
// (the report measures a band first and draws it only when it fits).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Canvas.h"
#include "report/TPrintfStringStream.h"

namespace kalorina {

enum class RtfToken : std::uint8_t {
    Text = 0,
    GroupOpen = 1,
    GroupClose = 2,
    Par = 3,
    Pard = 4,
    Li = 5,
    Fi = 6,
    Ri = 7,
    Tx = 8,
    Tab = 9,
    B = 10,
    I = 11,
    Fs = 12,
    Tqr = 13,
    Super = 14,
    Sub = 15,
    F = 16,
    Sb = 17,
    Sa = 18,
    Other = 19,
};

struct RtfTabStop {
    int position = 0; // device units from the area's left
    bool right = false;
};

struct RTFStyle {
    static constexpr int kMaxTabStops = 32;
    TFontAttributes font; // face and size; bold and italic live in the flags
    bool bold = false;
    bool italic = false;
    enum class Vertical : std::uint8_t { Normal = 0, Super = 1, Sub = 2 } vertical = Vertical::Normal;
    int firstIndent = 0, leftIndent = 0, rightIndent = 0, spaceBefore = 0, spaceAfter = 0;
    std::array<RtfTabStop, kMaxTabStops> tabs{};
    int tabCount = 0;
    bool pendingRightTab = false;
};

// One token of the stream, as the tokenizer reads it.
struct RtfTokenRead {
    RtfToken kind = RtfToken::Other;
    int number = 1;
    bool hasNumber = false;
    std::string text;
};

// Reads the next token at the stream's reading position; false at the end.
bool NextRtfToken(TPrintfStringStream& stream, RtfTokenRead& token);

class RTFPrint {
public:
    static constexpr int kLevels = 8;

    // `reportFont`: the face and size that \f and \fs refer to (the report font of the
    // program options); an empty name or a size of 0 keeps the canvas font's.
    RTFPrint(const TFontAttributes& reportFont, bool measureOnly) : reportFont_(reportFont), measureOnly_(measureOnly)
    {
    }

    // Reads `stream` from its position to the end, drawing (or only measuring) into
    // `area`; afterwards area.top is the y below the last line.
    void Render(TCanvas& canvas, TRect& area, TPrintfStringStream& stream);

private:
    void StartParagraph(TCanvas& canvas, TRect& area);
    void ApplyStyleWord(const RtfTokenRead& token, int resolution);
    void LayOutText(TCanvas& canvas, TRect& area, const std::string& text);
    void UseStyleFont(TCanvas& canvas);

    TFontAttributes reportFont_;
    bool measureOnly_;
    std::array<RTFStyle, kLevels> styles_{};
    int level_ = 1;
    int x_ = 0;
    int lineHeight_ = 0;
    int lineWidth_ = 0;
    int pendingRight_ = 0;
    bool paragraphStarted_ = false;
    int fontHeight_ = 0; // text height of the canvas font last set
};

// Backslashes doubled, as file names are printed.
std::string EscapeBackslashes(std::string_view text);
// Backslashes and braces escaped: a value that is printed as written.
std::string EscapeRtfText(std::string_view text);

} // namespace kalorina
