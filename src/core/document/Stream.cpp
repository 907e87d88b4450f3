#include "document/Stream.h"

#include <cstring>

#include "lang/BuiltInTexts.h"

namespace kalorina {

namespace {
std::string EndMessage()
{
    // Data that end before their records do: the file was cut short or damaged.
    return TextOrBuiltIn("IDS_DAMAGEDFILE");
}
} // namespace

StreamEndError::StreamEndError() : KalorinaError(EndMessage())
{
}

void TMemoryStream::Seek(std::size_t pos)
{
    if (pos > data_.size())
        throw StreamEndError();
    pos_ = pos;
}

void TMemoryStream::Write(const void* bytes, std::size_t n)
{
    if (pos_ + n > data_.size())
        data_.resize(pos_ + n);
    std::memcpy(data_.data() + pos_, bytes, n);
    pos_ += n;
}

void TMemoryStream::Read(void* bytes, std::size_t n)
{
    if (n > Remaining())
        throw StreamEndError();
    std::memcpy(bytes, data_.data() + pos_, n);
    pos_ += n;
}

std::string_view TMemoryStream::ReadBytes(std::size_t n)
{
    if (n > Remaining())
        throw StreamEndError();
    std::string_view v(data_.data() + pos_, n);
    pos_ += n;
    return v;
}

void TMemoryStream::Skip(std::size_t n)
{
    if (n > Remaining())
        throw StreamEndError();
    pos_ += n;
}

// Files are little-endian whatever the machine; assemble the bytes explicitly.
void TMemoryStream::WriteInt16(std::int16_t v)
{
    auto u = static_cast<std::uint16_t>(v);
    unsigned char b[2] = {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8)};
    Write(b, 2);
}

void TMemoryStream::WriteInt32(std::int32_t v)
{
    auto u = static_cast<std::uint32_t>(v);
    unsigned char b[4] = {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
                          static_cast<unsigned char>(u >> 16), static_cast<unsigned char>(u >> 24)};
    Write(b, 4);
}

void TMemoryStream::WriteFloat(float v)
{
    std::uint32_t u;
    std::memcpy(&u, &v, 4);
    WriteInt32(static_cast<std::int32_t>(u));
}

void TMemoryStream::WriteDouble(double v)
{
    std::uint64_t u;
    std::memcpy(&u, &v, 8);
    WriteInt32(static_cast<std::int32_t>(static_cast<std::uint32_t>(u)));
    WriteInt32(static_cast<std::int32_t>(static_cast<std::uint32_t>(u >> 32)));
}

std::int16_t TMemoryStream::ReadInt16()
{
    unsigned char b[2];
    Read(b, 2);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(b[0] | (b[1] << 8)));
}

std::int32_t TMemoryStream::ReadInt32()
{
    unsigned char b[4];
    Read(b, 4);
    return static_cast<std::int32_t>(std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16)
                                     | (std::uint32_t(b[3]) << 24));
}

std::uint8_t TMemoryStream::ReadUInt8()
{
    std::uint8_t b;
    Read(&b, 1);
    return b;
}

float TMemoryStream::ReadFloat()
{
    auto u = static_cast<std::uint32_t>(ReadInt32());
    float v;
    std::memcpy(&v, &u, 4);
    return v;
}

double TMemoryStream::ReadDouble()
{
    std::uint64_t lo = static_cast<std::uint32_t>(ReadInt32());
    std::uint64_t hi = static_cast<std::uint32_t>(ReadInt32());
    std::uint64_t u = lo | (hi << 32);
    double v;
    std::memcpy(&v, &u, 8);
    return v;
}

void TMemoryStream::PatchInt16(std::size_t at, std::int16_t v)
{
    std::size_t keep = pos_;
    pos_ = at;
    WriteInt16(v);
    pos_ = keep;
}

} // namespace kalorina
