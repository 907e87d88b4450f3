#pragma once
// A language built in memory, installed as the user-interface language for a test.
#include <map>
#include <string>

#include "lang/TLanguages.h"

namespace kalorina::test {

inline TLanguage MakeLanguage(const std::string& name, std::map<std::string, std::string> strings,
                              bool userInterface = true)
{
    TLanguage l;
    l.name = name;
    l.userInterface = userInterface;
    l.compressed = true;
    l.Strings = std::move(strings);
    return l;
}

// Replaces the global languages by one language with the texts the document needs.
struct ScopedLanguage {
    explicit ScopedLanguage(std::map<std::string, std::string> extra = {})
    {
        std::map<std::string, std::string> s = {
            {"IDS_NEWROOMITEMCAPTION", "Room"},  {"IDS_NEWROUNDITEMCAPTION", "Circuit"},
            {"IDS_INVALIDFILE", "Invalid file"}, {"IDS_VERSIONERR", "Version %d is not supported"},
            {"IDS_WRONGVALUE", "Wrong value"},   {"IDS_NORMALWATER", "Water"},
            {"ID_BUILDING", "Building"},         {"ID_DATE", "Date"}};
        for (auto& [k, v] : extra)
            s[k] = v;
        Languages().Clear();
        Languages().AddLanguage(MakeLanguage("Magyar", s));
        Languages().SelectLanguage("Magyar");
        Languages().SelectPrintingLanguage("Magyar");
    }
    ~ScopedLanguage() { Languages().Clear(); }
};

} // namespace kalorina::test
