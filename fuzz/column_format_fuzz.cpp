// Column format texts and stored layout values come from resources and from the
// user's settings file; neither may crash the parser, whatever they hold.
#include <cstddef>
#include <cstdint>
#include <string>

#include "listview/TListHeaderFormat.h"
#include "util/Error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    kalorina::TListHeaderFormat format;
    format.Parse(text);
    format.ReadOrder(text);
    for (auto& column : format.columns) {
        try {
            kalorina::TListHeaderFormat::ReadLayoutValue(column, text);
        } catch (const kalorina::KalorinaError&) {
        }
        (void)column.FormatReal(static_cast<double>(size) - 3.5);
    }
    return 0;
}
