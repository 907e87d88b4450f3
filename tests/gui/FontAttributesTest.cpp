#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <gtest/gtest.h>

#include "GuiTest.h"

#include "platform/FontAttributes.h"

using namespace kalorina;
using namespace kalorina::gui;

namespace {
class FontAttributesTest : public kalorina::test::GuiTest {};
} // namespace

TEST_F(FontAttributesTest, MissingWindowsFontsFallBackToAnInstalledFamily)
{
    QFont f;
    ApplyToFont({"MS Sans Serif", 12}, f);
    EXPECT_EQ(f.pointSize(), 12);
    EXPECT_TRUE(QFontDatabase::families().contains(QFontInfo(f).family()));
    EXPECT_FALSE(f.family().isEmpty());

    QFont unchanged(QStringLiteral("DejaVu Sans"), 9);
    ApplyToFont({}, unchanged); // an empty record changes nothing
    EXPECT_EQ(unchanged.family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(unchanged.pointSize(), 9);

    QLabel label;
    ShowOnLabel({"Times New Roman", 10}, &label);
    EXPECT_EQ(label.text(), QStringLiteral("10 pontos Times New Roman"));
    EXPECT_EQ(label.font().pointSize(), 10);
}
