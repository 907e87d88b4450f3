#pragma once
// Opening a document, web address or mail link with the desktop's own program.
#include <string>

namespace kalorina {

class DocumentService {
public:
    virtual ~DocumentService() = default;
    // `link` in code page 1250; false when nothing could open it.
    virtual bool Open(const std::string& link) = 0;
};

} // namespace kalorina
