#include <QApplication>
#include <QElapsedTimer>

#include "app/AppPaths.h"
#include "app/ProjectRecovery.h"
#include "app/Startup.h"
#include "app/TLogoPictureForm.h"
#include "app/TMainForm.h"

int main(int argc, char** argv)
{
    using namespace kalorina::gui;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kalorina"));
    QApplication::setOrganizationName(QStringLiteral("Vexalon"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("kalorina")));

    auto splash = std::make_unique<TLogoPictureForm>(ProgramPicturePath());
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    QElapsedTimer start;
    start.start();
    auto mainForm = CreateMainForm();
    WaitForSplash(*splash, start);
    splash.reset();
    mainForm->show();
    // Work a killed program left behind comes first: a file named on the command
    // line opens after it, through the save question.
    mainForm->EnableRecovery(kalorina::RecoveryFolder());
    mainForm->OfferRecoveredWork();
    OpenStartupFiles(*mainForm, QApplication::arguments());
    return app.exec();
}
