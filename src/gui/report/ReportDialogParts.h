#pragma once
// What the two printing dialogs (project reports and bill of materials) share: the
// printer group, the page group with the header title and the four page switches,
// the row of command buttons, and what those buttons do with a report.
#include <QString>
#include <functional>
#include <memory>

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
class QWidget;

namespace kalorina::gui {

struct Services;
class PrinterService;

using ReportMaker = std::function<std::unique_ptr<TBReport>()>;

// The controls, created under one dialog with their object names; the dialog keeps
// the pointers as its own named controls.
struct ReportDialogParts {
    QGroupBox* printerGroup = nullptr;
    QLabel* printerName = nullptr;
    QPushButton* setup = nullptr;
    QGroupBox* pageGroup = nullptr;
    QGridLayout* pageLayout = nullptr; // room below the switches for a dialog's own rows
    int nextPageRow = 0;
    QLineEdit* title = nullptr;
    QCheckBox *projectData = nullptr, *pageNumbers = nullptr, *fileName = nullptr, *date = nullptr;
    QPushButton *preview = nullptr, *saveAsPdf = nullptr, *ok = nullptr, *cancel = nullptr, *help = nullptr;
    QHBoxLayout* buttonRow = nullptr;

    // Builds everything; the printer's "Set up..." button works at once.
    ReportDialogParts(QWidget* dialog, PrinterService& printer);

    // The title and switches shown, and read back into an editor; both editors take
    // SetTitle and SetSwitch.
    template <class View>
    void ShowPage(const View& v);
    template <class Editor>
    void ReadPage(Editor& editor) const
    {
        editor.SetTitle(TitleText());
        editor.SetSwitch(PrintingOptions::kProjectData, Checked(projectData));
        editor.SetSwitch(PrintingOptions::kPageNumbers, Checked(pageNumbers));
        editor.SetSwitch(PrintingOptions::kFileName, Checked(fileName));
        editor.SetSwitch(PrintingOptions::kDate, Checked(date));
    }

private:
    void ShowSwitches(const std::string& title, bool data, bool numbers, bool name, bool day);
    std::string TitleText() const;
    static bool Checked(const QCheckBox* box);
};

template <class View>
void ReportDialogParts::ShowPage(const View& v)
{
    ShowSwitches(v.title, v.projectData, v.pageNumbers, v.fileName, v.date);
}

// The report environment of the program: the page furniture of `options`, the
// closing picture and the about box's identification line.
TReportEnvironment ProgramReportEnvironment(const PrintingOptions& options, QWidget* parent);
// Lays the report out on recorded pages and shows them in the preview.
void PreviewReport(const ReportMaker& makeReport, PrinterService& printer, const Services& services, QWidget* parent);
// Prints on the printer the user chooses; false when the choice was cancelled.
bool PrintReport(const ReportMaker& makeReport, PrinterService& printer, QWidget* parent);
// The column setup of a report table, on its own saved layout.
void EditReportColumns(const ReportColumns& columns, const QFont& font, const Services& services, QWidget* parent);

} // namespace kalorina::gui
