#pragma once
// The RTF blocks that the project, a circuit, its medium and its hydraulics write
// into a report: the project data, a circuit's description, the medium's
// temperatures and the hydraulic lines.
#include "report/TPrintfStringStream.h"

namespace kalorina {

class TDevices;
class TProject;
class TRoundItem;
struct TMedium;
class THydraulic;

// Building, customer and designer lines (first line labelled, the rest indented),
// then the project date; the comment lines are not printed.
void WriteProjectDataReport(TPrintfStringStream& stream, const TProject& project);
// Name, area and connection, mass flow and output, then the medium's block.
void WriteReportHeader(TPrintfStringStream& stream, const TRoundItem& round);
// Forward and return temperature.
void WriteMediumReport(TPrintfStringStream& stream, const TMedium& medium);
// Tube and its length, the pressures, and the valve with its presetting.
void WriteHydraulicReport(TPrintfStringStream& stream, const THydraulic& hydraulic, const TDevices& devices);

} // namespace kalorina
