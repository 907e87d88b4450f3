#pragma once
// The program's code page 1250 texts at the Qt boundary.
#include <QString>
#include <string>

#include "util/Codepage.h"

namespace kalorina::gui {

inline QString FromCp1250(const std::string& text)
{
    return QString::fromUtf8(Cp1250ToUtf8(text));
}

inline std::string ToCp1250(const QString& text)
{
    return Utf8ToCp1250(text.toUtf8().toStdString());
}

} // namespace kalorina::gui
