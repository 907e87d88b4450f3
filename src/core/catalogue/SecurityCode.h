#pragma once
// The data signature of valves: the SecurityCode of an item header carries a number
// enciphered with the brand's name, which must equal a check value computed from
// the valve's pressure data.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kalorina {

// The manufacturer whose signature the program accepts.
inline constexpr std::string_view brandName = "Vexalon";

// RC4 over the four little-endian bytes of n, keyed with `key`.
std::int32_t EncipherCode(std::int32_t n, std::string_view key);

// Deciphers the content of a SecurityCode element ("Vexalon_123").  Answers
// `previous` when the number is 0 or the manufacturer is not brandName's (it then
// counts as 0).  A number part that is not a 32-bit decimal integer fails with a
// KalorinaError.
std::int32_t DecodeSecurityCode(const std::string& content, std::int32_t previous);

// The last four bytes of the LZW-compressed data as a little-endian integer; 0 when
// the compressed form is shorter.
std::int32_t SecurityCheckValue(const std::vector<std::uint8_t>& data);

// The SecurityCode content that makes an item with this check value pass.
std::string SecurityCodeFor(std::int32_t checkValue);

} // namespace kalorina
