// Printing and export as the user meets them in the windows: a printer that refuses
// the job, the save dialog's file type, rows that were not chosen, the language of
// the exported table and the preview's place.
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <fstream>
#include <iterator>

#include "GuiTest.h"
#include "app/Startup.h"
#include "app/TMainForm.h"
#include "app/UsedMaterialsExport.h"
#include "lang/TLanguages.h"
#include "materials/TUsedMaterial.h"
#include "materials/TUsedMaterialsExportForm.h"
#include "materials/TUsedMaterialsPrintingForm.h"
#include "platform/FileDialog.h"
#include "platform/Printer.h"
#include "platform/QtText.h"
#include "report/TPrintPreviewForm.h"
#include "report/TPrintingForm.h"
#include "util/FormatText.h"

using namespace kalorina;
using namespace kalorina::gui;

namespace {

// Prints into a PDF file, or refuses the job when that file cannot be written.
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
    bool Choose(QWidget*) override { return true; }
    QString PrinterName() override { return QStringLiteral("Test printer"); }

private:
    QPrinter printer_;
};

std::string FileText(const QString& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class PrintingAndExportGui : public test::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        UseShippedLanguage("Magyar");
        ASSERT_TRUE(dir.isValid());
        form = CreateMainForm(Services());
        // Reports and exported tables in English while the windows speak Hungarian.
        Languages().SelectPrintingLanguage("English");
        form->Controller().LoadCatalogue(KALORINA_SOURCE_DIR "/data", "hu");
        ASSERT_TRUE(form->Controller().OpenFile(KALORINA_SOURCE_DIR "/examples/house.klp"));
        form->Refresh();
    }
    void TearDown() override
    {
        form.reset();
        GuiTest::TearDown();
    }
    std::unique_ptr<TUsedMaterialsPrintingForm> BillPrinting(PrinterService& printer)
    {
        return std::make_unique<TUsedMaterialsPrintingForm>(
            BuildPrintedUsedMaterials(form->Project(), form->Controller().Devices()), form->Project(),
            form->Controller().Devices(), form->Controller().ProgramOptions(), Services(), &printer);
    }

    QTemporaryDir dir;
    std::unique_ptr<TMainForm> form;
};

} // namespace

TEST_F(PrintingAndExportGui, APrintJobThePrinterRefusesIsReportedAndTheDialogStaysOpen)
{
    // The message speaks the windows' language, while the dialogs look texts up in the printing language.
    const std::string expected = FormatText(Txt("IDS_PRINTJOBFAILED"), {"Test printer"});
    ASSERT_NE(Txt("IDS_PRINTJOBFAILED"), "");
    PdfPrinter refusing(QStringLiteral("/nonexistent-folder/printed.pdf"));
    TPrintingForm reports(form->Project(), form->Controller().Devices(), form->Controller().ProgramOptions(),
                          Services(), &refusing);
    auto bill = BillPrinting(refusing);
    for (TReportDialog* dialog : std::initializer_list<TReportDialog*>{&reports, bill.get()}) {
        const std::string name = dialog->objectName().toStdString();
        messages.shown.clear();
        dialog->show();
        dialog->OK->click();
        ASSERT_EQ(messages.shown.size(), 1u) << name;
        EXPECT_EQ(messages.LastText(), expected) << name;
        EXPECT_TRUE(dialog->isVisible()) << name;
        EXPECT_NE(dialog->result(), QDialog::Accepted) << name;
        dialog->reject();
    }
    // The preview's own Print says the same.
    messages.shown.clear();
    OnModal(
        [&](QDialog& d) {
            static_cast<TPrintPreviewForm&>(d).Print->trigger();
            d.reject();
        },
        "PrintPreviewForm");
    reports.Preview->click();
    EXPECT_EQ(messages.LastText(), expected);
}

TEST_F(PrintingAndExportGui, TheSaveDialogsFileTypeDecidesTheFileAndUnchosenRowsAreExplained)
{
    const QString bare = dir.filePath("bill");
    files.Answer(bare.toStdString(), 2);                      // CSV, a bare name
    files.Answer(dir.filePath("table.xls").toStdString(), 3); // HTML, the name of a worksheet
    const std::string noRows = Txt("IDS_NOEXPORTROWS");
    ASSERT_NE(noRows, "");
    clipboard.Put({{"Kalorina Item", "keep"}});
    OnModal(
        [&](QDialog& d) {
            auto& f = static_cast<TUsedMaterialsExportForm&>(d);
            f.SaveButton->click();
            f.SaveButton->click();
            ASSERT_EQ(files.requests.size(), 2u);
            EXPECT_EQ(files.requests[0].filter, ExportFileFilter());
            // Only the chosen rows, and none is chosen: saying why, no file dialog, no file.
            f.SelectedButton->setChecked(true);
            messages.shown.clear();
            f.SaveButton->click();
            EXPECT_EQ(files.shown, 2);
            EXPECT_EQ(messages.LastText(), noRows);
            f.OK->click();
            EXPECT_EQ(messages.shown.size(), 2u);
            EXPECT_EQ(messages.LastText(), noRows);
            EXPECT_TRUE(f.isVisible()); // the choice can still be made
            f.Cancel->click();
        },
        "UsedMaterialsExportForm");
    TriggerAction(form.get(), "UsedMaterialsExportAction");
    EXPECT_FALSE(QFileInfo::exists(bare));
    EXPECT_FALSE(QFileInfo::exists(bare + ".xls"));
    const std::string csv = FileText(bare + ".csv");
    EXPECT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(csv.find("Name,Estimate code,Quantity,Unit\r\n"), std::string::npos); // decimal points
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("table.xls")));
    EXPECT_EQ(FileText(dir.filePath("table.xls.html")).substr(0, 6), "<html>");
    EXPECT_EQ(*clipboard.Get("Kalorina Item"), "keep");

    // The program's own save dialog: choosing the CSV type gives a bare name the .csv suffix.
    FileDialogRequest request;
    request.save = true;
    request.title = "Export";
    request.filter = ExportFileFilter();
    request.defaultExtension = "xls";
    request.initialFile = bare.toStdString();
    OnModal([&](QDialog& d) {
        auto* types = d.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr);
        EXPECT_EQ(types->currentIndex(), 0);
        types->setFocus();
        QTest::keyClick(types, Qt::Key_Down);
        QTest::keyClick(types, Qt::Key_Down);
        EXPECT_EQ(types->currentIndex(), 2);
        auto* name = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(QStringLiteral("bill2"));
        d.accept();
    });
    const FileDialogChoice choice = QtFileDialog().Choose(request);
    EXPECT_EQ(choice.filter, 2);
    EXPECT_EQ(QString::fromStdString(choice.path), dir.filePath("bill2.csv"));
}

TEST_F(PrintingAndExportGui, TheExportedTableSpeaksThePrintingLanguageInHeadingsAndRows)
{
    OnModal([](QDialog& d) { static_cast<TUsedMaterialsExportForm&>(d).OK->click(); }, "UsedMaterialsExportForm");
    TriggerAction(form.get(), "UsedMaterialsExportAction");
    EXPECT_FALSE(Languages().PrintingMode);
    ASSERT_TRUE(clipboard.HasFormat("text/plain"));
    const QStringList lines = QString::fromStdString(*clipboard.Get("text/plain")).split(QLatin1Char('\n'));
    EXPECT_EQ(lines.value(0), QStringLiteral("Name\tEstimate code\tQuantity\tUnit"));
    // Valves are counted in pieces: the printing language's unit beside the heading's.
    int valves = 0;
    for (const auto& row : BuildUsedMaterials(form->Project(), form->Controller().Devices()).rows) {
        if (row.type != 2)
            continue;
        ++valves;
        const QString start = Q(row.name) + QLatin1Char('\t');
        const auto line =
            std::find_if(lines.begin(), lines.end(), [&](const QString& l) { return l.startsWith(start); });
        ASSERT_NE(line, lines.end()) << row.name;
        EXPECT_TRUE(line->endsWith(QStringLiteral("\tpcs"))) << line->toStdString();
    }
    EXPECT_GT(valves, 0);
}

TEST_F(PrintingAndExportGui, ThePreviewOfTheBillReopensWhereAndAsLargeAsItWasClosed)
{
    PdfPrinter printer(dir.filePath("unused.pdf"));
    auto bill = BillPrinting(printer);
    const QRect placed(40, 30, 620, 480);
    OnModal(
        [&](QDialog& d) {
            d.setGeometry(placed);
            static_cast<TPrintPreviewForm&>(d).Exit->trigger();
        },
        "PrintPreviewForm");
    bill->Preview->click();
    QRect reopened;
    OnModal(
        [&](QDialog& d) {
            reopened = d.geometry();
            d.reject();
        },
        "PrintPreviewForm");
    bill->Preview->click();
    EXPECT_EQ(reopened, placed);
}
