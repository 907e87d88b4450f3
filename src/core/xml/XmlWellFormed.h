#pragma once
// A structural check of a whole XML document, for data that must not be read
// half: the scanner itself reads on through any damage, so a file cut short or
// with a stray end tag would otherwise load as if it were complete.  The check
// looks at markup only (tags nest and close, constructs end, the text is a
// byte-oriented text with at least one element and no text outside it); it does not expand entities or
// validate against a document type.  One linear pass over the bytes.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kalorina {

enum class XmlSyntaxProblem {
    NulByte,         // a zero byte: not a text file, or damaged
    Utf16,           // written in UTF-16 (with or without a byte-order mark)
    Unterminated,    // the file ends inside a tag, comment, CDATA section, declaration
    StrayLessThan,   // a "<" that starts no markup
    EndMismatch,     // </name> where another element is open (name, open)
    EndWithoutStart, // </name> with no element open (name)
    Unclosed,        // the file ends while an element is open (open, its line)
    NoElement,       // no root element at all
    OutsideElement,  // text outside every element
};

struct XmlSyntaxError {
    XmlSyntaxProblem problem = XmlSyntaxProblem::NoElement;
    std::size_t line = 1;     // line of the damage, counted from 1
    std::string name;         // the end tag's name, where one is involved
    std::string open;         // the element open at that point
    std::size_t openLine = 0; // where that element was opened
};

// The first structural fault of `document` (its whole bytes, zero bytes included),
// or none when it is sound.
std::optional<XmlSyntaxError> FindXmlSyntaxError(std::string_view document);

} // namespace kalorina
