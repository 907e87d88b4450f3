#pragma once
// Walks one catalogue document for the item readers: the scanner's parts, the
// language filter, the macros in force and the reading of simple elements.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "catalogue/TXMLMacroItem.h"

namespace kalorina {

class TXmlParser;

class CatalogueReader {
public:
    // `language` is the catalogue language (the text of IDS_DEVICEDBLANGUAGE).
    CatalogueReader(TXmlParser& parser, std::string language, CatalogueMacros& macros);

    // Next part; false at the end of the document (and ever after).
    bool Next();
    bool AtEnd() const { return atEnd_; }

    bool IsStartTag() const;
    bool IsStart(std::string_view name) const;
    bool IsEnd(std::string_view name) const;
    bool IsText() const;
    const std::string& Name() const;
    const std::string& Text() const;
    std::string Attribute(std::string_view name) const;
    std::string SourceName() const;

    // Whether the current start tag passes the language filter.
    bool LanguageAccepted() const;
    static bool LanguageAccepts(const std::string& attribute, const std::string& language);

    CatalogueMacros& Macros() { return macros_; }
    std::string Expand(const std::string& text) const { return macros_.ExpandMacros(text); }

    // From the current start tag to its end tag: the last text inside, or false
    // when there was none.
    bool ReadElementText(std::string& text);
    // Reads the current element and stores its text in `member` when it has one
    // (and, with `filtered`, passes the language filter), macros expanded on request.
    void TakeText(std::string& member, bool filtered, bool expand);
    // Reads the current element as a decimal number; false when it has no text.
    bool ReadFloat(float& value);
    void TakeFloat(float& member) { ReadFloat(member); }
    void TakeInt16(std::int16_t& member);
    void TakeInt(int& member);

    // One kind of child element an item reader takes: a simple element read into a
    // member (TextElement, FloatElement, ...), or a reading of its own called at
    // its start tag (or, with `atEndTag`, at its end tag).  An element only refers
    // to its reading: the lists are written in the call of ReadElements, and the
    // readings live as long as that call.
    struct Element {
        enum class Kind : std::uint8_t { Call, Text, Float, Int16, Int };

        template <class F>
        requires std::is_invocable_v<F&> Element(std::string_view elementName, F&& f, bool readAtEndTag = false)
            : name(elementName), atEndTag(readAtEndTag), target(const_cast<void*>(static_cast<const void*>(&f))),
              call([](void* fn) { (*static_cast<std::remove_reference_t<F>*>(fn))(); })
        {
        }
        Element(std::string_view elementName, Kind k, void* member, bool filter = false, bool expandMacros = false)
            : name(elementName), kind(k), filtered(filter), expand(expandMacros), target(member)
        {
        }

        std::string_view name;
        Kind kind = Kind::Call;
        bool atEndTag = false;
        bool filtered = false;  // Text: only when it passes the language filter
        bool expand = false;    // Text: macros expanded
        void* target = nullptr; // the member, or the reading
        void (*call)(void*) = nullptr;
    };
    // Walks the parts up to the end tag `end`, giving each element named in
    // `elements` to its reading; all other parts are passed over.  True at the end
    // tag, false when the document ends first.
    bool ReadElements(std::string_view end, std::initializer_list<Element> elements);
    // Reads the current Macro element and appends it to `macros` when it passes the
    // language filter.
    void ReadMacro(std::vector<TXMLMacroItem>& macros);
    // Readings of simple elements into members (see TakeText, TakeFloat, ...).
    static Element TextElement(std::string_view name, std::string& member, bool filtered, bool expand)
    {
        return {name, Element::Kind::Text, &member, filtered, expand};
    }
    static Element FloatElement(std::string_view name, float& member) { return {name, Element::Kind::Float, &member}; }
    static Element Int16Element(std::string_view name, std::int16_t& member)
    {
        return {name, Element::Kind::Int16, &member};
    }
    static Element IntElement(std::string_view name, int& member) { return {name, Element::Kind::Int, &member}; }

private:
    TXmlParser& parser_;
    std::string language_;
    CatalogueMacros& macros_;
    bool atEnd_ = false;
    std::string elementName_; // ReadElementText's element, kept to reuse its memory
    std::string text_;        // the text of a simple element, kept to reuse its memory

    void Read(const Element& element);
};

} // namespace kalorina
