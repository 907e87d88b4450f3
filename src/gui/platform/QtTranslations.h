#pragma once
// Qt's own texts (the buttons of message boxes, the file and print dialogs) in the
// user-interface language, from the translations Qt ships.
#include <QString>
#include <QStringList>
#include <string>

namespace kalorina::gui {

// The folders searched for Qt's translation files: the program's "translations"
// folder, then Qt's own.
QStringList QtTranslationFolders();

// Replaces the Qt translation in use by the one for `languageCode` (the catalogue
// code of the language, "hu", "en").  Without a file for that code (or with an
// empty code) Qt speaks its built-in English; nothing else changes.  Answers
// whether a translation was installed.
bool UseQtTranslation(const std::string& languageCode, const QStringList& folders = QtTranslationFolders());

} // namespace kalorina::gui
