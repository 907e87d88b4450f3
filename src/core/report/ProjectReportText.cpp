#include "report/ProjectReportText.h"

#include "calc/THydraulic.h"
#include "calc/TMedium.h"
#include "document/TProject.h"
#include "document/TRoundItem.h"
#include "lang/TLanguages.h"
#include "report/ReportTemplates.h"
#include "util/FloatFormat.h"

namespace kalorina {

void WriteProjectDataReport(TPrintfStringStream& stream, const TProject& project)
{
    const TStringList* groups[] = {&project.buildingLines, &project.customerLines, &project.designerLines};
    for (int g = 0; g < 3; ++g) {
        const TStringList& lines = *groups[g];
        for (std::size_t i = 0; i < lines.size(); ++i)
            stream.PrintfText(i == 0 ? kTemplateBuilding + g : kTemplateMoreLine, lines[i]);
    }
    // The project keeps its date as it was written; the report writes it in the
    // printing language's form, as it writes today's date in the footer.
    if (!project.projectDate.empty())
        stream.PrintfText(kTemplateDate, Languages().DateInActiveForm(project.projectDate));
}

void WriteMediumReport(TPrintfStringStream& stream, const TMedium& medium)
{
    stream.PrintfValue(kTemplateForward, true, medium.forward);
    stream.PrintfValue(kTemplateReturn, true, medium.return_);
}

void WriteReportHeader(TPrintfStringStream& stream, const TRoundItem& round)
{
    stream.PrintfText(kTemplateCircuitName, round.roundName);
    stream.PrintfValue(kTemplateCircuitArea, true, round.totalArea);
    const bool series = (round.connectionFlags & TRoundItem::kSeries) != 0;
    stream.PrintfText(kTemplateCircuitConnection, Txt(series ? "IDS_SERIALCONNECTEDFIELDS" : "IDS_BIFILAR"));
    stream.PrintfValue(kTemplateCircuitMassFlow, true, round.hydraulic.massFlow);
    stream.PrintfValue(kTemplateCircuitPower, true, round.hydraulic.power);
    WriteMediumReport(stream, round.hydraulic.medium);
}

void WriteHydraulicReport(TPrintfStringStream& stream, const THydraulic& h, const TDevices& devices)
{
    if (!h.tubeName.empty()) {
        stream.PrintfText(kTemplateTube, h.TubeDisplayName(devices));
        stream.PrintfText(kTemplateTubeLength, h.LengthText(DecimalSeparator()));
    }
    stream.PrintfValue(kTemplateCircuitPressureDrop, true, h.circuitPressureDrop);
    stream.PrintfValue(kTemplateAvailablePressure, true, h.availablePressure);
    stream.PrintfValue(kTemplateRequiredThrottling, true, static_cast<float>(h.RequiredThrottling()));
    if (!h.valveName.empty()) {
        stream.PrintfText(kTemplateValve, h.ValveDisplayName(devices, false));
        stream.PrintfText(kTemplatePresetting, WithDecimalSeparator(h.valvePosition));
        stream.PrintfValue(kTemplateValvePressureDrop, true, h.valvePressureDrop);
    }
}

} // namespace kalorina
