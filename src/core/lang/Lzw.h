#pragma once
// Compressing: the LZW coder of the compressed language files (*.xm?) and of the
// valves' check values.  8-bit symbols, a 4096-entry dictionary, clear code 256,
// end code 257, code widths from 9 to 13 bits, codes packed most significant bit
// first, the last byte padded with zero bits.
//
// The coder works on whole byte buffers.  Encode and Decode append to the output.
// Decode raises KalorinaError on any malformed stream; on error the output holds
// whatever had been decoded before the fault.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kalorina {

class Compressing {
public:
    static constexpr int kDictionarySize = 4096;
    static constexpr int kSymbolWidth = 8;
    static constexpr int kFirstCodeWidth = 9;
    static constexpr int kClearCode = 256;
    static constexpr int kEndCode = 257;
    static constexpr int kFirstFreeCode = 258;

    // How Decode treats the end code when it follows the code after which the
    // decoder widens its codes.  The encoder never widens after its last code, so
    // it writes that end code one bit narrower than a strict decoder reads it, and
    // a strict decoder rejects the stream (a few streams in ten thousand).
    enum class EndWidth {
        // Accept the end code at either width.  Accepts every stream Strict
        // accepts, with the same result, and everything Encode produces.
        Tolerant,
        // Accept only the width the original decoder reads.  Use it to check that
        // a file will load in every program that reads this format.
        Strict,
    };

    static void Encode(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& output);
    static void Encode(std::string_view input, std::string& output);
    static std::string Encode(std::string_view input);

    static void Decode(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& output,
                       EndWidth endWidth = EndWidth::Tolerant);
    static void Decode(std::string_view input, std::string& output, EndWidth endWidth = EndWidth::Tolerant);
    static std::string Decode(std::string_view input, EndWidth endWidth = EndWidth::Tolerant);
};

} // namespace kalorina
