#pragma once
// Display names of tube, valve and fitting sizes: the item's name base with the size
// put in place of "%s", or followed directly by the size when there is no "%s".
#include <string>

namespace kalorina {

class CatalogueReader;

std::string ComposeDisplayName(const std::string& nameBase, const std::string& size);

// A name base written between double quotes keeps its blanks; the quotes go.
std::string StripNameQuotes(const std::string& text);

// Reads a NameBase element (the reader's current start tag) into `nameBase` as
// TakeText does, language-filtered and macros expanded, then strips its quotes.
void TakeNameBase(CatalogueReader& reader, std::string& nameBase);

} // namespace kalorina
