#pragma once
// The circuit dialog: the room fields a circuit takes and their order, its
// temperatures and medium on the first page; tube, valve, fittings and pressures on
// the second.  Every change recalculates the circuit and shows the results at once.
#include <QDialog>
#include <string>

#include "app/CircuitEditor.h"
#include "platform/DialogSupport.h"
#include "platform/Services.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QStatusBar;
class QTabWidget;
class QToolButton;
class QWidget;

namespace kalorina::gui {

class FittingsPanel;
class TListHeader;
class TListViewWithHeader;

class TRoundModifyForm : public QDialog {
    Q_OBJECT
public:
    // `round` is the caller's copy; the dialog works on its own copy of `project`,
    // whose rooms "Átszámít" changes and OK hands back (Editor().Rooms()).
    TRoundModifyForm(const TRoundItem& round, const TProject& project, const TDevices& devices,
                     const Services& services, QWidget* parent = nullptr);
    ~TRoundModifyForm() override;

    CircuitEditor& Editor() { return editor_; }
    const TRoundItem& Round() const { return editor_.Round(); }

    QTabWidget* PageControl1 = nullptr;
    QWidget *FieldsPage = nullptr, *HydraulicsPage = nullptr;
    QStatusBar* StatusBar = nullptr;
    // Fields page.
    QLineEdit *ForwardTemperature = nullptr, *BackwardTemperature = nullptr, *Volume = nullptr, *Ro = nullptr,
              *Nu = nullptr, *SpecificHeat = nullptr;
    QRadioButton *DefinedTemperature = nullptr, *DefinedVolume = nullptr, *BifilarMode = nullptr, *SerialMode = nullptr;
    QComboBox* MediumType = nullptr;
    QLabel* DifferentTemperaturesWarning = nullptr;
    QToolButton* RecalcFieldsButton = nullptr;
    TListHeader *ListHeader1 = nullptr, *ListHeader2 = nullptr;
    TListViewWithHeader *RoundFieldsList = nullptr, *RoomFieldsList = nullptr;
    QListWidget* RoomsList = nullptr;
    QCheckBox* ViewOnlyNotUsed = nullptr;
    QAction *ModifyFieldAction = nullptr, *DeleteFieldAction = nullptr, *AddFieldAction = nullptr,
            *MoveUpFieldAction = nullptr, *MoveDownFieldAction = nullptr, *RecalcFieldsAction = nullptr;
    // Hydraulics page.
    QLabel *TubeType = nullptr, *TubeSize = nullptr, *LengthOrigin = nullptr, *Length = nullptr, *Speed = nullptr,
           *DpProMeter = nullptr, *DpTube = nullptr, *PDin = nullptr, *PressureLoss = nullptr, *DpResists = nullptr,
           *NeededTrottle = nullptr, *RecommendedValveSize = nullptr, *ThrottlePressure = nullptr,
           *ValvePosition = nullptr;
    QLineEdit *TubeLengthPlus = nullptr, *AvailablePressure = nullptr;
    QComboBox *TubeLengthPlusMode = nullptr, *ValveType = nullptr, *ValveSize = nullptr;
    // The loop pattern the tube is laid in, and which length the hydraulics use.
    QComboBox* LoopPattern = nullptr;
    QLabel* LengthSource = nullptr;
    QToolButton *ValveTree = nullptr, *ValveHTML = nullptr;
    FittingsPanel* Fittings = nullptr;

    // Reads the edits into the circuit; false (status bar and focus on the bad edit)
    // for a bad number.  `quiet` reads while typing: nothing is reported then.
    bool ReadCircuitValues(bool quiet = false);
    void RefreshCircuitDisplay(bool rebuild);
    void RefreshCircuitFieldList(bool rebuild);
    void RefreshRoomChoice();
    void UpdateCircuitActions();
    void ValueChanged();
    void ApplyValveType(bool takeSize);

    void AddFieldActionExecute();
    void ModifyFieldActionExecute();
    void DeleteFieldActionExecute();
    void MoveFieldExecute(bool up);
    void RecalcFieldsActionExecute();
    void ValveTreeClick();
    void OKClick();

private:
    QWidget* BuildFieldsPage();
    QWidget* BuildHydraulicsPage();
    void Connect();
    void FillRoomFieldList();
    void Typed();
    void ShowStatus(const std::optional<std::string>& failure);
    int SelectedFieldRow() const;
    void SelectFieldRow(int row);
    bool UserDefinedMedium() const;

    CircuitEditor editor_;
    Services services_;
    std::string roomName_; // the room chosen in RoomsList
    std::string failure_;  // what the status bar reports, when something failed
    bool initialised_ = false;
    LeaveGuard leaving_;
};

// Runs the circuit dialog on `edit.round` (the caller's copy) of `project` with its
// stored placement; true on OK, when `edit` holds the edited circuit and the rooms as
// the dialog left them.  On Cancel `edit` and the project are as they were.
bool EditRoundInDialog(CircuitEdit& edit, const TProject& project, const TDevices& devices, const Services& services,
                       QWidget* parent);

} // namespace kalorina::gui
