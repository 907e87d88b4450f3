#include "app/UsedMaterialsPrinting.h"

#include "app/UsedMaterialsExport.h"
#include "lang/PrintingScope.h"
#include "lang/TLanguages.h"
#include "report/TUsedMaterialReport.h"

namespace kalorina {

UsedMaterialsPrintingEditor::UsedMaterialsPrintingEditor(TUsedMaterial bill, PrintingOptions& options,
                                                         SettingsStore& store)
    : UsedMaterialsChoice(std::move(bill)), kept_(options)
{
    // Before any printing dialog has read them the program's switches are all off;
    // the user's last choice (or all on, on a fresh installation) is what he expects.
    if (!kept_.loaded)
        kept_.Load(store);
    working_ = kept_;
    working_.SetTitle(DefaultTitle());
}

std::string UsedMaterialsPrintingEditor::DefaultTitle()
{
    // The title is printed: in the printing language, "Anyagkigyűjtés" when the
    // language has no text for it.
    PrintingScope printing;
    std::string title = Txt("IDS_USEDMATERIALSTITLE");
    return title.empty() ? std::string("Anyagkigy\xFBjt\xE9s") : title;
}

ReportColumns UsedMaterialsPrintingEditor::Layout()
{
    return {kUsedMaterialsFormat, kUsedMaterialsLayout};
}

UsedMaterialsPrintingEditor::View UsedMaterialsPrintingEditor::GetView() const
{
    View v;
    v.tree = &tree_;
    v.all = all_;
    v.title = working_.title;
    v.projectData = working_.Has(PrintingOptions::kProjectData);
    v.fileName = working_.Has(PrintingOptions::kFileName);
    v.pageNumbers = working_.Has(PrintingOptions::kPageNumbers);
    v.date = working_.Has(PrintingOptions::kDate);
    v.warning = CycleWarning(bill_);
    v.empty = bill_.rows.empty();
    return v;
}

int UsedMaterialsPrintingEditor::Commit()
{
    // The kept title is that of the project reports; the bill's own title starts
    // afresh with every dialog and must not become theirs.
    kept_.switches = working_.switches;
    return SelectRows();
}

std::unique_ptr<TBReport> UsedMaterialsPrintingEditor::MakeReport(const TProject& project, const TDevices& devices,
                                                                  const TProgramOptions::Margins& margins,
                                                                  TReportEnvironment environment)
{
    environment.options.title = working_.title;
    environment.options.switches = working_.switches;
    return std::make_unique<TUsedMaterialReport>(bill_, project, devices, margins, std::move(environment));
}

} // namespace kalorina
