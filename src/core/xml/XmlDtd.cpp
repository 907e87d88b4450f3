// The document type declaration: its root name, its external and internal
// subsets and the element, attribute, entity and notation declarations in them.
#include <algorithm>
#include <cstring>
#include <optional>

#include "xml/XmlInternal.h"
#include "xml/XmlParser.h"

namespace kalorina {

using detail::StartsWith;
using detail::U;

namespace {

constexpr int kMaxParameterDepth = 64;

bool IsDtdNameChar(unsigned char c)
{
    return IsXmlNameStart(c) || (c >= '0' && c <= '9') || c == '.' || c == '-' || c >= 0x80;
}

TAttrType AttrTypeOf(const std::string& word)
{
    static const struct {
        const char* word;
        TAttrType type;
    } kTypes[] = {
        {"CDATA", atCData},       {"ID", atID},
        {"IDREF", atIdRef},       {"IDREFS", atIdRefs},
        {"ENTITY", atEntity},     {"ENTITIES", atEntities},
        {"NMTOKEN", atNmToken},   {"NMTOKENS", atNmTokens},
        {"NOTATION", atNotation},
    };
    for (const auto& t : kTypes)
        if (word == t.word)
            return t.type;
    return atUnknown;
}

TElemType ElemTypeOf(const std::string& definition)
{
    std::string compact;
    for (char c : definition)
        if (!IsXmlWs(U(c)))
            compact += c;
    if (compact == "EMPTY")
        return etEmpty;
    if (compact == "ANY")
        return etAny;
    if (compact.rfind("(#PCDATA", 0) == 0)
        return etMixed;
    if (!compact.empty() && compact[0] == '(')
        return etChildren;
    return etOther;
}

} // namespace

// Reads declarations byte by byte.  Parameter references between and inside
// declarations are followed into the entity's text (a frame of its own) and the
// reader falls back to the referring text at the entity's terminating zero.
class TXmlParser::DtdReader {
public:
    DtdReader(TXmlParser& x, const char* pos, bool internalSubset) : x_(x), p_(pos), internalSubset_(internalSubset) {}

    // Analyses declarations up to the end of the text, or, for an internal
    // subset, up to its closing "]".  Returns where it stopped, in the starting text.
    const char* Run();

private:
    struct Frame {
        std::string text;
        std::unique_ptr<TXmlParser> ext;
        const char* resume = nullptr;
        std::string name;
    };

    unsigned char Peek(bool expand = true);
    void Advance()
    {
        if (Peek(false))
            ++p_;
    }
    void Enter(const std::string& name, const char* resume);
    void SkipWs();
    std::string ReadName();
    std::string ReadLiteral();
    std::string ReadParenthesised();
    std::string ReadUpTo(char stop);
    void ReadExternalId(std::string& publicId, std::string& systemId);
    void CloseDeclaration(TDtdElementRec& rec);
    void CloseContent(TDtdElementRec& rec, const char* terminator);
    void Report(TDtdElementRec& rec);

    void Element();
    void AttList();
    void Entity();
    void Notation();
    void Comment();
    void PI();
    void Error();

    TXmlParser& x_;
    const char* p_;
    bool internalSubset_;
    std::vector<std::unique_ptr<Frame>> frames_;
    unsigned pops_ = 0; // frames left so far; a record's Start is void across a pop
    unsigned startPops_ = 0;
};

unsigned char TXmlParser::DtdReader::Peek(bool expand)
{
    for (;;) {
        if (*p_ == 0) {
            if (frames_.empty())
                return 0;
            p_ = frames_.back()->resume;
            frames_.pop_back();
            ++pops_;
            continue;
        }
        if (expand && *p_ == '%' && IsXmlNameStart(U(p_[1]))) {
            const char* q = p_ + 1;
            while (IsDtdNameChar(U(*q)))
                ++q;
            if (*q != ';')
                return '%';
            std::string name(p_ + 1, q);
            p_ = q + 1;
            Enter(name, p_);
            continue;
        }
        return U(*p_);
    }
}

// Undeclared, recursive, too deep or too large references are skipped.
void TXmlParser::DtdReader::Enter(const std::string& name, const char* resume)
{
    const TEntityDef* def = x_.ParameterEntityDecls.Node(name);
    if (!def || frames_.size() >= kMaxParameterDepth)
        return;
    if (std::any_of(frames_.begin(), frames_.end(), [&](const auto& f) { return f->name == name; }))
        return;
    auto frame = std::make_unique<Frame>();
    frame->resume = resume;
    frame->name = name;
    const char* text;
    if (def->IsExternal()) {
        if (!x_.Charge(256))
            return;
        frame->ext = x_.ResolveExternalEntity("%" + def->Name, def->SystemId, def->PublicId, def->NotationName);
        text = frame->ext ? frame->ext->GetDocBuffer() : "";
        if (!x_.Charge(std::strlen(text)))
            return;
    } else {
        if (!x_.Charge(def->Value.size() + 16))
            return;
        frame->text = def->Value;
        text = frame->text.c_str();
    }
    frames_.push_back(std::move(frame));
    p_ = text;
}

void TXmlParser::DtdReader::SkipWs()
{
    while (IsXmlWs(Peek()))
        Advance();
}

std::string TXmlParser::DtdReader::ReadName()
{
    std::string name;
    for (unsigned char c = Peek(); IsDtdNameChar(c); c = Peek()) {
        name += static_cast<char>(c);
        Advance();
    }
    return name;
}

// A quoted text; empty when no quote stands here.  Runs to the end when unclosed.
std::string TXmlParser::DtdReader::ReadLiteral()
{
    const unsigned char quote = Peek();
    if (quote != '"' && quote != '\'')
        return {};
    Advance();
    std::string value;
    for (unsigned char c = Peek(false); c && c != quote; c = Peek(false)) {
        value += static_cast<char>(c);
        Advance();
    }
    Advance();
    return value;
}

std::string TXmlParser::DtdReader::ReadParenthesised()
{
    std::string text;
    for (unsigned char c = Peek(); c && c != '>'; c = Peek()) {
        text += static_cast<char>(c);
        Advance();
        if (c == ')')
            break;
    }
    return text;
}

std::string TXmlParser::DtdReader::ReadUpTo(char stop)
{
    std::string text;
    for (unsigned char c = Peek(); c && c != U(stop); c = Peek()) {
        text += static_cast<char>(c);
        Advance();
    }
    return text;
}

// Skips what is left of a declaration up to and including its ">".
void TXmlParser::DtdReader::CloseDeclaration(TDtdElementRec& rec)
{
    for (unsigned char c = Peek(false); c && c != '>'; c = Peek(false))
        Advance();
    rec.Final = p_; // the ">", or the terminating zero of an unclosed declaration
    Advance();
}

// Collects the content of a comment or processing instruction up to its
// terminator, which ends in ">", and skips past it; then reports the record.
void TXmlParser::DtdReader::CloseContent(TDtdElementRec& rec, const char* terminator)
{
    const std::size_t skip = std::strlen(terminator) - 1;
    for (unsigned char c = Peek(false); c; c = Peek(false)) {
        if (StartsWith(p_, terminator)) {
            p_ += skip;
            break;
        }
        rec.Content += static_cast<char>(c);
        Advance();
    }
    rec.Final = p_;
    Advance();
    Report(rec);
}

// The keyword PUBLIC with two literals, or SYSTEM with one; nothing else is read
// but the keyword.
void TXmlParser::DtdReader::ReadExternalId(std::string& publicId, std::string& systemId)
{
    std::string keyword = ReadName();
    SkipWs();
    if (keyword == "PUBLIC") {
        publicId = ReadLiteral();
        SkipWs();
        systemId = ReadLiteral();
    } else if (keyword == "SYSTEM") {
        systemId = ReadLiteral();
    }
}

void TXmlParser::DtdReader::Report(TDtdElementRec& rec)
{
    if (pops_ != startPops_)
        rec.Start = rec.Final; // the declaration began in a text that is gone
    x_.DtdElementFound(rec);
}

const char* TXmlParser::DtdReader::Run()
{
    for (;;) {
        const unsigned char c = Peek();
        if (c == 0)
            return p_;
        if (c == ']' && internalSubset_ && frames_.empty())
            return p_;
        startPops_ = pops_;
        if (c != '<') {
            Advance(); // whitespace, or a stray byte between declarations
        } else if (StartsWith(p_, "<!ELEMENT")) {
            Element();
        } else if (StartsWith(p_, "<!ATTLIST")) {
            AttList();
        } else if (StartsWith(p_, "<!ENTITY")) {
            Entity();
        } else if (StartsWith(p_, "<!NOTATION")) {
            Notation();
        } else if (StartsWith(p_, "<!--")) {
            Comment();
        } else if (StartsWith(p_, "<?")) {
            PI();
        } else if (StartsWith(p_, "<!")) {
            Error();
        } else {
            Advance();
        }
    }
}

void TXmlParser::DtdReader::Element()
{
    TDtdElementRec rec;
    rec.ElementType = deElement;
    rec.Start = p_;
    p_ += 9;
    SkipWs();
    std::string name = ReadName();
    SkipWs();
    std::string definition = TrimWs(ReadUpTo('>'));
    CloseDeclaration(rec);
    TElemDef* elem = x_.ElementDecls.Node(name);
    if (!elem) {
        auto fresh = std::make_unique<TElemDef>();
        fresh->Name = name;
        elem = x_.ElementDecls.Add(std::move(fresh));
    }
    // A later declaration wins; attributes declared before it stay.
    elem->Definition = definition;
    elem->ElemType = ElemTypeOf(definition);
    rec.ElemDef = elem;
    Report(rec);
}

void TXmlParser::DtdReader::AttList()
{
    const char* start = p_;
    p_ += 9;
    SkipWs();
    std::string elemName = ReadName();
    TElemDef* elem = x_.ElementDecls.Node(elemName);
    if (!elem) {
        auto fresh = std::make_unique<TElemDef>();
        fresh->Name = elemName;
        fresh->Definition = "ANY";
        fresh->ElemType = etAny;
        elem = x_.ElementDecls.Add(std::move(fresh));
    }
    std::vector<TAttrDef*> declared;
    for (;;) {
        SkipWs();
        const unsigned char c = Peek();
        if (c == 0 || c == '>')
            break;
        std::string name = ReadName();
        if (name.empty()) {
            Advance();
            continue;
        }
        auto def = std::make_unique<TAttrDef>(name, std::string());
        SkipWs();
        if (Peek() == '(') {
            def->TypeDef = ReadParenthesised();
            def->AttrType = atEnumeration;
        } else {
            def->TypeDef = ReadName();
            def->AttrType = AttrTypeOf(def->TypeDef);
            if (def->AttrType == atNotation) {
                SkipWs();
                if (Peek() == '(')
                    def->Notations = ReadParenthesised();
            }
        }
        SkipWs();
        bool hasValue = true;
        if (Peek() == '#') {
            Advance();
            std::string word = ReadName();
            if (word == "REQUIRED") {
                def->DefaultType = adRequired;
                hasValue = false;
            } else if (word == "IMPLIED") {
                def->DefaultType = adImplied;
                hasValue = false;
            } else if (word == "FIXED") {
                def->DefaultType = adFixed;
                SkipWs();
            }
        }
        if (hasValue) {
            std::vector<std::string> active;
            def->Value = ReplaceCharacterEntities(x_.ReplaceParameterEntities(ReadLiteral(), 0, active));
        }
        // A later attribute of the same name replaces the earlier one.
        std::erase_if(declared, [&](const TAttrDef* d) { return d->Name == name; });
        elem->Remove(name);
        declared.push_back(elem->Add(std::move(def)));
    }
    TDtdElementRec rec;
    rec.ElementType = deAttList;
    rec.Start = start;
    CloseDeclaration(rec);
    rec.ElemDef = elem;
    for (const TAttrDef* def : declared) {
        rec.AttrDef = def;
        Report(rec);
    }
}

void TXmlParser::DtdReader::Entity()
{
    TDtdElementRec rec;
    rec.ElementType = deEntity;
    rec.Start = p_;
    p_ += 8;
    SkipWs();
    bool parameter = false;
    if (Peek(false) == '%' && IsXmlWs(U(p_[1]))) {
        parameter = true;
        Advance();
        SkipWs();
    }
    auto def = std::make_unique<TEntityDef>(ReadName(), std::string());
    SkipWs();
    const unsigned char c = Peek();
    if (c == '"' || c == '\'') {
        std::string value = ReadLiteral();
        if (!parameter) {
            std::vector<std::string> active;
            value = x_.ReplaceParameterEntities(value, 0, active);
        }
        def->Value = ReplaceCharacterEntities(value);
    } else {
        ReadExternalId(def->PublicId, def->SystemId);
        SkipWs();
        if (ReadName() == "NDATA") {
            SkipWs();
            def->NotationName = ReadName();
        }
    }
    CloseDeclaration(rec);
    if (def->Name.empty()) {
        rec.ElementType = deError;
        Report(rec);
        return;
    }
    TNvpList<TEntityDef>& list = parameter ? x_.ParameterEntityDecls : x_.GeneralEntityDecls;
    list.Remove(def->Name);
    rec.EntityDef = list.Add(std::move(def));
    rec.ParameterEntity = parameter;
    Report(rec);
}

void TXmlParser::DtdReader::Notation()
{
    TDtdElementRec rec;
    rec.ElementType = deNotation;
    rec.Start = p_;
    p_ += 10;
    SkipWs();
    auto def = std::make_unique<TNotationDef>(ReadName(), std::string());
    SkipWs();
    ReadExternalId(def->PublicId, def->Value);
    CloseDeclaration(rec);
    x_.NotationDecls.Remove(def->Name);
    rec.NotationDef = x_.NotationDecls.Add(std::move(def));
    Report(rec);
}

void TXmlParser::DtdReader::Comment()
{
    TDtdElementRec rec;
    rec.ElementType = deComment;
    rec.Start = p_;
    p_ += 4;
    CloseContent(rec, "-->");
}

void TXmlParser::DtdReader::PI()
{
    TDtdElementRec rec;
    rec.ElementType = dePI;
    rec.Start = p_;
    p_ += 2;
    for (unsigned char c = Peek(false); c && !IsXmlWs(c) && c != '?' && c != '>'; c = Peek(false)) {
        rec.Target += static_cast<char>(c);
        Advance();
    }
    CloseContent(rec, "?>");
}

void TXmlParser::DtdReader::Error()
{
    TDtdElementRec rec;
    rec.ElementType = deError;
    rec.Start = p_;
    p_ += 2;
    CloseDeclaration(rec);
    Report(rec);
}

std::string TXmlParser::ReplaceParameterEntities(std::string_view text, int depth, std::vector<std::string>& active)
{
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t pct = text.find('%', i);
        if (pct == std::string_view::npos)
            break;
        std::size_t end = pct + 1;
        if (end < text.size() && IsXmlNameStart(U(text[end])))
            while (end < text.size() && IsDtdNameChar(U(text[end])))
                ++end;
        if (end == pct + 1 || end >= text.size() || text[end] != ';') {
            out.append(text.substr(i, pct + 1 - i));
            i = pct + 1;
            continue;
        }
        out.append(text.substr(i, pct - i));
        const std::string_view name = text.substr(pct + 1, end - pct - 1);
        const std::string_view written = text.substr(pct, end - pct + 1);
        i = end + 1;
        std::optional<std::string> value =
            ExpansionText(ParameterEntityDecls.Node(name), name, depth >= kMaxParameterDepth, active);
        if (!value) {
            out.append(written);
            continue;
        }
        active.emplace_back(name);
        out += ReplaceParameterEntities(*value, depth + 1, active);
        active.pop_back();
    }
    out.append(text.substr(i));
    return out;
}

void TXmlParser::AnalyzeDtdc(const char* start)
{
    PartType = ptDtdc;
    // The declaration is analysed where it stands; entities being read (should
    // the declaration come from one) stay on the stack, as their texts are in use.
    const char* p = detail::SkipWs(start + 9);
    if (IsXmlNameStart(U(*p))) {
        const char* name = p;
        while (*p && !IsXmlWs(U(*p)) && *p != '>' && *p != '[')
            ++p;
        DoctypeRoot.assign(name, p);
    }
    p = detail::SkipWs(p);
    auto literal = [&p]() {
        p = detail::SkipWs(p);
        std::string value;
        if (*p != '"' && *p != '\'')
            return value;
        const char quote = *p++;
        const char* begin = p;
        while (*p && *p != quote)
            ++p;
        value.assign(begin, p);
        if (*p)
            ++p;
        return value;
    };
    std::string systemId, publicId;
    bool external = false;
    if (StartsWith(p, "SYSTEM")) {
        p += 6;
        systemId = literal();
        external = true;
    } else if (StartsWith(p, "PUBLIC")) {
        p += 6;
        publicId = literal();
        systemId = literal();
        external = true;
    }
    if (external && Charge(256)) {
        std::unique_ptr<TXmlParser> ext =
            ResolveExternalEntity("DOCTYPE " + DoctypeRoot, systemId, publicId, std::string());
        if (ext && Charge(std::strlen(ext->GetDocBuffer()))) {
            if (const char* decls = std::strstr(ext->GetDocBuffer(), "<!"))
                DtdReader(*this, decls, false).Run();
        }
    }
    p = detail::SkipWs(p);
    if (*p == '[') {
        p = DtdReader(*this, p + 1, true).Run();
        if (*p == ']')
            ++p;
    }
    PartName.clear();
    PartContent.clear();
    if (const char* gt = std::strchr(p, '>'))
        Finish(gt, gt + 1);
    else
        RunToEnd(p);
}

} // namespace kalorina
