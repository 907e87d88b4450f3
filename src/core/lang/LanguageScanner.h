#pragma once
// Reading one language document (already decoded) into a TLanguage.
#include <string_view>

#include "lang/TLanguage.h"

namespace kalorina {

class TXmlParser;

// Scans the document with whitespace normalisation.  Only start tags count: an
// element written self-closing is not read.  Raises KalorinaError when a
// `columnitem` has an `id` or `row` that is not a decimal number, so that a
// broken file is not half loaded.
TLanguage ScanLanguage(std::string_view xmlText);
TLanguage ScanLanguage(TXmlParser& xml);

} // namespace kalorina
