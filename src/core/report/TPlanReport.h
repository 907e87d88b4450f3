#pragma once
// The floor plan on paper: each floor on a page of its own, drawn at the largest of
// the scales 1:20, 1:50, 1:100 and 1:200 that fits the page (a larger plan at the
// first of 1:500, 1:1000 that does), with the rooms' outlines, names, areas and
// heat losses, the doors, the manifolds, a scale bar and a legend.
#include "report/TBReport.h"

namespace kalorina {

class TPlanReport : public TBReport {
public:
    TPlanReport(const TProject& project, const TDevices& devices, std::vector<TReportTreeNode> tree, bool printAll,
                const TProgramOptions::Margins& margins, TReportEnvironment environment);

    // The denominator of the scale a plan of `widthM` × `heightM` metres is drawn at
    // in `widthMm` × `heightMm` millimetres.
    static int ScaleFor(double widthM, double heightM, double widthMm, double heightMm);

protected:
    bool NextItem() override;
    Result PrintBand(Band band, TCanvas& canvas, TRect& area) override;
    std::vector<TListHeaderFormat*> TablesOf() override { return {}; }
    void VisitCells(const TListHeaderFormat&, const CellSink&) override {}

private:
    void Draw(TCanvas& canvas, const TRect& area, int floor, int scale);
    int next_ = 0;
    int current_ = -1;
};

} // namespace kalorina
