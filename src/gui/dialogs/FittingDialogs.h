#pragma once
// The two fitting dialogs: a catalogue fitting's count, size and listing, and a
// fitting the user describes completely.  Both edit the fitting in place.
#include <QDialog>

#include "app/FittingEditor.h"
#include "platform/Services.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace kalorina::gui {

class TResistModifyForm : public QDialog {
    Q_OBJECT
public:
    TResistModifyForm(TResist& fitting, const TDevices& devices, const Services& services, QWidget* parent = nullptr);

    QLabel *Name = nullptr, *Mode = nullptr, *Value = nullptr;
    QLineEdit* NumOf = nullptr;
    QComboBox* SizeName = nullptr;
    QCheckBox* List = nullptr;

    void SizeNameChange();
    void OKClick();

private:
    bool Read(bool sizeChange);

    CatalogueFittingEditor editor_;
    Services services_;
    std::string link_;
};

class TUniqueResistModifyForm : public QDialog {
    Q_OBJECT
public:
    TUniqueResistModifyForm(TResist& fitting, const Services& services, QWidget* parent = nullptr);

    QLineEdit *Name = nullptr, *NumOf = nullptr, *SizeName = nullptr, *Value = nullptr;
    QComboBox* Mode = nullptr;
    QCheckBox* List = nullptr;

    void OKClick();

private:
    UniqueFittingEditor editor_;
    Services services_;
};

// The dialogs run modally on a copy with their stored placement around them; true on
// OK, when the fitting takes the copy.
bool EditCatalogueFitting(QWidget* parent, const Services& services, const TDevices& devices, TResist& fitting);
bool EditUniqueFitting(QWidget* parent, const Services& services, TResist& fitting);

} // namespace kalorina::gui
