#pragma once
// The project options dialog: the defaults new rooms and circuits start with and
// the default fitting list, edited on a copy of the project's options.
#include <QDialog>

#include "app/ProjectOptionsEditor.h"
#include "platform/Services.h"

class QComboBox;
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

    QLineEdit *HeatingInSideTemp = nullptr, *ForwardTemperature = nullptr, *BackwardTemperature = nullptr,
              *OversideTemperature = nullptr, *Oversidek = nullptr, *Ro = nullptr, *Nu = nullptr,
              *SpecificHeat = nullptr, *AvailablePressure = nullptr, *LengthPlus = nullptr;
    QComboBox *MediumType = nullptr, *ValveType = nullptr, *LengthPlusMode = nullptr;
    QToolButton* SpeedButton25 = nullptr;
    // The floor under the tubes: checked, it gives the downward k.
    QGroupBox* BuildUpGroup = nullptr;
    QLineEdit *InsulationR = nullptr, *SlabR = nullptr;
    QComboBox* BelowKind = nullptr;
    FittingsPanel* Fittings = nullptr;
    QStatusBar* StatusBar = nullptr;

    void MediumChange();
    void OKClick();

private:
    bool UserDefined() const;
    void SetPropertiesReadOnly(bool readOnly);
    // The downward k that the build-up typed so far gives, shown read-only.
    void BuildUpChange();

    ProjectOptionsEditor editor_;
    TProjektOptions committed_;
    Services services_;
};

// Runs the dialog on a copy of `options`; on OK the copy replaces them.
bool EditProjectOptions(QWidget* parent, const Services& services, const TDevices& devices, TProjektOptions& options);

} // namespace kalorina::gui
