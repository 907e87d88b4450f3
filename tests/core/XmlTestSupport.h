#pragma once
// The parts a scanner reports, collected for the XML scanner tests.
#include <string>
#include <vector>

#include "xml/XmlParser.h"

namespace kalorina::test {

struct Part {
    TPartType type;
    std::string name;
    std::string content;
};

inline std::vector<Part> ScanAll(TXmlParser& xml)
{
    std::vector<Part> parts;
    xml.StartScan();
    while (xml.Scan())
        parts.push_back({xml.PartType, xml.PartName, xml.PartContent});
    return parts;
}

} // namespace kalorina::test
