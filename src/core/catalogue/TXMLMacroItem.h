#pragma once
// Text macros of catalogue files: an ID and the text that replaces it.
#include <cstddef>
#include <string>
#include <vector>

namespace kalorina {

struct TXMLMacroItem {
    std::string ID;
    std::string value;
};

// The macros in force while a catalogue loads: those of the item being read and
// the global ones of the last TervaldDBGlobalMacro block.
struct CatalogueMacros {
    std::vector<TXMLMacroItem> local;
    std::vector<TXMLMacroItem> global;

    // Local macros first, then global ones, each in definition order; every
    // occurrence of a macro's ID is replaced, searching again from the start after
    // each replacement, so the result of one macro feeds the next.
    std::string ExpandMacros(const std::string& text) const;
    void ExpandMacrosInPlace(std::string& text) const;

    // The most text the macros of one load may add: a large value used by every
    // item must not multiply into gigabytes.  Past it, texts keep their macros as
    // written and the load fails.
    static constexpr std::size_t kExpansionBudget = std::size_t(64) << 20;
    mutable std::size_t expandedBytes = 0;
    mutable bool budgetExceeded = false;
};

// Replaces `macro.ID` in `text` until it no longer occurs.  A value that contains
// its own ID would never let that end: then every occurrence present is replaced
// once, from left to right, without rescanning the inserted values.
std::string ExpandMacro(const std::string& text, const TXMLMacroItem& macro);

} // namespace kalorina
