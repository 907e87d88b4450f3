#pragma once
// The zone type drop-down list the room and field dialogs share.
class QComboBox;
class QWidget;

namespace kalorina::gui {

// "Tartózkodási", "Szegély", "Fürdőszobai" = zone types 0, 1, 2.
QComboBox* MakeZoneCombo(const char* name, QWidget* parent = nullptr);

} // namespace kalorina::gui
