#include "app/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "lang/LanguagePaths.h"

namespace kalorina::gui {

namespace {
// Beside the program first; an installed program keeps them in ../share/kalorina.
QString Find(const QString& name)
{
    QDir dir(ProgramDir());
    if (QFileInfo::exists(dir.filePath(name)))
        return dir.filePath(name);
    QString shared = QDir::cleanPath(dir.filePath(QStringLiteral("../share/kalorina/") + name));
    if (QFileInfo::exists(shared))
        return shared;
    return dir.filePath(name);
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
