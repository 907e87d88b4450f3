#pragma once
#include <QElapsedTimer>
#include <memory>

#include "platform/Services.h"

namespace kalorina::gui {

class TMainForm;

// The start-up sequence: languages, program options, language selection and
// translation, the catalogue, an empty project.  Nothing here is fatal.
std::unique_ptr<TMainForm> CreateMainForm(const Services& services = SystemServices());

} // namespace kalorina::gui
