// libFuzzer target for the XML scanner: any bytes, scanned to the end in every
// mode, must neither crash nor read outside the texts the scanner holds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "xml/XmlParser.h"

using namespace kalorina;

namespace {

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
    if (xml.Scan() || *xml.PartStart != 0)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    const uint8_t mode = data[0];

    FuzzScanner xml(input);
    if (mode & 1) {
        xml.LoadFromBuffer(input);
    } else {
        // A caller-owned text of exactly the input's bytes and its zero.
        std::string own(input);
        xml.SetBuffer(own.c_str());
        xml.Normalize = (mode & 2) != 0;
        ScanToEnd(xml);
        return 0;
    }
    xml.Normalize = (mode & 2) != 0;
    ScanToEnd(xml);
    ScanToEnd(xml); // a second pass over the same document and its declarations

    // The character-set helpers: code page 1250 survives a trip through UTF-8.
    if (Utf8ToAnsi(AnsiToUtf8(input)) != input)
        __builtin_trap();
    xml.sink_ += Utf8ToAnsi(input).size() + ReplaceCharacterEntities(input).size();
    xml.sink_ += ConvertWs(TrimWs(input), (mode & 4) != 0).size();
    xml.sink_ += xml.ReplaceGeneralEntities(input).size();
    return 0;
}
