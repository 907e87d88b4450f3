#include "platform/QtTranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace kalorina::gui {

namespace {
std::unique_ptr<QTranslator>& Installed()
{
    static std::unique_ptr<QTranslator> translator;
    return translator;
}
} // namespace

QStringList QtTranslationFolders()
{
    return {QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

bool UseQtTranslation(const std::string& languageCode, const QStringList& folders)
{
    std::unique_ptr<QTranslator>& installed = Installed();
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    const QString code = QString::fromStdString(languageCode).trimmed();
    // A code is a language tag, never a path.
    if (code.isEmpty() || code.contains(QLatin1Char('/')) || code.contains(QLatin1Char('\\')))
        return false;
    auto translator = std::make_unique<QTranslator>();
    for (const QString& folder : folders) {
        // The exact file only: QTranslator would otherwise fall back to shorter names.
        const QString file = QDir(folder).filePath(QStringLiteral("qtbase_") + code + QStringLiteral(".qm"));
        if (folder.isEmpty() || !QFileInfo::exists(file))
            continue;
        if (translator->load(file)) {
            QCoreApplication::installTranslator(translator.get());
            installed = std::move(translator);
            return true;
        }
    }
    return false;
}

} // namespace kalorina::gui
