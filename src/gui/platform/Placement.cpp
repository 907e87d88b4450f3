#include "platform/Placement.h"

#include <QWidget>

#include "document/TProgramOptions.h"

namespace kalorina::gui {

void RestoreFormPlacement(QWidget* form, bool sizeable)
{
    QRect g = form->geometry();
    FormPlacement p{form->isMaximized(), g.x(), g.y(), g.width(), g.height(), sizeable};
    kalorina::RestoreFormPlacement(form->objectName().toStdString(), p);
    form->setProperty("kalorinaSizeable", sizeable);
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
