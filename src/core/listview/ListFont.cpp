#include "listview/ListFont.h"

#include "platform/Registry.h"

namespace kalorina {

TListFont ReadListFont()
{
    TListFont font;
    TRegistry reg;
    if (!OpenRootKey(reg) || !reg.OpenKey("Fonts", true))
        return font;
    if (reg.ValueExists("ListName"))
        font.name = reg.ReadString("ListName");
    if (reg.ValueExists("ListSize"))
        font.size = reg.ReadInteger("ListSize");
    return font;
}

} // namespace kalorina
