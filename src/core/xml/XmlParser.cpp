#include "xml/XmlParser.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <new>
#include <optional>
#include <sys/mman.h>
#include <sys/stat.h>
#include <typeinfo>
#include <unistd.h>

#include "xml/XmlInternal.h"

namespace kalorina {

using detail::EndOf;
using detail::SkipWs;
using detail::StartsWith;
using detail::U;

namespace {

// Entity texts read or inserted per scan.  Far above anything a real catalogue
// or language file needs; stops documents whose entities expand exponentially.
constexpr std::size_t kExpansionLimit = 8u << 20;
// Entities nested deeper than this are left as written.
constexpr int kMaxEntityDepth = 64;

const char kEmpty[] = "";

char PredefinedEntity(std::string_view name)
{
    if (name == "lt")
        return '<';
    if (name == "gt")
        return '>';
    if (name == "amp")
        return '&';
    if (name == "apos")
        return '\'';
    if (name == "quot")
        return '"';
    return 0;
}

bool Holds(const TEntityStackNode& node, const char* p)
{
    const char* text = node.Instance ? node.Instance->GetDocBuffer() : node.Text.c_str();
    std::size_t size = node.Instance ? std::char_traits<char>::length(text) : node.Text.size();
    std::less_equal<const char*> le;
    return le(text, p) && le(p, text + size);
}

} // namespace

TEntityStackNode::TEntityStackNode() = default;
TEntityStackNode::~TEntityStackNode() = default;

bool TEntityStack::Contains(std::string_view entityName) const
{
    return std::any_of(begin(), end(), [&](const auto& node) { return node->EntityName == entityName; });
}

TXmlParser::TXmlParser()
{
    Clear();
}

TXmlParser::~TXmlParser() = default;

namespace {
constexpr std::size_t kHugePage = 2u << 20;
}

char* TTextBlock::Reserve(std::size_t bytes)
{
    if (data_ && capacity_ >= bytes)
        return data_;
    Release();
    if (bytes >= kHugePage / 2) {
        // A mapping aligned to the huge page size, the system asked to back the
        // huge pages the text fills with huge pages (plain pages where it
        // declines); the rest of the text takes plain pages, so that no more
        // fresh memory is cleared than the text needs.
        const std::size_t size = (bytes + kHugePage - 1) / kHugePage * kHugePage;
        const std::size_t filled = bytes / kHugePage * kHugePage;
        void* map = ::mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (map != MAP_FAILED) {
            const auto base = reinterpret_cast<std::uintptr_t>(map);
            const std::uintptr_t aligned = (base + kHugePage - 1) / kHugePage * kHugePage;
#ifdef MADV_HUGEPAGE
            ::madvise(reinterpret_cast<void*>(aligned), filled, MADV_HUGEPAGE);
#endif
            map_ = map;
            mapSize_ = size + kHugePage;
            data_ = reinterpret_cast<char*>(aligned);
            capacity_ = size;
            return data_;
        }
    }
    data_ = new (std::nothrow) char[bytes];
    capacity_ = data_ ? bytes : 0;
    return data_;
}

void TTextBlock::Release()
{
    if (map_)
        ::munmap(map_, mapSize_);
    else
        delete[] data_;
    data_ = nullptr;
    map_ = nullptr;
    capacity_ = mapSize_ = 0;
}

void TXmlParser::Clear()
{
    ClearDocument();
    ownBuffer_.Release();
}

void TXmlParser::ClearDocument()
{
    buffer_ = nullptr;
    bufferSize_ = 0;
    SourceName.clear();
    DocVersion.clear();
    DocEncoding.clear();
    DocStandalone = false;
    ActiveEncoding.clear();
    DoctypeRoot.clear();
    Normalize = true;
    ElementDecls.Clear();
    GeneralEntityDecls.Clear();
    ParameterEntityDecls.Clear();
    NotationDecls.Clear();
    StartScan();
}

bool TXmlParser::LoadFromFile(const std::string& fileName, int /*fileMode*/)
{
    // A scanner that reads file after file keeps its block: its pages are
    // already mapped, so the next file costs only the copy from the kernel.
    ClearDocument();
    // Only regular files: a device or a pipe could block or never end.
    // Non-blocking, so that opening a pipe by mistake cannot hang; regular files read alike.
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    const std::size_t size = static_cast<std::size_t>(st.st_size);
    // Read, not mapped: a mapped file that another program shortens while it is
    // scanned would kill the process; a copy cannot change under the scanner.
    char* data = size < SIZE_MAX ? ownBuffer_.Reserve(size + 1) : nullptr;
    if (!data) {
        ::close(fd);
        return false;
    }
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd, data + got, size - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (got != size) // shortened while being read
        return false;
    data[size] = 0;
    buffer_ = data;
    bufferSize_ = size;
    SourceName = fileName;
    return true;
}

bool TXmlParser::LoadFromBuffer(std::string_view text)
{
    Clear();
    text = text.substr(0, std::min(text.size(), text.find('\0')));
    char* data = ownBuffer_.Reserve(text.size() + 1);
    if (!data)
        return false;
    std::copy(text.begin(), text.end(), data);
    data[text.size()] = 0;
    buffer_ = data;
    bufferSize_ = text.size();
    SourceName = "<MEM>";
    return true;
}

void TXmlParser::SetBuffer(const char* text)
{
    Clear();
    buffer_ = text;
    bufferSize_ = text ? std::char_traits<char>::length(text) : 0;
    SourceName = "<REFERENCE>";
}

const char* TXmlParser::GetDocBuffer() const
{
    return Text();
}

std::string_view TXmlParser::DocumentBytes() const
{
    return buffer_ ? std::string_view(buffer_, bufferSize_) : std::string_view();
}

const char* TXmlParser::Text() const
{
    return buffer_ ? buffer_ : kEmpty;
}

void TXmlParser::StartScan()
{
    PartType = ptNone;
    PartName.clear();
    PartContent.clear();
    PartAttributes.Clear();
    PartStart = nullptr;
    PartEnd = nullptr;
    entityStack_.Clear();
    retired_.Clear();
    next_ = nullptr;
    finished_ = false;
    expansionUsed_ = 0;
    ActiveEncoding.clear();
}

bool TXmlParser::Charge(std::size_t bytes)
{
    if (bytes > kExpansionLimit - expansionUsed_)
        return false;
    expansionUsed_ += bytes;
    return true;
}

void TXmlParser::Finish(const char* last, const char* next)
{
    PartEnd = last;
    next_ = next;
}

void TXmlParser::RunToEnd(const char* from)
{
    const char* zero = EndOf(from);
    Finish(zero - 1, zero);
}

const char* TXmlParser::PopEntity()
{
    std::unique_ptr<TEntityStackNode> node = entityStack_.Extract(entityStack_.Count() - 1);
    ActiveEncoding = node->Encoding;
    const char* resume = node->LastPos;
    // Keep the text alive while the current part still points into it.
    if (PartStart && Holds(*node, PartStart))
        retired_.Append(std::move(node));
    return resume;
}

bool TXmlParser::EnterEntity(const TEntityDef& def, const char* resume, const char*& pos)
{
    if (entityStack_.Contains(def.Name) || entityStack_.Count() >= kMaxEntityDepth)
        return false;
    auto node = std::make_unique<TEntityStackNode>();
    node->EntityName = def.Name;
    node->Encoding = ActiveEncoding;
    node->LastPos = resume;
    if (def.IsExternal()) {
        if (!Charge(256))
            return false;
        node->Instance = ResolveExternalEntity(def.Name, def.SystemId, def.PublicId, def.NotationName);
        if (!node->Instance)
            node->Instance = std::make_unique<TXmlParser>();
        if (!Charge(std::char_traits<char>::length(node->Instance->GetDocBuffer())))
            return false;
        pos = node->Instance->GetDocBuffer();
    } else {
        if (!Charge(def.Value.size() + 16))
            return false;
        node->Text = def.Value;
        pos = node->Text.c_str();
    }
    entityStack_.Push(std::move(node));
    return true;
}

bool TXmlParser::Scan()
{
    if (finished_)
        return false;
    for (;;) {
        retired_.Clear();
        PartStart = nullptr;
        const char* p = next_ ? next_ : Text();
        while (*p == 0 && !entityStack_.Empty())
            p = PopEntity();
        if (*p == 0) {
            entityStack_.Clear();
            PartStart = PartEnd = next_ = p;
            finished_ = true;
            return false;
        }
        if (*p != '<' && Normalize && IsXmlWs(U(*p))) {
            // Whitespace up to the next tag is a text that normalises to nothing
            // (the usual indentation between tags): skip it without building it.
            const char* q = SkipWs(p);
            if (*q == '<' || (*q == 0 && entityStack_.Empty())) {
                next_ = q;
                continue;
            }
        }
        PartStart = p;
        PartName.clear();
        PartContent.clear();
        PartAttributes.Clear();
        if (*p != '<') {
            if (!AnalyzeText(p))
                continue;
        } else if (p[1] == '?') {
            if (StartsWith(p, "<?xml") && IsXmlWs(U(p[5])))
                AnalyzeProlog(p);
            else
                AnalyzePI(p);
        } else if (p[1] == '!' && StartsWith(p, "<!--")) {
            AnalyzeComment(p);
        } else if (p[1] == '!' && StartsWith(p, "<!DOCTYPE")) {
            AnalyzeDtdc(p);
        } else if (p[1] == '!' && StartsWith(p, "<![CDATA[")) {
            AnalyzeCData(p);
        } else {
            AnalyzeTag(p);
        }
        return true;
    }
}

void TXmlParser::AnalyzeProlog(const char* start)
{
    PartType = ptXmlProlog;
    PartAttributes.Analyze(start + 5);
    if (entityStack_.Empty()) {
        DocVersion = PartAttributes.Value("version");
        DocEncoding = PartAttributes.Value("encoding");
        DocStandalone = PartAttributes.Value("standalone") == "yes";
    }
    std::string encoding = PartAttributes.Value("encoding");
    std::transform(encoding.begin(), encoding.end(), encoding.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    ActiveEncoding = encoding.empty() ? "UTF-8" : encoding;
    if (const char* q = detail::FindStr(start + 5, "?>"))
        Finish(q + 1, q + 2);
    else
        RunToEnd(start + 5);
}

void TXmlParser::AnalyzePI(const char* start)
{
    PartType = ptPI;
    const char* p = start + 2;
    while (*p && !IsXmlWs(U(*p)) && *p != '?' && *p != '>')
        ++p;
    PartName.assign(start + 2, p);
    PartAttributes.Analyze(p);
    if (const char* q = detail::FindStr(p, "?>")) {
        PartContent.assign(p, q);
        Finish(q + 1, q + 2);
    } else {
        PartContent.assign(p);
        RunToEnd(p);
    }
}

void TXmlParser::AnalyzeComment(const char* start)
{
    PartType = ptComment;
    const char* p = start + 4;
    if (const char* q = detail::FindStr(p, "-->")) {
        PartContent = TranslateEncoding(std::string_view(p, static_cast<std::size_t>(q - p)));
        Finish(q + 2, q + 3);
    } else {
        PartContent = TranslateEncoding(p);
        RunToEnd(p);
    }
}

void TXmlParser::AnalyzeCData(const char* start)
{
    PartType = ptCData;
    const char* p = start + 9;
    if (const char* q = detail::FindStr(p, "]]>")) {
        PartContent = TranslateEncoding(std::string_view(p, static_cast<std::size_t>(q - p)));
        Finish(q + 2, q + 3);
    } else {
        PartContent = TranslateEncoding(p);
        RunToEnd(p);
    }
}

void TXmlParser::AnalyzeTag(const char* start)
{
    const char* p = start + 1;
    const bool endTag = *p == '/';
    if (endTag)
        ++p;
    const char* name = p;
    while (!detail::EndsTagName(U(*p)))
        ++p;
    PartName.append(name, static_cast<std::size_t>(p - name)); // emptied by Scan; append is cheaper than assign
    const char* stop = *p == '>' ? p : PartAttributes.Analyze(p);
    PartType = endTag ? ptEndTag : *stop == '/' ? ptEmptyTag : ptStartTag;
    if (const char* gt = *stop == '>' ? stop : std::strchr(stop, '>'))
        Finish(gt, gt + 1);
    else
        RunToEnd(stop);
    if (PartType != ptEndTag && !ElementDecls.Empty())
        ApplyAttributeDeclarations();
    for (const auto& attr : PartAttributes)
        attr->Value = TreatAttributeValue(*attr);
}

void TXmlParser::ApplyAttributeDeclarations()
{
    const TElemDef* elem = ElementDecls.Node(PartName);
    if (!elem)
        return;
    for (const auto& def : *elem) {
        TAttr* attr = PartAttributes.Node(def->Name);
        if (!attr) {
            if (def->DefaultType != adDefault && def->DefaultType != adFixed)
                continue;
            auto added = std::make_unique<TAttr>(def->Name, def->Value);
            added->ValueType = vtDefault;
            attr = PartAttributes.Add(std::move(added));
        } else if (def->DefaultType == adImplied) {
            attr->ValueType = vtImplied;
        } else if (def->DefaultType == adFixed) {
            attr->ValueType = vtFixed;
            attr->Value = def->Value;
        }
        attr->AttrType = def->AttrType;
    }
}

// General entities, then character references, then whitespace, then the
// character set.  The bytes that character references produce are final: only
// the bytes written in the document go through the translation, so "&#233;"
// reads the same in an attribute as in a text.
std::string TXmlParser::TreatAttributeValue(const TAttr& attr)
{
    const bool tokenized = attr.AttrType != atCData && attr.AttrType != atUnknown;
    if (attr.Value.find('&') == std::string::npos) {
        // No reference: only the whitespace and the character set to treat.
        std::string ws = tokenized ? ConvertWs(TrimWs(attr.Value), true) : ConvertWs(attr.Value, false);
        return ws.empty() ? ws : TranslateEncoding(ws);
    }
    const std::string text = ReplaceGeneralEntities(attr.Value);
    std::string bytes;
    std::vector<bool> fromRef;
    bytes.reserve(text.size());
    fromRef.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t amp = text.find("&#", i);
        std::size_t semi = amp == std::string::npos ? amp : text.find(';', amp + 2);
        std::size_t upto = semi == std::string::npos ? text.size() : amp;
        bytes.append(text, i, upto - i);
        fromRef.resize(bytes.size(), false);
        if (semi == std::string::npos)
            break;
        std::string_view body(text.data() + amp + 2, semi - amp - 2);
        const bool hex = !body.empty() && (body[0] == 'x' || body[0] == 'X');
        const int b = detail::CharRefByte(hex ? body.substr(1) : body, hex);
        bytes += static_cast<char>(b >= 0 ? b : hex ? 0 : 32);
        fromRef.push_back(true);
        i = semi + 1;
    }

    std::string ws;
    std::vector<bool> wsRef;
    bool prevWs = false;
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        const bool isWs = IsXmlWs(U(bytes[k]));
        if (!(isWs && tokenized && prevWs)) {
            ws += isWs ? ' ' : bytes[k];
            wsRef.push_back(fromRef[k]);
        }
        prevWs = isWs;
    }
    std::size_t b = 0, e = ws.size();
    if (tokenized) {
        while (b < e && ws[b] == ' ')
            ++b;
        while (e > b && ws[e - 1] == ' ')
            --e;
    }

    std::string out;
    out.reserve(e - b);
    std::size_t k = b;
    while (k < e) {
        std::size_t run = k;
        while (run < e && wsRef[run] == wsRef[k])
            ++run;
        std::string_view piece(ws.data() + k, run - k);
        if (wsRef[k])
            out.append(piece);
        else
            out += TranslateEncoding(piece);
        k = run;
    }
    return out;
}

bool TXmlParser::AnalyzeText(const char* start)
{
    PartType = ptContent;
    std::string& content = PartContent; // emptied by Scan, keeps its capacity from part to part
    // Without an override of TranslateEncoding the runs are translated right into
    // the part, with no text in between.
    const bool ownTranslation = typeid(*this) == typeid(TXmlParser);
    const char* p = start;
    const char* last = start;
    for (;;) {
        if (*p == 0) {
            if (entityStack_.Empty())
                break;
            // The text goes on after the reference; the part's last byte so far is its ";".
            p = PopEntity();
            last = p - 1;
            continue;
        }
        if (*p == '<')
            break;
        if (*p != '&') {
            const char* q = detail::FindTextStop(p);
            AppendRun(content, std::string_view(p, static_cast<std::size_t>(q - p)), ownTranslation);
            last = q - 1;
            p = q;
            continue;
        }
        // A reference reaches to the next semicolon of this text; without one
        // the ampersand is dropped.  The search stops at "<" so that a stray
        // ampersand never swallows the markup after it.
        const char* semi = p + 1;
        while (*semi && *semi != ';' && *semi != '<')
            ++semi;
        if (*semi != ';') {
            last = p;
            ++p;
            continue;
        }
        std::string_view name(p + 1, static_cast<std::size_t>(semi - p - 1));
        const char* after = semi + 1;
        last = semi;
        if (!name.empty() && name[0] == '#') {
            std::string_view digits = name.substr(1);
            const bool hex = !digits.empty() && (digits[0] == 'x' || digits[0] == 'X');
            const int b = detail::CharRefByte(hex ? digits.substr(1) : digits, hex);
            content += static_cast<char>(b >= 0 ? b : 32);
        } else if (char c = PredefinedEntity(name)) {
            content += c;
        } else if (const TEntityDef* def = GeneralEntityDecls.Node(name)) {
            const char* inside = nullptr;
            if (EnterEntity(*def, after, inside)) {
                p = inside;
                continue;
            }
            // Recursive, too deep or too much: the reference stays as written.
            content += TranslateEncoding(std::string_view(p, static_cast<std::size_t>(after - p)));
        } else {
            content += TranslateEncoding(name);
        }
        p = after;
    }
    Finish(last, p);
    if (Normalize)
        detail::NormalizeWsInPlace(content);
    return !(Normalize && content.empty());
}

void TXmlParser::AppendRun(std::string& content, std::string_view run, bool ownTranslation)
{
    if (!ownTranslation)
        content += TranslateEncoding(run);
    else if (IsUtf8() && detail::HasHighByte(run))
        content += Utf8ToAnsi(run, '?');
    else
        content.append(run);
}

namespace {
// Bytes that end a plain text run (the zero, "<", "&") and whitespace.
constexpr unsigned char kStopsRun = 1, kWhitespace = 2;
constexpr auto kTextBytes = [] {
    std::array<unsigned char, 256> t{};
    t[0] = t['<'] = t['&'] = kStopsRun;
    t[9] = t[10] = t[13] = t[32] = kWhitespace;
    return t;
}();
} // namespace

int TXmlParser::ReadSimpleElement(std::string& text)
{
    if (PartType != ptStartTag || finished_ || !next_ || !entityStack_.Empty())
        return -1;
    // One pass over the text notes what it will need: whitespace to normalise,
    // bytes to translate.
    const char* p = next_;
    const char* lt = p;
    unsigned char seen = 0, bytes = 0;
    for (;; ++lt) {
        const unsigned char c = detail::U(*lt);
        const unsigned char kind = kTextBytes[c];
        if (kind == kStopsRun)
            break;
        seen |= kind;
        bytes |= c;
    }
    if (*lt != '<' || lt[1] != '/')
        return -1;
    // The end tag must be exactly "</name>"; the comparison stops at the first
    // difference, at the latest at the terminating zero (a name holds none).
    const std::size_t n = PartName.size();
    const char* q = lt + 2 + n;
    if (std::strncmp(lt + 2, PartName.data(), n) != 0 || *q != '>')
        return -1;
    const std::string_view run(p, static_cast<std::size_t>(lt - p));
    const bool ownTranslation = typeid(*this) == typeid(TXmlParser);
    bool found = false;
    if (!run.empty() && !(seen & kWhitespace) && !(bytes & 0x80) && ownTranslation) {
        // Nothing to normalise or translate: the text as written.
        text.clear();
        text.append(run);
        found = true;
    } else if (!run.empty()) {
        std::string& content = PartContent;
        content.clear();
        AppendRun(content, run, ownTranslation);
        if (Normalize)
            detail::NormalizeWsInPlace(content);
        // A text that normalises to nothing is no text part.
        found = !(Normalize && content.empty());
        if (found)
            text.swap(content);
    }
    PartContent.clear();
    retired_.Clear();
    PartAttributes.Clear();
    PartType = ptEndTag;
    PartStart = lt;
    Finish(q, q + 1);
    return found ? 1 : 0;
}

// The whole text of an external entity's file; none when the expansion budget is spent.
std::optional<std::string> TXmlParser::ExternalText(const TEntityDef& def)
{
    if (!Charge(256))
        return std::nullopt;
    std::unique_ptr<TXmlParser> ext = ResolveExternalEntity(def.Name, def.SystemId, def.PublicId, def.NotationName);
    std::string text = ext ? ext->GetDocBuffer() : "";
    if (!Charge(text.size()))
        return std::nullopt;
    return text;
}

// Every entity text visited is charged before it is expanded, so the work stays
// bounded however the entities multiply.
std::optional<std::string> TXmlParser::ExpansionText(const TEntityDef* def, std::string_view name, bool tooDeep,
                                                     const std::vector<std::string>& active)
{
    const bool recursive = std::find(active.begin(), active.end(), name) != active.end();
    if (!def || recursive || tooDeep)
        return std::nullopt;
    if (def->IsExternal())
        return ExternalText(*def);
    return Charge(def->Value.size() + 16) ? std::optional(def->Value) : std::nullopt;
}

std::string TXmlParser::ReplaceGeneralEntities(std::string_view text)
{
    std::vector<std::string> active;
    return ReplaceGeneralEntitiesAt(text, 0, active);
}

std::string TXmlParser::ReplaceGeneralEntitiesAt(std::string_view text, int depth, std::vector<std::string>& active)
{
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t amp = text.find('&', i);
        if (amp == std::string_view::npos || amp + 2 > text.size())
            break;
        const std::size_t semi = text.find(';', amp + 2);
        if (semi == std::string_view::npos)
            break;
        out.append(text.substr(i, amp - i));
        const std::string_view name = text.substr(amp + 1, semi - amp - 1);
        const std::string_view written = text.substr(amp, semi - amp + 1);
        i = semi + 1;
        if (char c = PredefinedEntity(name)) {
            out += c;
            continue;
        }
        std::optional<std::string> value =
            ExpansionText(GeneralEntityDecls.Node(name), name, depth >= kMaxEntityDepth, active);
        if (!value) {
            out.append(written);
            continue;
        }
        active.emplace_back(name);
        out += ReplaceGeneralEntitiesAt(*value, depth + 1, active);
        active.pop_back();
    }
    out.append(text.substr(i));
    return out;
}

std::string TXmlParser::TranslateEncoding(std::string_view text)
{
    if (IsUtf8() && detail::HasHighByte(text))
        return Utf8ToAnsi(text, '?');
    return std::string(text); // ASCII reads the same in both
}

void TXmlParser::DtdElementFound(const TDtdElementRec&)
{
}

std::unique_ptr<TXmlParser> TXmlParser::ResolveExternalEntity(const std::string& name, const std::string& systemId,
                                                              const std::string& publicId, const std::string& notation)
{
    if (!ExternalEntitiesAllowed) {
        if (std::find(RefusedExternalEntities.begin(), RefusedExternalEntities.end(), name)
            == RefusedExternalEntities.end())
            RefusedExternalEntities.push_back(name);
        return nullptr;
    }
    return LoadExternalEntity(systemId, publicId, notation);
}

std::unique_ptr<TXmlParser> TXmlParser::LoadExternalEntity(const std::string& systemId, const std::string& /*publicId*/,
                                                           const std::string& /*notation*/)
{
    std::string path = systemId;
    std::replace(path.begin(), path.end(), '\\', '/');
    const bool absolute = (!path.empty() && path[0] == '/') || (path.size() >= 2 && path[1] == ':')
        || (!SourceName.empty() && SourceName[0] == '<');
    if (!absolute) {
        std::size_t slash = SourceName.find_last_of("/\\");
        if (slash != std::string::npos) {
            std::string dir = SourceName.substr(0, slash + 1);
            std::replace(dir.begin(), dir.end(), '\\', '/');
            path = dir + path;
        }
    }
    auto parser = std::make_unique<TXmlParser>();
    parser->LoadFromFile(path, 64);
    return parser;
}

} // namespace kalorina
