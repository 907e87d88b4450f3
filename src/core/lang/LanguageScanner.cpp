#include "lang/LanguageScanner.h"

#include <cctype>
#include <cstdint>
#include <limits>

#include "lang/BuiltInTexts.h"
#include "util/Error.h"
#include "util/FormatText.h"
#include "xml/XmlParser.h"

namespace kalorina {

namespace {

bool IsStart(const TXmlParser& xml, const char* name)
{
    return xml.PartType == ptStartTag && xml.PartName == name;
}

bool IsEnd(const TXmlParser& xml, const char* name)
{
    return xml.PartType == ptEndTag && xml.PartName == name;
}

// A decimal integer, optionally signed and surrounded by blanks.
int DecimalAttribute(const TXmlParser& xml, const char* name)
{
    const std::string text = xml.PartAttributes.Value(name);
    std::size_t i = 0, end = text.size();
    while (i < end && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    while (end > i && std::isspace(static_cast<unsigned char>(text[end - 1])))
        --end;
    bool negative = false;
    if (i < end && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    auto notAnInteger = [&text] { return KalorinaError(FormatText(TextOrBuiltIn("IDS_NOTANINTEGER"), {text})); };
    if (i == end)
        throw notAnInteger();
    long long value = 0;
    for (; i < end; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            throw notAnInteger();
        value = value * 10 + (text[i] - '0');
        if (value > std::numeric_limits<int>::max())
            throw notAnInteger();
    }
    return static_cast<int>(negative ? -value : value);
}

void AddProperty(std::vector<std::string>& ids, std::vector<std::string>& values, const TXmlParser& xml)
{
    std::string id = xml.PartAttributes.Value("id");
    if (id.empty())
        return;
    ids.push_back(std::move(id));
    values.push_back(xml.PartAttributes.Value("value"));
}

TLanguageFormItem ScanFormItem(TXmlParser& xml)
{
    TLanguageFormItem item;
    item.name = xml.PartAttributes.Value("name");
    item.type = xml.PartAttributes.Value("type");
    while (xml.Scan() && !IsEnd(xml, "formitem"))
        if (IsStart(xml, "property"))
            AddProperty(item.propertyIds, item.propertyValues, xml);
    return item;
}

TLanguageForm ScanForm(TXmlParser& xml)
{
    TLanguageForm form;
    form.name = xml.PartAttributes.Value("name");
    while (xml.Scan() && !IsEnd(xml, "form")) {
        if (IsStart(xml, "formitem"))
            form.items.push_back(ScanFormItem(xml));
        else if (IsStart(xml, "property"))
            AddProperty(form.propertyIds, form.propertyValues, xml);
    }
    return form;
}

void ScanStrings(TXmlParser& xml, std::map<std::string, std::string>& strings)
{
    while (xml.Scan() && !IsEnd(xml, "strings"))
        if (IsStart(xml, "item"))
            strings[xml.PartAttributes.Value("id")] = xml.PartAttributes.Value("value");
}

TLanguageTitle ScanTitle(TXmlParser& xml)
{
    TLanguageTitle title;
    title.name = xml.PartAttributes.Value("name");
    bool inItem = false;
    long key = 0;
    while (xml.Scan() && !IsEnd(xml, "title")) {
        if (IsStart(xml, "columnitem")) {
            const int id = DecimalAttribute(xml, "id");
            const int row = DecimalAttribute(xml, "row");
            key = static_cast<long>(id) + 256L * row - 256L;
            inItem = true;
        } else if (IsEnd(xml, "columnitem")) {
            inItem = false;
        } else if (inItem && (xml.PartType == ptContent || xml.PartType == ptCData)) {
            // A key outside 16 bits cannot name any column's line; it is dropped
            // rather than wrapped onto another column.
            if (key >= std::numeric_limits<std::int16_t>::min() && key <= std::numeric_limits<std::int16_t>::max())
                title.captions.emplace_back(static_cast<std::int16_t>(key), xml.PartContent);
        }
    }
    return title;
}

} // namespace

TLanguage ScanLanguage(TXmlParser& xml)
{
    TLanguage lang;
    xml.Normalize = true;
    xml.StartScan();
    while (xml.Scan()) {
        if (xml.PartType != ptStartTag)
            continue;
        if (xml.PartName == "language") {
            lang.name = xml.PartAttributes.Value("id");
            lang.userInterface = xml.PartAttributes.Value("UserInterface") == "yes";
        } else if (xml.PartName == "form") {
            lang.forms.push_back(ScanForm(xml));
        } else if (xml.PartName == "strings") {
            ScanStrings(xml, lang.Strings);
        } else if (xml.PartName == "title") {
            lang.titles.push_back(ScanTitle(xml));
        }
    }
    return lang;
}

TLanguage ScanLanguage(std::string_view xmlText)
{
    TXmlParser xml;
    xml.LoadFromBuffer(xmlText);
    return ScanLanguage(xml);
}

} // namespace kalorina
