#pragma once
// The rules of the printing dialog, the preview and the page number dialog without
// widgets: which items are chosen, the page furniture, the report kind, page
// navigation and zoom.
#include <cstdint>
#include <string>
#include <vector>

#include "report/PrintingOptions.h"
#include "report/TBReport.h"

namespace kalorina {

class TProject;

class PrintingEditor {
public:
    // Takes the kept title, the switches and the kind from the registry (through
    // `options`, which also keeps them for the next dialog).
    PrintingEditor(const TProject& project, PrintingOptions& options, SettingsStore& store = Settings());

    struct View {
        std::vector<TReportTreeNode> nodes; // groups and items with their states
        bool all = true;
        std::string title;
        bool projectData = false, fileName = false, pageNumbers = false, date = false;
        ReportKind kind = ReportKind::Rooms;
    };
    View GetView() const;

    // A double click on a node: an item toggles and switches to printing the chosen
    // items only; a group with Shift held chooses or clears all its items.
    void DoubleClick(int node, bool shift);
    void SetAll(bool all) { all_ = all; }
    void SetTitle(const std::string& title);
    void SetSwitch(PrintingOptions::Switch s, bool on);
    void SetKind(ReportKind kind) { working_.kind = kind; }

    // Stores the title, switches and kind for the program's life and the switches
    // and kind in the registry.
    void Commit();

    // What a report of the chosen kind is built from.
    const std::vector<TReportTreeNode>& Tree() const { return nodes_; }
    bool PrintAll() const { return all_; }
    const PrintingOptions& Options() const { return working_; }

    // The column layout edited by the layout buttons 1 to 5 (one per report kind).
    static ReportColumns LayoutOfButton(int button);

private:
    int GroupOf(int node) const;
    void UpdateGroupState(int group);

    PrintingOptions& kept_;
    SettingsStore& store_;
    PrintingOptions working_;
    std::vector<TReportTreeNode> nodes_;
    bool all_ = true;
};

class PreviewNavigator {
public:
    // Page sizes in the preview's pixels at 100 %.
    PreviewNavigator(int pageCount, int pageWidth, int pageHeight, PrintingOptions& options);

    struct View {
        std::string pageLabel; // "  3/12"
        bool first = false, previous = false, next = false, last = false;
        int imageWidth = 0, imageHeight = 0; // the page at the zoom
        std::vector<std::string> zoomTexts;  // "25%" .. "400%"
        int zoomIndex = 3;
    };
    View GetView() const;
    int Current() const { return current_; }
    int PageCount() const { return pageCount_; }

    // Each answers whether the page changed.
    bool First() { return GoTo(0); }
    bool Previous() { return GoTo(current_ - 1); }
    bool Next() { return GoTo(current_ + 1); }
    bool Last() { return GoTo(pageCount_ - 1); }
    // A 1-based page number, as the page number dialog gives it.
    bool GoToNumber(int number) { return GoTo(number - 1); }
    // Keeps the zoom for the next preview.
    void SetZoom(int index);

private:
    bool GoTo(int page);

    int pageCount_, pageWidth_, pageHeight_;
    int current_ = 0;
    PrintingOptions& options_;
};

class GotoPageEditor {
public:
    GotoPageEditor(int maximum, int value) : maximum_(maximum), value_(value) {}
    std::string Text() const { return std::to_string(value_); }
    int Maximum() const { return maximum_; }
    int Value() const { return value_; }
    // Takes the typed number; anything that is not a whole number from 1 to the page
    // count is refused with a message naming the page number and the range, and the
    // value kept.
    void Commit(const std::string& text);

private:
    int maximum_;
    int value_;
};

} // namespace kalorina
