#pragma once
// The room dialog: the room's own values and fields above, the choice of a floor
// heating system, covering and spacing below.  The rules are RoomEditor's; this
// window wires its controls to them.
#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

#include "app/RoomEditor.h"
#include "platform/DialogSupport.h"
#include "platform/Services.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QStatusBar;
class QTabWidget;
class QTreeWidget;

namespace kalorina::gui {

class RoomHeatLoadPage;
class TListHeader;
class TListViewWithHeader;

class TRoomModifyForm : public QDialog {
    Q_OBJECT
public:
    TRoomModifyForm(const TRoomItem& room, const TDevices& devices, const TProjektOptions& options,
                    const Services& services, QWidget* parent = nullptr);

    // The project's climate and constructions, for the heat-load page; without them
    // the page shows no load and the heat loss stays as typed.
    void SetClimate(const ProjectHeatLoad* climate);
    // The room's area comes from its outline on the plan: shown, not typed.
    void SetAreaFromPlan(bool fromPlan);
    ~TRoomModifyForm() override;

    const TRoomItem& Room() const { return editor_.Room(); }

    QComboBox* Function = nullptr;
    QLineEdit *Area = nullptr, *HeatingInSideTemp = nullptr, *HeatingPower = nullptr;
    QCheckBox* SupplementaryHeat = nullptr;
    // What lies under this room when it is not what the project says: entry 0 the
    // project's build-up, then the kinds of space; the insulation under the tubes.
    QComboBox* RoomBelowKind = nullptr;
    QLineEdit* RoomInsulationR = nullptr;
    TListHeader *ListHeader3 = nullptr, *ListHeader4 = nullptr;
    TListViewWithHeader *FloorHeatingsList = nullptr, *FloorHeatingsChooseList = nullptr;
    QTreeWidget* FloorHeatingsTreeView = nullptr;
    QLabel* FloorHeatMainType = nullptr;
    QComboBox* FloorHeatingSurfaceType = nullptr;
    QLineEdit* SurfaceR = nullptr;
    QLineEdit *FHForwardTemperature = nullptr, *FHBackwardTemperature = nullptr, *FHPowerRequest = nullptr,
              *FHSurface = nullptr, *FHOversideTemperature = nullptr, *FHOversidek = nullptr;
    QComboBox* FHZoneType = nullptr;
    QLabel *FHDistance1 = nullptr, *FHSurface1 = nullptr, *FHDistance2 = nullptr, *FHSurface2 = nullptr;
    QStatusBar* StatusBar = nullptr;
    // The room and its fields on the first page, its building on the second.
    QTabWidget* Pages = nullptr;
    RoomHeatLoadPage* HeatLoadPage = nullptr;
    QAction *AddFloorHeatingAction = nullptr, *OptimimFloorHeatingAction = nullptr, *ModifyFloorHeatingAction = nullptr,
            *IncrementFloorHeatingAction = nullptr, *DecrementFloorHeatingAction = nullptr,
            *DeleteFloorHeatingAction = nullptr;
    QMenu* PopupMenu = nullptr;
    // Asked on OK with the edited room, once it is complete: false keeps the dialog
    // open (the caller's question about circuits that use a removed field).
    std::function<bool(const TRoomItem&)> confirmOk;

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    QAction* MakeAction(const char* name, const QString& caption);
    void BuildSystemsTree();
    void SaveSystemsTree();
    void FillFunctions();

    void RefreshRoomTotals(bool rebuild);
    void RefreshChooseList(bool rebuild);
    void RefreshFieldList(bool rebuild);
    void UpdateRoomActions();
    bool ReadRoomValues();
    // The selection inputs; raises the IDS_WRONGVALUE error with the focus on the edit.
    ChooseInputs ReadChooseInputs();
    int SelectedField() const; // index into the room's fields, or -1
    void ShowStatus(const std::string& text);

    void SelectSystem();
    void FloorHeatingSurfaceTypeChange();
    void FloorHeatingValueChange();
    void ValueChanged();
    // The room's own build-up chosen or changed: its fields follow at once.
    void BuildUpChanged();
    // Takes what was typed but not yet read (tool buttons take no focus, so no edit
    // is left before their commands run); false when a typed value is refused.
    bool TakePendingEdits();
    void FloorHeatMainTypeClick();
    // The heat-load page moved the room's load: the heat loss shows it, read-only
    // while it follows the building.
    void HeatLossFollows();

    void AddFloorHeatingActionExecute();
    void OptimimFloorHeatingActionExecute();
    void IncrementFloorHeatingActionExecute();
    void DecrementFloorHeatingActionExecute();
    void ModifyFloorHeatingActionExecute();
    void DeleteFloorHeatingActionExecute();

    RoomEditor editor_;
    const TDevices& devices_;
    Services services_;
    bool initialised_ = false;
    LeaveGuard leaving_;
    bool roomValuesTyped_ = false, chooseValuesTyped_ = false;
    // The zone box shows the bathroom zone because the function names a bathroom,
    // not because the user chose it: another function takes the proposal back.
    bool zoneFromFunction_ = false;
    void ProposeZoneForFunction();
    QString chooseFailure_; // the status text of the last failed choice list
};

// Opens the room dialog on `room` with its placement around the modal run; true on
// OK (the room then holds the edited copy).  `confirmOk`, when given, may keep the
// dialog open on OK.
bool EditRoomInDialog(TRoomItem& room, const TDevices& devices, const TProjektOptions& options,
                      const Services& services, QWidget* parent, std::function<bool(const TRoomItem&)> confirmOk = {},
                      const ProjectHeatLoad* climate = nullptr, bool areaFromPlan = false,
                      std::function<std::vector<HeatElement>(double, const std::vector<HeatElement>&)> fromPlan = {});

} // namespace kalorina::gui
