#include "app/TLogoPictureForm.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QThread>
#include <QVBoxLayout>

namespace kalorina::gui {

TLogoPictureForm::TLogoPictureForm(const QString& picturePath, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("LogoPictureForm"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    layout->addWidget(Image1);
    QPixmap picture(picturePath);
    if (!picture.isNull()) {
        Image1->setPixmap(picture);
        setFixedSize(picture.size());
    } else {
        // A missing picture must not stop the program from starting.
        Image1->setText(QStringLiteral("Kalorina"));
        Image1->setAlignment(Qt::AlignCenter);
        QFont f = Image1->font();
        f.setPointSize(28);
        Image1->setFont(f);
        setFixedSize(420, 200);
    }
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TLogoPictureForm::mousePressEvent(QMouseEvent*)
{
    splashDismissed = true;
}

void WaitForSplash(TLogoPictureForm& splash, const QElapsedTimer& start, int minimumMs)
{
    while (!splash.splashDismissed && start.elapsed() < minimumMs) {
        QApplication::processEvents();
        if (splash.splashDismissed)
            break;
        QThread::msleep(100);
    }
}

} // namespace kalorina::gui
