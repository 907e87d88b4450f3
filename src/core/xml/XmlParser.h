#pragma once
// TXmlParser: a pull scanner over one XML document held in memory as a
// zero-terminated byte buffer.  Each Scan() advances to the next part (a tag, a
// text, a comment, ...) and describes it in the public Part* members.  There is
// no tree and no validation; malformed input never throws and never makes the
// scanner read outside its buffer.  Texts come out in the program's character
// set: a document that declares UTF-8 (or an XML declaration without encoding)
// is translated into code page 1250, any other document passes byte for byte.
// An entity reference that leads back to an entity being read, nests deeper
// than 64 entities, or would take the entity text read in one scan past 8 MiB
// stays as written (in a document type: is skipped).
//
// Typical use:
//     TXmlParser xml;
//     if (!xml.LoadFromFile(path)) ...;
//     xml.Normalize = true;
//     xml.StartScan();
//     while (xml.Scan())
//         if (xml.PartType == ptStartTag && xml.PartName == "item")
//             use(xml.PartAttributes.Value("id"));
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "xml/XmlNodes.h"
#include "xml/XmlText.h"

namespace kalorina {

class TXmlParser;

// Kind of the current part.
enum TPartType {
    ptNone,      // before the first part
    ptXmlProlog, // <?xml ...?>
    ptComment,   // <!-- ... -->
    ptPI,        // <?target ...?>
    ptDtdc,      // <!DOCTYPE ...>
    ptStartTag,  // <name ...>
    ptEmptyTag,  // <name .../>
    ptEndTag,    // </name>
    ptContent,   // text between tags
    ptCData      // <![CDATA[ ... ]]>
};

// Kind of a declaration found inside a document type.
enum TDtdElemType { deElement, deAttList, deEntity, deNotation, dePI, deComment, deError };

// One declaration of a document type, handed to TXmlParser::DtdElementFound.
// The pointers are valid only during the call.
struct TDtdElementRec {
    TDtdElemType ElementType = deError;
    const char* Start = nullptr;               // first byte of the declaration
    const char* Final = nullptr;               // last byte of the declaration
    const TElemDef* ElemDef = nullptr;         // deElement, deAttList
    const TAttrDef* AttrDef = nullptr;         // deAttList: one record per attribute
    const TEntityDef* EntityDef = nullptr;     // deEntity
    bool ParameterEntity = false;              // deEntity: declared with "%"
    const TNotationDef* NotationDef = nullptr; // deNotation
    std::string Target;                        // dePI
    std::string Content;                       // dePI, deComment
};

// Where to resume when the text of an entity being read comes to its end.
struct TEntityStackNode {
    TEntityStackNode();
    ~TEntityStackNode();
    std::unique_ptr<TXmlParser> Instance; // holds an external entity's text; may be none
    std::string Text;                     // an internal entity's text, owned while it is read
    std::string EntityName;               // the entity being read (guards against recursion)
    std::string Encoding;                 // ActiveEncoding to restore
    const char* LastPos = nullptr;        // position to resume at
};

class TEntityStack : public TObjectList<TEntityStackNode> {
public:
    void Push(std::unique_ptr<TEntityStackNode> node) { Append(std::move(node)); }
    // True while the named entity is being read (directly or through others).
    bool Contains(std::string_view entityName) const;
};

// The scanner's own copy of a document.  The block outlives Clear() when a file
// is loaded over another (its pages are then already mapped), and large blocks
// ask for huge pages, so reading a big file does not fault page by page.
class TTextBlock {
public:
    TTextBlock() = default;
    TTextBlock(const TTextBlock&) = delete;
    TTextBlock& operator=(const TTextBlock&) = delete;
    ~TTextBlock() { Release(); }
    // At least `bytes` writable bytes (old contents not kept); nullptr when memory runs out.
    char* Reserve(std::size_t bytes);
    void Release();

private:
    char* data_ = nullptr;
    std::size_t capacity_ = 0;
    void* map_ = nullptr; // the whole mapping when the block is a huge-page mapping
    std::size_t mapSize_ = 0;
};

class TXmlParser {
public:
    TXmlParser();
    TXmlParser(const TXmlParser&) = delete;
    TXmlParser& operator=(const TXmlParser&) = delete;
    virtual ~TXmlParser();

    // Clears everything and reads the whole file.  False when the file cannot be
    // opened or read; the scanner is then empty.  `fileMode` is accepted for
    // callers that pass sharing flags; files are always opened read-only.
    bool LoadFromFile(const std::string& fileName, int fileMode = 0);
    // Clears everything and copies the text (up to its first zero byte) into a
    // buffer of its own.  SourceName becomes "<MEM>".
    bool LoadFromBuffer(std::string_view text);
    // Clears everything and scans a caller-owned zero-terminated text without
    // copying it; the text must outlive the scanning.  SourceName becomes "<REFERENCE>".
    void SetBuffer(const char* text);
    // Releases the buffer (unless set by SetBuffer) and every declaration, empties
    // all texts, DocStandalone false, Normalize true.
    void Clear();
    // The document, or an empty text when there is none.
    const char* GetDocBuffer() const;
    // The whole document as loaded, zero bytes included (GetDocBuffer ends at the first).
    std::string_view DocumentBytes() const;

    // Back to the start: PartType ptNone, part texts empty, entity stack emptied.
    void StartScan();
    // Advances to the next part; false at the end of the document (and on every
    // later call until StartScan).
    bool Scan();

    // Loads an external entity named by its identifiers.  The base version reads
    // the file named by the system identifier ("\" and "/" both separate folders),
    // relative to the directory of SourceName unless it is absolute or SourceName
    // starts with "<".  A file that cannot be read gives an empty scanner.
    virtual std::unique_ptr<TXmlParser> LoadExternalEntity(const std::string& systemId, const std::string& publicId,
                                                           const std::string& notation);
    // Whether external entities (SYSTEM and PUBLIC, general and parameter, and the
    // DOCTYPE's external subset) are read at all.  Documents from third parties
    // must not pull local files into their texts: with this false every one of them
    // is left out, as if empty, and its name kept in RefusedExternalEntities.
    bool ExternalEntitiesAllowed = true;
    std::vector<std::string> RefusedExternalEntities;
    // LoadExternalEntity, or nothing (and the name noted) where entities are refused.
    std::unique_ptr<TXmlParser> ResolveExternalEntity(const std::string& name, const std::string& systemId,
                                                      const std::string& publicId, const std::string& notation);
    // Brings a run of document bytes into the program's character set: from UTF-8
    // into code page 1250 ("?" for what it cannot hold) when ActiveEncoding is
    // exactly "UTF-8", otherwise unchanged.
    virtual std::string TranslateEncoding(std::string_view text);
    // Called for every declaration found in a document type; does nothing.
    virtual void DtdElementFound(const TDtdElementRec& rec);

    // At a start tag whose element holds nothing but a plain text (no markup, no
    // reference) and ends with its end tag right after it: reads the element whole.
    // The text, as its text part would read, goes to `text`, and the end tag
    // becomes the current part, as if scanned.  1 with a text, 0 when the element
    // has none (`text` unchanged), -1 when the element is not that simple: then
    // nothing was read.
    int ReadSimpleElement(std::string& text);

    // Replaces general entity references in an attribute value: the predefined
    // ones, declared internal entities (recursively) and external entities (their
    // whole file).  Undeclared names, character references and references to an
    // entity already being replaced stay as written.
    std::string ReplaceGeneralEntities(std::string_view text);

    // Document.
    std::string SourceName;     // file name, "<MEM>" or "<REFERENCE>"
    std::string DocVersion;     // version= of the XML declaration, as written
    std::string DocEncoding;    // encoding= of the XML declaration, as written
    bool DocStandalone = false; // standalone="yes"
    std::string ActiveEncoding; // encoding in force, upper case; empty until an XML declaration
    std::string DoctypeRoot;    // root element named by <!DOCTYPE
    bool Normalize = true;      // trim and collapse the whitespace of text parts

    // Declarations of the document type.
    TElemList ElementDecls;
    TNvpList<TEntityDef> GeneralEntityDecls;
    TNvpList<TEntityDef> ParameterEntityDecls;
    TNvpList<TNotationDef> NotationDecls;

    // Current part.
    TPartType PartType = ptNone;
    std::string PartName;            // tag name, or processing-instruction target
    std::string PartContent;         // text, CDATA section or processing-instruction content
    TAttrList PartAttributes;        // attributes of a tag, XML declaration or processing instruction
    const char* PartStart = nullptr; // first byte of the part (in the buffer or an entity's text)
    const char* PartEnd = nullptr;   // last byte of the part

private:
    class DtdReader;

    const char* Text() const; // the document text; never null
    void Finish(const char* last, const char* next);
    void RunToEnd(const char* from);
    const char* PopEntity();
    bool EnterEntity(const TEntityDef& def, const char* resume, const char*& pos);
    bool Charge(std::size_t bytes);

    void AnalyzeProlog(const char* start);
    void AnalyzePI(const char* start);
    void AnalyzeComment(const char* start);
    void AnalyzeCData(const char* start);
    void AnalyzeTag(const char* start);
    bool AnalyzeText(const char* start); // false when the text came out empty
    void AppendRun(std::string& content, std::string_view run, bool ownTranslation);
    void AnalyzeDtdc(const char* start);
    void ApplyAttributeDeclarations();
    std::string TreatAttributeValue(const TAttr& attr);
    std::string ReplaceGeneralEntitiesAt(std::string_view text, int depth, std::vector<std::string>& active);
    std::string ReplaceParameterEntities(std::string_view text, int depth, std::vector<std::string>& active);
    std::optional<std::string> ExternalText(const TEntityDef& def);
    // The text a reference expands to; none when it stays as written: undeclared
    // (`def` null), recursive, nested too deep, or over the expansion budget.
    std::optional<std::string> ExpansionText(const TEntityDef* def, std::string_view name, bool tooDeep,
                                             const std::vector<std::string>& active);

    void ClearDocument(); // Clear() except releasing the block
    // ActiveEncoding is exactly "UTF-8"
    bool IsUtf8() const
    {
        const char* e = ActiveEncoding.data();
        return ActiveEncoding.size() == 5 && e[0] == 'U' && e[1] == 'T' && e[2] == 'F' && e[3] == '-' && e[4] == '8';
    }
    TTextBlock ownBuffer_;
    const char* buffer_ = nullptr; // ownBuffer_ or the caller's text
    std::size_t bufferSize_ = 0;   // bytes of buffer_ before its final zero
    const char* next_ = nullptr;   // where the next part starts; nullptr before the first
    bool finished_ = false;
    std::size_t expansionUsed_ = 0; // bytes of entity text read or inserted since StartScan
    TEntityStack entityStack_;
    TEntityStack retired_; // popped entities the current part still points into
};

} // namespace kalorina
