#pragma once
// The printing choices that outlive the printing dialogs: the header title, the
// page furniture switches, the report kind and the preview's zoom and window state.
// The switches and the report kind of the project printing dialog are also kept in
// the registry key PrintingOptions.
#include <cstdint>
#include <string>

#include "platform/SettingsStore.h"

namespace kalorina {

// The numbers are stored in the settings; a kind is only ever added at the end.
enum class ReportKind : int { Rooms = 0, Fields = 1, Rounds = 2, RoundsDetailed = 3, Manifolds = 4, HeatLoad = 5, Plan = 6 };
inline constexpr int kReportKindCount = 7;

struct PrintingOptions {
    enum Switch : std::uint8_t { kProjectData = 1, kFileName = 2, kPageNumbers = 4, kDate = 8 };
    static constexpr std::size_t kMaxTitle = 60;
    static constexpr int kZoomSteps[7] = {25, 50, 75, 100, 150, 200, 400};

    std::string title; // code page 1250, at most kMaxTitle characters
    std::uint8_t switches = 0;
    ReportKind kind = ReportKind::Rooms;
    int zoomIndex = 3; // 100 %
    bool previewMaximized = false;
    // The switches and kind were read from the registry at least once (by Load).
    bool loaded = false;

    bool Has(Switch s) const { return (switches & s) != 0; }
    void Set(Switch s, bool on) { switches = on ? (switches | s) : (switches & ~s); }
    void SetTitle(const std::string& text) { title = text.substr(0, kMaxTitle); }

    // Switches and kind from the registry; a missing switch counts as on, a missing
    // or unknown kind leaves the kind alone.  Nothing changes when the key cannot be opened.
    void Load(SettingsStore& store = Settings());
    void Save(SettingsStore& store = Settings()) const;
};

// The one set of the running program.
PrintingOptions& ProcessPrintingOptions();

} // namespace kalorina
