#pragma once
// The printing dialog of the bill of materials: the rows to print in the bill's check
// tree, the title and page furniture, the table's columns; prints, previews or saves
// the bill as a PDF file.  The pages speak the printing language.
#include <memory>
#include <optional>

#include "app/UsedMaterialsPrinting.h"
#include "document/TProgramOptions.h"
#include "lang/PrintingScope.h"
#include "platform/Services.h"
#include "report/TReportDialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStatusBar;

namespace kalorina {
class TDevices;
class TProject;
} // namespace kalorina

namespace kalorina::gui {

class MaterialTreeView;
class PrinterService;

class TUsedMaterialsPrintingForm : public TReportDialog {
    Q_OBJECT
public:
    // `printer`: the program's printer when none is given.
    TUsedMaterialsPrintingForm(TUsedMaterial bill, const TProject& project, const TDevices& devices,
                               const TProgramOptions& programOptions, const Services& services,
                               PrinterService* printer = nullptr, QWidget* parent = nullptr);
    ~TUsedMaterialsPrintingForm() override;

    UsedMaterialsPrintingEditor& Editor() { return *editor_; }
    // The report of the chosen rows, with the dialog's settings kept.
    std::unique_ptr<TBReport> MakeChosenReport() override;
    std::string ProposedFile(const std::string& extension) const override;

    MaterialTreeView* ItemView = nullptr;
    QRadioButton *AllButton = nullptr, *SelectedButton = nullptr;
    QPushButton* TableColumns = nullptr;
    QStatusBar* StatusBar = nullptr;

private:
    void BuildControls();
    void ShowView();
    void ReadControls();
    void TableColumnsClick();

    const TProject& project_;
    const TDevices& devices_;
    TProgramOptions::Margins margins_;
    std::unique_ptr<UsedMaterialsPrintingEditor> editor_;
    std::optional<PrintingScope> printing_;
    bool showing_ = false;
};

} // namespace kalorina::gui
