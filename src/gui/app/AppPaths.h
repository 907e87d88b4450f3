#pragma once
// Where the program finds what it ships: languages and pictures beside the
// executable (or in the installed share folder), the catalogue as the core decides.
#include <QString>

namespace kalorina::gui {

QString ProgramDir();
QString LanguagesDir();
// The splash and about picture: the program's own name with the extension "jpg".
QString ProgramPicturePath();
QString ReportPicturePath();

} // namespace kalorina::gui
