#include "report/ProjectReportText.h"

#include "calc/THydraulic.h"
#include "calc/TMedium.h"
#include "document/TProject.h"
#include "document/TRoundItem.h"
#include "lang/TLanguages.h"
#include "util/FloatFormat.h"

namespace kalorina {

void WriteProjectDataReport(TPrintfStringStream& stream, const TProject& project)
{
    const TStringList* groups[] = {&project.buildingLines, &project.customerLines, &project.designerLines};
    for (int g = 0; g < 3; ++g) {
        const TStringList& lines = *groups[g];
        for (std::size_t i = 0; i < lines.size(); ++i)
            stream.PrintfText(i == 0 ? 96 + g : 100, lines[i]);
    }
    if (!project.projectDate.empty())
        stream.PrintfText(99, project.projectDate);
}

void WriteMediumReport(TPrintfStringStream& stream, const TMedium& medium)
{
    stream.PrintfValue(1072, true, medium.forward);
    stream.PrintfValue(1073, true, medium.return_);
}

void WriteReportHeader(TPrintfStringStream& stream, const TRoundItem& round)
{
    stream.PrintfText(1040, round.roundName);
    stream.PrintfValue(1041, true, round.totalArea);
    const bool series = (round.connectionFlags & TRoundItem::kSeries) != 0;
    stream.PrintfText(1044, Txt(series ? "IDS_SERIALCONNECTEDFIELDS" : "IDS_BIFILAR"));
    stream.PrintfValue(1043, true, round.hydraulic.massFlow);
    stream.PrintfValue(1042, true, round.hydraulic.power);
    WriteMediumReport(stream, round.hydraulic.medium);
}

void WriteHydraulicReport(TPrintfStringStream& stream, const THydraulic& h, const TDevices& devices)
{
    if (!h.tubeName.empty()) {
        stream.PrintfText(1120, h.TubeDisplayName(devices));
        stream.PrintfText(1121, h.LengthText(DecimalSeparator()));
    }
    stream.PrintfValue(1127, true, h.circuitPressureDrop);
    stream.PrintfValue(1125, true, h.availablePressure);
    stream.PrintfValue(1126, true, static_cast<float>(h.RequiredThrottling()));
    if (!h.valveName.empty()) {
        stream.PrintfText(1122, h.ValveDisplayName(devices, false));
        stream.PrintfText(1123, WithDecimalSeparator(h.valvePosition));
        stream.PrintfValue(1124, true, h.valvePressureDrop);
    }
}

} // namespace kalorina
