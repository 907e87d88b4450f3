// kalorina-cli report PROJECT.klp --kind rooms|fields|circuits|detailed|manifolds|heatload
//     (--pdf OUT.pdf | --png DIR | --rtf OUT.rtf | --csv OUT.csv)... [--all | --only NAME...]
//     [--language NAME] [--margins L,T,R,B] [--title TEXT] [--landscape]
// The pages the program prints, as a PDF file (A4, upright unless --landscape), as one PNG per page at 150 dpi,
// or the report's RTF text as one document for word processors.  The manifold schedule also goes to a CSV
// file for spreadsheets (every manifold, or those named with --only).
#include <fstream>
#include <memory>
#include <ostream>

#include "CliCatalogue.h"
#include "CliCommand.h"
#include "CliProject.h"
#include "PagesProgram.h"
#include "ReportPages.h"
#include "app/ProjectFiles.h"
#include "app/UsedMaterialsExport.h"
#include "catalogue/DataLocation.h"
#include "document/TProgramOptions.h"
#include "lang/PrintingScope.h"
#include "lang/TLanguages.h"
#include "platform/QtReportTargets.h"
#include "report/TBReport.h"
#include "report/THeatLoadReport.h"
#include "report/TManifoldReport.h"
#include "util/Codepage.h"
#include "util/ProgramFiles.h"

namespace kalorina::cli {

namespace {

struct ReportArgs {
    std::string project;
    std::string kind;
    std::string pdf, png, rtf, csv;
    bool all = true;
    std::vector<std::string> only;
    std::string language;
    std::string title;
    bool marginsGiven = false;
    bool landscape = false;
    TProgramOptions::Margins margins;
};

bool ParseMargins(const std::string& text, TProgramOptions::Margins& m)
{
    int v[4];
    std::size_t pos = 0;
    for (int i = 0; i < 4; ++i) {
        std::size_t end = text.find(',', pos);
        if ((i < 3) != (end != std::string::npos))
            return false;
        std::string part = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        if (part.empty() || part.size() > 3 || part.find_first_not_of("0123456789") != std::string::npos)
            return false;
        v[i] = std::stoi(part);
        pos = end + 1;
    }
    m = {v[0], v[1], v[2], v[3]};
    return true;
}

int RunReport(Context& ctx)
{
    ReportArgs a;
    const auto& args = ctx.args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& s = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size())
                return false;
            into = args[++i];
            return true;
        };
        bool ok = true;
        if (s == "--kind")
            ok = value(a.kind);
        else if (s == "--pdf")
            ok = value(a.pdf);
        else if (s == "--png")
            ok = value(a.png);
        else if (s == "--rtf")
            ok = value(a.rtf);
        else if (s == "--csv")
            ok = value(a.csv);
        else if (s == "--all")
            a.all = true;
        else if (s == "--landscape")
            a.landscape = true;
        else if (s == "--only") {
            std::string name;
            ok = value(name);
            a.only.push_back(Utf8ToCp1250(name));
            a.all = false;
        } else if (s == "--language")
            ok = value(a.language);
        else if (s == "--title")
            ok = value(a.title);
        else if (s == "--margins") {
            std::string m;
            ok = value(m) && ParseMargins(m, a.margins);
            if (!ok)
                return Usage(ctx, "report: --margins needs four whole millimetres, L,T,R,B");
            a.marginsGiven = true;
        } else if (s.starts_with("-") || !a.project.empty())
            return Usage(ctx, "report: unexpected argument '" + s + "'");
        else
            a.project = s;
        if (!ok)
            return Usage(ctx, "report: " + s + " needs a value");
    }
    if (a.project.empty())
        return Usage(ctx, "report needs a project file");
    static const std::pair<const char*, ReportKind> kinds[] = {{"rooms", ReportKind::Rooms},
                                                               {"fields", ReportKind::Fields},
                                                               {"circuits", ReportKind::Rounds},
                                                               {"detailed", ReportKind::RoundsDetailed},
                                                               {"manifolds", ReportKind::Manifolds},
                                                               {"heatload", ReportKind::HeatLoad},
                                                               {"plan", ReportKind::Plan}};
    const ReportKind* kind = nullptr;
    for (const auto& [name, k] : kinds)
        if (a.kind == name)
            kind = &k;
    if (!kind)
        return Usage(ctx, "report: --kind must be rooms, fields, circuits, detailed, manifolds, heatload or plan");
    if (a.pdf.empty() && a.png.empty() && a.rtf.empty() && a.csv.empty())
        return Usage(ctx, "report needs --pdf OUT.pdf, --png DIR, --rtf OUT.rtf or --csv OUT.csv");
    if (!a.csv.empty() && *kind != ReportKind::Manifolds && *kind != ReportKind::HeatLoad)
        return Usage(ctx, "report: --csv is only for --kind manifolds or heatload");

    TProject project;
    if (int failed = ReadCliProject(ctx, a.project, project); failed != kOk)
        return failed;
    if (int refused = RefuseImplausibleValues(ctx, project))
        return refused;
    project.RecountAssignedSurfaces();
    auto devices = LoadCliCatalogue(ctx);
    TLanguages& languages = Languages();
    const std::string printing = Utf8ToCp1250(!a.language.empty() ? a.language : CliLanguageName(ctx));
    bool known = false;
    for (const auto& l : languages.Languages())
        known = known || l.name == printing;
    if (!known)
        return Fail(ctx, "no language named '" + Cp1250ToUtf8(printing) + "'");
    languages.SelectPrintingLanguage(printing);
    PrintingScope printingMode(languages);

    TProgramOptions options;
    LoadProgramOptions(options);
    if (a.marginsGiven)
        options.margins = a.margins;
    PrintingOptions printingOptions;
    printingOptions.switches = PrintingOptions::kProjectData | PrintingOptions::kFileName
        | PrintingOptions::kPageNumbers | PrintingOptions::kDate;
    printingOptions.SetTitle(Utf8ToCp1250(a.title));
    const std::string picture = ProgramFilePath(ExecutableDirectory(), "KalorinaReport.jpg");

    std::vector<TReportTreeNode> tree = ReportTree(project);
    for (auto& node : tree)
        for (const auto& name : a.only)
            if (node.hasParent && node.text == name)
                node.state = 1;
    if (!a.csv.empty() && *kind == ReportKind::HeatLoad) {
        const std::vector<const TRoomItem*> rooms = ChosenHeatLoadRooms(project, tree, a.all);
        try {
            WriteExportFile(a.csv, HeatLoadCsv(project, rooms));
        } catch (const KalorinaError& e) {
            return Fail(ctx, Cp1250ToUtf8(e.what()));
        }
        ctx.out << a.csv << ": " << rooms.size() << " room(s)\n";
    } else if (!a.csv.empty()) {
        const std::vector<ManifoldSchedule> schedules = ChosenManifoldSchedules(project, *devices, tree, a.all);
        try {
            WriteExportFile(a.csv, ManifoldScheduleCsv(schedules));
        } catch (const KalorinaError& e) {
            return Fail(ctx, Cp1250ToUtf8(e.what()));
        }
        ctx.out << a.csv << ": " << schedules.size() << " manifold(s)\n";
    }
    if (a.pdf.empty() && a.png.empty() && a.rtf.empty())
        return kOk;

    auto build = [&](std::string* rtf) {
        TReportEnvironment env = MakeReportEnvironment(printingOptions, picture);
        env.rtf = rtf;
        return MakeReport(*kind, project, *devices, tree, a.all, options.margins, env);
    };

    EnsureGuiApplication();
    QPageLayout layout = gui::DefaultReportLayout();
    if (a.landscape)
        layout.setOrientation(QPageLayout::Landscape);
    auto make = [&] { return build(nullptr); };
    if (!a.pdf.empty())
        if (int r = WriteReportPdf(ctx, a.pdf, layout, make); r != kOk)
            return r;
    if (!a.png.empty())
        if (int r = WriteReportPngs(ctx, a.png, layout, make); r != kOk)
            return r;
    if (!a.rtf.empty()) {
        std::string rtf = RtfDocumentStart(MakeReportEnvironment(printingOptions, "").reportFont, options.margins);
        gui::PreviewReportTarget measure(layout); // laid out as for the preview, nothing drawn
        build(&rtf)->Run(measure);
        rtf += "}\r\n";
        try {
            WriteFileAtomically(a.rtf, rtf);
        } catch (const KalorinaError& e) {
            return Fail(ctx, Cp1250ToUtf8(e.what()));
        }
        ctx.out << a.rtf << ": written\n";
    }
    return kOk;
}

const bool registered = RegisterCommand({"report", kReportSynopsis, RunReport});

} // namespace

} // namespace kalorina::cli
