#pragma once
// The RC4 stream cipher.  Enciphering and deciphering are the same operation.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace kalorina {

class RC4 {
public:
    // A key of 1 to 256 bytes; an empty key leaves data unchanged.
    explicit RC4(std::span<const std::uint8_t> key);
    explicit RC4(std::string_view key);

    std::uint8_t NextByte();
    void Apply(std::span<std::uint8_t> data);

private:
    std::uint8_t s_[256];
    std::uint8_t i_ = 0;
    std::uint8_t j_ = 0;
    bool identity_ = false;
};

} // namespace kalorina
