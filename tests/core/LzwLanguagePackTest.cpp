#include <gtest/gtest.h>

#include "LzwTestSupport.h"
#include "lang/LanguagePack.h"
#include "lang/Lzw.h"

using namespace kalorina;
using namespace kalorina::lzwtest;

TEST(LzwLanguagePack, ResultDecodesUnderTheStrictRule)
{
    const std::string xml = "<language id=\"Magyar\" UserInterface=\"yes\"></language>\n";
    PackedLanguage packed = PackLanguage(xml);
    EXPECT_EQ(packed.blanksAdded, 0);
    EXPECT_EQ(packed.data, Compressing::Encode(xml));

    // A source whose plain encoding a strict decoder rejects gets a trailing blank.
    const std::string awkward = DistinctPairs(766);
    packed = PackLanguage(awkward);
    EXPECT_GT(packed.blanksAdded, 0);
    EXPECT_EQ(Compressing::Decode(packed.data, Compressing::EndWidth::Strict),
              awkward + std::string(packed.blanksAdded, ' '));
}
