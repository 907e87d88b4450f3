#include "document/StreamEncoding.h"

namespace kalorina {

TMemoryStream& WriteStreamString(TMemoryStream& s, const std::string& text)
{
    // Longer texts cannot be counted in 16 bits; they are cut rather than written
    // with a count that would make the rest of the file unreadable.
    std::string_view t(text);
    if (t.size() > kMaxStreamStringLength)
        t = t.substr(0, kMaxStreamStringLength);
    s.WriteInt16(static_cast<std::int16_t>(t.size() + 1));
    s.Write(t.data(), t.size());
    s.WriteUInt8(0);
    return s;
}

TMemoryStream& ReadStreamString(TMemoryStream& s, std::string& text)
{
    std::int16_t n = s.ReadInt16();
    // The writer never produces a count below 1; read such a string as empty.
    if (n <= 0) {
        text.clear();
        return s;
    }
    std::string_view bytes = s.ReadBytes(static_cast<std::size_t>(n));
    auto zero = bytes.find('\0');
    text.assign(zero == std::string_view::npos ? bytes : bytes.substr(0, zero));
    return s;
}

std::string ReadStreamString(TMemoryStream& s)
{
    std::string text;
    ReadStreamString(s, text);
    return text;
}

std::string JoinLines(const TStringList& lines)
{
    std::string text;
    for (const auto& l : lines) {
        text += l;
        text += "\r\n";
    }
    return text;
}

TStringList SplitLines(const std::string& text)
{
    TStringList lines;
    std::size_t i = 0, start = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(text.substr(start, i - start));
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

TMemoryStream& WriteStreamLines(TMemoryStream& s, const TStringList& lines)
{
    return WriteStreamString(s, JoinLines(lines));
}

TMemoryStream& ReadStreamLines(TMemoryStream& s, TStringList& lines)
{
    lines = SplitLines(ReadStreamString(s));
    return s;
}

RecordMark BeginRecord(TMemoryStream& s, std::int16_t tag)
{
    s.WriteInt16(tag);
    RecordMark mark{s.Position()};
    s.WriteInt16(0);
    return mark;
}

TMemoryStream& EndRecord(TMemoryStream& s, RecordMark mark)
{
    std::size_t body = s.Position() - (mark.lengthAt + 2);
    s.PatchInt16(mark.lengthAt, static_cast<std::int16_t>(static_cast<std::uint16_t>(body)));
    return s;
}

} // namespace kalorina
