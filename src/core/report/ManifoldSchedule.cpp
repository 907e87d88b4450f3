#include "report/ManifoldSchedule.h"

#include <algorithm>
#include <exception>

#include "catalogue/DeviceKind.h"
#include "catalogue/TDevices.h"
#include "catalogue/ValveDBItem.h"
#include "check/DesignCheck.h"
#include "design/ManifoldDesign.h"
#include "document/TProject.h"
#include "lang/BuiltInTexts.h"
#include "lang/TLanguages.h"
#include "materials/TClipboardStream.h"
#include "util/Codepage.h"
#include "util/FloatFormat.h"

namespace kalorina {

namespace {
constexpr int kCsvColumns = 29;

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

namespace {
// The design as the check sees it: a copy recalculated the way the program shows
// it, each failure left with its item.
std::vector<DesignProblem> ProblemsNow(const TProject& project, const TDevices& devices)
{
    TProject p = project;
    for (TRoomItem& room : p.rooms) {
        try {
            room.RecomputeFields(devices);
        } catch (const std::exception&) {
            // The check names the room.
        }
    }
    p.RecountAssignedSurfaces();
    for (TRoundItem& round : p.rounds) {
        try {
            round.RefreshRoomNames(p);
            round.Recalculate(p, devices);
        } catch (const std::exception&) {
            // The check names the circuit.
        }
    }
    p.RecountAssignedSurfaces();
    p.ComputeTotals();
    return CheckDesign(p, devices, &project);
}

// "A", "B", ..., "Z", "AA", ...
std::string ValveKey(std::size_t n)
{
    std::string key;
    for (++n; n > 0; n = (n - 1) / 26)
        key.insert(key.begin(), static_cast<char>('A' + (n - 1) % 26));
    return key;
}

ManifoldSchedule MakeSchedule(const TProject& project, const TDevices& devices, int manifold,
                              const std::vector<DesignProblem>& problems)
{
    ManifoldSchedule s;
    s.manifold = manifold;
    if (manifold < 0 || static_cast<std::size_t>(manifold) >= project.manifolds.size())
        return s;
    const TManifold& m = project.manifolds[manifold];
    const ManifoldDesignResult figures = ManifoldFigures(project, devices, manifold);
    s.name = m.name;
    s.location = m.location;
    s.designed = m.designed;
    s.designSpread = m.designSpread;
    s.supplyTemperature = figures.supplyTemperature;
    s.spread = figures.spread;
    s.totalMassFlow = figures.totalMassFlow;
    s.pumpHead = figures.availablePressure / 1000;
    s.pumpHeadMetres = static_cast<float>(figures.availablePressure / kPascalPerMetreOfWater);
    s.indexCircuit = figures.indexCircuit;
    double returnSum = 0, power = 0;
    std::vector<std::string> rooms;
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
        o.volumeFlowPerMinute = o.volumeFlow / 60;
        o.power = h.power;
        o.returnTemperature = h.medium.return_;
        o.pressureDrop = h.circuitPressureDrop / 1000;
        o.index = !figures.indexCircuit.empty() && c.roundName == figures.indexCircuit;
        if (!h.valveName.empty()) {
            o.presetting = c.valvePosition;
            const std::string size = h.ValveSizeInUse();
            const auto* valve = devices.Find<ValveDBItem>(kValveKind, h.valveName);
            o.valveName = valve ? valve->DisplayName(size) : size.empty() ? h.valveName : h.valveName + " " + size;
            auto known = std::find_if(s.valves.begin(), s.valves.end(),
                                      [&](const ScheduleValve& v) { return v.name == o.valveName; });
            if (known == s.valves.end()) {
                ScheduleValve v;
                v.key = ValveKey(s.valves.size());
                v.name = o.valveName;
                const int i = valve ? valve->FindSize(size) : -1;
                if (i >= 0 && !valve->sizes[i].positions.empty()) {
                    v.first = valve->sizes[i].positions.front().positionString;
                    v.last = valve->sizes[i].positions.back().positionString;
                }
                s.valves.push_back(v);
                known = s.valves.end() - 1;
            }
            o.valve = known->key;
        }
        // Circuits without flow add nothing to the manifold's totals, as in its figures.
        if (c.massFlow > 0) {
            s.totalVolumeFlow += o.volumeFlow;
            returnSum += double(c.massFlow) * h.medium.return_;
            power += h.power;
        }
        for (const std::string& room : c.roomNames)
            rooms.push_back(room);
        s.outlets.push_back(std::move(o));
    }
    s.totalVolumeFlowPerMinute = s.totalVolumeFlow / 60;
    s.totalPower = static_cast<float>(power / 1000);
    if (s.totalMassFlow > 0)
        s.mixedReturn = static_cast<float>(returnSum / s.totalMassFlow);
    // What the check finds wrong with the manifold's circuits or with the rooms they heat.
    for (const DesignProblem& problem : problems) {
        const bool ours = std::any_of(s.outlets.begin(), s.outlets.end(),
                                      [&](const ManifoldOutlet& o) { return o.circuit == problem.roundName; });
        const bool ourRoom =
            !problem.roomName.empty() && std::find(rooms.begin(), rooms.end(), problem.roomName) != rooms.end();
        if ((!problem.roundName.empty() && ours) || (problem.roundName.empty() && ourRoom))
            s.warnings.push_back(problem.text);
    }
    return s;
}
} // namespace

ManifoldSchedule MakeManifoldSchedule(const TProject& project, const TDevices& devices, int manifold)
{
    return MakeSchedule(project, devices, manifold, ProblemsNow(project, devices));
}

std::vector<ManifoldSchedule> MakeManifoldSchedules(const TProject& project, const TDevices& devices,
                                                    const std::vector<int>& manifolds)
{
    std::vector<ManifoldSchedule> out;
    if (manifolds.empty())
        return out;
    const std::vector<DesignProblem> problems = ProblemsNow(project, devices);
    for (int m : manifolds)
        out.push_back(MakeSchedule(project, devices, m, problems));
    return out;
}

std::vector<ManifoldSchedule> MakeManifoldSchedules(const TProject& project, const TDevices& devices)
{
    std::vector<int> all;
    for (std::size_t m = 0; m < project.manifolds.size(); ++m)
        all.push_back(static_cast<int>(m));
    return MakeManifoldSchedules(project, devices, all);
}

std::string ManifoldScheduleCsv(const std::vector<ManifoldSchedule>& schedules)
{
    TLanguages& lang = Languages();
    const char separator = CsvSeparator();
    std::string out = "\xEF\xBB\xBF";
    auto line = [&](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            out += (i ? std::string(1, separator) : std::string()) + CsvField(Cp1250ToUtf8(cells[i]), separator);
        out += "\r\n";
    };
    std::vector<std::string> header;
    for (int i = 0; i < kCsvColumns; ++i)
        header.push_back(lang.GetFamilyText("IDS_MANIFOLDCSVTITLE+", i));
    line(header);
    const std::string yes = TextOrBuiltIn("IDS_YES"), no = TextOrBuiltIn("IDS_NO");
    for (const ManifoldSchedule& s : schedules) {
        // The first columns are those of the first files; the later ones follow, so
        // that a sheet made for those files still finds its columns.
        const std::vector<std::string> manifold = {s.name,
                                                   s.location,
                                                   Number(s.supplyTemperature, 1),
                                                   Number(s.spread, 1),
                                                   Number(s.totalMassFlow, 1),
                                                   Number(s.totalVolumeFlow, 1),
                                                   Number(s.pumpHead, 1),
                                                   s.indexCircuit};
        std::string problems;
        for (const std::string& w : s.warnings)
            problems += (problems.empty() ? "" : " | ") + w;
        const std::vector<std::string> manifoldLater = {s.designed ? yes : no,
                                                        Number(s.designSpread, 1),
                                                        Number(s.mixedReturn, 1),
                                                        Number(s.totalPower, 2),
                                                        Number(s.totalVolumeFlowPerMinute, 2),
                                                        Number(s.pumpHeadMetres, 2),
                                                        problems};
        auto finish = [&](std::vector<std::string> row) {
            row.resize(kCsvColumns - manifoldLater.size());
            row.insert(row.end(), manifoldLater.begin(), manifoldLater.end());
            line(row);
        };
        if (s.outlets.empty())
            finish(manifold);
        for (const ManifoldOutlet& o : s.outlets) {
            std::vector<std::string> row = manifold;
            row.push_back(std::to_string(o.number));
            row.push_back(o.circuit);
            row.push_back(o.RoomsText());
            row.push_back(Number(o.tubeLength, 1));
            row.push_back(Number(o.volumeFlow, 1));
            row.push_back(Number(o.massFlow, 1));
            row.push_back(WithDecimalSeparator(o.presetting));
            row.push_back(Number(o.volumeFlowPerMinute, 2));
            row.push_back(Number(o.power, 0));
            row.push_back(Number(o.returnTemperature, 1));
            row.push_back(Number(o.pressureDrop, 1));
            std::string scale;
            for (const ScheduleValve& v : s.valves)
                if (v.key == o.valve && !v.first.empty())
                    scale = WithDecimalSeparator(v.first) + " - " + WithDecimalSeparator(v.last);
            row.push_back(o.valveName);
            row.push_back(scale);
            row.push_back(o.index ? "*" : "");
            finish(row);
        }
    }
    return out;
}

} // namespace kalorina
