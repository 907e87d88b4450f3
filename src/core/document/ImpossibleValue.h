#pragma once
// A stored value the program could never have written: the file is damaged.  The
// reader of the record that holds it names the record in the message shown.
#include <string>

#include "util/Error.h"

namespace kalorina {

class ImpossibleValue : public KalorinaError {
public:
    // `what` names the value as stored, for instance "area = nan".
    explicit ImpossibleValue(const std::string& what) : KalorinaError(what) {}
};

// Raises ImpossibleValue for a NaN or an infinity.
void CheckStoredNumber(const char* name, float value);

// Runs `read`; an impossible value found in it is raised again as the file's
// failure, `id` (a text with the record's name and the value) formatted with
// `name` (empty for records without one: then `id` takes the value alone).
template <class Read>
void ReadNamedRecord(const char* id, const std::string* name, Read&& read);

[[noreturn]] void RaiseDamagedRecord(const char* id, const std::string* name, const ImpossibleValue& e);

template <class Read>
void ReadNamedRecord(const char* id, const std::string* name, Read&& read)
{
    try {
        read();
    } catch (const ImpossibleValue& e) {
        RaiseDamagedRecord(id, name, e);
    }
}

} // namespace kalorina
