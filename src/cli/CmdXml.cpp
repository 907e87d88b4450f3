// kalorina-cli xml FILE: every part the XML scanner reads from a file, one JSON
// object per line, so a catalogue or translation author sees what the program sees.
#include <ostream>

#include "CliCommand.h"
#include "util/Json.h"
#include "xml/XmlParser.h"

namespace kalorina::cli {
namespace {

const char* PartTypeName(TPartType type)
{
    switch (type) {
    case ptNone:
        return "ptNone";
    case ptXmlProlog:
        return "ptXmlProlog";
    case ptComment:
        return "ptComment";
    case ptPI:
        return "ptPI";
    case ptDtdc:
        return "ptDtdc";
    case ptStartTag:
        return "ptStartTag";
    case ptEmptyTag:
        return "ptEmptyTag";
    case ptEndTag:
        return "ptEndTag";
    case ptContent:
        return "ptContent";
    case ptCData:
        return "ptCData";
    }
    return "ptNone";
}

// One part as a line of JSON; texts leave code page 1250 as UTF-8.
std::string PartLine(const TXmlParser& xml)
{
    std::string line = std::string("{\"type\": \"") + PartTypeName(xml.PartType) + "\", \"name\": "
        + JsonText(xml.PartName) + ", \"content\": " + JsonText(xml.PartContent) + ", \"attributes\": [";
    const TAttrList& attrs = xml.PartAttributes;
    for (int i = 0; i < attrs.Count(); ++i)
        line += (i ? ", [" : "[") + JsonText(attrs.Name(i)) + ", " + JsonText(attrs.Value(i)) + "]";
    return line + "]}";
}

int Run(Context& ctx)
{
    if (ctx.args.size() != 1 || ctx.args[0].starts_with("-"))
        return Usage(ctx, "xml needs exactly one file");
    const std::string& path = ctx.args[0];
    TXmlParser xml;
    if (!xml.LoadFromFile(path))
        return Fail(ctx, "xml: cannot read " + path);
    xml.Normalize = true; // as the catalogue and the language files are read
    xml.StartScan();
    while (xml.Scan())
        ctx.out << PartLine(xml) << "\n";
    return kOk;
}

const bool registered = RegisterCommand({"xml", "xml FILE", Run});

} // namespace
} // namespace kalorina::cli
