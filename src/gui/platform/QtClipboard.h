#pragma once
#include <QString>

#include "platform/Clipboard.h"

namespace kalorina::gui {

// The system clipboard; each named format travels as its own MIME type: the item of
// the program as "application/x-kalorina-item", "Rich Text Format" as text/rtf so that
// word processors take it, names that are MIME types already as they are, any other
// as "application/x-kalorina-<name>".
class QtClipboard : public ClipboardService {
public:
    void Put(const std::map<std::string, std::string>& blocks) override;
    bool HasFormat(const std::string& formatName) const override;
    std::optional<std::string> Get(const std::string& formatName) const override;
    static QString MimeType(const std::string& formatName);
};

} // namespace kalorina::gui
