#include "report/ManifoldSchedule.h"

#include "design/ManifoldDesign.h"
#include "document/TProject.h"
#include "lang/TLanguages.h"
#include "materials/TClipboardStream.h"
#include "util/Codepage.h"
#include "util/FloatFormat.h"

namespace kalorina {

namespace {
constexpr int kCsvColumns = 15;

// Rounded from the single's own significant digits, as the printed schedule rounds
// it, so that the file and the paper agree to the last digit.
std::string Number(float value, int decimals)
{
    return FloatToStrF(value, TFloatFormat::Fixed, 7, decimals);
}
} // namespace

std::string ManifoldOutlet::RoomsText() const
{
    std::string text;
    for (const auto& room : roomNames)
        text += (text.empty() ? "" : ", ") + room;
    return text;
}

ManifoldSchedule MakeManifoldSchedule(const TProject& project, const TDevices& devices, int manifold)
{
    ManifoldSchedule s;
    s.manifold = manifold;
    if (manifold < 0 || static_cast<std::size_t>(manifold) >= project.manifolds.size())
        return s;
    const ManifoldDesignResult figures = ManifoldFigures(project, devices, manifold);
    s.name = project.manifolds[manifold].name;
    s.location = project.manifolds[manifold].location;
    s.supplyTemperature = figures.supplyTemperature;
    s.spread = figures.spread;
    s.totalMassFlow = figures.totalMassFlow;
    s.pumpHead = figures.availablePressure / 1000;
    s.indexCircuit = figures.indexCircuit;
    int number = 0;
    for (const DesignedCircuit& c : figures.circuits) {
        ManifoldOutlet o;
        o.number = ++number;
        o.round = c.round;
        o.circuit = c.roundName;
        o.roomNames = c.roomNames;
        o.tubeLength = c.tubeLength;
        o.massFlow = c.massFlow;
        const THydraulic& h = project.rounds[c.round].hydraulic;
        o.volumeFlow = static_cast<float>(h.VolumeFlow() * 3600 * 1000);
        if (!h.valveName.empty())
            o.presetting = c.valvePosition;
        // Circuits without flow add nothing to the manifold's totals, as in its figures.
        if (c.massFlow > 0)
            s.totalVolumeFlow += o.volumeFlow;
        s.outlets.push_back(std::move(o));
    }
    return s;
}

std::vector<ManifoldSchedule> MakeManifoldSchedules(const TProject& project, const TDevices& devices)
{
    std::vector<ManifoldSchedule> out;
    for (std::size_t m = 0; m < project.manifolds.size(); ++m)
        out.push_back(MakeManifoldSchedule(project, devices, static_cast<int>(m)));
    return out;
}

std::string ManifoldScheduleCsv(const std::vector<ManifoldSchedule>& schedules)
{
    TLanguages& lang = Languages();
    std::string out = "\xEF\xBB\xBF";
    auto line = [&](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            out += (i ? ";" : "") + CsvField(Cp1250ToUtf8(cells[i]));
        out += "\r\n";
    };
    std::vector<std::string> header;
    for (int i = 0; i < kCsvColumns; ++i)
        header.push_back(lang.GetFamilyText("IDS_MANIFOLDCSVTITLE+", i));
    line(header);
    for (const ManifoldSchedule& s : schedules) {
        const std::vector<std::string> manifold = {s.name,
                                                   s.location,
                                                   Number(s.supplyTemperature, 1),
                                                   Number(s.spread, 1),
                                                   Number(s.totalMassFlow, 1),
                                                   Number(s.totalVolumeFlow, 1),
                                                   Number(s.pumpHead, 1),
                                                   s.indexCircuit};
        if (s.outlets.empty()) {
            std::vector<std::string> row = manifold;
            row.resize(kCsvColumns);
            line(row);
        }
        for (const ManifoldOutlet& o : s.outlets) {
            std::vector<std::string> row = manifold;
            row.push_back(std::to_string(o.number));
            row.push_back(o.circuit);
            row.push_back(o.RoomsText());
            row.push_back(Number(o.tubeLength, 1));
            row.push_back(Number(o.volumeFlow, 1));
            row.push_back(Number(o.massFlow, 1));
            row.push_back(WithDecimalSeparator(o.presetting));
            line(row);
        }
    }
    return out;
}

} // namespace kalorina
