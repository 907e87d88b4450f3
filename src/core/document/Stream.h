#pragma once
// A growable in-memory byte stream with a position, and the little-endian
// primitives every stored record is made of.  Reading past the end raises a
// StreamEndError, so a truncated file can never produce items from missing bytes.
#include <cstdint>
#include <string>
#include <string_view>

#include "util/Error.h"

namespace kalorina {

class StreamEndError : public KalorinaError {
public:
    StreamEndError();
};

class TMemoryStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::string bytes) : data_(std::move(bytes)) {}

    const std::string& Data() const { return data_; }
    std::size_t Size() const { return data_.size(); }
    std::size_t Position() const { return pos_; }
    void Seek(std::size_t pos); // may not go past the end
    bool AtEnd() const { return pos_ >= data_.size(); }
    std::size_t Remaining() const { return data_.size() - pos_; }

    void Write(const void* bytes, std::size_t n);
    void Read(void* bytes, std::size_t n);
    std::string_view ReadBytes(std::size_t n);
    void Skip(std::size_t n);

    void WriteInt16(std::int16_t v);
    void WriteInt32(std::int32_t v);
    void WriteUInt8(std::uint8_t v) { Write(&v, 1); }
    void WriteFloat(float v);
    void WriteDouble(double v);
    std::int16_t ReadInt16();
    std::int32_t ReadInt32();
    std::uint8_t ReadUInt8();
    float ReadFloat();
    double ReadDouble();

    // Overwrites bytes already written (for patching record lengths).
    void PatchInt16(std::size_t at, std::int16_t v);

private:
    std::string data_;
    std::size_t pos_ = 0;
};

} // namespace kalorina
