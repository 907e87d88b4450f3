#include "catalogue/CatalogueReader.h"

#include <cmath>
#include <limits>

#include "catalogue/CatalogueInteger.h"
#include "catalogue/CatalogueTexts.h"
#include "util/ParseNumber.h"
#include "util/Error.h"
#include "xml/XmlParser.h"

namespace kalorina {

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

bool CatalogueReader::IsStartTag() const { return !atEnd_ && parser_.PartType == ptStartTag; }
bool CatalogueReader::IsStart(std::string_view name) const { return IsStartTag() && parser_.PartName == name; }
bool CatalogueReader::IsEnd(std::string_view name) const
{
    return !atEnd_ && parser_.PartType == ptEndTag && parser_.PartName == name;
}
bool CatalogueReader::IsText() const
{
    return !atEnd_ && (parser_.PartType == ptContent || parser_.PartType == ptCData);
}
const std::string& CatalogueReader::Name() const { return parser_.PartName; }
const std::string& CatalogueReader::Text() const { return parser_.PartContent; }
std::string CatalogueReader::Attribute(std::string_view name) const { return parser_.PartAttributes.Value(name); }
std::string CatalogueReader::SourceName() const { return parser_.SourceName; }

bool CatalogueReader::LanguageAccepts(const std::string& attribute, const std::string& language)
{
    return attribute.empty() || attribute == "any" || attribute == language;
}

bool CatalogueReader::LanguageAccepted() const
{
    return LanguageAccepts(Attribute("Language"), language_);
}

bool CatalogueReader::ReadElementText(std::string& text)
{
    if (!IsStartTag())
        return false;
    std::string& name = elementName_;  // reused: the element's name outlives the parts read
    name = parser_.PartName;
    bool found = false;
    int depth = 1;
    while (Next()) {
        if (IsText()) {
            text = parser_.PartContent;
            found = true;
        } else if (IsStart(name)) {
            ++depth;
        } else if (IsEnd(name) && --depth == 0) {
            break;
        }
    }
    return found;
}

void CatalogueReader::TakeText(std::string& member, bool filtered, bool expand)
{
    bool accepted = !filtered || LanguageAccepted();
    std::string text;
    if (ReadElementText(text) && accepted)
        member = expand ? Expand(text) : text;
}

bool CatalogueReader::ReadFloat(float& value)
{
    std::string text;
    if (!ReadElementText(text))
        return false;
    long double v = ParseNumber(text, NumberKind::Any);
    // Stored numbers are singles: what a single cannot hold is a wrong value.
    if (!(std::fabs(v) <= std::numeric_limits<float>::max()))
        throw KalorinaError(CatalogueText("IDS_WRONGVALUE"));
    value = static_cast<float>(v);
    return true;
}

void CatalogueReader::TakeInt16(std::int16_t& member)
{
    std::string text;
    if (ReadElementText(text))
        member = static_cast<std::int16_t>(ParseCatalogueInteger(text, INT16_MIN, INT16_MAX));
}

bool CatalogueReader::ReadElements(std::string_view end, std::initializer_list<Element> elements)
{
    while (Next()) {
        if (IsEnd(end))
            return true;
        for (const auto& e : elements)
            if (e.atEndTag ? IsEnd(e.name) : IsStart(e.name)) {
                e.read();
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

CatalogueReader::Element CatalogueReader::TextElement(const char* name, std::string& member, bool filtered,
                                                      bool expand)
{
    return {name, [this, &member, filtered, expand] { TakeText(member, filtered, expand); }};
}

CatalogueReader::Element CatalogueReader::FloatElement(const char* name, float& member)
{
    return {name, [this, &member] { TakeFloat(member); }};
}

CatalogueReader::Element CatalogueReader::Int16Element(const char* name, std::int16_t& member)
{
    return {name, [this, &member] { TakeInt16(member); }};
}

CatalogueReader::Element CatalogueReader::IntElement(const char* name, int& member)
{
    return {name, [this, &member] { TakeInt(member); }};
}

void CatalogueReader::TakeInt(int& member)
{
    std::string text;
    if (ReadElementText(text))
        member = static_cast<int>(ParseCatalogueInteger(text, INT32_MIN, INT32_MAX));
}

} // namespace kalorina
