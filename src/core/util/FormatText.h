#pragma once
// Filling the formats of language files and catalogue data.  They are never handed
// to printf: a text from a file could carry any conversion.
#include <optional>
#include <string>
#include <vector>

namespace kalorina {

// Replaces each "%s" of `format` in turn by the next argument and "%%" by "%".
// Anything else stays as written (catalogue names may carry other '%' signs).
std::string FormatText(const std::string& format, const std::vector<std::string>& args);

// As FormatText, and an integer conversion ("%d", "%i", "%u", "%x", "%X") also takes
// the next argument, which the caller has already written as text: for message
// texts of the language files.
std::string FormatMessage(const std::string& format, const std::vector<std::string>& args);

// A date in a language's date form: "%Y" the year, "%m" the month and "%d" the day
// with two digits, "%e" the day without a leading zero, "%%" a percent sign;
// everything else as written.  An empty form gives "%Y. %m. %d.".
std::string FormatDate(int year, int month, int day, const std::string& form);

// A calendar date.
struct DateParts {
    int year = 0, month = 0, day = 0;
};
// `text` read as a date written in `form` (the conversions of FormatDate; a blank
// of the form takes any number of blanks, leading zeros may be left out); none
// when the text is not such a date or names no day of the calendar.
std::optional<DateParts> ReadDate(const std::string& text, const std::string& form);

} // namespace kalorina
