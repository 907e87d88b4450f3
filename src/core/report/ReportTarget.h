#pragma once
// Where a report's pages go: a printer, a PDF file, pictures, or pages recorded for
// the preview.  The report asks for the sheet's measures once and then begins and
// ends pages; each page gives it a canvas to draw on.
#include "platform/Canvas.h"

namespace kalorina {

struct TPageSetup {
    int pageWidth = 0, pageHeight = 0; // the whole sheet, device units
    int offsetX = 0, offsetY = 0;      // physical offsets of the printable area
    int paperWidthMM = 210, paperHeightMM = 297;
    // Pages recorded for the preview: the margins are converted at the device's
    // resolution, without physical offsets.
    bool preview = false;
    int pixelsPerInch = 96; // of a preview page
};

class TReportTarget {
public:
    virtual ~TReportTarget() = default;
    virtual TPageSetup PageSetup() const = 0;
    // Starts the next page (the first on the first call) and gives its canvas.
    virtual TCanvas& BeginPage() = 0;
    virtual void EndPage() = 0;
    // After the last page.
    virtual void EndDocument() {}
};

// Names of the pictures reports draw through TCanvas::DrawPicture.
inline constexpr const char* kLogoPicture = "logo";

} // namespace kalorina
