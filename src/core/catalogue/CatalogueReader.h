#pragma once
// Walks one catalogue document for the item readers: the scanner's parts, the
// language filter, the macros in force and the reading of simple elements.
#include <cstdint>
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

private:
    TXmlParser& parser_;
    std::string language_;
    CatalogueMacros& macros_;
    bool atEnd_ = false;
    std::string elementName_;  // ReadElementText's element, kept to reuse its memory
};

} // namespace kalorina
