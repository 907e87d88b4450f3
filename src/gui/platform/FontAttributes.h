#pragma once
// Applying the list and report fonts of the settings to Qt fonts.  Windows font names
// that this system lacks fall back to the system's default font of the same family
// (sans serif, serif or monospace), so the sizes and feel stay as intended.
#include <QFont>

#include "document/TProgramOptions.h"

class QLabel;

namespace kalorina::gui {

void ApplyToFont(const ListFontAttributes& attributes, QFont& font);
ListFontAttributes TakeFromFont(const QFont& font);
// "10 pontos Times New Roman", shown in that font.
void ShowOnLabel(const ListFontAttributes& attributes, QLabel* label);
// The family this system uses for `name`.
QString ResolveFamily(const QString& name);

} // namespace kalorina::gui
