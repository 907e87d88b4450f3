#pragma once
// The file name a save dialog proposes for a report or table: the project's own
// name with what the file holds ("house-osztok.pdf"), in the project's folder.
#include <string>

#include "report/PrintingOptions.h"

namespace kalorina {

// The word for what a file of `kind` holds, in the printing language: plain
// letters and hyphens, fit for a file name on any system.
std::string ReportFileWord(ReportKind kind);
// The same for the bill of materials.
std::string BillFileWord();

// `projectFile` (a file-system name, possibly empty for a project never saved),
// `word` and `extension` (without the dot): "<folder>/<project>-<word>.<ext>", or
// "<word>.<ext>" for a project without a file.
std::string ProposedFileName(const std::string& projectFile, const std::string& word, const std::string& extension);

} // namespace kalorina
