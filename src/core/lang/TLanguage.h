#pragma once
// One loaded language: its name, whether it may serve the user interface, its
// texts, and the translations of windows and column captions.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kalorina {

struct TLanguageFormItem {
    std::string name; // component name
    std::string type; // class name as written in the file, e.g. "TLabel"
    std::vector<std::string> propertyIds;
    std::vector<std::string> propertyValues;
};

struct TLanguageForm {
    std::string name;
    std::vector<std::string> propertyIds;
    std::vector<std::string> propertyValues;
    std::vector<TLanguageFormItem> items;
};

struct TLanguageTitle {
    std::string name; // column format name
    // key = column id + 256 × (caption row − 1)
    std::vector<std::pair<std::int16_t, std::string>> captions;
};

struct TLanguage {
    std::string name;
    bool userInterface = false;
    bool compressed = false;
    std::string fileName;
    std::vector<TLanguageForm> forms;
    std::map<std::string, std::string> Strings;
    std::vector<TLanguageTitle> titles;
};

} // namespace kalorina
