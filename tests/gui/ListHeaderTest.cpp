#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <memory>

#include "GuiTest.h"
#include "lang/TLanguages.h"
#include "listview/TChangeHeaderForm.h"
#include "listview/TListHeader.h"
#include "listview/TListViewWithHeader.h"
#include "platform/SettingsStore.h"

using namespace kalorina;
using namespace kalorina::gui;

namespace {

// A dialog-like window with one header over one list.
struct ListWindow {
    explicit ListWindow(const std::string& registryName, int width = 700)
    {
        window.setObjectName("TestForm");
        auto* layout = new QVBoxLayout(&window);
        layout->setSpacing(0);
        header = new TListHeader;
        header->setObjectName("ListHeader1");
        list = new TListViewWithHeader;
        layout->addWidget(header);
        layout->addWidget(list);
        list->SetUp(header, "FloorHeatingChoose", registryName);
        const char* rows[][6] = {
            {"100", "\\red98.4", "31.2", "3.1", "305", "41"},
            {"150", "81.0", "29.5", "3.8", "308", "40"},
            {"200", "\\green66.3", "\\blue27.9", "-", "-", "39"},
        };
        for (const auto& row : rows)
            list->AddRow(std::vector<std::string>(row, row + 6));
        window.resize(width, 220);
        window.show();
        QApplication::processEvents();
    }
    QWidget window;
    TListHeader* header = nullptr;
    TListViewWithHeader* list = nullptr;
};

class ListHeaderGui : public test::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        store_ = &Store();
    }

    // Runs `edit` on the column setup once it is open, then presses `button`.
    bool RunSetup(TListHeader* header, const std::function<void(QDialog*)>& edit, const char* button)
    {
        header->SetServices(Services());
        OnModal(
            [&](QDialog& dialog) {
                edit(&dialog);
                dialog.findChild<QPushButton*>(button)->click();
            },
            "ChangeHeaderForm");
        return header->ChangeColumnsPropertis();
    }

    MemorySettingsStore* store_ = nullptr;
    int Shown() const { return static_cast<int>(messages.shown.size()); }
};

TEST_F(ListHeaderGui, HeaderFollowsHorizontalScroll)
{
    ListWindow w("ScrollTest", 250);
    ASSERT_EQ(w.list->columnCount(), 6);
    EXPECT_EQ(w.list->columnWidth(1), 10 * w.header->Format().averageCharWidth);
    ASSERT_GE(w.list->horizontalScrollBar()->maximum(), 40);
    const QImage before = w.header->grab().toImage();
    w.list->horizontalScrollBar()->setValue(40);
    QApplication::processEvents();
    EXPECT_EQ(w.header->ScrollPos(), 40);
    const QImage after = w.header->grab().toImage();
    const int width = before.width() - 40;
    EXPECT_EQ(after.copy(0, 0, width, before.height()), before.copy(40, 0, width, before.height()));
    EXPECT_NE(after, before);
}

TEST_F(ListHeaderGui, ListFontAndHeaderName)
{
    ListWindow small("FontTest");
    const int smallWidth = small.header->sizeHint().width();
    store_->CreateKey("Software\\Vexalon\\Kalorina\\Fonts");
    store_->WriteValue("Software\\Vexalon\\Kalorina\\Fonts", "ListSize", SettingsValue::Integer(16));
    ListWindow large("FontTest");
    EXPECT_EQ(large.header->font().pointSize(), 16);
    EXPECT_GT(large.header->sizeHint().width(), smallWidth);
    EXPECT_GT(large.header->height(), small.header->height());

    auto* list = new TListViewWithHeader(&small.window);
    list->SetHeaderName("NoSuchHeader");
    EXPECT_EQ(list->Header(), nullptr);
    EXPECT_TRUE(list->HeaderName().isEmpty());
    list->SetHeaderName("ListHeader1");
    EXPECT_EQ(list->Header(), small.header);
    EXPECT_EQ(list->columnCount(), 6);
}

TEST_F(ListHeaderGui, FirstColumnCannotBeHidden)
{
    UseLanguage({{"ID_NEEDFIRSTCOLUMN", "The first column must stay"}}, "Test");

    ListWindow w("FirstTest");
    TChangeHeaderForm form(w.header->Format(), w.header->font(), "FirstTest", "Kalorina", Services());
    auto* list = form.findChild<QListWidget*>("ColumnsList");
    ASSERT_EQ(list->count(), 6);
    EXPECT_FALSE(form.findChild<QPushButton*>("MoveUpButton")->isEnabled());
    EXPECT_FALSE(form.findChild<QPushButton*>("MoveDownButton")->isEnabled());
    list->setCurrentRow(1);
    EXPECT_FALSE(form.findChild<QPushButton*>("MoveUpButton")->isEnabled());
    EXPECT_TRUE(form.findChild<QPushButton*>("MoveDownButton")->isEnabled());
    form.show();
    form.grab().save(QString(KALORINA_BINARY_DIR) + "/change-header-form.png");
    list->item(0)->setCheckState(Qt::Unchecked);
    messages.Answer(MessageAnswer::Ok);
    form.findChild<QPushButton*>("OKButton")->click();
    ASSERT_EQ(Shown(), 1);
    EXPECT_EQ(messages.LastText(), "The first column must stay");
    EXPECT_TRUE(w.header->Format().columns[0].visible);
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST_F(ListHeaderGui, SetupCancelsAndSaves)
{
    ListWindow w("SetupTest");
    auto hideSecond = [](QDialog* d) {
        d->findChild<QListWidget*>("ColumnsList")->item(2)->setCheckState(Qt::Unchecked);
    };
    EXPECT_FALSE(RunSetup(w.header, hideSecond, "CancelButton"));
    EXPECT_TRUE(w.header->Format().columns[2].visible);
    EXPECT_EQ(w.list->topLevelItemCount(), 3);

    bool changed = false;
    QObject::connect(w.header, &TListHeader::ColumnsChanged, [&] { changed = true; });
    auto edit = [&](QDialog* d) {
        hideSecond(d);
        auto* list = d->findChild<QListWidget*>("ColumnsList");
        list->setCurrentRow(4); // ".0Fcr4"
        d->findChild<QLineEdit*>("Width")->setText("1");
        d->findChild<QCheckBox*>("UserDefined")->setChecked(true);
        d->findChild<QLineEdit*>("FirstLine")->setText("Q");
        d->findChild<QLineEdit*>("SecondLine")->setText("[kW]");
        d->findChild<QLineEdit*>("Factor")->setText("0,001");
        d->findChild<QPushButton*>("MoveUpButton")->click();
    };
    EXPECT_TRUE(RunSetup(w.header, edit, "OKButton"));
    EXPECT_TRUE(changed);
    EXPECT_EQ(w.list->topLevelItemCount(), 0); // waits to be refilled
    EXPECT_EQ(w.list->columnCount(), 5);
    const auto& col4 = w.header->Format().columns[4];
    EXPECT_EQ(col4.width, 3);
    EXPECT_EQ(col4.FormatReal(12345.0, '.'), "12"); // fixed, no decimals, × 0.001

    const std::string key = "Software\\Vexalon\\Kalorina\\Headers\\SetupTest";
    EXPECT_EQ(store_->ReadValue(key, "Order")->text, "0,1,2,4,3,5");
    EXPECT_EQ(store_->ReadValue(key, "2")->text, "-10cr5.1f");

    ListWindow second("SetupTest");
    EXPECT_EQ(second.list->columnCount(), 5);
    EXPECT_FALSE(second.header->Format().columns[2].visible);
    EXPECT_EQ(second.header->Format().ColumnAt(3)->columnId, 4);
    EXPECT_EQ(second.header->Format().ColumnAt(3)->Caption(1), "[kW]");
    ListWindow other("OtherName");
    EXPECT_EQ(other.list->columnCount(), 6);
}

TEST_F(ListHeaderGui, BadWidthKeepsTheDialogOpen)
{
    ListWindow w("BadWidth");
    TChangeHeaderForm form(w.header->Format(), w.header->font(), "BadWidth", "Kalorina", Services());
    form.findChild<QLineEdit*>("Width")->setText("wide");
    messages.Answer(MessageAnswer::Ok);
    messages.Answer(MessageAnswer::Ok);
    form.findChild<QListWidget*>("ColumnsList")->setCurrentRow(3);
    EXPECT_EQ(form.SelectedEntry(), 0);
    form.findChild<QPushButton*>("OKButton")->click();
    EXPECT_EQ(Shown(), 2);
    EXPECT_EQ(form.result(), 0);
    EXPECT_FALSE(store_->ReadValue("Software\\Vexalon\\Kalorina\\Headers\\BadWidth", "Order"));
}

bool HasColour(const QImage& image, const QRect& rect, bool (*match)(QColor))
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (match(image.pixelColor(x, y)))
                return true;
    return false;
}

TEST_F(ListHeaderGui, ColouredCellsAndPicture)
{
    ListWindow w("PictureTest");
    w.list->clearSelection();
    w.list->setCurrentItem(nullptr);
    QApplication::processEvents();
    const QImage image = w.list->viewport()->grab().toImage();
    auto red = [](QColor c) { return c.red() > 200 && c.green() < 80 && c.blue() < 80; };
    auto blue = [](QColor c) { return c.blue() > 200 && c.red() < 80 && c.green() < 80; };
    const QRect redCell = w.list->visualRect(w.list->model()->index(0, 1));
    const QRect plainCell = w.list->visualRect(w.list->model()->index(1, 1));
    const QRect blueCell = w.list->visualRect(w.list->model()->index(2, 2));
    EXPECT_TRUE(HasColour(image, redCell, red));
    EXPECT_FALSE(HasColour(image, plainCell, red));
    EXPECT_TRUE(HasColour(image, blueCell, blue));

    w.list->topLevelItem(1)->setSelected(true);
    w.window.grab().save(QString(KALORINA_BINARY_DIR) + "/list-header.png");

    // Greek letters of the Symbol font, drawn with the list font.
    TListHeader resist;
    resist.SetFormatName("ResistItemsTitle");
    resist.resize(resist.sizeHint());
    const QImage greek = resist.grab().toImage();
    greek.save(QString(KALORINA_BINARY_DIR) + "/list-header-greek.png");
    EXPECT_EQ(resist.Format().VisibleColumns().size(), 6u);
}

} // namespace
