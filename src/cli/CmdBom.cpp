// kalorina-cli bom PROJECT.klp [--json] [--xls F] [--rtf F] [--csv F] [--html F]
// [--language NAME]: the project's bill of materials, printed and written as files.
#include <ostream>

#include "CliCatalogue.h"
#include "CliCommand.h"
#include "app/ProjectFiles.h"
#include "app/UsedMaterialsExport.h"
#include "lang/PrintingScope.h"
#include "lang/TLanguages.h"
#include "materials/TClipboardStream.h"
#include "materials/TUsedMaterial.h"
#include "util/Codepage.h"
#include "util/Error.h"

namespace kalorina::cli {

namespace {

std::string RowJson(const TUsedMaterialItem& r)
{
    return "{\"type\": " + std::to_string(r.type) + ", \"name\": " + JsonText(r.name) +
           ", \"catalogueId\": " + JsonText(r.catalogueId) + ", \"estimateCode\": " + JsonText(r.estimateCode) +
           ", \"quantity\": " + QuantityText9(r.quantity) + ", \"unit\": " + JsonText(r.unit) + "}";
}

std::string BillJson(const TUsedMaterial* bill, const std::string& errorCp1250)
{
    std::string out = "{\"rows\": [";
    if (bill)
        for (std::size_t i = 0; i < bill->rows.size(); ++i)
            out += (i ? ", " : "") + RowJson(bill->rows[i]);
    out += "], \"error\": ";
    out += errorCp1250.empty() ? std::string("null") : JsonText(errorCp1250);
    return out + "}\n";
}

std::string BillText(const TUsedMaterial& bill)
{
    std::string out;
    for (const auto& r : bill.rows)
        out += Cp1250ToUtf8(r.name) + "\t" + Cp1250ToUtf8(r.estimateCode) + "\t" + QuantityText9(r.quantity) +
               "\t" + Cp1250ToUtf8(r.unit) + "\n";
    return out;
}

int RunBom(Context& ctx)
{
    std::string path;
    bool json = false;
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
        } else if (a == "--xls" || a == "--rtf" || a == "--csv" || a == "--html" || a == "--language") {
            if (!value(v))
                return Usage(ctx, "bom: " + a + " needs a value");
            if (a == "--language")
                ctx.options.language = v;
            else
                files.emplace_back(a == "--xls"   ? ExportFileKind::Xls
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
    return kOk;
}

const bool registered = RegisterCommand(
    {"bom", "bom PROJECT.klp [--json] [--xls F] [--rtf F] [--csv F] [--html F] [--language NAME]", RunBom});

} // namespace

} // namespace kalorina::cli
