#pragma once
// Everything that belongs to the user rather than to a project: the designer block
// new projects start with, dating, report margins and the two language choices;
// the list and report fonts; and where each dialog was last closed.
#include <cstdint>
#include <string>

#include "document/StreamEncoding.h"
#include "platform/SettingsStore.h"

namespace kalorina {

struct TProgramOptions {
    TStringList designerLines;
    bool dateNewProjects = true;
    // Margins in millimetres, in the order reports take them.
    struct Margins {
        std::int32_t left = 20, top = 20, right = 15, bottom = 20;
        bool operator==(const Margins&) const = default;
    } margins;
    std::string languageId = "Magyar";
    std::string printingLanguageId = "Magyar";

    bool operator==(const TProgramOptions&) const = default;
};

void LoadProgramOptions(TProgramOptions& options, SettingsStore& store = Settings());
void SaveProgramOptions(const TProgramOptions& options, SettingsStore& store = Settings());

enum class FontKind { List = 0, Report = 1 };

struct ListFontAttributes {
    std::string name;      // empty: leave the font's name alone
    std::int32_t size = 0; // points; 0: leave the font's size alone

    // The font of one kind from the registry, with its defaults; an unknown kind, or a
    // store whose Fonts key cannot be opened, gives the empty record.
    static ListFontAttributes LoadFontAttributes(FontKind kind, SettingsStore& store = Settings());
    void SaveFontAttributes(FontKind kind, SettingsStore& store = Settings()) const;
    // "10 pontos Times New Roman"
    std::string LabelText() const;
};

// A dialog's placement as the registry keeps it.
struct FormPlacement {
    bool maximized = false;
    int left = 0, top = 0, width = 0, height = 0;
    bool sizeable = true; // fixed-size dialogs keep their designed size and only move
};

// Starts from the dialog's designed placement and overlays what was saved under its
// component name.  A field that is empty or not a number keeps the designed value.
void RestoreFormPlacement(const std::string& formName, FormPlacement& placement, SettingsStore& store = Settings());
void SaveFormPlacement(const std::string& formName, const FormPlacement& placement, SettingsStore& store = Settings());

// Today's date in the active language's date form (IDS_DATEFORMAT), for new
// projects and report footers.
std::string ShortDateToday();

} // namespace kalorina
