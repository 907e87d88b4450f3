#pragma once
// The printing dialog: the report kind, the rooms or circuits to print, the page
// furniture; prints, previews or saves the report as a PDF file.  While it is open
// texts are looked up in the printing language.
#include <QDialog>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "app/PrintingEditor.h"
#include "document/TProgramOptions.h"
#include "lang/PrintingScope.h"
#include "platform/Dialogs.h"
#include "report/TPrintPreviewForm.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kalorina {
class TDevices;
class TProject;
} // namespace kalorina

namespace kalorina::gui {

class PrinterService;
struct ReportDialogParts;

class TPrintingForm : public QDialog {
    Q_OBJECT
public:
    // `printer`: the program's printer when none is given.
    TPrintingForm(TProject& project, const TDevices& devices, const TProgramOptions& programOptions,
                  const Services& services, PrinterService* printer = nullptr, QWidget* parent = nullptr);
    ~TPrintingForm() override;

    PrintingEditor& Editor() { return *editor_; }
    // The report of the chosen kind and items, with the dialog's settings stored.
    std::unique_ptr<TBReport> MakeChosenReport();
    void PreviewClick();

    QTreeWidget* ItemsTree = nullptr;
    QRadioButton *All = nullptr, *SelectedOnly = nullptr;
    QLabel* PrinterName = nullptr;
    QPushButton* Setup = nullptr;
    QLineEdit* Title = nullptr;
    QCheckBox *ProjektDataCheckBox = nullptr, *PageNumberCheckBox = nullptr, *ProjektNameCheckBox = nullptr,
              *DateCheckBox = nullptr;
    QRadioButton *RoomsList = nullptr, *RoomsFields = nullptr, *RoundsList = nullptr, *RoundsDetailed = nullptr;
    std::array<QPushButton*, 4> LayoutButtons{}; // Button1 .. Button4
    QPushButton *Preview = nullptr, *SaveAsPdf = nullptr, *OK = nullptr, *Cancel = nullptr, *Help = nullptr;

public slots:
    void accept() override;

private:
    void BuildControls();
    void ShowView();
    void ReadControls();
    void ItemsTreeDblClick(QTreeWidgetItem* item);
    void LayoutClick(int button);
    void SaveAsPdfClick();

    std::optional<PrintingScope> printing_;
    TProject& project_;
    const TDevices& devices_;
    TProgramOptions::Margins margins_;
    Services services_;
    PrinterService* printer_;
    std::unique_ptr<PrintingEditor> editor_;
    std::unique_ptr<ReportDialogParts> parts_;
    bool showing_ = false;
};

} // namespace kalorina::gui
