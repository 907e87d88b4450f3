#include "plan/DxfReader.h"

#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <sstream>

#include "util/Codepage.h"
#include "util/Error.h"
#include "util/MessageText.h"

namespace kalorina::plan {

namespace {

// Texts of newer drawings are UTF-8, of older ones the drawing's code page, which
// here is taken as the program's own.
std::string TextOf(const std::string& raw)
{
    bool ascii = true, validUtf8 = true;
    for (std::size_t i = 0; i < raw.size();) {
        const unsigned char c = static_cast<unsigned char>(raw[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        ascii = false;
        const int length = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        if (length == 0 || i + length > raw.size()) {
            validUtf8 = false;
            break;
        }
        for (int k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(raw[i + k]) & 0xC0) != 0x80)
                validUtf8 = false;
        if (!validUtf8)
            break;
        i += length;
    }
    return ascii || !validUtf8 ? raw : Utf8ToCp1250(raw);
}

// MTEXT carries formatting codes ("\P" a new paragraph, "{\fArial;Nappali}"); the
// name is the text without them.
std::string PlainMText(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '{' || c == '}')
            continue;
        if (c == '\\' && i + 1 < text.size()) {
            const char code = text[i + 1];
            if (code == 'P' || code == 'p') {
                out += ' ';
                ++i;
            } else if (code == '\\' || code == '{' || code == '}') {
                out += code;
                ++i;
            } else {
                // A code with an argument runs to its semicolon.
                const std::size_t end = text.find(';', i);
                i = end == std::string::npos ? text.size() : end;
            }
            continue;
        }
        out += c;
    }
    const std::size_t first = out.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : out.substr(first, out.find_last_not_of(' ') - first + 1);
}

class Collector : public DL_CreationAdapter {
public:
    DxfDrawing drawing;

    void addLayer(const DL_LayerData& data) override { Layer(data.name); }
    void addPolyline(const DL_PolylineData& data) override
    {
        Finish();
        current_ = std::make_unique<DxfPolyline>();
        current_->layer = Layer(attributes.getLayer());
        current_->closed = (data.flags & 1) != 0;
        expected_ = data.number;
    }
    void addVertex(const DL_VertexData& data) override
    {
        if (!current_)
            return;
        current_->vertices.push_back({{data.x, data.y}, data.bulge});
        if (expected_ > 0 && current_->vertices.size() >= expected_)
            Finish();
    }
    void endSequence() override { Finish(); }
    void addLine(const DL_LineData& data) override
    {
        Finish();
        drawing.lines.push_back({Layer(attributes.getLayer()), {data.x1, data.y1}, {data.x2, data.y2}});
    }
    void addText(const DL_TextData& data) override
    {
        Finish();
        drawing.texts.push_back({Layer(attributes.getLayer()), {data.ipx, data.ipy}, TextOf(data.text)});
    }
    void addMText(const DL_MTextData& data) override
    {
        Finish();
        drawing.texts.push_back({Layer(attributes.getLayer()), {data.ipx, data.ipy}, TextOf(PlainMText(data.text))});
    }
    void Finish()
    {
        if (current_)
            drawing.polylines.push_back(std::move(*current_));
        current_.reset();
        expected_ = 0;
    }

private:
    std::string Layer(const std::string& raw)
    {
        const std::string name = TextOf(raw.empty() ? std::string("0") : raw);
        if (std::find(drawing.layers.begin(), drawing.layers.end(), name) == drawing.layers.end())
            drawing.layers.push_back(name);
        return name;
    }

    std::unique_ptr<DxfPolyline> current_;
    std::size_t expected_ = 0;
};

} // namespace

DxfDrawing ReadDxf(const std::string& bytes)
{
    // A DXF file is text that starts with a group code; binary DXF and other files
    // are no drawing dxflib reads.
    if (bytes.empty() || bytes.find("SECTION") == std::string::npos)
        throw KalorinaError(MessageText("IDS_DXFNOTREAD", "The file is no DXF drawing."));
    Collector collector;
    std::istringstream in(bytes);
    DL_Dxf dxf;
    if (!dxf.in(in, &collector))
        throw KalorinaError(MessageText("IDS_DXFNOTREAD", "The file is no DXF drawing."));
    collector.Finish();
    return std::move(collector.drawing);
}

double MetresPer(DxfUnit unit)
{
    switch (unit) {
    case DxfUnit::Millimetre:
        return 0.001;
    case DxfUnit::Centimetre:
        return 0.01;
    case DxfUnit::Metre:
        break;
    }
    return 1.0;
}

Polygon OutlineOf(const DxfPolyline& polyline, DxfUnit unit, double deviation)
{
    const double k = MetresPer(unit);
    Polygon outline;
    const std::size_t n = polyline.vertices.size();
    for (std::size_t i = 0; i < n; ++i) {
        const DxfVertex& v = polyline.vertices[i];
        const Point a{v.at.x * k, v.at.y * k};
        outline.push_back(a);
        // The last vertex's bulge is the arc back to the first only when closed.
        if (v.bulge == 0 || (i + 1 == n && !polyline.closed) || !std::isfinite(v.bulge))
            continue;
        const DxfVertex& w = polyline.vertices[(i + 1) % n];
        const Point b{w.at.x * k, w.at.y * k};
        const double chord = Distance(a, b);
        if (chord <= 0)
            continue;
        const double theta = 4 * std::atan(v.bulge); // included angle, signed
        const double radius = chord / (2 * std::sin(std::fabs(theta) / 2));
        // Segments whose sagitta r(1 − cos(φ/2)) keeps within the deviation.
        const double step = deviation >= radius ? std::numbers::pi : 2 * std::acos(1 - deviation / radius);
        const int segments = std::clamp(static_cast<int>(std::ceil(std::fabs(theta) / step)), 1, 1000);
        // The centre: on the chord's perpendicular, on the side the bulge turns to.
        const Point mid{(a.x + b.x) / 2, (a.y + b.y) / 2};
        const double h = radius * std::fabs(std::cos(std::fabs(theta) / 2));
        const double ux = -(b.y - a.y) / chord, uy = (b.x - a.x) / chord; // left of a→b
        const double side = (theta > 0) == (std::fabs(theta) < std::numbers::pi) ? 1 : -1;
        const Point centre{mid.x + side * h * ux, mid.y + side * h * uy};
        const double start = std::atan2(a.y - centre.y, a.x - centre.x);
        for (int s = 1; s < segments; ++s) {
            const double angle = start + theta * s / segments;
            outline.push_back({centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)});
        }
    }
    return outline;
}

} // namespace kalorina::plan
