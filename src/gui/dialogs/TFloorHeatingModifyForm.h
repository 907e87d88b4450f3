#pragma once
// Changes one field of a room, showing its output as the values change.
#include <QDialog>

#include "app/FieldEditor.h"
#include "platform/DialogSupport.h"
#include "platform/Services.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace kalorina::gui {

class TFloorHeatingModifyForm : public QDialog {
    Q_OBJECT
public:
    // `maximumArea` is the floor the field may take in its room.
    TFloorHeatingModifyForm(const FloorHeatingField& field, double inside, double maximumArea, const TDevices& devices,
                            const Services& services, QWidget* parent = nullptr);

    const FloorHeatingField& Field() const { return editor_.Field(); }

    QComboBox *Type = nullptr, *SurfaceTypes = nullptr, *Distances = nullptr, *ZoneTypes = nullptr;
    QToolButton* HTMLButton = nullptr;
    QLineEdit *R = nullptr, *A = nullptr, *ForwardTemperature = nullptr, *BackwardTemperature = nullptr,
              *OversideTemperature = nullptr, *Oversidek = nullptr;
    QLabel *RLimits = nullptr, *RoomTemperature = nullptr, *Length = nullptr, *SurfaceTemperature = nullptr,
           *q = nullptr, *Power = nullptr, *OversidePower = nullptr, *PowerSum = nullptr;

public slots:
    void accept() override;

private:
    void BuildControls();
    void ShowChoices(const FieldChoices& choices);
    // Copies the controls into the field; false (focus on the bad edit) on a bad number.
    // A bad number focuses its edit; `report` also says what is wrong (on OK: while
    // the user moves from edit to edit, a message box at every step would be in the way).
    bool ReadFieldValues(FieldInputs& inputs, bool report);
    // Reads the edits and hands them to the editor; a refusal is shown.
    bool ApplyFieldValues(bool report = false);
    // Reads, recomputes and shows the results; a calculation failure in a message box.
    void FieldChanged();
    void ShowFieldResults();
    void TypeChange();
    void SurfaceTypesChange();
    void DistancesChange();

    FieldEditor editor_;
    Services services_;
    bool initialised_ = false;
    LeaveGuard leaving_;
};

} // namespace kalorina::gui
