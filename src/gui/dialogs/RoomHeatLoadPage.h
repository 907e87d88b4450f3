#pragma once
// The room dialog's "Hőveszteség" page: the room's height, air and heating up, the
// table of its elements with each one's factor, H and watts, and the breakdown of
// its load.  With elements, the load is the room's heat loss unless the engineer
// keeps a typed value ("kézi érték").  The rules are HeatLoadEditor's and
// RoomEditor's; this page wires its controls to them.
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/RoomEditor.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace kalorina::gui {

class RoomHeatLoadPage : public QWidget {
    Q_OBJECT
public:
    enum Column { Name, Type, Area, U, Construction, Boundary, Bu, Temperature, Bridge, Factor, H, Watts, Columns };

    explicit RoomHeatLoadPage(RoomEditor& editor, QWidget* parent = nullptr);

    // Fills the page from the editor's room and climate.
    void Load();
    // Reads the page into the editor's room; raises the refusal of a value (the
    // control or cell it stands in gets the focus).
    void Commit();

    QLineEdit *Height = nullptr, *HeightAboveGround = nullptr, *HeatingUp = nullptr;
    QComboBox *MinAirChange = nullptr, *ExposedFacades = nullptr;
    QTableWidget* Elements = nullptr;
    QPushButton *AddElement = nullptr, *RemoveElement = nullptr, *FromPlan = nullptr;
    // The walls the plan gives the room (clear height, the elements so far), and the
    // engineer's yes to the list before it replaces the elements.
    std::function<std::vector<HeatElement>(double, const std::vector<HeatElement>&)> fromPlan;
    std::function<bool(const std::string&)> confirm;
    QCheckBox* Manual = nullptr;
    QLabel *Transmission = nullptr, *Air = nullptr, *HeatingUpLine = nullptr, *Total = nullptr, *Message = nullptr;

signals:
    // The room's heat loss may have changed (its load, or the kept value).
    void HeatLossChanged();

private:
    void AddRow(const HeatElement& e);
    RoomHeatLoad Read();
    // Reads and shows the results; a refusal is shown under the table instead.
    void Recompute();

    RoomEditor& editor_;
    bool loading_ = false;
};

} // namespace kalorina::gui
