#include "catalogue/CatalogueReader.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "catalogue/CatalogueInteger.h"
#include "catalogue/CatalogueTexts.h"
#include "util/Error.h"
#include "util/ParseNumber.h"
#include "xml/XmlParser.h"

namespace kalorina {

namespace {
// Tag names are short: comparing them in place beats a call of memcmp.
inline bool SameName(const std::string& a, std::string_view b)
{
    const std::size_t n = a.size();
    if (n != b.size())
        return false;
    const char* p = a.data();
    const char* q = b.data();
    if (n < 8) {
        for (std::size_t i = 0; i < n; ++i)
            if (p[i] != q[i])
                return false;
        return true;
    }
    // Eight bytes at a time, the last word overlapping the one before.
    auto word = [](const char* at) {
        std::uint64_t w;
        std::memcpy(&w, at, sizeof w);
        return w;
    };
    for (std::size_t i = 0; i + 8 < n; i += 8)
        if (word(p + i) != word(q + i))
            return false;
    return word(p + n - 8) == word(q + n - 8);
}
} // namespace

CatalogueReader::CatalogueReader(TXmlParser& parser, std::string language, CatalogueMacros& macros)
    : parser_(parser), language_(std::move(language)), macros_(macros)
{
}

bool CatalogueReader::Next()
{
    if (atEnd_)
        return false;
    if (!parser_.Scan())
        atEnd_ = true;
    return !atEnd_;
}

bool CatalogueReader::IsStartTag() const
{
    return !atEnd_ && parser_.PartType == ptStartTag;
}
bool CatalogueReader::IsStart(std::string_view name) const
{
    return IsStartTag() && parser_.PartName == name;
}
bool CatalogueReader::IsEnd(std::string_view name) const
{
    return !atEnd_ && parser_.PartType == ptEndTag && parser_.PartName == name;
}
bool CatalogueReader::IsText() const
{
    return !atEnd_ && (parser_.PartType == ptContent || parser_.PartType == ptCData);
}
const std::string& CatalogueReader::Name() const
{
    return parser_.PartName;
}
const std::string& CatalogueReader::Text() const
{
    return parser_.PartContent;
}
std::string CatalogueReader::Attribute(std::string_view name) const
{
    return parser_.PartAttributes.Value(name);
}
std::string CatalogueReader::SourceName() const
{
    return parser_.SourceName;
}

bool CatalogueReader::LanguageAccepts(const std::string& attribute, const std::string& language)
{
    return attribute.empty() || attribute == "any" || attribute == language;
}

bool CatalogueReader::LanguageAccepted() const
{
    if (parser_.PartAttributes.Empty())
        return true;
    const TAttr* attr = parser_.PartAttributes.Node("Language");
    return !attr || LanguageAccepts(attr->Value, language_);
}

bool CatalogueReader::ReadElementText(std::string& text)
{
    if (!IsStartTag())
        return false;
    // Most elements hold just a number or a name: read them in one step.
    if (int simple = parser_.ReadSimpleElement(text); simple >= 0)
        return simple == 1;
    std::string& name = elementName_; // reused: the element's name outlives the parts read
    name = parser_.PartName;
    bool found = false;
    int depth = 1;
    while (Next()) {
        switch (parser_.PartType) {
        case ptContent:
        case ptCData:
            text = parser_.PartContent;
            found = true;
            break;
        case ptStartTag:
            if (SameName(parser_.PartName, name))
                ++depth;
            break;
        case ptEndTag:
            if (SameName(parser_.PartName, name) && --depth == 0)
                return found;
            break;
        default:
            break;
        }
    }
    return found;
}

void CatalogueReader::TakeText(std::string& member, bool filtered, bool expand)
{
    bool accepted = !filtered || LanguageAccepted();
    if (ReadElementText(text_) && accepted) {
        if (expand)
            macros_.ExpandMacrosInPlace(text_);
        member = text_;
    }
}

bool CatalogueReader::ReadFloat(float& value)
{
    if (!ReadElementText(text_))
        return false;
    long double v = ParseNumber(text_, NumberKind::Any);
    // Stored numbers are singles: what a single cannot hold is a wrong value.
    if (!(std::fabs(v) <= std::numeric_limits<float>::max()))
        throw KalorinaError(CatalogueText("IDS_WRONGVALUE"));
    value = static_cast<float>(v);
    return true;
}

void CatalogueReader::TakeInt16(std::int16_t& member)
{
    if (ReadElementText(text_))
        member = static_cast<std::int16_t>(ParseCatalogueInteger(text_, INT16_MIN, INT16_MAX));
}

void CatalogueReader::Read(const Element& e)
{
    switch (e.kind) {
    case Element::Kind::Call:
        e.call(e.target);
        break;
    case Element::Kind::Text:
        TakeText(*static_cast<std::string*>(e.target), e.filtered, e.expand);
        break;
    case Element::Kind::Float:
        TakeFloat(*static_cast<float*>(e.target));
        break;
    case Element::Kind::Int16:
        TakeInt16(*static_cast<std::int16_t*>(e.target));
        break;
    case Element::Kind::Int:
        TakeInt(*static_cast<int*>(e.target));
        break;
    }
}

bool CatalogueReader::ReadElements(std::string_view end, std::initializer_list<Element> elements)
{
    while (Next()) {
        const TPartType type = parser_.PartType;
        if (type != ptStartTag && type != ptEndTag)
            continue;
        const std::string& name = parser_.PartName;
        const bool endTag = type == ptEndTag;
        if (endTag && SameName(name, end))
            return true;
        for (const auto& e : elements)
            if (e.atEndTag == endTag && SameName(name, e.name)) {
                Read(e);
                break;
            }
    }
    return false;
}

void CatalogueReader::ReadMacro(std::vector<TXMLMacroItem>& macros)
{
    bool accepted = LanguageAccepted();
    TXMLMacroItem macro{Attribute("ID"), {}};
    ReadElementText(macro.value);
    if (accepted)
        macros.push_back(std::move(macro));
}

void CatalogueReader::TakeInt(int& member)
{
    if (ReadElementText(text_))
        member = static_cast<int>(ParseCatalogueInteger(text_, INT32_MIN, INT32_MAX));
}

} // namespace kalorina
