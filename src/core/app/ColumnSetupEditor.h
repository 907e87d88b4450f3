#pragma once
// The column setup of a list or report (order, visibility, width, alignments, number
// format, custom caption and factor).  It edits the format in place, so that the
// header follows, and puts it back on Cancel.
#include <array>
#include <string>
#include <vector>

#include "listview/TListHeaderFormat.h"

namespace kalorina {

// What the user typed for the selected column, already parsed.
struct ColumnInput {
    int width = 0;
    int titleAlignment = 0; // 0 left, 1 right, 2 centre
    int dataAlignment = 0;
    bool zeroShown = true;
    int realFormat = 0; // 0 general, 1 scientific, 2 fixed
    int precision = 0;
    int digits = 0;
    bool customCaption = false;
    std::array<std::string, 2> lines;
    double factor = 1;
};

struct ColumnSetupView {
    struct Entry {
        std::string caption; // the caption lines joined by "\p ", in mark-up
        bool ticked = true;
    };
    std::vector<Entry> entries;
    int current = -1;
    // The selected column as its controls show it.
    std::string width, precision, digits, factor;
    int titleAlignment = 0, dataAlignment = 0, realFormat = 0;
    bool zeroShown = true, customCaption = false;
    std::array<std::string, 2> lines;        // custom lines when on, else the built-in ones
    std::array<std::string, 2> captionLines; // the built-in lines (the preview without custom caption)
    bool columnEnabled = false, alignmentsEnabled = false, numberEnabled = false, realEnabled = false;
    bool moveUpEnabled = false, moveDownEnabled = false;
};

class ColumnSetupEditor {
public:
    ColumnSetupEditor(TListHeaderFormat& format, std::string registryName, std::string productKey);

    ColumnSetupView View() const;
    const TListHeaderFormat& Format() const { return format_; }

    // A tick of the column list; visibility follows only on Commit.
    void SetTicked(int entry, bool ticked);
    // Stores `input` into the selected column and selects `entry`; the same entry
    // changes nothing.
    void Select(int entry, const ColumnInput& input);
    // Stores `input`, then moves the selected column up (-1) or down (+1); the first
    // column always stays first.
    void Move(int delta, const ColumnInput& input);
    // Stores `input`, applies the ticks and saves the layout under the registry name.
    // An unticked first column stays visible: the answer is then the notice to show
    // (empty otherwise).
    std::string Commit(const ColumnInput& input);
    void Cancel();

private:
    void Store(const ColumnInput& input);

    TListHeaderFormat& format_;
    const TListHeaderFormat saved_;
    const std::string registryName_;
    const std::string productKey_;
    std::vector<bool> ticked_;
    int current_ = -1;
};

} // namespace kalorina
