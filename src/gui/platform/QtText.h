#pragma once
// The program's texts are code page 1250; Qt speaks Unicode.  Convert only here.
#include <QString>
#include <string>

#include "util/Codepage.h"

namespace kalorina::gui {

inline QString Q(const std::string& cp1250)
{
    return QString::fromStdString(Cp1250ToUtf8(cp1250));
}

inline std::string Cp(const QString& text)
{
    return Utf8ToCp1250(text.toStdString());
}

} // namespace kalorina::gui
