#include <gtest/gtest.h>

#include "LzwTestSupport.h"
#include "lang/Lzw.h"
#include "util/Error.h"

using namespace kalorina;
using namespace kalorina::lzwtest;

namespace {
constexpr auto kStrict = Compressing::EndWidth::Strict;
}

TEST(LzwEncode, SmallExamplesBitForBit)
{
    EXPECT_EQ(Compressing::Encode(""), "");
    EXPECT_EQ(Compressing::Decode(""), "");
    // Codes 256, 65, 257 at 9 bits: 27 bits and 5 bits of zero padding.
    EXPECT_EQ(Compressing::Encode("A"), std::string("\x80\x10\x60\x20", 4));
    // The third code is the entry being defined by it ("aa").
    const std::string aaaa = Pack({{256, 9}, {97, 9}, {258, 9}, {97, 9}, {257, 9}});
    EXPECT_EQ(Compressing::Encode("aaaa"), aaaa);
    EXPECT_EQ(Compressing::Decode(aaaa, kStrict), "aaaa");

    std::vector<std::uint8_t> bytes{0x41}, packed, back;
    Compressing::Encode(bytes, packed);
    EXPECT_EQ(packed, (std::vector<std::uint8_t>{0x80, 0x10, 0x60, 0x20}));
    Compressing::Decode(packed, back);
    EXPECT_EQ(back, bytes);
}

// The naive model keeps whole strings in a map: it shares no structure with the
// encoder, so a fault in the sibling lists, the widths or the restart shows here.
TEST(LzwEncode, AgreesWithNaiveModel)
{
    std::mt19937 rng(7);
    std::vector<std::string> inputs = {
        "x",
        "ab",
        "abababababababab",
        "TOBEORNOTTOBEORTOBEORNOT#",
        DistinctPairs(766),
        DistinctPairs(3839),
        DistinctPairs(4096),
        RandomBytes(rng, 30000),
        RandomBytes(rng, 60000, 3),
        RandomBytes(rng, 9000, 40),
    };
    std::string text;
    while (text.size() < 100000)
        text += "<item id=\"IDS_ROOM" + std::to_string(text.size() % 977) + "\" value=\"Helyis\xE9g\"></item>\n";
    inputs.push_back(text);
    for (const auto& in : inputs) {
        const std::string encoded = Compressing::Encode(in);
        EXPECT_EQ(encoded, Pack(ReferenceCodes(in))) << "input of " << in.size() << " bytes";
        EXPECT_EQ(Compressing::Decode(encoded), in);
    }
}

TEST(LzwEncode, FullDictionaryRestartsWithThirteenBitClear)
{
    // 3838 data codes fill the dictionary (9, 10, 11 and 12 bits wide); the clear
    // code follows at 13 bits and the widths start again at 9.
    const std::string in = DistinctPairs(3841);
    const std::string encoded = Compressing::Encode(in);
    const std::size_t clearAt = 9 + 254 * 9 + 512 * 10 + 1024 * 11 + 2048 * 12;
    EXPECT_EQ(BitsAt(encoded, 9 + 253 * 9, 9), static_cast<unsigned char>(in[253]));
    EXPECT_EQ(BitsAt(encoded, clearAt - 12, 12), static_cast<unsigned char>(in[3837]));
    EXPECT_EQ(BitsAt(encoded, clearAt, 13), 256);
    EXPECT_EQ(BitsAt(encoded, clearAt + 13, 9), static_cast<unsigned char>(in[3838]));
    EXPECT_EQ(BitsAt(encoded, clearAt + 13 + 27, 9), 257);
    EXPECT_EQ(encoded.size(), (clearAt + 13 + 36 + 7) / 8);
    EXPECT_EQ(Compressing::Decode(encoded, kStrict), in);
}

TEST(LzwDecode, ClearCodeAnywhereRestartsTheDictionary)
{
    // A, B (258 = AB), AB (259 = BA), clear, C, C (258 = CC), CC (259 = CCC).
    const std::string s = Pack({{256, 9}, {65, 9}, {66, 9}, {258, 9}, {256, 9}, {67, 9}, {67, 9}, {258, 9}, {257, 9}});
    EXPECT_EQ(Compressing::Decode(s, kStrict), "ABABCCCC");
    // Clear and end codes straight after a clear are allowed; the data after the
    // end code are not read.
    EXPECT_EQ(Compressing::Decode(Pack({{256, 9}, {256, 9}, {257, 9}, {65, 9}})), "");
}

TEST(LzwDecode, RejectsMalformedStreams)
{
    // Codes of one more entry than the dictionary can hold, from a decoder's view.
    Codes full{{256, 9}, {65, 9}};
    int next = 258, width = 9;
    while (next < 4096) {
        full.push_back({65, width});
        if (++next + 1 == (1 << width))
            ++width;
    }
    Codes fullThenClear = full;
    fullThenClear.push_back({256, 13});
    fullThenClear.push_back({66, 9});
    fullThenClear.push_back({257, 9});
    EXPECT_EQ(Compressing::Decode(Pack(fullThenClear), kStrict).size(), 3839u + 1u);
    full.push_back({65, 13});
    full.push_back({257, 13});

    const std::pair<const char*, std::string> cases[] = {
        {"no clear code first", Pack({{65, 9}, {257, 9}})},
        {"one byte", std::string("\x80", 1)},
        {"code not yet defined", Pack({{256, 9}, {65, 9}, {259, 9}, {257, 9}})},
        {"dictionary code straight after clear", Pack({{256, 9}, {258, 9}, {257, 9}})},
        {"no end code", Pack({{256, 9}, {65, 9}, {66, 9}})},
        {"code after full dictionary", Pack(full)},
    };
    for (const auto& [name, stream] : cases) {
        EXPECT_THROW(Compressing::Decode(stream), KalorinaError) << name;
        EXPECT_THROW(Compressing::Decode(stream, kStrict), KalorinaError) << name;
    }
}

TEST(LzwDecode, EveryTruncationIsRejected)
{
    std::mt19937 rng(11);
    for (const std::string& in : {std::string("Kalorina padl\xF3"
                                              "f\xFB"
                                              "t\xE9"
                                              "s"),
                                  RandomBytes(rng, 3000), RandomBytes(rng, 6000, 5)}) {
        const std::string encoded = Compressing::Encode(in);
        for (std::size_t n = 1; n < encoded.size(); ++n) {
            const std::string_view cut(encoded.data(), n);
            EXPECT_THROW(Compressing::Decode(cut), KalorinaError) << n << " of " << encoded.size();
            EXPECT_THROW(Compressing::Decode(cut, kStrict), KalorinaError) << n;
        }
    }
}

// With 766, 1790 or 3838 data codes the encoder's last code is the one after which
// the decoder widens, and the end code spans two bytes: the original decoder reads
// it one bit too wide.
TEST(LzwDecode, EndCodeAtEitherWidthAfterTheLastWidening)
{
    for (std::size_t n : {766u, 1790u, 3838u}) {
        const std::string in = DistinctPairs(n);
        const std::string encoded = Compressing::Encode(in);
        EXPECT_THROW(Compressing::Decode(encoded, kStrict), KalorinaError) << n;
        EXPECT_EQ(Compressing::Decode(encoded), in) << n;

        // The same stream with the end code at the width a strict decoder expects.
        Codes codes = ReferenceCodes(in);
        codes.back().second += 1;
        EXPECT_EQ(Compressing::Decode(Pack(codes), kStrict), in) << n;
        EXPECT_EQ(Compressing::Decode(Pack(codes)), in) << n;

        for (std::size_t m : {n - 1, n + 1})
            EXPECT_EQ(Compressing::Decode(Compressing::Encode(DistinctPairs(m)), kStrict), DistinctPairs(m));
    }
}

TEST(LzwRoundTrip, RandomDataOfManySizes)
{
    std::mt19937 rng(2024);
    for (std::size_t n :
         {1u, 2u, 3u, 255u, 256u, 257u, 511u, 512u, 1023u, 4095u, 4096u, 4097u, 20000u, 65536u, 300000u}) {
        for (int alphabet : {256, 17, 2}) {
            const std::string in = RandomBytes(rng, n, alphabet);
            const std::string encoded = Compressing::Encode(in);
            ASSERT_EQ(Compressing::Decode(encoded), in) << n << "/" << alphabet;
        }
    }
    // Many short inputs: Encode's output always decodes; where the strict decoder
    // accepts it, it gives the same bytes.
    int strictFailures = 0;
    for (int i = 0; i < 4000; ++i) {
        const std::string in = RandomBytes(rng, rng() % 3000 + 1, i % 2 ? 256 : 4);
        const std::string encoded = Compressing::Encode(in);
        ASSERT_EQ(Compressing::Decode(encoded), in) << i;
        try {
            ASSERT_EQ(Compressing::Decode(encoded, kStrict), in) << i;
        } catch (const KalorinaError&) {
            ++strictFailures;
        }
    }
    EXPECT_LT(strictFailures, 20);
}

TEST(LzwRoundTrip, MultiMegabyteInput)
{
    std::mt19937 rng(5);
    std::string in = RandomBytes(rng, 2 << 20);
    for (int i = 0; in.size() < (8u << 20); ++i)
        in += "<formitem name=\"Label" + std::to_string(i % 5000) + "\" type=\"TLabel\"></formitem>\n";
    std::vector<std::uint8_t> bytes(in.begin(), in.end()), encoded, decoded;
    Compressing::Encode(bytes, encoded);
    EXPECT_LT(encoded.size(), bytes.size() / 2);
    Compressing::Decode(encoded, decoded);
    EXPECT_TRUE(decoded == bytes);
}
