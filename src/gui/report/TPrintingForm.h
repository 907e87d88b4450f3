#pragma once
// The printing dialog: the report kind, the rooms, circuits or manifolds to print,
// the page furniture; prints, previews or saves the report as a PDF file, and the
// manifold schedule also as a CSV file.  While it is open
// texts are looked up in the printing language.
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "app/PrintingEditor.h"
#include "document/TProgramOptions.h"
#include "lang/PrintingScope.h"
#include "platform/Dialogs.h"
#include "report/TPrintPreviewForm.h"
#include "report/TReportDialog.h"

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

class TPrintingForm : public TReportDialog {
    Q_OBJECT
public:
    // `printer`: the program's printer when none is given.
    TPrintingForm(const TProject& project, const TDevices& devices, const TProgramOptions& programOptions,
                  const Services& services, PrinterService* printer = nullptr, QWidget* parent = nullptr);
    ~TPrintingForm() override;

    PrintingEditor& Editor() { return *editor_; }
    // The report of the chosen kind and items, with the dialog's settings stored.
    std::unique_ptr<TBReport> MakeChosenReport() override;
    std::string ProposedFile(const std::string& extension) const override;

    QTreeWidget* ItemsTree = nullptr;
    QRadioButton *All = nullptr, *SelectedOnly = nullptr;
    QRadioButton *RoomsList = nullptr, *RoomsFields = nullptr, *RoundsList = nullptr, *RoundsDetailed = nullptr,
                 *Manifolds = nullptr, *HeatLoad = nullptr, *Plan = nullptr;
    std::array<QPushButton*, kReportKindCount> LayoutButtons{}; // Button1 .. Button7 (the plan has no columns)
    // Saves the manifold schedule of the chosen manifolds, or the heat load of the
    // chosen rooms, as a CSV file; only while one of those is the chosen report.
    QPushButton* SaveAsCsv = nullptr;

private:
    void BuildControls();
    void ShowView();
    void ReadControls();
    void ItemsTreeDblClick(QTreeWidgetItem* item);
    void LayoutClick(int button);
    std::array<QRadioButton*, kReportKindCount> KindButtons() const;
    void UpdateCsvButton();
    void SaveAsCsvClick();

    std::optional<PrintingScope> printing_;
    const TProject& project_;
    const TDevices& devices_;
    TProgramOptions::Margins margins_;
    std::unique_ptr<PrintingEditor> editor_;
    bool showing_ = false;
};

} // namespace kalorina::gui
