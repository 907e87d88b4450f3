#pragma once
// The project options dialog: the defaults new rooms and circuits start with and
// the default fitting list, edited on a copy of the project's options.
#include <QDialog>

#include <vector>

#include "app/ProjectOptionsEditor.h"
#include "document/TProject.h"
#include "platform/Services.h"

class QCheckBox;
class QComboBox;
class QTabWidget;
class QTableWidget;
class QGroupBox;
class QLineEdit;
class QStatusBar;
class QToolButton;

namespace kalorina::gui {

class FittingsPanel;

class TProjektOptionsForm : public QDialog {
    Q_OBJECT
public:
    TProjektOptionsForm(const TProjektOptions& options, const TDevices& devices, const Services& services,
                        QWidget* parent = nullptr);

    ProjectOptionsEditor& Editor() { return editor_; }
    const TProjektOptions& Options() const { return committed_; }

    // The climate and constructions the rooms' heat loads are computed with, for the
    // "Hőveszteség-számítás" page; `rooms` for the check that the outdoor
    // temperature lies below every room's.  Without a call the page edits defaults.
    void SetHeatLoad(const ProjectHeatLoad& heatLoad, const std::vector<TRoomItem>* rooms);
    const ProjectHeatLoad& HeatLoad() const { return heatLoad_; }
    // How far laid loops keep from the walls, m.
    double EdgeDistanceValue() const { return edgeDistance_; }

    QLineEdit *HeatingInSideTemp = nullptr, *ForwardTemperature = nullptr, *BackwardTemperature = nullptr,
              *OversideTemperature = nullptr, *Oversidek = nullptr, *Ro = nullptr, *Nu = nullptr,
              *SpecificHeat = nullptr, *AvailablePressure = nullptr, *LengthPlus = nullptr;
    QComboBox *MediumType = nullptr, *ValveType = nullptr, *LengthPlusMode = nullptr;
    QToolButton* SpeedButton25 = nullptr;
    // The floor under the tubes: checked, it gives the downward k.
    QGroupBox* BuildUpGroup = nullptr;
    QLineEdit *InsulationR = nullptr, *SlabR = nullptr;
    QLineEdit* EdgeDistance = nullptr; // "Faltávolság"
    QComboBox* BelowKind = nullptr;
    FittingsPanel* Fittings = nullptr;
    QStatusBar* StatusBar = nullptr;
    QTabWidget* Pages = nullptr;
    QWidget* HeatLoadPage = nullptr;
    QLineEdit *OutdoorTemperature = nullptr, *MeanOutdoorTemperature = nullptr, *N50 = nullptr,
              *ThermalBridge = nullptr;
    QComboBox* Shielding = nullptr;
    QCheckBox* Groundwater = nullptr;
    // Name, typed U, layers "d/λ; ...", heat flow, outside surface, the U it gives.
    QTableWidget* Constructions = nullptr;
    enum ConstructionColumn { CName, CU, CLayers, CFlow, COutside, CResult, CColumns };

    void MediumChange();
    void OKClick();

private:
    bool UserDefined() const;
    void SetPropertiesReadOnly(bool readOnly);
    // The downward k that the build-up typed so far gives, shown read-only.
    void BuildUpChange();
    QWidget* BuildHeatLoadPage();
    void AddConstructionRow(const Construction& c);
    // The page read; raises the refusal of a value with the focus on it.
    ProjectHeatLoad ReadHeatLoad();

    ProjectOptionsEditor editor_;
    TProjektOptions committed_;
    ProjectHeatLoad heatLoad_;
    double edgeDistance_ = 0;
    const std::vector<TRoomItem>* rooms_ = nullptr;
    Services services_;
};

// Runs the dialog on a copy of `options`; on OK the copy replaces them.
bool EditProjectOptions(QWidget* parent, const Services& services, const TDevices& devices, TProjektOptions& options);
// The same with the project's heat-load data, which the copy replaces on OK too.
bool EditProjectOptions(QWidget* parent, const Services& services, const TDevices& devices, TProject& project);

} // namespace kalorina::gui
