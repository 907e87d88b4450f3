#pragma once
// The base of the two printing dialogs (project reports and bill of materials): the
// printer group, the page group with the header title and the four page switches,
// the row of command buttons, and what those buttons do with the report the dialog
// makes of its choices.
#include <QDialog>
#include <memory>

#include "platform/Services.h"
#include "report/PrintingOptions.h"
#include "report/TBReport.h"

class QCheckBox;
class QFont;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kalorina::gui {

class PrinterService;

class TReportDialog : public QDialog {
    Q_OBJECT
public:
    // The report of the dialog's choices, with its settings stored.
    virtual std::unique_ptr<TBReport> MakeChosenReport() = 0;
    // The file name the save dialogs propose for the chosen report, with `extension`.
    virtual std::string ProposedFile(const std::string& extension) const = 0;
    // Lays the report out on recorded pages and shows them in the preview.
    void PreviewClick();

    QLabel* PrinterName = nullptr;
    QPushButton* Setup = nullptr;
    QLineEdit* Title = nullptr;
    QCheckBox *ProjektDataCheckBox = nullptr, *PageNumberCheckBox = nullptr, *ProjektNameCheckBox = nullptr,
              *DateCheckBox = nullptr;
    QPushButton *Preview = nullptr, *SaveAsPdf = nullptr, *OK = nullptr, *Cancel = nullptr, *Help = nullptr;

public slots:
    // Prints on the printer the user chooses; stays open when the choice is cancelled.
    void accept() override;

protected:
    // `printer`: the program's printer when none is given.
    TReportDialog(const Services& services, PrinterService* printer, QWidget* parent);

    // Creates the shared controls with their object names and wires their commands.
    void BuildReportControls();
    // The title and switches shown, and read back into an editor; both editors take
    // SetTitle and SetSwitch.
    template <class View>
    void ShowPage(const View& v)
    {
        ShowSwitches(v.title, v.projectData, v.pageNumbers, v.fileName, v.date);
    }
    template <class Editor>
    void ReadPage(Editor& editor) const
    {
        editor.SetTitle(TitleText());
        editor.SetSwitch(PrintingOptions::kProjectData, Checked(ProjektDataCheckBox));
        editor.SetSwitch(PrintingOptions::kPageNumbers, Checked(PageNumberCheckBox));
        editor.SetSwitch(PrintingOptions::kFileName, Checked(ProjektNameCheckBox));
        editor.SetSwitch(PrintingOptions::kDate, Checked(DateCheckBox));
    }
    // The column setup of a report table, on its own saved layout.
    void EditColumns(const ReportColumns& columns, const QFont& font);
    // The report environment of the program: the page furniture of `options`, the
    // closing picture and the about box's identification line.
    TReportEnvironment ProgramReportEnvironment(const PrintingOptions& options);

    Services services_;
    PrinterService* printer_;
    QGroupBox* printerGroup_ = nullptr;
    QGroupBox* pageGroup_ = nullptr;
    QGridLayout* pageLayout_ = nullptr; // room below the switches for a dialog's own rows
    int nextPageRow_ = 0;
    QHBoxLayout* buttonRow_ = nullptr;

private:
    void SaveAsPdfClick();
    void ShowSwitches(const std::string& title, bool data, bool numbers, bool name, bool day);
    std::string TitleText() const;
    static bool Checked(const QCheckBox* box);
};

} // namespace kalorina::gui
