#include "util/Collation.h"

#include <array>

#include "util/TextCase.h"

namespace kalorina {

namespace {

// A lower-case letter of the code page as its base letter and an accent rank
// (0 for the plain letter); base 0 for a byte that is no letter.
struct Letter {
    char base = 0;
    unsigned char accent = 0;
};

constexpr std::array<Letter, 256> MakeLetters()
{
    std::array<Letter, 256> t{};
    for (int c = 'a'; c <= 'z'; ++c)
        t[c] = {static_cast<char>(c), 0};
    auto set = [&t](unsigned char byte, char base, unsigned char accent) { t[byte] = {base, accent}; };
    set(0xE1, 'a', 1); // á
    set(0xE2, 'a', 2); // â
    set(0xE3, 'a', 3); // ă
    set(0xE4, 'a', 4); // ä
    set(0xB9, 'a', 5); // ą
    set(0xE6, 'c', 1); // ć
    set(0xE7, 'c', 2); // ç
    set(0xE8, 'c', 3); // č
    set(0xEF, 'd', 1); // ď
    set(0xF0, 'd', 2); // đ
    set(0xE9, 'e', 1); // é
    set(0xEA, 'e', 2); // ę
    set(0xEB, 'e', 3); // ë
    set(0xEC, 'e', 4); // ě
    set(0xED, 'i', 1); // í
    set(0xEE, 'i', 2); // î
    set(0xE5, 'l', 1); // ĺ
    set(0xBE, 'l', 2); // ľ
    set(0xB3, 'l', 3); // ł
    set(0xF1, 'n', 1); // ń
    set(0xF2, 'n', 2); // ň
    set(0xF3, 'o', 1); // ó
    set(0xF4, 'o', 2); // ô
    set(0xF6, 'o', 3); // ö
    set(0xF5, 'o', 4); // ő
    set(0xE0, 'r', 1); // ŕ
    set(0xF8, 'r', 2); // ř
    set(0x9C, 's', 1); // ś
    set(0x9A, 's', 2); // š
    set(0xBA, 's', 3); // ş
    set(0xDF, 's', 4); // ß
    set(0x9D, 't', 1); // ť
    set(0xFE, 't', 2); // ţ
    set(0xFA, 'u', 1); // ú
    set(0xF9, 'u', 2); // ů
    set(0xFC, 'u', 3); // ü
    set(0xFB, 'u', 4); // ű
    set(0xFD, 'y', 1); // ý
    set(0x9F, 'z', 1); // ź
    set(0x9E, 'z', 2); // ž
    set(0xBF, 'z', 3); // ż
    return t;
}

constexpr std::array<Letter, 256> kLetters = MakeLetters();

// Primary weights: bytes that are no letters keep their place below the letters
// (blanks, punctuation and digits before any letter); letters start above them.
constexpr unsigned char kNoLetterHigh = 0x7F;
constexpr unsigned char kFirstLetter = 0x81;

// The letters of the Hungarian alphabet in order; the ones written with two or three
// characters count as one letter.
constexpr std::string_view kHungarian[] = {"a",  "b", "c",  "cs", "d",    "dz", "dzs", "e", "f",    "g", "gy", "h", "i",
                                           "j",  "k", "l",  "ly", "m",    "n",  "ny",  "o", "\xF6", "p", "q",  "r", "s",
                                           "sz", "t", "ty", "u",  "\xFC", "v",  "w",   "x", "y",    "z", "zs"};

unsigned char HungarianWeight(std::string_view unit)
{
    for (std::size_t i = 0; i < std::size(kHungarian); ++i)
        if (kHungarian[i] == unit)
            return static_cast<unsigned char>(kFirstLetter + i);
    return kNoLetterHigh;
}

bool IsUpper(unsigned char c)
{
    return LowerCp1250(c) != c;
}

} // namespace

std::string CollationKey(std::string_view text, std::string_view languageCode)
{
    const bool hungarian = languageCode == "hu";
    std::string primary, secondary, tertiary;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char raw = static_cast<unsigned char>(text[i]);
        const unsigned char lower = LowerCp1250(raw);
        const Letter letter = kLetters[lower];
        std::size_t length = 1;
        unsigned char weight = 0, accent = letter.accent;
        if (letter.base == 0) {
            weight = raw < 0x80 ? raw : kNoLetterHigh;
            if (weight == 0)
                weight = 1;
        } else if (!hungarian) {
            weight = static_cast<unsigned char>(kFirstLetter + (letter.base - 'a'));
        } else {
            // ö, ő, ü and ű are letters of their own; the long vowels sort beside the
            // short ones.
            std::string unit(1, letter.base);
            if (letter.base == 'o' && (lower == 0xF6 || lower == 0xF5)) {
                unit = "\xF6";
                accent = lower == 0xF5 ? 1 : 0;
            } else if (letter.base == 'u' && (lower == 0xFC || lower == 0xFB)) {
                unit = "\xFC";
                accent = lower == 0xFB ? 1 : 0;
            } else if (letter.accent == 0) {
                // The longest letter written with several characters that starts here.
                for (std::size_t n = 3; n >= 2; --n) {
                    if (i + n > text.size())
                        continue;
                    std::string candidate;
                    for (std::size_t k = 0; k < n; ++k)
                        candidate += static_cast<char>(LowerCp1250(static_cast<unsigned char>(text[i + k])));
                    if (HungarianWeight(candidate) != kNoLetterHigh) {
                        unit = candidate;
                        length = n;
                        break;
                    }
                }
            }
            weight = HungarianWeight(unit);
        }
        primary += static_cast<char>(weight);
        secondary += static_cast<char>(accent + 1);
        tertiary += static_cast<char>(IsUpper(raw) ? 2 : 1);
        i += length;
    }
    std::string key = primary;
    key += '\0';
    key += secondary;
    key += '\0';
    key += tertiary;
    key += '\0';
    key.append(text);
    return key;
}

bool CollateLess(std::string_view a, std::string_view b, std::string_view languageCode)
{
    return CollationKey(a, languageCode) < CollationKey(b, languageCode);
}

} // namespace kalorina
