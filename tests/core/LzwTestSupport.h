#pragma once
// Stream builders shared by the LZW tests: hand-packed codes and an independent,
// deliberately naive model of the encoder (a map of whole strings).
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace kalorina::lzwtest {

using Codes = std::vector<std::pair<int, int>>; // (code, width)

inline std::string Pack(const Codes& codes)
{
    std::string out;
    std::uint64_t buffer = 0;
    int count = 0;
    for (auto [code, width] : codes) {
        buffer = (buffer << width) | static_cast<std::uint64_t>(code);
        count += width;
        while (count >= 8) {
            count -= 8;
            out.push_back(static_cast<char>((buffer >> count) & 0xFF));
        }
    }
    if (count > 0)
        out.push_back(static_cast<char>((buffer << (8 - count)) & 0xFF));
    return out;
}

// Reads `width` bits at bit offset `bit`, most significant bit first.
inline int BitsAt(const std::string& s, std::size_t bit, int width)
{
    int v = 0;
    for (int i = 0; i < width; ++i, ++bit)
        v = (v << 1) | ((static_cast<unsigned char>(s.at(bit / 8)) >> (7 - bit % 8)) & 1);
    return v;
}

inline Codes ReferenceCodes(const std::string& in)
{
    Codes codes;
    if (in.empty())
        return codes;
    std::map<std::string, int> dict;
    int next = 0, width = 0;
    auto reset = [&] {
        dict.clear();
        for (int i = 0; i < 256; ++i)
            dict[std::string(1, static_cast<char>(i))] = i;
        next = 258;
        width = 9;
    };
    reset();
    codes.push_back({256, 9});
    std::string w(1, in[0]);
    for (std::size_t i = 1; i < in.size(); ++i) {
        std::string wc = w + in[i];
        if (dict.count(wc)) {
            w = std::move(wc);
            continue;
        }
        codes.push_back({dict[w], width});
        dict[wc] = next++;
        if (next == (1 << width))
            ++width;
        if (next == 4096) {
            codes.push_back({256, width});
            reset();
        }
        w = std::string(1, in[i]);
    }
    codes.push_back({dict[w], width});
    codes.push_back({257, width});
    return codes;
}

// n bytes in which no two adjacent bytes repeat an earlier adjacent pair, so
// every byte after the first ends a string and the stream has exactly n data
// codes: runs over all 256 values with odd steps 1, 3, 5, ...
inline std::string DistinctPairs(std::size_t n)
{
    std::string s;
    for (int step = 1; s.size() < n; step += 2)
        for (int j = 0; j < 256 && s.size() < n; ++j)
            s.push_back(static_cast<char>((j * step) & 0xFF));
    return s;
}

inline std::string RandomBytes(std::mt19937& rng, std::size_t n, int alphabet = 256)
{
    std::uniform_int_distribution<int> byte(0, alphabet - 1);
    std::string s(n, '\0');
    for (auto& c : s)
        c = static_cast<char>(byte(rng));
    return s;
}

} // namespace kalorina::lzwtest
