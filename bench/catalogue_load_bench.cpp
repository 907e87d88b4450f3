// Loading speed of a large catalogue: about 10 MB of floor heating systems, valves
// (with their signature check) and media, with macros to expand, in four files.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "catalogue/SecurityCode.h"
#include "catalogue/TDevices.h"
#include "catalogue/ValveDBItem.h"
#include "xml/XmlParser.h"

namespace {

std::string Header(const std::string& name, const std::string& code = "")
{
    return "<ItemHeader><Macro ID=\"%N\">" + name
        + "</Macro><Year>2024</Year><Month>9</Month><Day>1</Day>"
          "<ItemPath>%ROOT%\\Group "
        + name.substr(0, 3)
        + "</ItemPath><ItemName Language=\"hu\">%N hu</ItemName>"
          "<ItemName Language=\"en\">%N en</ItemName><HomePage>%HOME%/%N</HomePage>"
        + code + "</ItemHeader>";
}

std::string FloorHeating(int i)
{
    std::string s = "<TervaldDBFloorHeating>" + Header("FH" + std::to_string(i))
        + "<TubeType>%TUBE%</TubeType><TubeSize>16x2</TubeSize>";
    for (int d = 0; d < 6; ++d)
        s += "<Division><Distance>" + std::to_string(50 + 50 * d) + "</Distance><EstimateCode>E%N-" + std::to_string(d)
            + "</EstimateCode></Division>";
    for (int r = 0; r < 4; ++r) {
        s += "<Surface><SurfaceName Language=\"hu\">Burkolat " + std::to_string(r) + "</SurfaceName><HeatResist>0,"
            + std::to_string(5 * r) + "</HeatResist>";
        for (int d = 0; d < 6; ++d)
            s += "<Equation><LineSteep>" + std::to_string(7.5 - 0.8 * d - r)
                + "</LineSteep><LineyIntersection>0</LineyIntersection><Exponent>1</Exponent>"
                  "<SurfaceTempFactor>1</SurfaceTempFactor></Equation>";
        s += "</Surface>";
    }
    return s + "</TervaldDBFloorHeating>\n";
}

std::string Valve(int i)
{
    kalorina::ValveDBItem v;
    v.resistMode = kalorina::kKvMode;
    kalorina::ValveSubType size;
    size.dn = 15;
    for (int p = 0; p < 10; ++p)
        size.positions.push_back({std::to_string(p), 0.1f * (p + 1) + 0.001f * (i % 97), 0});
    v.sizes = {size};
    std::string s = "<TervaldDBValve ResistMode=\"kv\">"
        + Header("V" + std::to_string(i),
                 "<SecurityCode>" + kalorina::SecurityCodeFor(v.CheckValue()) + "</SecurityCode>")
        + "<NameBase>\"%N %s\"</NameBase><ValveSubType><SizeName>DN15</SizeName><DN>15</DN>";
    for (const auto& p : size.positions) {
        char value[32];
        std::snprintf(value, sizeof value, "%.9g", p.resistValue); // exactly the single that was signed
        s += "<Position><PositionString>" + p.positionString + "</PositionString><ResistValue>" + value
            + "</ResistValue></Position>";
    }
    return s + "</ValveSubType></TervaldDBValve>\n";
}

struct GeneratedCatalogue {
    std::filesystem::path dir;
    std::size_t bytes = 0;
    bool keep = false;

    // Written into `into`, which stays; without it into a scratch folder.
    explicit GeneratedCatalogue(const std::filesystem::path& into = {})
    {
        keep = !into.empty();
        dir = keep ? into : std::filesystem::temp_directory_path() / ("kalorina-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        const std::string prolog = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Catalogue>\n"
                                   "<TervaldDBGlobalMacro><Macro ID=\"%ROOT%\">Padlófűtés</Macro>"
                                   "<Macro ID=\"%HOME%\">https://www.vexalon.example</Macro>"
                                   "<Macro ID=\"%TUBE%\">Vexalon PE-Xa</Macro></TervaldDBGlobalMacro>\n";
        int item = 0;
        for (int f = 0; f < 4; ++f) {
            std::string body = prolog;
            while (body.size() < 2'500'000)
                body += (item % 3 == 2) ? Valve(item++) : FloorHeating(item++);
            body += "</Catalogue>\n";
            std::ofstream(dir / ("part" + std::to_string(f) + ".xml"), std::ios::binary) << body;
            bytes += body.size();
        }
    }
    ~GeneratedCatalogue()
    {
        if (!keep)
            std::filesystem::remove_all(dir);
    }
};

void BM_LoadCatalogue(benchmark::State& state)
{
    static GeneratedCatalogue cat;
    for (auto _ : state) {
        kalorina::TDevices devices(cat.dir.string(), "hu");
        if (devices.Failed() || !devices.FailedValves().empty())
            state.SkipWithError(("the generated catalogue did not load cleanly: " + devices.FailureMessage()
                                 + std::to_string(devices.FailedValves().size()))
                                    .c_str());
        benchmark::DoNotOptimize(devices.Items(0).size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(cat.bytes));
    state.counters["MB"] = static_cast<double>(cat.bytes) / 1e6;
}
BENCHMARK(BM_LoadCatalogue)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The scanner alone over the same files: every part, nothing kept.
void BM_ScanCatalogue(benchmark::State& state)
{
    static GeneratedCatalogue cat;
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(cat.dir))
        files.push_back(entry.path().string());
    for (auto _ : state) {
        std::size_t parts = 0;
        kalorina::TXmlParser xml;
        for (const auto& f : files) {
            xml.LoadFromFile(f);
            xml.StartScan();
            while (xml.Scan())
                ++parts;
        }
        benchmark::DoNotOptimize(parts);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(cat.bytes));
}
BENCHMARK(BM_ScanCatalogue)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Inputs built to make a load slow, at growing sizes: the time grows with the
// input, not with its square.  Many includes of files that are not there, and one
// element with very many attributes.
void BM_ManyMissingIncludes(benchmark::State& state)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "kalorina-bench-includes";
    std::filesystem::create_directories(dir);
    {
        std::ofstream out(dir / "a.xml");
        out << "<?xml version=\"1.0\"?><C>";
        for (int i = 0; i < state.range(0); ++i)
            out << "<DBInclude>missing" << i << ".xml</DBInclude>";
        out << "</C>";
    }
    for (auto _ : state) {
        kalorina::TDevices devices(dir.string(), "hu");
        benchmark::DoNotOptimize(devices.Failed());
    }
    std::filesystem::remove_all(dir);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ManyMissingIncludes)->Unit(benchmark::kMillisecond)->Arg(10000)->Arg(40000)->Complexity(benchmark::oN);

void BM_ManyAttributes(benchmark::State& state)
{
    std::string doc = "<?xml version=\"1.0\"?><C><E";
    for (int i = 0; i < state.range(0); ++i)
        doc += " a" + std::to_string(i) + "=\"v\"";
    doc += "/></C>";
    for (auto _ : state) {
        kalorina::TXmlParser xml;
        xml.LoadFromBuffer(doc);
        xml.StartScan();
        std::size_t attributes = 0;
        while (xml.Scan())
            attributes += static_cast<std::size_t>(xml.PartAttributes.Count());
        benchmark::DoNotOptimize(attributes);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ManyAttributes)->Unit(benchmark::kMillisecond)->Arg(30000)->Arg(120000)->Complexity(benchmark::oNLogN);

} // namespace

// `catalogue_load_bench --write DIR` only writes the catalogue into DIR, for timing
// whole processes against another reader (bench/compare_xmllint.sh).
int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--write") {
        GeneratedCatalogue cat{std::filesystem::path(argv[2])};
        std::printf("%zu bytes in %s\n", cat.bytes, cat.dir.c_str());
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
