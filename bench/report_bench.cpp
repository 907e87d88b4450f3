// Laying out and recording the fields report of a 1,000-room project, every page,
// as the preview does; and opening the preview: one layout, then the first page
// drawn from the recording (never laid out a second time).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <filesystem>

#include "app/ProjectFiles.h"
#include "catalogue/TDevices.h"
#include "document/TProject.h"
#include "platform/QtReportTargets.h"
#include "report/TBReport.h"

namespace {

using namespace kalorina;

const std::filesystem::path kSource = KALORINA_SOURCE_DIR;

const TDevices& Shipped()
{
    static TDevices devices((kSource / "data").string(), "hu");
    return devices;
}

// The example house's rooms, copied until there are 1,000.
TProject ThousandRooms()
{
    TProject house;
    ReadProjectFile((kSource / "examples" / "house.klp").string(), house);
    TProject p = house;
    p.rooms.clear();
    p.rounds.clear();
    for (int i = 0; i < 1000; ++i) {
        TRoomItem room = house.rooms[i % house.rooms.size()];
        room.roomName = "Room " + std::to_string(i + 1);
        room.roomId = i + 1;
        p.rooms.push_back(room);
    }
    return p;
}

std::unique_ptr<TBReport> FieldsReport(TProject& p)
{
    PrintingOptions o;
    o.switches = 0xF;
    o.title = "Benchmark";
    TReportEnvironment env;
    env.options = o;
    env.today = "2026-12-09";
    return MakeReport(ReportKind::Fields, p, Shipped(), ReportTree(p), true, {20, 20, 15, 20}, env);
}

void BM_RecordThousandRoomFieldsReport(benchmark::State& state)
{
    TProject p = ThousandRooms();
    int pages = 0;
    for (auto _ : state) {
        gui::PreviewReportTarget target(gui::DefaultReportLayout());
        FieldsReport(p)->Run(target);
        pages = target.PageCount();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_RecordThousandRoomFieldsReport)->Unit(benchmark::kMillisecond);

// Counts the pages laid out, to show the preview lays out each page once.
class CountingPreview : public gui::PreviewReportTarget {
public:
    using PreviewReportTarget::PreviewReportTarget;
    TCanvas& BeginPage() override
    {
        ++begun;
        return PreviewReportTarget::BeginPage();
    }
    int begun = 0;
};

void BM_OpenPreviewOnFirstPage(benchmark::State& state)
{
    TProject p = ThousandRooms();
    for (auto _ : state) {
        CountingPreview target(gui::DefaultReportLayout());
        FieldsReport(p)->Run(target);
        QImage shown(target.DisplayWidth(), target.DisplayHeight(), QImage::Format_RGB32);
        shown.fill(Qt::white);
        QPainter painter(&shown);
        target.DrawPage(painter, 0, shown.rect());
        painter.end();
        if (target.begun != target.PageCount())
            state.SkipWithError("pages were laid out more than once");
        state.counters["pages laid out"] = target.begun;
    }
}
BENCHMARK(BM_OpenPreviewOnFirstPage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // Fonts need a GUI application; no window is shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
