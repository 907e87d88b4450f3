// kalorina-cli bom PROJECT.klp [--json] [--xls F] [--rtf F] [--csv F] [--html F]
// [--pdf F] [--png DIR] [--title TEXT] [--language NAME]: the project's bill of
// materials, listed, written as files, and printed as the program prints it.
#include <ostream>

#include "CliCatalogue.h"
#include "CliCommand.h"
#include "CliProject.h"
#include "PagesProgram.h"
#include "ReportPages.h"
#include "app/ProjectFiles.h"
#include "app/UsedMaterialsExport.h"
#include "app/UsedMaterialsPrinting.h"
#include "catalogue/DataLocation.h"
#include "document/TProgramOptions.h"
#include "lang/PrintingScope.h"
#include "lang/TLanguages.h"
#include "materials/TClipboardStream.h"
#include "materials/TUsedMaterial.h"
#include "platform/QtReportTargets.h"
#include "report/PrintingOptions.h"
#include "util/Codepage.h"
#include "util/Error.h"
#include "util/ProgramFiles.h"

namespace kalorina::cli {

namespace {

std::string RowJson(const TUsedMaterialItem& r)
{
    return "{\"type\": " + std::to_string(r.type) + ", \"name\": " + JsonText(r.name)
        + ", \"catalogueId\": " + JsonText(r.catalogueId) + ", \"estimateCode\": " + JsonText(r.estimateCode)
        + ", \"quantity\": " + QuantityText(r.quantity, '.') + ", \"unit\": " + JsonText(r.unit) + "}";
}

std::string BillJson(const TUsedMaterial* bill, const std::string& errorCp1250)
{
    std::string out = "{\"rows\": [";
    if (bill)
        for (std::size_t i = 0; i < bill->rows.size(); ++i)
            out += (i ? ", " : "") + RowJson(bill->rows[i]);
    out += "], \"warnings\": [";
    if (bill) {
        const std::vector<std::string> warnings = BillWarnings(*bill);
        for (std::size_t i = 0; i < warnings.size(); ++i)
            out += (i ? ", " : "") + JsonText(warnings[i]);
    }
    out += "], \"error\": ";
    out += errorCp1250.empty() ? std::string("null") : JsonText(errorCp1250);
    return out + "}\n";
}

std::string BillText(const TUsedMaterial& bill)
{
    std::string out;
    for (const auto& r : bill.rows)
        out += Cp1250ToUtf8(r.name) + "\t" + Cp1250ToUtf8(r.estimateCode) + "\t" + QuantityText(r.quantity) + "\t"
            + Cp1250ToUtf8(r.unit) + "\n";
    return out;
}

int RunBom(Context& ctx)
{
    std::string path;
    bool json = false;
    std::string pdf, png, title;
    bool titleGiven = false;
    std::vector<std::pair<ExportFileKind, std::string>> files;
    const auto& args = ctx.args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size())
                return false;
            into = args[++i];
            return true;
        };
        std::string v;
        if (a == "--json") {
            json = true;
        } else if (a == "--pdf" || a == "--png" || a == "--title") {
            if (!value(a == "--pdf" ? pdf : a == "--png" ? png : title))
                return Usage(ctx, "bom: " + a + " needs a value");
            titleGiven = titleGiven || a == "--title";
        } else if (a == "--xls" || a == "--rtf" || a == "--csv" || a == "--html" || a == "--language") {
            if (!value(v))
                return Usage(ctx, "bom: " + a + " needs a value");
            if (a == "--language")
                ctx.options.language = v;
            else
                files.emplace_back(a == "--xls"       ? ExportFileKind::Xls
                                       : a == "--rtf" ? ExportFileKind::Rtf
                                       : a == "--csv" ? ExportFileKind::Csv
                                                      : ExportFileKind::Html,
                                   v);
        } else if (a.starts_with("-") || !path.empty()) {
            return Usage(ctx, "bom: unexpected argument '" + a + "'");
        } else {
            path = a;
        }
    }
    if (path.empty())
        return Usage(ctx, "bom needs a project file");

    auto failed = [&](const std::string& messageCp1250) {
        if (json)
            ctx.out << BillJson(nullptr, messageCp1250);
        return Fail(ctx, Cp1250ToUtf8(messageCp1250));
    };
    TProject project;
    auto devices = LoadCliCatalogue(ctx);
    // The shipped plain language files serve printing only; the bill is a printed text.
    PrintingScope printing;
    try {
        ReadProjectFile(path, project);
    } catch (const KalorinaError& e) {
        return failed(Utf8ToCp1250(path) + ": " + e.what());
    }
    if (devices->Failed())
        return failed("catalogue: " + devices->FailureMessage());
    if (int refused = RefuseImplausibleValues(ctx, project, [&](const std::string& text) {
            if (json)
                ctx.out << BillJson(nullptr, text);
        }))
        return refused;
    TUsedMaterial bill;
    try {
        bill = BuildUsedMaterials(project, *devices);
    } catch (const KalorinaError& e) {
        return failed(e.what());
    }
    if (std::string warning = CycleWarning(bill); !warning.empty())
        ctx.err << "kalorina-cli: " << Cp1250ToUtf8(warning) << "\n";
    ctx.out << (json ? BillJson(&bill, {}) : BillText(bill));

    if (!files.empty()) {
        bill.SelectAll(true);
        TClipboardStream stream;
        WriteSelectedRows(bill, stream);
        for (const auto& [kind, file] : files) {
            try {
                WriteExportFile(file, ExportFileBytes(stream, kind));
            } catch (const KalorinaError& e) {
                return Fail(ctx, Cp1250ToUtf8(e.what()));
            }
        }
    }
    if (!pdf.empty() || !png.empty()) {
        // The pages of the printing dialog: every row, the usual page furniture.
        TProgramOptions options;
        LoadProgramOptions(options);
        PrintingOptions kept;
        kept.switches = PrintingOptions::kProjectData | PrintingOptions::kFileName | PrintingOptions::kPageNumbers
            | PrintingOptions::kDate;
        kept.loaded = true;
        UsedMaterialsPrintingEditor editor(std::move(bill), kept);
        if (titleGiven)
            editor.SetTitle(Utf8ToCp1250(title));
        editor.Commit();
        const std::string picture = ProgramFilePath(ExecutableDirectory(), "KalorinaReport.jpg");
        auto make = [&] {
            return editor.MakeReport(project, *devices, options.margins,
                                     MakeReportEnvironment(editor.Options(), picture));
        };
        EnsureGuiApplication();
        const QPageLayout layout = gui::DefaultReportLayout();
        if (!pdf.empty())
            if (int r = WriteReportPdf(ctx, pdf, layout, make); r != kOk)
                return r;
        if (!png.empty())
            if (int r = WriteReportPngs(ctx, png, layout, make); r != kOk)
                return r;
    }
    return kOk;
}

const bool registered = RegisterCommand({"bom", kBomSynopsis, RunBom});

} // namespace

} // namespace kalorina::cli
