#pragma once
#include <QElapsedTimer>
#include <QWidget>

class QLabel;

namespace kalorina::gui {

// The splash window: the program's picture without a border, centred; a click
// dismisses it.  Without a picture it shows the program's name instead.
class TLogoPictureForm : public QWidget {
    Q_OBJECT
public:
    explicit TLogoPictureForm(const QString& picturePath, QWidget* parent = nullptr);
    bool splashDismissed = false;
    QLabel* Image1 = nullptr;

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// Dispatches events in 100 ms steps until the splash was clicked or `minimumMs`
// have passed since `start`.
void WaitForSplash(TLogoPictureForm& splash, const QElapsedTimer& start, int minimumMs = 3000);

} // namespace kalorina::gui
