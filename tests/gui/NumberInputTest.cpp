#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

#include "GuiTest.h"

#include "platform/NumberInput.h"
#include "util/Error.h"

using namespace kalorina;
using namespace kalorina::gui;

namespace {
class NumberInputTest : public kalorina::test::GuiTest {};
} // namespace

TEST_F(NumberInputTest, BadNumberFocusesItsEdit)
{
    UseLanguage({{"IDS_WRONGVALUE", "Wrong value"}});
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* good = new QLineEdit(QStringLiteral("1,5"));
    auto* bad = new QLineEdit(QStringLiteral("-2"));
    layout->addWidget(good);
    layout->addWidget(bad);
    window.show();
    QApplication::setActiveWindow(&window);
    good->setFocus();
    EXPECT_DOUBLE_EQ(double(NumberFromControl(good, NumberKind::Positive)), 1.5);
    try {
        NumberFromControl(bad, NumberKind::Positive);
        FAIL() << "a negative number passed as positive";
    } catch (const KalorinaError& e) {
        EXPECT_STREQ(e.what(), "Wrong value");
    }
    QApplication::processEvents();
    EXPECT_TRUE(bad->hasFocus());
}
