#include <QApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

#include "GuiTest.h"

#include "platform/NumberInput.h"
#include "platform/QtText.h"
#include "util/Error.h"

using namespace kalorina;
using namespace kalorina::gui;

namespace {
class NumberInputTest : public kalorina::test::GuiTest {};
} // namespace

// A bad number names the field by the caption beside its edit, whatever the layout,
// keeps what was typed, and gives the edit the focus with the text selected.
TEST_F(NumberInputTest, BadNumberNamesItsFieldAndFocusesItsEdit)
{
    UseLanguage({{"IDS_INPUTRANGE", "%s: from %s to %s"}});
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* grid = new QGridLayout;
    auto* form = new QFormLayout;
    layout->addLayout(grid);
    layout->addLayout(form);
    auto* good = new QLineEdit(QStringLiteral("1,5"));
    auto* bad = new QLineEdit(QStringLiteral("99999999999999"));
    auto* inForm = new QLineEdit(QStringLiteral("x"));
    grid->addWidget(new QLabel(QStringLiteral("&Area:")), 0, 0);
    grid->addWidget(good, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Heat loss:")), 1, 0);
    grid->addWidget(bad, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("W")), 1, 2);
    form->addRow(QStringLiteral("Hőmérséklet:"), inForm);
    window.show();
    QApplication::setActiveWindow(&window);
    good->setFocus();
    EXPECT_DOUBLE_EQ(NumberFromControl(good, InputKind::Area), 1.5);
    EXPECT_EQ(FieldName(good), "Area");

    const std::pair<QLineEdit*, std::string> cases[] = {{bad, "Heat loss: from 0 to 1000000 W"},
                                                        {inForm,
                                                         "H\xF5m\xE9rs\xE9klet: from -40 to 100 \xB0"
                                                         "C"}};
    for (const auto& [edit, message] : cases) {
        const QString typed = edit->text();
        try {
            NumberFromControl(edit, edit == bad ? InputKind::HeatLoss : InputKind::Temperature);
            FAIL() << "passed: " << typed.toStdString();
        } catch (const KalorinaError& e) {
            EXPECT_EQ(e.what(), message);
        }
        QApplication::processEvents();
        EXPECT_TRUE(edit->hasFocus());
        EXPECT_EQ(edit->text(), typed);
        EXPECT_EQ(edit->selectedText(), typed);
    }
}
