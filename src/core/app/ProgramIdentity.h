#pragma once
// The program as the about box names it, and the identification line that printed
// reports take from those names.
#include <string>

namespace kalorina {

// Code page 1250 texts; the about box shows them, translated where a language says so.
struct ProgramIdentity {
    std::string productName = "Kalorina Padl\xF3"
                              "f\xFBt\xE9s m\xE9retez\xF5";
    std::string version = "1.02 (2005. 2. 8.)";
    std::string maker = "Kalorina fejleszt\xF5i csapat";
};

// The program line of a report's footer: an RTF paragraph start in the small
// footer font, then product name, version and maker separated by single blanks.
std::string ReportIdentification(const ProgramIdentity& identity);

} // namespace kalorina
