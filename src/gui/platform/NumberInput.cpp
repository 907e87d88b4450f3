#include "platform/NumberInput.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>

#include "platform/DialogSupport.h"
#include "platform/QtText.h"
#include "util/Error.h"
#include "util/FloatFormat.h"

namespace kalorina::gui {

namespace {

// The layout that holds `w` directly, searched from its parent widget's layout down.
QLayout* HoldingLayout(QLayout* layout, const QWidget* w)
{
    if (!layout)
        return nullptr;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() == w)
            return layout;
        if (QLayout* inner = HoldingLayout(item->layout(), w))
            return inner;
    }
    return nullptr;
}

QLabel* LabelBefore(const QWidget* control)
{
    const QWidget* parent = control->parentWidget();
    if (!parent)
        return nullptr;
    for (QLabel* label : parent->findChildren<QLabel*>())
        if (label->buddy() == control)
            return label;
    QLayout* layout = HoldingLayout(parent->layout(), control);
    if (!layout)
        return nullptr;
    if (auto* form = qobject_cast<QFormLayout*>(layout))
        return qobject_cast<QLabel*>(form->labelForField(const_cast<QWidget*>(control)));
    const int index = layout->indexOf(const_cast<QWidget*>(control));
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        int row = 0, column = 0, rows = 0, columns = 0;
        grid->getItemPosition(index, &row, &column, &rows, &columns);
        for (int c = column - 1; c >= 0; --c)
            if (QLayoutItem* item = grid->itemAtPosition(row, c))
                if (auto* label = qobject_cast<QLabel*>(item->widget()))
                    return label;
        return nullptr;
    }
    for (int i = index - 1; i >= 0; --i)
        if (auto* label = qobject_cast<QLabel*>(layout->itemAt(i)->widget()))
            return label;
    return nullptr;
}

} // namespace

std::string FieldName(const QWidget* control)
{
    QString caption;
    if (const QLabel* label = LabelBefore(control))
        caption = label->text();
    if (caption.trimmed().isEmpty())
        caption = control->accessibleName();
    if (caption.trimmed().isEmpty())
        caption = control->objectName();
    return FieldNameOfCaption(Cp(caption.simplified()));
}

void RefuseControl(QWidget* control, InputKind kind)
{
    control->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->selectAll();
    throw KalorinaError(RangeMessage(kind, FieldName(control)));
}

double NumberFromControl(QLineEdit* edit, InputKind kind)
{
    try {
        return ParseInput(Cp(edit->text()), kind, FieldName(edit));
    } catch (const KalorinaError&) {
        edit->setFocus();
        edit->selectAll();
        throw;
    }
}

int IntegerFromControl(QLineEdit* edit, InputKind kind)
{
    return static_cast<int>(NumberFromControl(edit, kind));
}

QLineEdit* FitNumberEdit(QLineEdit* edit, InputKind kind)
{
    // The longer end of the range, with two decimals where fractions are allowed
    // (a room of 1234.56 m2 is more likely than one of 10000 m2, and as long).
    const InputRange r = RangeOf(kind);
    auto text = [&](double v) { return FloatToStrF(v, TFloatFormat::Fixed, 15, r.whole ? 0 : 2); };
    std::string longest = text(r.low);
    // Fractions may also come in scientific form (a viscosity of 6.579E-7 m2/s).
    for (const std::string& t : {text(r.high), std::string(r.whole ? "" : "8.888E-8")})
        if (t.size() > longest.size())
            longest = t;
    return FitEditTo(edit, Q(longest));
}

long double NumberFromLabel(const QLabel* label, NumberKind kind)
{
    return ParseNumber(Cp(label->text()), kind);
}

} // namespace kalorina::gui
