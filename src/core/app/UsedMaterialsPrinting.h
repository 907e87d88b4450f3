#pragma once
// The rules of the printing dialog of the bill of materials without widgets: the
// rows to print (the check tree shared with the export dialog), the title and the
// page furniture, and the report they make.
#include <memory>
#include <string>
#include <vector>

#include "app/UsedMaterialsChoice.h"
#include "report/PrintingOptions.h"
#include "report/TBReport.h"

namespace kalorina {

class TDevices;
class TProject;

class UsedMaterialsPrintingEditor : public UsedMaterialsChoice {
public:
    // The title starts as the bill's title in the printing language; the switches are the program's (read from
    // the registry when no printing dialog has read them yet).
    UsedMaterialsPrintingEditor(TUsedMaterial bill, PrintingOptions& options, SettingsStore& store = Settings());

    struct View {
        const std::vector<MaterialTreeNode>* tree = nullptr;
        bool all = true;
        std::string title;
        bool projectData = false, fileName = false, pageNumbers = false, date = false;
        std::string warning; // the bill's warnings, one a line
        bool empty = true;   // the bill has no rows
    };
    View GetView() const;

    void SetTitle(const std::string& title) { working_.SetTitle(title); }
    void SetSwitch(PrintingOptions::Switch s, bool on) { working_.Set(s, on); }

    // Keeps the switches for the program's life (not in the registry; the title is
    // the bill's own) and marks the rows to print; answers how many there are.
    int Commit();
    const PrintingOptions& Options() const { return working_; }

    // The report of the rows marked by Commit, with the dialog's title and switches.
    std::unique_ptr<TBReport> MakeReport(const TProject& project, const TDevices& devices,
                                         const TProgramOptions::Margins& margins, TReportEnvironment environment);

    // The column layout the layout button edits.
    static ReportColumns Layout();
    // IDS_USEDMATERIALSTITLE of the printing language ("Anyagkigyűjtés").
    static std::string DefaultTitle();

private:
    PrintingOptions& kept_;
    PrintingOptions working_;
};

} // namespace kalorina
