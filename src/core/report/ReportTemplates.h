#pragma once
// The entries of the built-in string table that the reports write, by what each
// prints.  The numbers are the table's keys (resources/strings.txt).
namespace kalorina {

enum ReportTemplate : int {
    // The project data block: the first line of each list, further lines, the date.
    kTemplateBuilding = 96,
    kTemplateCustomer = 97,
    kTemplateDesigner = 98,
    kTemplateDate = 99,
    kTemplateMoreLine = 100,
    // The totals under the rooms' reports.
    kTemplateTotalHeatLoss = 512,
    kTemplateTotalFieldArea = 513,
    kTemplateTotalFieldPower = 514,
    // Under the rooms' totals: what heaters beside the floor have to give, a caption
    // and one line per room ("room<tab>W<tab>W").
    kTemplateSupplementaryCaption = 515,
    kTemplateSupplementaryRoom = 516,
    // A circuit's header in the detailed report.
    kTemplateCircuitName = 1040,
    kTemplateCircuitArea = 1041,
    kTemplateCircuitPower = 1042,
    kTemplateCircuitMassFlow = 1043,
    kTemplateCircuitConnection = 1044,
    kTemplateCircuitFieldsCaption = 1046,
    kTemplateForward = 1072,
    kTemplateReturn = 1073,
    // A circuit's hydraulics.
    kTemplateTube = 1120,
    kTemplateTubeLength = 1121,
    kTemplateValve = 1122,
    kTemplatePresetting = 1123,
    kTemplateValvePressureDrop = 1124,
    kTemplateAvailablePressure = 1125,
    kTemplateRequiredThrottling = 1126,
    kTemplateCircuitPressureDrop = 1127,
    // A manifold's header in the manifold schedule: name, location, then two
    // figures a line (supply and design spread, mixed return and supply minus it,
    // total output and mass flow, total volume flow in l/h and l/min, pump head in
    // kPa and metres of water), what the pump head covers, the index circuit; the
    // outlets' caption, or the line of a manifold that feeds nothing.
    kTemplateManifoldName = 1136,
    kTemplateManifoldLocation = 1137,
    kTemplateManifoldSupply = 1138,
    kTemplateManifoldSpread = 1139,
    kTemplateManifoldMassFlow = 1140,
    kTemplateManifoldVolumeFlow = 1141,
    kTemplateManifoldPumpHead = 1142,
    kTemplateManifoldIndexCircuit = 1143,
    kTemplateManifoldOutletsCaption = 1144,
    kTemplateManifoldNoOutlets = 1145,
    kTemplateManifoldDesignSpread = 1146,
    kTemplateManifoldMixedReturn = 1147,
    kTemplateManifoldPower = 1148,
    kTemplateManifoldVolumeFlowPerMinute = 1149,
    kTemplateManifoldPumpHeadMetres = 1150,
    kTemplateManifoldPumpHeadNote = 1151,
    // The line of a manifold the automatic design has not set.
    kTemplateManifoldNotDesigned = 1152,
    // A line of the valves' legend ("A: name, presettings ...").
    kTemplateManifoldValve = 1153,
    // Under the outlets: what the index circuit's mark means.
    kTemplateManifoldIndexLegend = 1154,
    // A sentence of a list of notes (the design check under a manifold, the bill's
    // warnings under its table), and the captions of those lists.
    kTemplateNoteLine = 1155,
    kTemplateManifoldProblemsCaption = 1156,
    kTemplateBillWarningsCaption = 1157,
    // The heat load: a room's heading, and a line in bold (a room's load, the building's).
    kTemplateHeatLoadRoom = 1158,
    kTemplateHeatLoadTotal = 1159,
    // The texts around the closing picture.
    kTemplateClosingBefore = 1128,
    kTemplateClosingAfter = 1129,
};

} // namespace kalorina
