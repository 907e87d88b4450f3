#include "plan/DxfWriter.h"

#include <dl_dxf.h>
#include <dl_writer_ascii.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>

#include "util/Error.h"

namespace kalorina::plan {

namespace {

// The code page 1250 letters of the languages we write, without their accents.
char Plain(unsigned char c)
{
    static const std::string from = "\xE1\xE9\xED\xF3\xF6\xF5\xFA\xFC\xFB\xC1\xC9\xCD\xD3\xD6\xD5\xDA\xDC\xDB"
                                    "\xE4\xE8\xEF\xEC\xF2\xF8\x9A\x9D\xFD\x9E\xC4\xC8\xCF\xCC\xD2\xD8\x8A\x8D\xDD\x8E";
    static const std::string to = "aeiooouuuAEIOOOUUUacdenrstyzACDENRSTYZ";
    const std::size_t i = from.find(char(c));
    return i == std::string::npos ? char(c) : to[i];
}

// The circuits' colours, the AutoCAD index colours that stand out on white and black.
constexpr int kColours[] = {1, 3, 5, 6, 30, 4, 2, 140, 200, 94, 160, 40};

} // namespace

std::string DxfLayerName(const std::string& cp1250)
{
    std::string out;
    for (unsigned char c : cp1250) {
        const char p = Plain(c);
        const bool ok =
            (p >= 'A' && p <= 'Z') || (p >= 'a' && p <= 'z') || (p >= '0' && p <= '9') || p == '-' || p == '_';
        out += ok ? p : '_';
    }
    return out.empty() ? "_" : out;
}

Polyline WholeTube(const CircuitLayout& layout)
{
    Polyline tube;
    const auto append = [&](const Polyline& piece) {
        for (const Point& p : piece)
            if (tube.empty() || Distance(tube.back(), p) > 1e-9)
                tube.push_back(p);
    };
    append(layout.supplyRoute);
    for (std::size_t i = 0; i < layout.parts.size(); ++i) {
        append(layout.parts[i].loop);
        if (i < layout.joins.size())
            append(layout.joins[i]);
    }
    append(layout.returnRoute);
    return tube;
}

std::string LayoutDxf(const Plan& plan, const std::vector<DxfCircuit>& circuits)
{
    // dxflib writes to a file only: a private one, read back and removed.
    std::string path = (std::filesystem::temp_directory_path() / "kalorina-dxf-XXXXXX").string();
    const int fd = mkstemp(path.data());
    if (fd < 0)
        throw KalorinaError("cannot write the DXF drawing");
    close(fd);
    struct Remove {
        std::string path;
        ~Remove() { std::remove(path.c_str()); }
    } remove{path};

    std::vector<std::string> layers{"0", "Helyisegek"};
    std::set<std::string> used(layers.begin(), layers.end());
    std::vector<std::string> circuitLayers;
    for (const DxfCircuit& c : circuits) {
        std::string name = "Kor_" + DxfLayerName(c.name);
        for (int k = 2; used.count(name); ++k)
            name = "Kor_" + DxfLayerName(c.name) + "_" + std::to_string(k);
        used.insert(name);
        circuitLayers.push_back(name);
        layers.push_back(name);
    }

    DL_Dxf dxf;
    std::unique_ptr<DL_WriterA> dw(dxf.out(path.c_str(), DL_Codes::AC1015));
    if (!dw)
        throw KalorinaError("cannot write the DXF drawing");
    dxf.writeHeader(*dw);
    dw->sectionEnd();
    dw->sectionTables();
    dxf.writeVPort(*dw);
    dw->tableLinetypes(3);
    dxf.writeLinetype(*dw, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    dxf.writeLinetype(*dw, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    dxf.writeLinetype(*dw, DL_LinetypeData("CONTINUOUS", "Continuous", 0, 0, 0.0));
    dw->tableEnd();
    dw->tableLayers(int(layers.size()));
    for (std::size_t i = 0; i < layers.size(); ++i) {
        const int colour = i < 2 ? 7 : kColours[(i - 2) % std::size(kColours)];
        dxf.writeLayer(*dw, DL_LayerData(layers[i], 0), DL_Attributes("", colour, 100, "CONTINUOUS", 1.0));
    }
    dw->tableEnd();
    dw->tableStyle(1);
    dxf.writeStyle(*dw, DL_StyleData("Standard", 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
    dw->tableEnd();
    dxf.writeView(*dw);
    dxf.writeUcs(*dw);
    dw->tableAppid(1);
    dxf.writeAppid(*dw, "ACAD");
    dw->tableEnd();
    dxf.writeDimStyle(*dw, 2.5, 0.625, 0.625, 0.625, 2.5);
    dxf.writeBlockRecord(*dw);
    dw->tableEnd();
    dw->sectionEnd();
    dw->sectionBlocks();
    for (const char* block : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
        dxf.writeBlock(*dw, DL_BlockData(block, 0, 0.0, 0.0, 0.0));
        dxf.writeEndBlock(*dw, block);
    }
    dw->sectionEnd();
    dw->sectionEntities();
    const auto polyline = [&](const std::vector<Point>& points, bool closed, const std::string& layer) {
        dxf.writePolyline(*dw, DL_PolylineData(int(points.size()), 0, 0, closed ? 1 : 0),
                          DL_Attributes(layer, 256, -1, "BYLAYER", 1.0));
        for (const Point& p : points)
            dxf.writeVertex(*dw, DL_VertexData(p.x, p.y, 0.0, 0.0));
        dxf.writePolylineEnd(*dw);
    };
    for (const RoomOutline& o : plan.outlines)
        polyline(o.outline, true, "Helyisegek");
    for (std::size_t i = 0; i < circuits.size(); ++i) {
        const CircuitLayout& l = *circuits[i].layout;
        const Polyline tube = WholeTube(l);
        if (tube.size() < 2)
            continue;
        polyline(tube, false, circuitLayers[i]);
        // The name and length beside where the tube leaves the manifold.
        std::ostringstream label;
        label.imbue(std::locale::classic());
        label.precision(1);
        label << std::fixed;
        std::string name;
        for (unsigned char c : circuits[i].name)
            name += c < 0x80 ? char(c) : Plain(c);
        label << name << " " << l.length << " m";
        const Point at = l.parts.empty() || l.parts[0].loop.empty() ? tube.front() : l.parts[0].loop.front();
        dxf.writeText(*dw, DL_TextData(at.x, at.y, 0, at.x, at.y, 0, 0.15, 1.0, 0, 0, 0, label.str(), "Standard", 0.0),
                      DL_Attributes(circuitLayers[i], 256, -1, "BYLAYER", 1.0));
    }
    dw->sectionEnd();
    dxf.writeObjects(*dw);
    dxf.writeObjectsEnd(*dw);
    dw->dxfEOF();
    dw->close();
    dw.reset();
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in && !in.eof())
        throw KalorinaError("cannot write the DXF drawing");
    return bytes.str();
}

} // namespace kalorina::plan
