// The printing dialogs of the project and of the bill of materials, the print preview and the page number dialog driven through
// their widgets, with a printer that writes a PDF file.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "GuiTest.h"
#include "app/Startup.h"
#include "app/TMainForm.h"
#include "design/ManifoldDesign.h"
#include "lang/PrintingScope.h"
#include "lang/TLanguages.h"
#include "materials/MaterialTreeView.h"
#include "materials/TUsedMaterial.h"
#include "materials/TUsedMaterialsPrintingForm.h"
#include "platform/Printer.h"
#include "platform/QtText.h"
#include "report/TGotoPageForm.h"
#include "report/TPrintPreviewForm.h"
#include "report/TPrintingForm.h"

using namespace kalorina;
using namespace kalorina::gui;

namespace {

// Prints into a PDF file instead of asking for a printer.
class PdfPrinter : public PrinterService {
public:
    explicit PdfPrinter(const QString& file) : printer_(QPrinter::HighResolution)
    {
        printer_.setOutputFormat(QPrinter::PdfFormat);
        printer_.setOutputFileName(file);
        printer_.setPageSize(QPageSize(QPageSize::A4));
    }
    QPrinter& Printer() override { return printer_; }
    bool Setup(QWidget*) override { return true; }
    bool Choose(QWidget*) override
    {
        ++chosen;
        return true;
    }
    QString PrinterName() override { return QStringLiteral("Test printer"); }
    int chosen = 0;

private:
    QPrinter printer_;
};

QByteArray FileStart(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(5) : QByteArray();
}

class PrintingFormsTest : public test::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        UseShippedLanguage("Magyar");
        ASSERT_TRUE(dir.isValid());
        form = CreateMainForm(Services());
        // Reports in English while the windows speak Hungarian.
        Languages().SelectPrintingLanguage("English");
        ASSERT_EQ(Languages().GetPrintingLanguageName(), "English");
        form->Controller().LoadCatalogue(KALORINA_SOURCE_DIR "/data", "hu");
        ASSERT_TRUE(form->Controller().OpenFile(KALORINA_SOURCE_DIR "/examples/house.klp"));
        form->Refresh();
    }
    void TearDown() override
    {
        form.reset();
        GuiTest::TearDown();
    }
    template <class T>
    static T* Child(QWidget& w, const char* name)
    {
        T* c = w.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }

    QTemporaryDir dir;
    std::unique_ptr<TMainForm> form;
};

} // namespace

TEST_F(PrintingFormsTest, PrintCommandOpensTheDialogInThePrintingLanguage)
{
    const std::string screenGroup = Txt("IDS_ROOMGROUP");
    bool opened = false;
    OnModal(
        [&](QDialog& d) {
            opened = true;
            // While the dialog is open lookups speak the printing language.
            EXPECT_TRUE(Languages().PrintingMode);
            auto* tree = Child<QTreeWidget>(d, "ItemsTree");
            ASSERT_EQ(tree->topLevelItemCount(), 3); // rooms, circuits, manifolds
            // The dialog's own tree speaks the screen language, as its captions do.
            EXPECT_EQ(Cp(tree->topLevelItem(0)->text(0)), screenGroup);
            EXPECT_NE(Txt("IDS_ROOMGROUP"), screenGroup);
            for (const char* name :
                 {"All", "SelectedOnly", "RoomsList", "RoomsFields", "RoundsList", "RoundsDetailed", "Manifolds"})
                Child<QRadioButton>(d, name);
            for (const char* name :
                 {"ProjektDataCheckBox", "PageNumberCheckBox", "ProjektNameCheckBox", "DateCheckBox"})
                EXPECT_TRUE(Child<QCheckBox>(d, name)->isChecked()) << "a fresh installation has " << name << " on";
            for (const char* name : {"Setup", "Button1", "Button2", "Button3", "Button4", "Button5", "Preview",
                                     "SaveAsPdf", "SaveAsCsv", "OK", "Cancel", "Help"})
                Child<QPushButton>(d, name);
            EXPECT_TRUE(Child<QRadioButton>(d, "RoomsList")->isChecked());
            EXPECT_TRUE(Child<QRadioButton>(d, "All")->isChecked());
            SavePicture(&d, "printing-form.png");
            // The column layout of the fields report opens on its own saved layout.
            OnModal([](QDialog& setup) { setup.reject(); }, "ChangeHeaderForm");
            Child<QPushButton>(d, "Button2")->click();
            d.reject();
        },
        "PrintingForm");
    TriggerAction(form.get(), "PrintAction");
    EXPECT_TRUE(opened);
    EXPECT_FALSE(Languages().PrintingMode);
    EXPECT_EQ(Txt("IDS_ROOMGROUP"), screenGroup);
}

TEST_F(PrintingFormsTest, ChosenItemsKindAndPrintingThroughThePrinter)
{
    PdfPrinter printer(dir.filePath("printed.pdf"));
    {
        TPrintingForm dialog(form->Project(), form->Controller().Devices(), form->Controller().ProgramOptions(),
                             Services(), &printer);
        // Double-clicking one room chooses it alone.
        QTreeWidgetItem* room = dialog.ItemsTree->topLevelItem(0)->child(1);
        emit dialog.ItemsTree->itemDoubleClicked(room, 0);
        room = dialog.ItemsTree->topLevelItem(0)->child(1);
        EXPECT_EQ(room->checkState(0), Qt::Checked);
        EXPECT_EQ(dialog.ItemsTree->topLevelItem(0)->checkState(0), Qt::PartiallyChecked);
        EXPECT_TRUE(dialog.SelectedOnly->isChecked());
        dialog.RoundsDetailed->setChecked(true);
        dialog.Title->setText(QStringLiteral("Kiviteli terv"));
        dialog.OK->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(printer.chosen, 1);
    EXPECT_EQ(FileStart(dir.filePath("printed.pdf")), QByteArray("%PDF-"));
    // The kind is kept for the next dialog, the title for this run.
    TPrintingForm again(form->Project(), form->Controller().Devices(), form->Controller().ProgramOptions(), Services(),
                        &printer);
    EXPECT_TRUE(again.RoundsDetailed->isChecked());
    EXPECT_EQ(again.Title->text(), QStringLiteral("Kiviteli terv"));
}

TEST_F(PrintingFormsTest, PreviewPagesZoomGoToPageAndSaveAsPdf)
{
    // Enough rooms for several pages.
    form->Controller().Change("rooms", [](TProject& q) {
        const auto rooms = q.rooms;
        for (int i = 0; i < 5; ++i)
            for (auto room : rooms) {
                room.roomName += " " + std::to_string(i + 2);
                q.rooms.push_back(room);
            }
    });
    const TProject& p = form->Project();
    PdfPrinter printer(dir.filePath("page.pdf"));
    TPrintingForm dialog(p, form->Controller().Devices(), form->Controller().ProgramOptions(), Services(), &printer);
    dialog.RoomsFields->setChecked(true);
    const std::string pdf = dir.filePath("report.pdf").toStdString();
    files.Answer(pdf);
    bool shown = false;
    OnModal(
        [&](QDialog& d) {
            shown = true;
            auto& preview = static_cast<TPrintPreviewForm&>(d);
            const int pages = preview.Navigator().PageCount();
            ASSERT_GE(pages, 2);
            EXPECT_EQ(preview.PageNumber->text(), QStringLiteral("  1/%1").arg(pages));
            EXPECT_FALSE(preview.First->isEnabled());
            EXPECT_FALSE(preview.Previous->isEnabled());
            EXPECT_TRUE(preview.Next->isEnabled());
            const int width100 = preview.PageImage->width();
            preview.ZoomComboBox->setCurrentIndex(1); // 50 %
            EXPECT_EQ(preview.PageImage->width(), width100 / 2);
            preview.ZoomComboBox->setCurrentIndex(2); // 75 %, the picture's zoom
            preview.Next->trigger();
            EXPECT_EQ(preview.PageNumber->text(), QStringLiteral("  2/%1").arg(pages));
            // Go to a page through the page number dialog; a wrong number keeps it open.
            OnModal(
                [&](QDialog& g) {
                    auto* edit = Child<QLineEdit>(g, "PageNumber");
                    EXPECT_EQ(edit->text(), QStringLiteral("2"));
                    EXPECT_EQ(Child<QSpinBox>(g, "PageUpDown")->maximum(), pages);
                    edit->setText(QStringLiteral("x"));
                    Child<QPushButton>(g, "OK")->click();
                    EXPECT_TRUE(g.isVisible());
                    EXPECT_FALSE(messages.LastText().empty());
                    edit->setText(QString::number(pages));
                    Child<QPushButton>(g, "OK")->click();
                },
                "GotoPageForm");
            preview.Number->trigger();
            EXPECT_EQ(preview.Navigator().Current(), pages - 1);
            EXPECT_FALSE(preview.Next->isEnabled());
            preview.First->trigger();
            SavePicture(&preview, "print-preview.png");
            // The page shown goes to the printer; the whole report to a PDF file.
            preview.Print->trigger();
            preview.SaveAsPdf->trigger();
            preview.Exit->trigger();
        },
        "PrintPreviewForm");
    dialog.Preview->click();
    EXPECT_TRUE(shown);
    EXPECT_EQ(printer.chosen, 1);
    EXPECT_EQ(FileStart(dir.filePath("page.pdf")), QByteArray("%PDF-"));
    EXPECT_EQ(FileStart(QString::fromStdString(pdf)), QByteArray("%PDF-"));
    // The zoom chosen is preselected in the next preview.
    EXPECT_EQ(ProcessPrintingOptions().zoomIndex, 2);
}

TEST_F(PrintingFormsTest, SaveAsPdfWithoutAPrinter)
{
    PdfPrinter printer(dir.filePath("unused.pdf"));
    TPrintingForm dialog(form->Project(), form->Controller().Devices(), form->Controller().ProgramOptions(), Services(),
                         &printer);
    const QString pdf = dir.filePath("rooms.pdf");
    files.Answer(pdf.toStdString());
    dialog.SaveAsPdf->click();
    EXPECT_EQ(FileStart(pdf), QByteArray("%PDF-"));
    EXPECT_EQ(printer.chosen, 0);
    // A folder that cannot be written is reported, nothing else happens.
    files.Answer("/nonexistent-folder/x.pdf");
    dialog.SaveAsPdf->click();
    EXPECT_FALSE(messages.LastText().empty());
}

TEST_F(PrintingFormsTest, ManifoldScheduleSavesTheChosenManifoldsAsCsv)
{
    PdfPrinter printer(dir.filePath("unused.pdf"));
    TPrintingForm dialog(form->Project(), form->Controller().Devices(), form->Controller().ProgramOptions(), Services(),
                         &printer);
    dialog.RoomsList->setChecked(true);
    EXPECT_FALSE(dialog.SaveAsCsv->isEnabled()); // only the schedule is a table for spreadsheets
    dialog.Manifolds->setChecked(true);
    ASSERT_TRUE(dialog.SaveAsCsv->isEnabled());
    const QString csv = dir.filePath("manifolds.csv");
    files.Answer(csv.toStdString());
    dialog.SaveAsCsv->click();
    ASSERT_FALSE(files.requests.empty());
    EXPECT_EQ(files.requests.back().defaultExtension, "csv");
    // The dialog proposes the project's name with what the file holds, in its folder.
    EXPECT_EQ(files.requests.back().initialFile, KALORINA_SOURCE_DIR "/examples/house-manifolds.csv");
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF")); // spreadsheets take it for UTF-8
    const QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1 + int(form->Project().rounds.size())); // the house has one manifold
    // The header in the printing language, as the reports.
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Manifold,Location,"))) << lines[0].toStdString(); // decimal points
    EXPECT_TRUE(lines[1].contains(QStringLiteral(",1,"))) << lines[1].toStdString();
    // The schedule kind is kept for the next dialog.
    TPrintingForm again(form->Project(), form->Controller().Devices(), form->Controller().ProgramOptions(), Services(),
                        &printer);
    EXPECT_TRUE(again.Manifolds->isChecked());
    EXPECT_TRUE(again.SaveAsCsv->isEnabled());
    // A folder that cannot be written is reported.
    files.Answer("/nonexistent-folder/x.csv");
    dialog.SaveAsCsv->click();
    EXPECT_FALSE(messages.LastText().empty());
    // The PDF of the rooms is proposed under its own name.
    dialog.RoomsList->setChecked(true);
    files.Answer(dir.filePath("rooms.pdf").toStdString());
    dialog.SaveAsPdf->click();
    EXPECT_EQ(files.requests.back().initialFile, KALORINA_SOURCE_DIR "/examples/house-rooms.pdf");
}

// The installer's sheet of the designed house as a picture for review.
TEST_F(PrintingFormsTest, ManifoldSchedulePictureOfTheDesignedHouse)
{
    const TDevices& devices = form->Controller().Devices();
    const DesignOutcome outcome = DesignManifolds(form->Project(), devices);
    ASSERT_EQ(outcome.manifolds.size(), 1u);
    EXPECT_TRUE(outcome.manifolds[0].designed);
    const TProject& designed = outcome.project;
    ASSERT_TRUE(designed.manifolds[0].designed);
    PrintingOptions options;
    options.switches = 0xF;
    options.title = "Manifolds";
    TReportEnvironment env;
    env.options = options;
    auto report =
        MakeReport(ReportKind::Manifolds, designed, devices, ReportTree(designed), true, {20, 20, 15, 20}, env);
    ImageReportTarget images(DefaultReportLayout(), 150);
    report->Run(images);
    ASSERT_FALSE(images.Images().empty());
    EXPECT_TRUE(images.Images()[0].save(QStringLiteral(KALORINA_BINARY_DIR "/report-manifolds.png")));
    // Ink over most of the page's width: the outlet table with its new columns.
    const QImage& page = images.Images()[0];
    int right = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = page.width() - 1; x > right; --x)
            if (qGray(page.pixel(x, y)) < 128) {
                right = x;
                break;
            }
    EXPECT_GT(right, page.width() * 3 / 5);
}

TEST(ReportFonts, MissingFacesFallBackToMetricTwinsOrDejaVu)
{
    const QString times = ReportFamily(QStringLiteral("Times New Roman"));
    EXPECT_TRUE(times == QLatin1String("Liberation Serif") || times == QLatin1String("DejaVu Serif"))
        << times.toStdString();
    EXPECT_EQ(ReportFamily(QStringLiteral("No Such Sans")), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(ReportFamily(QStringLiteral("No Such Mono")), QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(ReportFamily(QStringLiteral("Nonexistent Garamond")), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(ReportFamily(QStringLiteral("DejaVu Sans")), QStringLiteral("DejaVu Sans"));
}

TEST_F(PrintingFormsTest, RecordedPagesReplayTheirTextsAtAnyZoom)
{
    PrintingOptions options;
    options.switches = 0xF;
    options.title = "Zoom";
    TReportEnvironment env;
    env.options = options;
    auto report = MakeReport(ReportKind::Rooms, form->Project(), form->Controller().Devices(),
                             ReportTree(form->Project()), true, {20, 20, 15, 20}, env);
    PreviewReportTarget pages(DefaultReportLayout());
    report->Run(pages);
    ASSERT_EQ(pages.PageCount(), 1);
    for (double zoom : {0.5, 0.75, 2.0}) {
        const QRect target(0, 0, int(pages.DisplayWidth() * zoom), int(pages.DisplayHeight() * zoom));
        QImage image(target.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        pages.DrawPage(painter, 0, target);
        painter.end();
        // Ink in the band of the page header and project data (above the table).
        int ink = 0;
        for (int y = int(70 * zoom); y < int(180 * zoom); ++y)
            for (int x = 0; x < image.width(); ++x)
                ink += qGray(image.pixel(x, y)) < 128;
        EXPECT_GT(ink, 50) << "zoom " << zoom;
    }
}

TEST_F(PrintingFormsTest, WindowsSpeakTheUserInterfaceLanguage)
{
    UseShippedLanguage("English");
    PdfPrinter printer(dir.filePath("unused.pdf"));
    TPrintingForm dialog(form->Project(), form->Controller().Devices(), form->Controller().ProgramOptions(), Services(),
                         &printer);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Print"));
    EXPECT_EQ(dialog.OK->text(), QStringLiteral("Print"));
    EXPECT_EQ(dialog.SaveAsPdf->text(), QStringLiteral("Save as PDF..."));
    EXPECT_EQ(dialog.RoundsDetailed->text(), QStringLiteral("Circuits in detail"));
    EXPECT_EQ(dialog.Manifolds->text(), QStringLiteral("Manifold schedule"));
    EXPECT_EQ(dialog.SaveAsCsv->text(), QStringLiteral("Save as CSV..."));
    GotoPageEditor editor(3, 1);
    TGotoPageForm go(editor, messages);
    EXPECT_EQ(go.Cancel->text(), QStringLiteral("Cancel"));
}

TEST_F(PrintingFormsTest, BillOfMaterialsPrintsTheChosenRowsAndSavesAPdf)
{
    // Opened by the main window's command, the bill's tree as the export dialog has it.
    ASSERT_TRUE(form->UsedMaterialsPrintAction->isEnabled());
    int groups = 0;
    OnModal(
        [&](QDialog& d) {
            auto& f = static_cast<TUsedMaterialsPrintingForm&>(d);
            groups = f.ItemView->topLevelItemCount();
            EXPECT_TRUE(f.AllButton->isChecked());
            EXPECT_EQ(f.Title->text(), QStringLiteral("Bill of materials")); // printed: the printing language
            EXPECT_EQ(Child<QWidget>(d, "TableColumns")->objectName(), QStringLiteral("TableColumns"));
            f.Cancel->click();
        },
        "UsedMaterialsPrintingForm");
    TriggerAction(form.get(), "UsedMaterialsPrintAction");
    EXPECT_GE(groups, 3); // systems, tubes, valves at least

    Languages().SelectPrintingLanguage("Magyar"); // the review picture in the program's own texts
    PdfPrinter printer(dir.filePath("bill-printed.pdf"));
    const TProject& p = form->Project();
    TUsedMaterial bill;
    {
        PrintingScope printing;
        bill = BuildUsedMaterials(p, form->Controller().Devices());
    }
    const std::size_t rows = bill.rows.size();
    ASSERT_GE(rows, 3u);
    const std::string firstName = bill.rows[0].name;
    TUsedMaterialsPrintingForm dialog(std::move(bill), p, form->Controller().Devices(),
                                      form->Controller().ProgramOptions(), Services(), &printer);
    dialog.show();
    dialog.ItemView->expandAll();
    QCoreApplication::processEvents();
    // A double click on one row (after the click that selects it) prints that row alone.
    QTreeWidgetItem* row = dialog.ItemView->topLevelItem(0)->child(0)->child(0);
    dialog.ItemView->scrollToItem(row);
    ASSERT_FALSE(dialog.ItemView->visualItemRect(row).isEmpty());
    const QPoint at = dialog.ItemView->visualItemRect(row).center();
    QTest::mousePress(dialog.ItemView->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(dialog.ItemView->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(dialog.ItemView->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(row->checkState(0), Qt::Checked);
    EXPECT_TRUE(dialog.SelectedButton->isChecked());
    int pages = 0;
    OnModal(
        [&](QDialog& d) {
            auto& preview = static_cast<TPrintPreviewForm&>(d);
            pages = preview.Navigator().PageCount();
            EXPECT_EQ(preview.PageNumber->text(), QStringLiteral("  1/1"));
            preview.Exit->trigger();
        },
        "PrintPreviewForm");
    dialog.Preview->click();
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(dialog.Editor().Bill().SelectedCount(), 1);

    // All rows: the first page of the bill as a picture, and the bill as a PDF file.
    dialog.AllButton->setChecked(true);
    ImageReportTarget images(DefaultReportLayout(), 150);
    auto report = dialog.MakeChosenReport();
    EXPECT_EQ(dialog.Editor().Bill().SelectedCount(), static_cast<int>(rows));
    report->Run(images);
    ASSERT_FALSE(images.Images().empty());
    EXPECT_TRUE(images.Images()[0].save(QStringLiteral(KALORINA_BINARY_DIR "/bom-report.png")));
    const QString pdf = dir.filePath("bill.pdf");
    files.Answer(pdf.toStdString());
    dialog.SaveAsPdf->click();
    EXPECT_EQ(FileStart(pdf), QByteArray("%PDF-"));
    EXPECT_EQ(printer.chosen, 0);
    // Printing goes to the printer and closes the dialog.
    dialog.OK->click();
    EXPECT_EQ(printer.chosen, 1);
    EXPECT_EQ(FileStart(dir.filePath("bill-printed.pdf")), QByteArray("%PDF-"));
    EXPECT_FALSE(dialog.isVisible());
    // The bill's title stays with the bill: the project reports keep their own.
    EXPECT_TRUE(ProcessPrintingOptions().title.empty());

    // A project without fields or circuits has an empty bill: nothing to print.
    TUsedMaterialsPrintingForm none(TUsedMaterial{}, p, form->Controller().Devices(),
                                    form->Controller().ProgramOptions(), Services(), &printer);
    EXPECT_EQ(none.ItemView->topLevelItemCount(), 0);
    for (QPushButton* b : {none.Preview, none.SaveAsPdf, none.OK})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
}
