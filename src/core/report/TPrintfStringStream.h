#pragma once
// The text buffer reports write their RTF bands into: string-table templates filled
// with one value each, read back by the RTF renderer from a reading position.
#include <cstddef>
#include <string>
#include <string_view>

namespace kalorina {

class TPrintfStringStream {
public:
    // A filled template is cut to this many characters.
    static constexpr std::size_t kMaxLine = 1023;

    void Clear();
    void Write(std::string_view text);
    // The string-table entry with its tokens replaced in the active language.
    void WriteText(int entry);
    // The entry with its one "%s" replaced by `text`.
    void PrintfText(int entry, const std::string& text);
    // When `condition` holds, the entry with its one number conversion ("%.1f") filled.
    void PrintfValue(int entry, bool condition, float value);
    // A built-in RTF prologue ("rtf/<name>.rtf") with its tokens replaced; nothing
    // when there is none.
    void WriteRtfHeader(const std::string& name);

    const std::string& Text() const { return text_; }
    std::size_t Size() const { return text_.size(); }
    std::size_t Position() const { return position_; }
    void SetPosition(std::size_t position) { position_ = position < text_.size() ? position : text_.size(); }
    // Fewer than two characters are left to read.
    bool UsedUp() const { return text_.size() - position_ < 2; }

    // Reading, for the renderer.
    bool AtEnd() const { return position_ >= text_.size(); }
    char Peek() const { return text_[position_]; }
    char PeekAt(std::size_t ahead) const { return position_ + ahead < text_.size() ? text_[position_ + ahead] : '\0'; }
    char Get() { return text_[position_++]; }

private:
    std::string text_;
    std::size_t position_ = 0;
};

// Fills the first printf conversion of `format` ("%s", or a number conversion such
// as "%.3f") with the argument: a text for "%s", a number for the others; "%%" gives
// "%".  Tokens of the template are replaced in the active language around the
// conversion, never inside the value, so a '#' in a room name or a '%' in a
// translated word is printed as it is.
std::string FillTemplate(const std::string& rawTemplate, const std::string* text, double value);

} // namespace kalorina
