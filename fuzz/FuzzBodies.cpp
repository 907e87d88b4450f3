#include "FuzzBodies.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string_view>
#include <system_error>
#include <vector>

#include <unistd.h>

#include "app/ItemClipboard.h"
#include "app/ProjectFiles.h"
#include "app/ProjectRecalc.h"
#include "app/ProjectSummary.h"
#include "app/RecentProjects.h"
#include "app/RoomEditor.h"
#include "app/UsedMaterialsExport.h"
#include "catalogue/TDevices.h"
#include "check/DesignCheck.h"
#include "design/ManifoldDesign.h"
#include "document/StoredRanges.h"
#include "document/Stream.h"
#include "document/TProgramOptions.h"
#include "document/TProject.h"
#include "lang/FormTranslation.h"
#include "lang/LanguageLoader.h"
#include "lang/LanguagePack.h"
#include "lang/Lzw.h"
#include "lang/TLanguages.h"
#include "listview/TListHeaderFormat.h"
#include "materials/TClipboardStream.h"
#include "materials/TUsedMaterial.h"
#include "platform/Clipboard.h"
#include "platform/FixedMetricsCanvas.h"
#include "platform/SettingsStore.h"
#include "report/RtfRenderer.h"
#include "report/TPrintfStringStream.h"
#include "util/Error.h"
#include "xml/XmlParser.h"
#include "xml/XmlWellFormed.h"

#ifndef KALORINA_SOURCE_DIR
#error "KALORINA_SOURCE_DIR must name the source tree (the catalogue and the examples)"
#endif

namespace kalorina::fuzz {

namespace {

bool throwOnBroken = false;

void Check(bool ok, const char* what)
{
    if (!ok)
        InvariantBroken(what);
}

const std::string kSource = KALORINA_SOURCE_DIR;

// The shipped catalogue, loaded once per process.
const TDevices& Catalogue()
{
    static const TDevices devices(kSource + "/data", "hu");
    Check(!devices.Failed(), "the shipped catalogue does not load");
    return devices;
}

// A folder of this process for the files the bodies write, removed at exit.
struct Scratch {
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("kalorina-fuzz-bodies-" + std::to_string(::getpid()));
    Scratch() { std::filesystem::create_directories(dir); }
    ~Scratch()
    {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
};

const std::filesystem::path& ScratchDir()
{
    static const Scratch scratch;
    return scratch.dir;
}

std::string WriteScratch(const std::string& name, std::string_view bytes)
{
    const std::string path = (ScratchDir() / name).string();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::string Bytes(const TProject& p)
{
    TMemoryStream s;
    p.WriteToStream(s);
    return s.Data();
}

// What was written must read back and write the same bytes again: a saved project
// that cannot be opened again, or that changes on every save, loses the user's work.
void CheckRoundTrip(const TProject& p, const char* what)
{
    const std::string written = Bytes(p);
    TProject again;
    TMemoryStream s(written);
    try {
        again.ReadFromStream(s);
    } catch (const KalorinaError&) {
        InvariantBroken(what);
    }
    Check(Bytes(again) == written, what);
}

void ShowAll(const TProject& p, const RecalcOutcome& outcome)
{
    volatile std::size_t sink = ProjectJson(p, outcome).size() + ProjectText(p, outcome).size();
    (void)sink;
}

void Bill(const TProject& p)
{
    TUsedMaterial bill;
    try {
        bill = BuildUsedMaterials(p, Catalogue());
    } catch (const KalorinaError&) {
        return;
    }
    (void)CycleWarning(bill);
    bill.SelectAll(true);
    TClipboardStream stream;
    WriteSelectedRows(bill, stream);
    for (ExportFileKind kind : {ExportFileKind::Xls, ExportFileKind::Rtf, ExportFileKind::Csv, ExportFileKind::Html})
        (void)ExportFileBytes(stream, kind);
}

// --- clipboard -----------------------------------------------------------------

const TProject& ExampleProject()
{
    static const TProject project = [] {
        TProject p;
        ReadProjectFile(kSource + "/examples/flat.klp", p);
        p.modified = false;
        return p;
    }();
    return project;
}

void PasteInto(TProject p, const std::string& payload)
{
    const std::string before = Bytes(p);
    MemoryClipboard clipboard;
    clipboard.Put({{"Kalorina Item", payload}});
    PasteResult pasted;
    try {
        pasted = PasteItemFromClipboard(p, clipboard);
    } catch (const KalorinaError&) {
        Check(Bytes(p) == before && !p.modified, "a refused paste changed the project");
        return;
    }
    Check(pasted.pasted, "an item on the clipboard was neither pasted nor refused");
    Check(p.modified, "a paste did not mark the project modified");
    CheckRoundTrip(p, "a project with a pasted item does not read back as written");

    // The pasted item is an ordinary item now: it copies and pastes again.
    MemoryClipboard again;
    const bool copied = pasted.isManifold ? CopyManifoldToClipboard(p, pasted.name, again)
                                          : CopyItemToClipboard(p, pasted.name, pasted.isRoom, again);
    Check(copied, "a pasted item cannot be copied");
    PasteResult second;
    try {
        second = PasteItemFromClipboard(p, again);
    } catch (const KalorinaError&) {
        InvariantBroken("a copied item is refused on paste");
    }
    Check(second.pasted && second.isRoom == pasted.isRoom && second.isManifold == pasted.isManifold,
          "a copied item does not paste as its kind");
    CheckRoundTrip(p, "a project with a pasted copy does not read back as written");
}

// --- RTF -----------------------------------------------------------------------

int RenderedHeight(const std::string& rtf, int fontSize, int ppi, bool measureOnly)
{
    FixedMetricsCanvas canvas(6, 13, 2, ppi);
    TRect area{100, 50, 700, 1000};
    TPrintfStringStream s;
    s.Write(rtf);
    RTFPrint({"Report", fontSize}, measureOnly).Render(canvas, area, s);
    Check(s.AtEnd(), "the renderer stopped before the end of its text");
    return area.top;
}

void RenderRtf(const std::string& rtf, int fontSize, int ppi)
{
    const int measured = RenderedHeight(rtf, fontSize, ppi, true);
    const int drawn = RenderedHeight(rtf, fontSize, ppi, false);
    Check(measured == drawn, "measuring and drawing an RTF band end at different heights");
}

// --- languages -----------------------------------------------------------------

struct AnyComponent : TranslatableComponent {
    bool SetEntry(int index, const std::string&) override { return index >= 0 && index < 4; }
};

struct AnyForm : TranslatableForm {
    explicit AnyForm(std::string name) : name_(std::move(name)) {}
    std::string FormName() const override { return name_; }
    TranslatableComponent* FindComponent(const std::string&) override { return &component_; }

private:
    std::string name_;
    AnyComponent component_;
};

struct AnyTitles : TitleTarget {
    int CaptionLineCount() const override { return 3; }
    void SetCaptionLine(int, int, const std::string&) override {}
};

bool SameLanguage(const TLanguage& a, const TLanguage& b)
{
    if (a.name != b.name || a.Strings != b.Strings || a.forms.size() != b.forms.size()
        || a.titles.size() != b.titles.size())
        return false;
    for (std::size_t i = 0; i < a.titles.size(); ++i)
        if (a.titles[i].name != b.titles[i].name || a.titles[i].captions != b.titles[i].captions)
            return false;
    return true;
}

// Everything the program does with a loaded language: lookups, token replacement,
// window and column translation, and its RTF texts through the renderer.
void UseLanguage(const TLanguage& language)
{
    TLanguages languages;
    languages.AddLanguage(language);
    languages.SelectLanguage(language.name);
    languages.SelectPrintingLanguage(language.name);
    std::vector<std::string> names;
    languages.GetLanguageNames(names, false);
    languages.GetLanguageNames(names, true);
    for (bool printing : {false, true}) {
        languages.PrintingMode = printing;
        for (const auto& [key, text] : language.Strings) {
            (void)languages.GetText(key);
            (void)languages.ReplaceTokens(text);
        }
        (void)languages.GetFamily("IDS_ROOMFUNCTION+");
        for (int number = 0; number < 64; ++number)
            (void)languages.GetResourceText(number);
        for (const auto& form : language.forms) {
            AnyForm target(form.name);
            languages.TranslateForm(target);
        }
        AnyTitles titles;
        for (const auto& title : language.titles)
            languages.TranslateTitle(titles, title.name);
    }
    for (const auto& [key, text] : language.Strings)
        if (text.find('\\') != std::string::npos)
            RenderRtf(text, 10, 96);
}

// --- settings ------------------------------------------------------------------

// A store that takes the keys of a parsed file and never writes one.
struct CopiedStore : MemorySettingsStore {
    explicit CopiedStore(const MemorySettingsStore& from) { keys_ = from.Keys(); }
};

bool SamePlacement(const FormPlacement& a, const FormPlacement& b)
{
    return a.maximized == b.maximized && a.left == b.left && a.top == b.top && a.width == b.width
        && a.height == b.height;
}

// The installed store for the readers that only use the process-wide one; the
// next Settings() after the body opens the user's file again.
struct InstalledStore {
    explicit InstalledStore(const MemorySettingsStore& from) { SetSettingsStore(std::make_unique<CopiedStore>(from)); }
    ~InstalledStore() { SetSettingsStore(nullptr); }
};

// --- XML scanner ---------------------------------------------------------------

// External entities come from memory: the input itself or a few fixed texts,
// so that inclusion, recursion and encodings across files are reached without
// touching the file system.
class FuzzScanner : public TXmlParser {
public:
    explicit FuzzScanner(std::string_view input) : input_(input) {}

    std::unique_ptr<TXmlParser> LoadExternalEntity(const std::string& systemId, const std::string&,
                                                   const std::string&) override
    {
        static const char* const kTexts[] = {
            "",
            "<?xml version='1.0' encoding='windows-1250'?><x a='&e;'>\xF5&e;</x>",
            "<?xml version='1.0'?>\xC5\x91<y/>&self;&#x41;",
            "<!ENTITY % q 'z'>%q;<!ENTITY w '&w;'><!ATTLIST x a CDATA #FIXED 'f'>%q;",
            "text only &amp; &lt;",
        };
        auto ext = std::make_unique<TXmlParser>();
        if (systemId == "self")
            ext->LoadFromBuffer(input_);
        else
            ext->LoadFromBuffer(kTexts[std::hash<std::string>{}(systemId) % std::size(kTexts)]);
        return ext;
    }

    void DtdElementFound(const TDtdElementRec& rec) override
    {
        if (rec.Start)
            sink_ += static_cast<unsigned char>(*rec.Start);
        if (rec.Final)
            sink_ += static_cast<unsigned char>(*rec.Final);
        sink_ += rec.Content.size() + rec.Target.size();
    }

    std::size_t sink_ = 0;

private:
    std::string_view input_;
};

void ScanToEnd(FuzzScanner& xml)
{
    xml.StartScan();
    while (xml.Scan()) {
        xml.sink_ += xml.PartName.size() + xml.PartContent.size();
        xml.sink_ += static_cast<unsigned char>(*xml.PartStart) + static_cast<unsigned char>(*xml.PartEnd);
        for (const auto& attr : xml.PartAttributes)
            xml.sink_ += attr->Name.size() + attr->Value.size();
    }
    Check(!xml.Scan() && *xml.PartStart == 0, "the scanner goes on after its end");
}

} // namespace

void ThrowOnBrokenInvariant(bool enable)
{
    throwOnBroken = enable;
}

void InvariantBroken(const char* what)
{
    if (throwOnBroken)
        throw InvariantFailure{what};
    std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
    std::abort();
}

void ProjectFile(const std::uint8_t* data, std::size_t size)
{
    TProject read;
    {
        TMemoryStream s(std::string(reinterpret_cast<const char*>(data), size));
        try {
            read.ReadFromStream(s);
        } catch (const KalorinaError&) {
            return;
        }
    }
    CheckRoundTrip(read, "a project does not read back as it was written");

    // show: recounted and totalled, nothing recalculated
    {
        TProject shown = read;
        shown.RecountAssignedSurfaces();
        shown.ComputeTotals();
        ShowAll(shown, RecalcOutcome(shown));
    }
    // recalc, with and without --apply, then saved
    for (bool apply : {false, true}) {
        TProject recalculated = read;
        const RecalcOutcome outcome = RecalculateProject(recalculated, Catalogue(), apply);
        ShowAll(recalculated, outcome);
        CheckRoundTrip(recalculated, "a recalculated project does not read back as it was written");
    }
    // bom
    Bill(read);
}

void DesignAndCheck(const std::uint8_t* data, std::size_t size)
{
    TProject read;
    {
        TMemoryStream s(std::string(reinterpret_cast<const char*>(data), size));
        try {
            read.ReadFromStream(s);
        } catch (const KalorinaError&) {
            return;
        }
    }
    const bool plausible = FindImplausibleValues(read).empty();

    // The check, as the program and kalorina-cli check run it: on the project
    // recalculated, with the file as read beside it.
    TProject recalculated = read;
    RecalculateProject(recalculated, Catalogue(), false);
    const std::vector<DesignProblem> problems = CheckDesign(recalculated, Catalogue(), &read);
    bool named = false;
    for (const DesignProblem& p : problems) {
        Check(!p.text.empty(), "a design problem without its text");
        named = named || (p.kind == ProblemKind::ImplausibleValue && p.severity == ProblemSeverity::Error);
    }
    Check(plausible || named, "a stored value outside its range is not named by the check");

    const DesignOutcome outcome = DesignManifolds(read, Catalogue());
    Check(outcome.manifolds.size() <= read.manifolds.size(), "the design has more manifolds than the project");
    for (const ManifoldDesignResult& m : outcome.manifolds) {
        for (float v : {m.supplyTemperature, m.spread, m.availablePressure, m.totalMassFlow})
            Check(std::isfinite(v), "a manifold's design is not finite");
        for (const DesignedCircuit& c : m.circuits)
            for (float v : {c.forward, c.return_, c.massFlow, c.circuitPressureDrop, c.valvePressureDrop, c.tubeLength,
                            c.designSpread, c.designMassFlow})
                Check(std::isfinite(v), "a designed circuit is not finite");
        if (plausible && m.designed && m.manifold >= 0 && std::size_t(m.manifold) < read.manifolds.size())
            Check(m.supplyTemperature <= read.manifolds[m.manifold].maxSupply + 0.05f,
                  "a design from plausible values goes above its manifold's highest supply");
    }
    CheckRoundTrip(outcome.project, "a designed project does not read back as it was written");
}

void ClipboardItem(const std::uint8_t* data, std::size_t size)
{
    const std::string payload(reinterpret_cast<const char*>(data), size);
    PasteInto(ExampleProject(), payload);
    PasteInto(TProject(), payload);
}

void RtfText(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return;
    static constexpr int kResolutions[] = {96, 300, 600, 1200};
    const int fontSize = 1 + (data[0] & 0x3F);
    const int ppi = kResolutions[(data[0] >> 6) & 3];
    RenderRtf(std::string(reinterpret_cast<const char*>(data + 1), size - 1), fontSize, ppi);
}

void LanguageFile(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return;
    const bool plain = (data[0] & 1) != 0;
    const std::string_view file(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto language = LoadLanguageFile(WriteScratch(plain ? "fuzz.xml" : "fuzz.xmz", file));
    if (!language)
        return;
    Check(language->compressed != plain, "a language file loaded as the wrong kind");
    UseLanguage(*language);

    // A plain file packed as the build packs it loads as the same language.
    if (plain) {
        PackedLanguage packed;
        try {
            packed = PackLanguage(file);
        } catch (const KalorinaError&) {
            return;
        }
        if (packed.blanksAdded != 0)
            return; // a different document, however slightly
        const auto unpacked = LoadLanguageFile(WriteScratch("fuzz.xmz", packed.data));
        Check(unpacked.has_value() && SameLanguage(*language, *unpacked),
              "a packed language file does not load as its source");
    }
}

void SettingsFile(const std::uint8_t* data, std::size_t size)
{
    // A name that is never a file: the store neither reads nor writes one.
    FileSettingsStore parsed((ScratchDir() / "absent" / "Kalorina.reg").string());
    parsed.Parse(std::string(reinterpret_cast<const char*>(data), size));
    const std::string serialized = parsed.Serialize();
    {
        FileSettingsStore again((ScratchDir() / "absent" / "Kalorina.reg").string());
        again.Parse(serialized);
        Check(again.Keys().size() == parsed.Keys().size() && again.Serialize() == serialized,
              "a settings file does not read back as it was written");
    }

    CopiedStore store(parsed);
    TProgramOptions options;
    LoadProgramOptions(options, store);
    {
        MemorySettingsStore saved;
        SaveProgramOptions(options, saved);
        TProgramOptions again;
        LoadProgramOptions(again, saved);
        Check(again == options, "program options do not read back as they were saved");
    }
    for (FontKind kind : {FontKind::List, FontKind::Report}) {
        const ListFontAttributes font = ListFontAttributes::LoadFontAttributes(kind, store);
        (void)font.LabelText();
        if (font.size > 0)
            RenderRtf("{\\fs40 A}\\par B", font.size, 96);
    }
    for (const char* form : {"TMainForm", "TRoomForm", "TRoundForm", "TOptionsForm"}) {
        for (bool sizeable : {true, false}) {
            FormPlacement designed;
            designed.left = 10, designed.top = 20, designed.width = 300, designed.height = 200;
            designed.sizeable = sizeable;
            FormPlacement placement = designed;
            RestoreFormPlacement(form, placement, store);
            MemorySettingsStore saved;
            SaveFormPlacement(form, placement, saved);
            FormPlacement again = designed;
            RestoreFormPlacement(form, again, saved);
            Check(SamePlacement(again, placement), "a window placement does not read back as it was saved");
        }
    }
    {
        RecentProjects recent(&store);
        recent.Load();
        for (const std::string& path : recent.Paths()) {
            std::string decoded;
            Check(RecentProjects::Decode(RecentProjects::Encode(path), decoded) && decoded == path,
                  "a recent project's name does not survive the store");
        }
    }
    {
        InstalledStore installed(parsed);
        for (const char* name : {"RoomItemTitle", "RoundItemTitle", "RoundFloorFields", "FloorHeatingChoose",
                                 "ResistItemsTitle", "UsedMaterialsTableTitle"}) {
            TListHeaderFormat format;
            if (!format.LoadFormat(name))
                continue;
            format.LoadLayout("Kalorina", name);
            format.LoadLayout("Kalorina", "");
            Check(format.displayOrder.size() == format.columns.size(), "a stored column order lost columns");
            (void)format.VisibleColumns();
            (void)format.OrderText();
        }
        (void)RoomEditor::RoomFunctions();
    }
}

void CatalogueFile(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return;
    const char* language = (data[0] & 1) ? "English" : "Magyar";
    const std::string_view file(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto dir = ScratchDir() / "catalogue";
    std::filesystem::create_directories(dir / "inc");
    {
        std::ofstream out(dir / "a.xml", std::ios::binary | std::ios::trunc);
        out.write(file.data(), static_cast<std::streamsize>(file.size()));
    }
    {
        // A file the fuzzed one may include, so that include chains are exercised.
        std::ofstream inc(dir / "inc" / "b.xml", std::ios::binary | std::ios::trunc);
        inc.write(file.data(), static_cast<std::streamsize>(file.size() / 2));
    }
    TDevices devices(dir.string(), language);
    for (int k = 0; k < 6; ++k)
        for (const auto& item : devices.Items(k)) {
            Check(item->ImplausibleNumber().empty(), "a catalogue item with a number no product has was kept");
            Check(item->itemName.find("root:x:0:0") == std::string::npos, "a local file was read into a catalogue");
        }
    if (FindXmlSyntaxError(file))
        Check(devices.Failed(), "a damaged catalogue file loaded as sound");
    for (int k = 0; k < 6; ++k) {
        (void)devices.FillDeviceTree(k, "root");
        (void)devices.FillDeviceCombo(k);
    }
    (void)devices.WriteSecurityCodes();
    (void)devices.DefaultValveName();
}

void ColumnFormat(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    TListHeaderFormat format;
    format.Parse(text);
    format.ReadOrder(text);
    for (auto& column : format.columns) {
        try {
            TListHeaderFormat::ReadLayoutValue(column, text);
        } catch (const KalorinaError&) {
        }
        (void)column.FormatReal(static_cast<double>(size) - 3.5);
    }
}

void LzwData(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string tolerant;
    bool tolerantOk = true;
    try {
        Compressing::Decode(input, tolerant);
    } catch (const KalorinaError&) {
        tolerantOk = false;
    }
    try {
        const std::string strict = Compressing::Decode(input, Compressing::EndWidth::Strict);
        Check(tolerantOk && strict == tolerant, "the strict decoder reads what the tolerant one does not");
    } catch (const KalorinaError&) {
    }
    const std::string encoded = Compressing::Encode(input);
    Check(Compressing::Decode(encoded) == input, "encoded data does not decode to itself");
}

void XmlText(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return;
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::uint8_t mode = data[0];

    FuzzScanner xml(input);
    if (mode & 1) {
        xml.LoadFromBuffer(input);
    } else {
        // A caller-owned text of exactly the input's bytes and its zero.
        std::string own(input);
        xml.SetBuffer(own.c_str());
        xml.Normalize = (mode & 2) != 0;
        ScanToEnd(xml);
        return;
    }
    xml.Normalize = (mode & 2) != 0;
    ScanToEnd(xml);
    ScanToEnd(xml); // a second pass over the same document and its declarations

    // The character-set helpers: code page 1250 survives a trip through UTF-8.
    Check(Utf8ToAnsi(AnsiToUtf8(input)) == input, "code page 1250 does not survive UTF-8");
    xml.sink_ += Utf8ToAnsi(input).size() + ReplaceCharacterEntities(input).size();
    xml.sink_ += ConvertWs(TrimWs(input), (mode & 4) != 0).size();
    xml.sink_ += xml.ReplaceGeneralEntities(input).size();
}

} // namespace kalorina::fuzz
