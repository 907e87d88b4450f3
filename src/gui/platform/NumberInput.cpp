#include "platform/NumberInput.h"

#include <QLabel>
#include <QLineEdit>

#include "app/DialogEditor.h"
#include "platform/QtText.h"

namespace kalorina::gui {

long double NumberFromControl(QLineEdit* edit, NumberKind kind)
{
    try {
        return ParseNumber(Cp(edit->text()), kind);
    } catch (...) {
        edit->setFocus();
        throw;
    }
}

int IntegerFromControl(QLineEdit* edit)
{
    try {
        return ParseInteger(Cp(edit->text()));
    } catch (...) {
        edit->setFocus();
        throw;
    }
}

long double NumberFromLabel(const QLabel* label, NumberKind kind)
{
    return ParseNumber(Cp(label->text()), kind);
}

} // namespace kalorina::gui
