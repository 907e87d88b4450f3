#pragma once
#include <QElapsedTimer>
#include <QStringList>
#include <memory>

#include "platform/Services.h"

namespace kalorina::gui {

class TMainForm;

// The start-up sequence: languages, program options, language selection and
// translation, the catalogue, an empty project.  Nothing here is fatal.
std::unique_ptr<TMainForm> CreateMainForm(const Services& services = SystemServices());

// The program's command line, "kalorina [FILE.klp]": opens the project named, as a
// double click in the file manager asks.  Options are Qt's own and left alone.
void OpenStartupFiles(TMainForm& form, const QStringList& arguments);

} // namespace kalorina::gui
