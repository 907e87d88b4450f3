#pragma once
// Switches text lookups to the printing language for as long as it lives.  The
// screen language comes back when the scope ends, however it ends: a report that
// throws half way must not leave the windows speaking the printing language.
// Scopes nest: each one puts back the mode it found, so an export opened while the
// printing dialog is up does not end the dialog's printing mode when it closes.
#include "lang/TLanguages.h"

namespace kalorina {

class PrintingScope {
public:
    explicit PrintingScope(TLanguages& languages = Languages()) : languages_(languages), saved_(languages.PrintingMode)
    {
        languages_.PrintingMode = true;
    }
    ~PrintingScope() { languages_.PrintingMode = saved_; }
    PrintingScope(const PrintingScope&) = delete;
    PrintingScope& operator=(const PrintingScope&) = delete;

private:
    TLanguages& languages_;
    bool saved_;
};

} // namespace kalorina
