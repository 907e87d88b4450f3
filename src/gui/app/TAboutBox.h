#pragma once
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kalorina::gui {

// The about box.  A fixed sequence of presses on the picture's 3 × 3 grid reveals
// the catalogue's security codes, for catalogue maintainers.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr, std::function<std::vector<std::string>()> securityCodes = {});

    // The identification line of printed reports.
    std::string ReportIdentification() const;
    // A press at (x, y) of the picture; true when it completed the sequence.
    bool PictureClicked(int x, int y);
    // The grid cell (row * 3 + column) of a press at (x, y) of the picture, or -1.
    int CellAt(int x, int y) const;
    static const int kAccessSequence[8];

    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Maker = nullptr;
    QPlainTextEdit* CodesMemo = nullptr;
    QPushButton* OKButton = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<std::vector<std::string>()> securityCodes_;
    int counter_ = 0;
};

} // namespace kalorina::gui
