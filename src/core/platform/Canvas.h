#pragma once
// A drawing surface in integer device units: the screen, a printer page, a recorded
// preview page or a test double.  Texts are the program's code page 1250 strings; the
// font name "Symbol" selects the Greek letters of the Symbol code page (see
// SymbolFont.h), whatever fonts the platform really has.
#include <cstdint>
#include <string>

namespace kalorina {

struct TRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const TRect&) const = default;
};

// 0xRRGGBB.
using TColor = std::uint32_t;
constexpr TColor RGBColor(int r, int g, int b)
{
    return (static_cast<TColor>(r & 0xFF) << 16) | (static_cast<TColor>(g & 0xFF) << 8) | static_cast<TColor>(b & 0xFF);
}
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0xFF0000;
constexpr TColor clGreen = 0x008000;
constexpr TColor clBlue = 0x0000FF;

enum class TAlignment : std::uint8_t { Left = 0, Right = 1, Center = 2 };

struct TFontAttributes {
    std::string name; // font family
    int size = 10;    // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    TColor colour = clBlack;
    bool operator==(const TFontAttributes&) const = default;
};

// Metrics of the current font, in device units.
struct TTextMetrics {
    int height = 0; // ascent + descent
    int ascent = 0;
    int descent = 0;
    int externalLeading = 0; // extra space the font asks for between lines
    int averageCharWidth = 0;

    int LineHeight() const { return height + externalLeading; }
};

class TCanvas {
public:
    virtual ~TCanvas() = default;

    // Font: the state lives here; implementations react in FontChanged.
    const TFontAttributes& Font() const { return font_; }
    void SetFont(const TFontAttributes& font)
    {
        font_ = font;
        FontChanged();
    }
    void SetFontName(const std::string& name)
    {
        font_.name = name;
        FontChanged();
    }
    void SetFontSize(int points)
    {
        font_.size = points;
        FontChanged();
    }
    void SetFontBold(bool on)
    {
        font_.bold = on;
        FontChanged();
    }
    void SetFontItalic(bool on)
    {
        font_.italic = on;
        FontChanged();
    }
    void SetFontUnderline(bool on)
    {
        font_.underline = on;
        FontChanged();
    }
    void SetFontColour(TColor colour)
    {
        font_.colour = colour;
        FontChanged();
    }

    // Pen (lines, frames) and brush (fills).
    TColor PenColour() const { return pen_; }
    void SetPenColour(TColor colour) { pen_ = colour; }
    TColor BrushColour() const { return brush_; }
    void SetBrushColour(TColor colour) { brush_ = colour; }

    // Device resolution, so that point sizes and millimetres convert.
    virtual int PixelsPerInchX() const = 0;
    virtual int PixelsPerInchY() const = 0;

    virtual TTextMetrics TextMetrics() const = 0;
    virtual int TextWidth(const std::string& text) const = 0;
    int TextHeight() const { return TextMetrics().height; }

    // Draws `text` with its cell's top-left corner at (x, y), showing only what falls
    // inside `clip`; the background is left as it is.
    virtual void TextRect(const TRect& clip, int x, int y, const std::string& text) = 0;
    // A line from (x1, y1) to (x2, y2) in the pen colour, the end point included.
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    // Fills the rectangle (right and bottom excluded) with the brush colour.
    virtual void FillRect(const TRect& rect) = 0;

    // Pictures by name: a file path, or a picture the program carries ("logo").
    // The size in pixels; false when the picture cannot be had.
    virtual bool PictureSize(const std::string& name, int& width, int& height) const
    {
        (void)name, (void)width, (void)height;
        return false;
    }
    // Draws the picture stretched into `rect`; nothing when it cannot be had.
    virtual void DrawPicture(const TRect& rect, const std::string& name) { (void)rect, (void)name; }

protected:
    virtual void FontChanged() {}

private:
    TFontAttributes font_;
    TColor pen_ = clBlack;
    TColor brush_ = clWhite;
};

// Restores a canvas's font when it goes out of scope.
class TCanvasFontSaver {
public:
    explicit TCanvasFontSaver(TCanvas& canvas) : canvas_(canvas), saved_(canvas.Font()) {}
    ~TCanvasFontSaver() { canvas_.SetFont(saved_); }
    TCanvasFontSaver(const TCanvasFontSaver&) = delete;
    TCanvasFontSaver& operator=(const TCanvasFontSaver&) = delete;

private:
    TCanvas& canvas_;
    TFontAttributes saved_;
};

} // namespace kalorina
