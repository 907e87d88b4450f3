#include "catalogue/RC4.h"

#include <utility>

namespace kalorina {

RC4::RC4(std::span<const std::uint8_t> key)
{
    for (int k = 0; k < 256; ++k)
        s_[k] = static_cast<std::uint8_t>(k);
    if (key.empty()) {
        identity_ = true;
        return;
    }
    std::uint8_t j = 0;
    std::size_t at = 0; // k modulo the key's length, without a division per byte
    for (int k = 0; k < 256; ++k) {
        j = static_cast<std::uint8_t>(j + s_[k] + key[at]);
        std::swap(s_[k], s_[j]);
        if (++at == key.size())
            at = 0;
    }
}

RC4::RC4(std::string_view key)
    : RC4(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(key.data()),
                                        key.size() > 256 ? 256 : key.size()))
{
}

std::uint8_t RC4::NextByte()
{
    if (identity_)
        return 0;
    i_ = static_cast<std::uint8_t>(i_ + 1);
    j_ = static_cast<std::uint8_t>(j_ + s_[i_]);
    std::swap(s_[i_], s_[j_]);
    return s_[static_cast<std::uint8_t>(s_[i_] + s_[j_])];
}

void RC4::Apply(std::span<std::uint8_t> data)
{
    for (auto& b : data)
        b ^= NextByte();
}

} // namespace kalorina
