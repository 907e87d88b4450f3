#pragma once
// The pages of a report as a PDF file or as one PNG picture per page, for the
// commands that print (report, bom).
#include <QPageLayout>
#include <functional>
#include <memory>
#include <string>

#include "CliCommand.h"
#include "report/TBReport.h"

namespace kalorina::cli {

using ReportMaker = std::function<std::unique_ptr<TBReport>()>;

// Fonts and painting need a GUI application object; no window is ever shown.
void EnsureGuiApplication();

// Each prints "PATH: N page(s)" and answers kOk, or reports why it failed.
int WriteReportPdf(Context& ctx, const std::string& path, const QPageLayout& layout, const ReportMaker& make);
// page-001.png, page-002.png, ... at 150 dpi in `folder` (made when missing).
int WriteReportPngs(Context& ctx, const std::string& folder, const QPageLayout& layout, const ReportMaker& make);

} // namespace kalorina::cli
