#pragma once
// Asks the area (and zone) of a field about to be added to a room, offering the
// room's whole free area with one button.
#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QStatusBar;

namespace kalorina::gui {

class TAreaForm : public QDialog {
    Q_OBJECT
public:
    TAreaForm(double proposal, double maximum, int zone, QWidget* parent = nullptr);

    double Area() const { return area_; }
    int Zone() const { return zone_; }

    QLineEdit* HeatingArea = nullptr;
    QLabel* AreaMax = nullptr;
    QComboBox* ZoneTypes = nullptr;
    QStatusBar* StatusBar = nullptr;

public slots:
    void accept() override;

private:
    double area_;
    double maximum_;
    int zone_;
};

} // namespace kalorina::gui
