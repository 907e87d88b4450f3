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
    // A manifold's header in the manifold schedule: name, location, supply and
    // spread, total flows, pump head and index circuit; the outlets' caption, or the
    // line of a manifold that feeds nothing.
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
    // The texts around the closing picture.
    kTemplateClosingBefore = 1128,
    kTemplateClosingAfter = 1129,
};

} // namespace kalorina
