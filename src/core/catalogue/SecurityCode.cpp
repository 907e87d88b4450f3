#include "catalogue/SecurityCode.h"

#include "catalogue/CatalogueInteger.h"
#include "catalogue/RC4.h"

namespace kalorina {

std::int32_t EncipherCode(std::int32_t n, std::string_view key)
{
    auto u = static_cast<std::uint32_t>(n);
    std::uint8_t bytes[4];
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<std::uint8_t>((u >> (8 * i)) & 0xFF);
    RC4(key).Apply(bytes);
    std::uint32_t r = 0;
    for (int i = 0; i < 4; ++i)
        r |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    return static_cast<std::int32_t>(r);
}

std::int32_t DecodeSecurityCode(const std::string& content, std::int32_t previous)
{
    std::string_view maker, number = content;
    std::size_t sep = content.find('_');
    if (sep != std::string::npos && sep > 0) {
        maker = std::string_view(content).substr(0, sep);
        number = std::string_view(content).substr(sep + 1);
    }
    auto n = static_cast<std::int32_t>(ParseCatalogueInteger(number, INT32_MIN, INT32_MAX));
    if (maker != brandName)
        n = 0;
    if (n == 0)
        return previous;
    // Every item of a catalogue carries one: the key stream is the same each time,
    // so the cipher's key schedule runs once, not once per item.
    static const std::int32_t keyStream = EncipherCode(0, brandName);
    return n ^ keyStream;
}

std::string SecurityCodeFor(std::int32_t checkValue)
{
    return std::string(brandName) + "_" + std::to_string(EncipherCode(checkValue, brandName));
}

} // namespace kalorina

#include "lang/Lzw.h"

namespace kalorina {

std::int32_t SecurityCheckValue(const std::vector<std::uint8_t>& data)
{
    std::vector<std::uint8_t> packed;
    Compressing::Encode(data, packed);
    if (packed.size() < 4)
        return 0;
    std::uint32_t r = 0;
    for (int i = 0; i < 4; ++i)
        r |= static_cast<std::uint32_t>(packed[packed.size() - 4 + i]) << (8 * i);
    return static_cast<std::int32_t>(r);
}

} // namespace kalorina
