#include <gtest/gtest.h>
#include <iconv.h>

#include "util/Codepage.h"

using namespace kalorina;

// The hand-written table must agree with the system's converter for every byte.
TEST(Codepage, TableAgreesWithIconv)
{
    iconv_t cd = iconv_open("UTF-8", "CP1250");
    ASSERT_NE(cd, (iconv_t)-1);
    for (int b = 0; b < 256; ++b) {
        char in[1] = {static_cast<char>(b)};
        char out[8] = {};
        char* pin = in;
        char* pout = out;
        size_t inLeft = 1, outLeft = sizeof out;
        size_t r = iconv(cd, &pin, &inLeft, &pout, &outLeft);
        std::string ours = Cp1250ToUtf8(std::string(1, char(b)));
        if (r == size_t(-1))
            EXPECT_EQ(ours, "\xEF\xBF\xBD") << "byte " << b;
        else
            EXPECT_EQ(ours, std::string(out, pout)) << "byte " << b;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
}

TEST(Codepage, HungarianLettersAndFallbacks)
{
    EXPECT_EQ(Utf8ToCp1250("ő ű é"), "\xF5 \xFB \xE9");
    EXPECT_EQ(Cp1250ToUtf8("Padl\xF3"
                           "f\xFB"
                           "t\xE9"
                           "s"),
              "Padlófűtés");
    // Not in the code page, truncated and stray continuation bytes all become '?'.
    EXPECT_EQ(Utf8ToCp1250("a\xE2\x82"), "a??");
    EXPECT_EQ(Utf8ToCp1250("日x"), "?x");
    EXPECT_EQ(Utf8ToCp1250("\x80z"), "?z");
    for (int b = 0x20; b < 256; ++b) {
        std::string one(1, char(b));
        if (Cp1250ToUnicode(b) != 0xFFFF) {
            EXPECT_EQ(Utf8ToCp1250(Cp1250ToUtf8(one)), one);
        }
    }
}

#include "util/FloatFormat.h"

namespace {
std::string FormatGeneral(double v, int p, char sep)
{
    return FloatToStrF(v, TFloatFormat::General, p, 0, sep);
}
} // namespace

// The totals panel's number form.
TEST(NumberFormat, GeneralFiveDigits)
{
    EXPECT_EQ(FormatGeneral(1.235, 5, '.'), "1.235");
    EXPECT_EQ(FormatGeneral(12.3456, 5, '.'), "12.346");
    EXPECT_EQ(FormatGeneral(123.456, 5, ','), "123,46");
    EXPECT_EQ(FormatGeneral(12, 5, '.'), "12");
    EXPECT_EQ(FormatGeneral(0, 5, '.'), "0");
    EXPECT_EQ(FormatGeneral(99999.6, 5, '.'), "1E5");
    EXPECT_EQ(FormatGeneral(123456, 5, '.'), "1.2346E5");
    EXPECT_EQ(FormatGeneral(0.0001, 5, '.'), "0.0001");
    EXPECT_EQ(FormatGeneral(0.000001234, 5, '.'), "1.234E-6");
    EXPECT_EQ(FormatGeneral(-1.5, 5, '.'), "-1.5");
    EXPECT_EQ(FormatGeneral(float(1.201f), 5, '.'), "1.201");
}
