#include "catalogue/TDevices.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "catalogue/CatalogueReader.h"
#include "catalogue/CatalogueTexts.h"
#include "catalogue/FloorHeatDBItem.h"
#include "catalogue/ItemListDBItem.h"
#include "catalogue/MediumDBItem.h"
#include "catalogue/ResistDBItem.h"
#include "catalogue/SecurityCode.h"
#include "catalogue/TubeDBItem.h"
#include "catalogue/ValveDBItem.h"
#include "util/Error.h"
#include "util/HeapReserve.h"
#include "xml/XmlParser.h"
#include "xml/XmlWellFormed.h"

namespace kalorina {

namespace fs = std::filesystem;

namespace {
std::unique_ptr<DeviceDBItem> NewItem(int kind)
{
    switch (kind) {
    case kFloorHeatingKind:
        return std::make_unique<FloorHeatDBItem>();
    case kTubeKind:
        return std::make_unique<TubeDBItem>();
    case kValveKind:
        return std::make_unique<ValveDBItem>();
    case kResistKind:
        return std::make_unique<ResistDBItem>();
    case kMediumKind:
        return std::make_unique<MediumDBItem>();
    case kPieceListKind:
        return std::make_unique<ItemListDBItem>();
    default:
        return nullptr;
    }
}

bool HasXmlExtension(const fs::path& p)
{
    std::string ext = p.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".xml";
}

// Include names are written with backslashes; the directory separator here is "/".
std::string IncludePath(const std::string& currentFile, const std::string& name)
{
    std::string relative = name;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return (fs::path(currentFile).parent_path() / relative).lexically_normal().string();
}

// What is wrong with a catalogue file, in the words of the active language.
std::string SyntaxErrorText(const std::string& path, const XmlSyntaxError& e)
{
    std::string detail;
    switch (e.problem) {
    case XmlSyntaxProblem::NulByte:
        detail = CatalogueText("IDS_XMLSYNTAXNUL");
        break;
    case XmlSyntaxProblem::Utf16:
        detail = CatalogueText("IDS_XMLSYNTAXUTF16");
        break;
    case XmlSyntaxProblem::Unterminated:
        detail = CatalogueText("IDS_XMLSYNTAXUNTERMINATED");
        break;
    case XmlSyntaxProblem::StrayLessThan:
        detail = CatalogueText("IDS_XMLSYNTAXSTRAYLT");
        break;
    case XmlSyntaxProblem::EndMismatch:
        detail = FormatText(CatalogueText("IDS_XMLSYNTAXMISMATCH"), {e.name, e.open, std::to_string(e.openLine)});
        break;
    case XmlSyntaxProblem::EndWithoutStart:
        detail = FormatText(CatalogueText("IDS_XMLSYNTAXENDWITHOUTSTART"), {e.name});
        break;
    case XmlSyntaxProblem::Unclosed:
        detail = FormatText(CatalogueText("IDS_XMLSYNTAXUNCLOSED"), {e.open, std::to_string(e.openLine)});
        break;
    case XmlSyntaxProblem::NoElement:
        detail = CatalogueText("IDS_XMLSYNTAXNOELEMENT");
        break;
    case XmlSyntaxProblem::OutsideElement:
        detail = CatalogueText("IDS_XMLSYNTAXOUTSIDE");
        break;
    }
    return FormatText(CatalogueText("IDS_XMLSYNTAXERROR"), {path, std::to_string(e.line), detail});
}

const TDevices::ItemList& EmptyList()
{
    static const TDevices::ItemList empty;
    return empty;
}
} // namespace

TDevices::TDevices(const std::string& dataDir, const std::string& language) : language_(language)
{
    Load(dataDir);
    if (macros_.budgetExceeded)
        Fail(FormatText(CatalogueText("IDS_CATALOGUEMACROBUDGET"),
                        {std::to_string(CatalogueMacros::kExpansionBudget >> 20)}));
    if (failuresNotListed_ > 0)
        failureMessage_ +=
            "\n" + FormatText(CatalogueText("IDS_CATALOGUEMOREFAILURES"), {std::to_string(failuresNotListed_)});
}

TDevices::TDevices(const std::string& dataDir, const std::string& language, bool& failed) : TDevices(dataDir, language)
{
    failed = failed_;
}

void TDevices::Fail(const std::string& message)
{
    failed_ = true;
    // A message is read by a person: a catalogue broken a hundred thousand times
    // over is told by its first failures and their count.
    constexpr int kListed = 20;
    if (std::count(failureMessage_.begin(), failureMessage_.end(), '\n') + 1 >= kListed) {
        ++failuresNotListed_;
        return;
    }
    if (!failureMessage_.empty())
        failureMessage_ += "\n";
    failureMessage_ += message;
}

void TDevices::Load(const std::string& dataDir)
{
    fs::path folder = fs::path(dataDir).lexically_normal();
    if (!folder.has_filename() && folder.has_parent_path())
        folder = folder.parent_path(); // "data/" is "data"
    dataDir_ = folder.string();
    // The files of the directory, in name order so that every machine loads the
    // same catalogue in the same order.
    std::vector<std::string> queue;
    std::error_code ec;
    std::vector<fs::path> found;
    for (fs::directory_iterator it(dataDir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeEc;
        if (it->is_regular_file(typeEc) && HasXmlExtension(it->path()))
            found.push_back(it->path());
    }
    // No catalogue at all is a failure too: every calculation would then find
    // no system, and a recalculation would blank what the projects store.
    if (ec) {
        Fail(FormatText(CatalogueText("IDS_CATALOGUEFOLDERMISSING"), {dataDir}));
        return;
    }
    if (found.empty()) {
        Fail(FormatText(CatalogueText("IDS_CATALOGUEFOLDEREMPTY"), {dataDir}));
        return;
    }
    std::sort(found.begin(), found.end());
    std::uintmax_t bytes = 0;
    for (const auto& p : found) {
        queue.push_back(p.string());
        std::error_code sizeEc;
        const std::uintmax_t size = fs::file_size(p, sizeEc);
        bytes += sizeEc ? 0 : size;
    }
    // The items take about half the bytes of their files, with the heap's own
    // bookkeeping and growing lists somewhat more.
    PrepareHeapForLargeLoad(static_cast<std::size_t>(bytes));

    TXmlParser parser;
    // A catalogue is a third party's data: it names no local file into its texts.
    parser.ExternalEntitiesAllowed = false;
    for (std::size_t next = 0; next < queue.size(); ++next) {
        const std::string path = queue[next];
        if (!parser.LoadFromFile(path, 0)) {
            Fail(FormatText(CatalogueText("IDS_XMLFILEERROR"), {path}));
            continue;
        }
        filesRead_.push_back(path);
        // The scanner reads on through damage; a file cut short or garbled would
        // then give fewer items, or items with parts missing, without a word.
        // What can be read still loads, for looking at, but the load has failed.
        if (std::optional<XmlSyntaxError> damage = FindXmlSyntaxError(parser.DocumentBytes()))
            Fail(SyntaxErrorText(path, *damage));
        parser.RefusedExternalEntities.clear();
        try {
            ReadFile(parser, path, queue);
        } catch (const std::exception& e) {
            Fail(path + ": " + e.what());
            return;
        }
        for (const std::string& entity : parser.RefusedExternalEntities)
            Fail(FormatText(CatalogueText("IDS_XMLEXTERNALENTITY"), {path, entity}));
    }
}

void TDevices::ReadFile(TXmlParser& parser, const std::string& path, std::vector<std::string>& queue)
{
    parser.Normalize = true;
    parser.StartScan();
    CatalogueReader reader(parser, language_, macros_);
    while (reader.Next()) {
        if (!reader.IsStartTag())
            continue;
        const std::string& name = reader.Name();
        if (name == "TervaldDBGlobalMacro") {
            ReadGlobalMacros(reader);
        } else if (name == "DBInclude") {
            while (reader.Next() && !reader.IsEnd("DBInclude")) {
                if (!reader.IsText())
                    continue;
                // A file is included once at most: a file that includes itself, or
                // two that include each other, would otherwise never let the load end.
                std::string file = IncludePath(path, reader.Text());
                if (!InsideDataFolder(reader.Text(), file)) {
                    Fail(FormatText(CatalogueText("IDS_XMLINCLUDEOUTSIDE"), {path, reader.Text()}));
                    continue;
                }
                if (includedSet_.insert(file).second) {
                    included_.push_back(file);
                    queue.push_back(file);
                }
            }
        } else if (int kind = DeviceKindOfRootElement(name); kind >= 0) {
            auto item = NewItem(kind);
            if (item->ReadFromXml(reader)) {
                if (std::string number = item->ImplausibleNumber(); !number.empty())
                    Fail(FormatText(CatalogueText("IDS_CATALOGUEITEMIMPLAUSIBLE"), {path, item->itemName, number}));
                else
                    AddItem(std::move(item));
            }
        }
    }
}

bool TDevices::InsideDataFolder(const std::string& written, const std::string& file) const
{
    std::string name = written;
    std::replace(name.begin(), name.end(), '\\', '/');
    const bool absolute = (!name.empty() && name[0] == '/') || (name.size() >= 2 && name[1] == ':');
    if (absolute)
        return false;
    const fs::path relative = fs::path(file).lexically_relative(dataDir_);
    return !relative.empty() && *relative.begin() != "..";
}

void TDevices::ReadGlobalMacros(CatalogueReader& r)
{
    macros_.global.clear();
    r.ReadElements("TervaldDBGlobalMacro", {{"Macro", [&] { r.ReadMacro(macros_.global); }}});
}

void TDevices::AddItem(std::unique_ptr<DeviceDBItem> item)
{
    if (item->needsCheck() && item->CheckValue() != item->securityCode) {
        failedValves_.push_back(std::move(item));
        return;
    }
    lists_[item->kind()].push_back(std::move(item));
}

const TDevices::ItemList& TDevices::Items(int kind) const
{
    return kind >= 0 && kind < kDeviceKindCount ? lists_[kind] : EmptyList();
}

const DeviceDBItem* TDevices::FindDevice(int kind, const std::string& name) const
{
    for (const auto& item : Items(kind))
        if (item->itemName == name)
            return item.get();
    return nullptr;
}

std::optional<std::pair<std::string, std::string>> TDevices::DeviceAt(int kind, std::size_t index) const
{
    const ItemList& list = Items(kind);
    if (index >= list.size())
        return std::nullopt;
    return std::make_pair(list[index]->itemPath, list[index]->itemName);
}

DeviceTreeNode TDevices::FillDeviceTree(int kind, const std::string& rootCaption) const
{
    DeviceTreeNode root{rootCaption, 0, {}};
    DeviceTreeNode* parent = &root;
    const std::string* previousPath = nullptr;
    // Pointers into the tree stay valid: a node's children only grow while that
    // node is the current parent, and the walk restarts from the root whenever an
    // ancestor's children may grow.
    for (const auto& item : Items(kind)) {
        if (!previousPath || *previousPath != item->itemPath) {
            parent = &root;
            std::string rest = item->itemPath;
            while (true) {
                std::size_t sep = rest.find('\\');
                std::string segment = rest.substr(0, sep);
                auto it = std::find_if(parent->children.begin(), parent->children.end(),
                                       [&](const DeviceTreeNode& n) { return n.tag == 0 && n.text == segment; });
                if (it == parent->children.end()) {
                    parent->children.push_back({segment, 0, {}});
                    parent = &parent->children.back();
                } else {
                    parent = &*it;
                }
                // A trailing backslash leaves nothing more to walk.
                if (sep == std::string::npos || sep + 1 == rest.size())
                    break;
                rest = rest.substr(sep + 1);
            }
        }
        previousPath = &item->itemPath;
        parent->children.push_back({item->itemName, kind + 1, {}});
    }
    return root;
}

std::vector<std::string> TDevices::FillDeviceCombo(int kind) const
{
    std::vector<std::string> names;
    for (const auto& item : Items(kind))
        names.push_back(item->itemName);
    return names;
}

std::string TDevices::DefaultValveName() const
{
    for (const auto& item : lists_[kValveKind]) {
        auto* valve = dynamic_cast<const ValveDBItem*>(item.get());
        if (valve && valve->projektOptionsDefault)
            return valve->itemName;
    }
    return {};
}

std::string TDevices::DefaultMediumName() const
{
    for (const auto& item : lists_[kMediumKind]) {
        auto* medium = dynamic_cast<const MediumDBItem*>(item.get());
        if (medium && medium->projektOptionsDefault)
            return medium->itemName;
    }
    return {};
}

std::vector<std::string> TDevices::WriteSecurityCodes() const
{
    std::vector<std::string> lines;
    for (const auto& item : failedValves_) {
        lines.push_back(item->itemName);
        lines.push_back("    <SecurityCode>" + SecurityCodeFor(item->CheckValue()) + "</SecurityCode>");
    }
    return lines;
}

} // namespace kalorina
