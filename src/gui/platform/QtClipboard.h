#pragma once
#include <QString>

#include "platform/Clipboard.h"

namespace kalorina::gui {

// The system clipboard; each named format travels as its own MIME type
// ("application/x-kalorina-<name>"), and "Rich Text Format" also as text/rtf so that
// word processors take it.
class QtClipboard : public ClipboardService {
public:
    void Put(const std::map<std::string, std::string>& blocks) override;
    bool HasFormat(const std::string& formatName) const override;
    std::optional<std::string> Get(const std::string& formatName) const override;
    static QString MimeType(const std::string& formatName);
};

} // namespace kalorina::gui
