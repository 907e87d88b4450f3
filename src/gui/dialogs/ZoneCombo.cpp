#include "dialogs/ZoneCombo.h"

#include <QComboBox>

namespace kalorina::gui {

QComboBox* MakeZoneCombo(const char* name, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->addItems({QStringLiteral("Tartózkodási"), QStringLiteral("Szegély"), QStringLiteral("Fürdőszobai")});
    combo->setCurrentIndex(0);
    return combo;
}

} // namespace kalorina::gui
