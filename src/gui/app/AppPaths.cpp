#include "app/AppPaths.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "lang/LanguagePaths.h"
#include "util/ProgramFiles.h"

namespace kalorina::gui {

namespace {
QString Find(const QString& name)
{
    return QString::fromStdString(ProgramFilePath(ProgramDir().toStdString(), name.toStdString()));
}
} // namespace

QString ProgramDir()
{
    return QCoreApplication::applicationDirPath();
}

QString LanguagesDir()
{
    return QString::fromStdString(LanguagesDirFor(ProgramDir().toStdString()));
}

QString ProgramPicturePath()
{
    QString exe = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    if (exe.isEmpty() || exe == QLatin1String("gui_tests"))
        exe = QStringLiteral("kalorina");
    return Find(exe + QStringLiteral(".jpg"));
}

QString ReportPicturePath()
{
    return Find(QStringLiteral("KalorinaReport.jpg"));
}

} // namespace kalorina::gui
