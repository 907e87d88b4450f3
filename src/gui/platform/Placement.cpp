#include "platform/Placement.h"

#include <QWidget>

#include "document/TProgramOptions.h"

namespace kalorina::gui {

void RestoreFormPlacement(QWidget* form, bool sizeable)
{
    QRect g = form->geometry();
    const FormPlacement designed{form->isMaximized(), g.x(), g.y(), g.width(), g.height(), sizeable};
    FormPlacement p = designed;
    kalorina::RestoreFormPlacement(form->objectName().toStdString(), p);
    form->setProperty("kalorinaSizeable", sizeable);
    // Nothing stored yet: a dialog not yet shown keeps its designed size and lets the
    // window system centre it over its parent instead of putting it into a corner.
    if (p.maximized == designed.maximized && p.left == designed.left && p.top == designed.top
        && p.width == designed.width && p.height == designed.height)
        return;
    if (p.maximized) {
        form->setWindowState(form->windowState() | Qt::WindowMaximized);
        return;
    }
    form->setGeometry(p.left, p.top, p.width, p.height);
}

void SaveFormPlacement(QWidget* form)
{
    QRect g = form->isMaximized() ? form->normalGeometry() : form->geometry();
    FormPlacement p{form->isMaximized(), g.x(), g.y(), g.width(), g.height(), true};
    kalorina::SaveFormPlacement(form->objectName().toStdString(), p);
}

} // namespace kalorina::gui
