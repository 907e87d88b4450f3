#pragma once
// What each stored number of a project may be.  Typed input keeps to the ranges of
// InputRange; a file may hold anything a tool or damage put there.  The stored
// members are named as the records name them, and each number with a meaning in
// a building gets the range a real building can need, from the same table as the
// dialogs.  Outside it a value is either meaningless (a negative area, spacing,
// length or count: the reader refuses the file as damaged) or implausible: it
// loads, the design check names it as an error, and nothing that prints a
// quantity (bill, design, reports) goes on from it.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "util/InputRange.h"

namespace kalorina {

class TProject;

struct StoredRange {
    InputRange range;
    // A value below zero makes the project meaningless.
    bool negativeIsDamage = false;
};

// The range of the stored member `member`; none for names, flags, identifiers and
// selections, which have checks of their own.
std::optional<StoredRange> StoredRangeOf(std::string_view member);

// Raises ImpossibleValue for a member whose negative value is damage.
void CheckStoredSign(const char* member, double value);

struct ImplausibleStoredValue {
    std::string roomName;     // the room it belongs to, or empty
    std::string roundName;    // the circuit, or empty
    std::string manifoldName; // the manifold, or empty
    std::string member;       // as the records name it
    double value = 0;
    InputRange range;
};

// Every stored number of the project outside its range, in the order of the file.
std::vector<ImplausibleStoredValue> FindImplausibleValues(const TProject& project);

// The value with what is allowed, in the words of the active language (code page
// 1250): "Floor area: 1E+20 m2 lies outside what a building can need (0 to 10000 m2)."
std::string ImplausibleValueText(const ImplausibleStoredValue& v);
// Where it is and what is wrong, for the messages of commands that stop on it.
std::string ImplausibleValueLine(const ImplausibleStoredValue& v);

class TRoomItem;
class TRoundItem;
// A result that could not be computed as a finite number (an infinity or a NaN
// from a degenerate input) is set to 0, as a file stores it, and named: the text
// of the failure (code page 1250), or empty when every number is finite.
std::string SettleNonFiniteResults(TRoomItem& room);
std::string SettleNonFiniteResults(TRoundItem& round);

} // namespace kalorina
