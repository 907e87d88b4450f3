#include <gtest/gtest.h>
#include <iconv.h>

#include <cmath>

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
#include "util/Json.h"

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

// Singles and figures summed from singles show the decimal that was typed, not the
// digits of their binary form: the lists and dialogs, the command line and its JSON
// alike.
TEST(NumberFormat, ShortestDecimalAtThePrecisionCarried)
{
    EXPECT_EQ(SingleToStr(24.7f, '.'), "24.7");
    EXPECT_EQ(SingleToStr(24.7f, ','), "24,7");
    EXPECT_EQ(SingleToStr(1000.0f, '.'), "1000"); // not "1E3"
    EXPECT_EQ(SingleToStr(0.1f, '.'), "0.1");
    EXPECT_EQ(SingleToStr(-2.5f, '.'), "-2.5");
    EXPECT_EQ(SingleToStr(9.53674316e-07f, '.'), "9.53674E-7");
    EXPECT_EQ(SingleToStr(16777216.0f, '.'), "16777216");
    // A sum of singles shows the decimal it stands for ...
    EXPECT_EQ(SingleToStr(2.5f + 9.2f, '.'), "11.7");
    EXPECT_EQ(SingleToStr(0.4f + 8.7f, '.'), "9.1");
    EXPECT_EQ(SingleToStr(std::nextafter(68.0f, 100.0f), '.'), "68");
    // ... and any single reads back within a few units of its last place.
    for (float v : {1.23456789f, 3.0e-5f, 987654.3f, 0.3f, 1.0f / 3, 0.34465855f}) {
        const double read = LeadingFloat(SingleToStr(v, '.'));
        EXPECT_LE(std::fabs(read - v), 4.0 * (std::nextafter(v, 1e9f) - v)) << SingleToStr(v, '.');
    }
    // JSON always writes a point.
    EXPECT_EQ(JsonNumber(24.7f), "24.7");
    EXPECT_EQ(JsonNumber(-0.35f), "-0.35");
    EXPECT_EQ(JsonNumber(150), "150");

    // A maximum the float sums made 8.7000008 m2.
    EXPECT_EQ(FloatToStrWithin(double(8.7f) + 9.5367431640625e-07, 0.00005, ','), "8,7");
    EXPECT_EQ(FloatToStrWithin(12.34567, 0.00005, '.'), "12.3457");
    EXPECT_EQ(FloatToStrWithin(1000.0000004, 0.00005, '.'), "1000");
    EXPECT_EQ(FloatToStrWithin(0, 0.00005, '.'), "0");
}
