#include <gtest/gtest.h>

#include <memory>

#include "listview/TListHeaderFormat.h"
#include "platform/Registry.h"
#include "util/Error.h"

using namespace kalorina;

namespace {

class ListHeaderLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto store = std::make_unique<MemorySettingsStore>();
        store_ = store.get();
        SetSettingsStore(std::move(store));
        SetDecimalSeparator(',');
    }
    void TearDown() override { SetDecimalSeparator('.'); }

    std::string Stored(const std::string& name)
    {
        auto v = store_->ReadValue(kKey, name);
        return v ? v->text : "<missing>";
    }
    void Store(const std::string& name, const std::string& text)
    {
        store_->CreateKey(kKey);
        store_->WriteValue(kKey, name, SettingsValue::String(text));
    }

    static constexpr const char* kKey = "Software\\Vexalon\\Kalorina\\Headers\\Test1";
    MemorySettingsStore* store_ = nullptr;
};

TListHeaderFormat FourColumns()
{
    TListHeaderFormat f;
    f.Parse("2\r\n4\r\n8\r\nsll0\r\nA\r\n\r\n10\r\n.1Fcr1\r\nB\r\n\r\n"
            "10\r\nGcr2\r\nC\r\n\r\n-6\r\nIcr3\r\nD\r\n\r\n");
    return f;
}

TEST_F(ListHeaderLayout, OrderPlacesEveryColumnOnce)
{
    TListHeaderFormat f = FourColumns();
    f.ReadOrder("3,1");
    EXPECT_EQ(f.displayOrder, (std::vector<std::int16_t>{3, 1, 0, 2}));
    f.ReadOrder("2,2,9,0,,1"); // repeated and unknown ids
    EXPECT_EQ(f.displayOrder, (std::vector<std::int16_t>{2, 0, 1, 3}));
    f.ReadOrder("1,x,3"); // reading stops at a foreign character
    EXPECT_EQ(f.displayOrder, (std::vector<std::int16_t>{1, 0, 2, 3}));
    f.ReadOrder("");
    EXPECT_EQ(f.displayOrder, (std::vector<std::int16_t>{0, 1, 2, 3}));
}

TEST_F(ListHeaderLayout, SavedValueTexts)
{
    TListHeaderFormat f = FourColumns();
    f.SwapColumns(1, 3);
    f.columns[1].visible = false;
    f.columns[2].customCaption = true;
    f.columns[2].customCaptionLines = {"Q", "[kW]"};
    f.columns[2].factor = 0.001f;
    f.columns[2].zeroShown = true;
    f.SaveLayout("Kalorina", "Test1");

    EXPECT_EQ(Stored("Order"), "0,3,2,1");
    EXPECT_EQ(Stored("0"), "8lls");
    EXPECT_EQ(Stored("1"), "-10cr5.1F");
    EXPECT_EQ(Stored("2"), "10cr5.3g@Q@[kW]@0,001");
    EXPECT_EQ(Stored("3"), "-6crI");

    TListHeaderFormat g = FourColumns();
    g.LoadLayout("Kalorina", "Test1");
    EXPECT_EQ(g.displayOrder, f.displayOrder);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(g.columns[i], f.columns[i]) << i;
}

TEST_F(ListHeaderLayout, LoadedValuesOverrideTheResource)
{
    Store("1", "12lrs");    // a real column turned into text, zeros shown
    Store("2", "-5cc7.2E"); // hidden, scientific
    Store("3", "9rl2.4i@@second");
    TListHeaderFormat f = FourColumns();
    f.LoadLayout("Kalorina", "Test1");

    EXPECT_EQ(f.columns[0], FourColumns().columns[0]); // no value: untouched
    EXPECT_EQ(f.columns[1].width, 12);
    EXPECT_EQ(f.columns[1].valueKind, TValueKind::Text);
    EXPECT_EQ(f.columns[1].titleAlignment, TAlignment::Left);
    EXPECT_EQ(f.columns[1].dataAlignment, TAlignment::Right);
    EXPECT_FALSE(f.columns[2].visible);
    EXPECT_EQ(f.columns[2].realFormat, TFloatFormat::Exponent);
    EXPECT_EQ(f.columns[2].precision, 7);
    EXPECT_EQ(f.columns[2].digits, 2);
    EXPECT_FALSE(f.columns[2].zeroShown);
    EXPECT_TRUE(f.columns[3].visible);
    EXPECT_TRUE(f.columns[3].zeroShown);
    EXPECT_TRUE(f.columns[3].customCaption);
    EXPECT_EQ(f.columns[3].customCaptionLines[0], "");
    EXPECT_EQ(f.columns[3].customCaptionLines[1], "second");
    EXPECT_FLOAT_EQ(f.columns[3].factor, 1.0f); // nothing after the second line

    // A factor stored while the language wrote the other decimal sign still reads.
    Store("2", "10cr5.3g@Q@[kW]@0.001");
    TListHeaderFormat g = FourColumns();
    g.LoadLayout("Kalorina", "Test1");
    EXPECT_TRUE(g.columns[2].customCaption);
    EXPECT_FLOAT_EQ(g.columns[2].factor, 0.001f);
}

TEST_F(ListHeaderLayout, DamagedValuesKeepTheBuiltInColumn)
{
    // A factor that is no number, and a value of the wrong type: those columns keep
    // their built-in settings; the sound ones and the order are still taken.
    Store("Order", "3,2,1,0");
    Store("2", "10crG@a@b@x1");
    Store("0", "-33");
    Settings().WriteValue("Software\\Vexalon\\Kalorina\\Headers\\Test1", "1", SettingsValue::Integer(5));
    TListHeaderFormat built = FourColumns();
    TListHeaderFormat f = FourColumns();
    EXPECT_NO_THROW(f.LoadLayout("Kalorina", "Test1"));
    EXPECT_EQ(f.columns[2].width, built.columns[2].width);
    EXPECT_FALSE(f.columns[2].customCaption);
    EXPECT_EQ(f.columns[1].width, built.columns[1].width);
    EXPECT_FALSE(f.columns[0].visible);
    EXPECT_EQ(f.columns[0].width, 33);
    EXPECT_EQ(f.ColumnAt(0)->columnId, 3);
}

TEST_F(ListHeaderLayout, AtSignsAreKeptOutOfStoredCaptions)
{
    TListHeaderFormat f = FourColumns();
    f.columns[1].customCaption = true;
    f.columns[1].customCaptionLines = {"a@b", "c"};
    f.columns[1].factor = 2.5f;
    f.SaveLayout("Kalorina", "Test1");
    EXPECT_EQ(Stored("1"), "10cr5.1F@ab@c@2,5");
    TListHeaderFormat g = FourColumns();
    g.LoadLayout("Kalorina", "Test1");
    EXPECT_FLOAT_EQ(g.columns[1].factor, 2.5f);
}

TEST_F(ListHeaderLayout, EmptyRegistryNameUsesTheHeadersKey)
{
    TListHeaderFormat f = FourColumns();
    f.SaveLayout("Kalorina", "");
    EXPECT_TRUE(store_->ReadValue("Software\\Vexalon\\Kalorina\\Headers", "Order").has_value());
    f.SaveLayout("Other", "X");
    EXPECT_TRUE(store_->ReadValue("Software\\Vexalon\\Other\\Headers\\X", "Order").has_value());
}

TEST_F(ListHeaderLayout, ValueFormatting)
{
    TListHeaderFormat f;
    ASSERT_TRUE(f.LoadFormat("FloorHeatingChoose"));
    EXPECT_EQ(f.columns[4].FormatReal(0.0), "-"); // ".0Fcr4"
    EXPECT_EQ(f.columns[4].FormatReal(1234.4), "1234");
    EXPECT_EQ(f.columns[2].FormatReal(0.0), "0,0"); // ".1fcr2"
    EXPECT_EQ(f.columns[2].FormatReal(28.96), "29,0");
    EXPECT_EQ(f.columns[2].FormatReal(-3.25, '.'), "-3.3");

    TListHeaderFormatCol general;
    general.valueKind = TValueKind::Real;
    general.customCaption = true;
    general.factor = 0.001f;
    EXPECT_EQ(general.FormatReal(2500.0), "2,5");
    general.customCaption = false; // the factor applies only with the custom caption
    EXPECT_EQ(general.FormatReal(2500.0), "2500");

    TListHeaderFormatCol integer;
    integer.zeroShown = false;
    EXPECT_EQ(integer.FormatInteger(0), "-");
    EXPECT_EQ(integer.FormatInteger(-12), "-12");
    integer.zeroShown = true;
    EXPECT_EQ(integer.FormatInteger(0), "0");
}

TEST(FloatFormat, ThreeForms)
{
    EXPECT_EQ(FloatToStrF(1234.5678, TFloatFormat::General, 5, 3, '.'), "1234.6");
    EXPECT_EQ(FloatToStrF(123456.0, TFloatFormat::General, 5, 0, '.'), "1.2346E5");
    EXPECT_EQ(FloatToStrF(0.000001234, TFloatFormat::General, 5, 2, '.'), "1.234E-06");
    EXPECT_EQ(FloatToStrF(0.1, TFloatFormat::General, 15, 0, '.'), "0.1");
    EXPECT_EQ(FloatToStrF(1234.5678, TFloatFormat::Exponent, 5, 3, ','), "1,2346E+003");
    EXPECT_EQ(FloatToStrF(0.0, TFloatFormat::Exponent, 3, 2, '.'), "0.00E+00");
    EXPECT_EQ(FloatToStrF(99.96, TFloatFormat::Fixed, 5, 1, '.'), "100.0");
    EXPECT_EQ(FloatToStrF(0.004, TFloatFormat::Fixed, 5, 2, '.'), "0.00");
    EXPECT_EQ(FloatToStrF(0.006, TFloatFormat::Fixed, 5, 2, '.'), "0.01");
    EXPECT_EQ(FloatToStrF(123.456, TFloatFormat::Fixed, 4, 3, '.'), "123.500");
    EXPECT_EQ(FloatToStrF(1234567.0, TFloatFormat::Fixed, 5, 1, '.'), "1.2346E6");
    EXPECT_EQ(FloatToStrF(2.5, TFloatFormat::Fixed, 5, 0, '.'), "3");

    EXPECT_DOUBLE_EQ(StrToFloat(" -1,5e2 ", ','), -150.0);
    EXPECT_THROW(StrToFloat("1.5", ','), KalorinaError);
    EXPECT_THROW(StrToFloat("", '.'), KalorinaError);
    EXPECT_DOUBLE_EQ(LeadingFloat("0.001kW"), 0.001);
    EXPECT_DOUBLE_EQ(LeadingFloat("kW"), 0.0);
    EXPECT_DOUBLE_EQ(LeadingFloat("inf"), 0.0);
}

} // namespace
