#pragma once
// Walks one catalogue document for the item readers: the scanner's parts, the
// language filter, the macros in force and the reading of simple elements.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

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

    // One kind of child element an item reader takes: `read` is called at its start
    // tag (or, with `atEndTag`, at its end tag) and reads what it needs.
    struct Element {
        const char* name;
        std::function<void()> read;
        bool atEndTag = false;
    };
    // Walks the parts up to the end tag `end`, giving each element named in
    // `elements` to its reading; all other parts are passed over.  True at the end
    // tag, false when the document ends first.
    bool ReadElements(std::string_view end, std::initializer_list<Element> elements);
    // Reads the current Macro element and appends it to `macros` when it passes the
    // language filter.
    void ReadMacro(std::vector<TXMLMacroItem>& macros);
    // Readings of simple elements into members (see TakeText, TakeFloat, ...).
    Element TextElement(const char* name, std::string& member, bool filtered, bool expand);
    Element FloatElement(const char* name, float& member);
    Element Int16Element(const char* name, std::int16_t& member);
    Element IntElement(const char* name, int& member);

private:
    TXmlParser& parser_;
    std::string language_;
    CatalogueMacros& macros_;
    bool atEnd_ = false;
    std::string elementName_;  // ReadElementText's element, kept to reuse its memory
};

} // namespace kalorina
