#pragma once
// What a typed number may be.  Every kind of number a dialog or the command line
// takes has the range a real building can need and its unit, here in one table, so
// that every refusal reads the same way: the field's name and what it allows.
#include <string>

namespace kalorina {

enum class InputKind {
    HeatLoss,         // a room's heat loss
    PowerRequest,     // what a new field is to give; below zero when the room is covered over
    Area,             // a room's floor
    FieldArea,        // a field's area, which must be there
    FreeArea,         // the floor a new field may take; below zero when fields take too much
    Temperature,      // a room or the space under it
    WaterTemperature, // the heating water
    Resistance,       // a covering or a layer under the tubes
    DownK,            // heat transfer downwards
    Length,           // an extra tube length in metres
    LengthPercent,    // an extra tube length as a share of the tube
    Pressure,         // a pressure available or lost
    MassFlow,
    Density,
    Viscosity, // kinematic
    SpecificHeat,
    Spread,      // a manifold's design spread
    SupplyLimit, // a manifold's highest supply temperature
    Kv,          // a fitting's flow factor
    Zeta,        // a fitting's loss coefficient
    Pieces,      // a count of fittings
    NominalSize, // a fitting's size
    Margin,      // a page margin
    ColumnWidth, // a list column, in pixels
    Precision,   // significant digits of a list column
    Decimals,    // decimals of a list column
    Zone,        // a field's zone: occupied, peripheral, bathroom
    // The building a room's heat load is computed from.
    ElementArea,        // an element's net area, which must be there
    RoomHeight,         // a room's clear height
    HeightAboveGround,  // how high a room stands above the ground
    UValue,             // an element's or a construction's thermal transmittance
    ThermalBridge,      // the supplement for thermal bridges
    ReductionFactor,    // b_u of an unheated space
    AirChange,          // a room's least air change
    AirTightness,       // n50, the air change at 50 Pa
    OutdoorTemperature, // the design outdoor temperature
    MeanOutdoorTemperature,
    HeatingUp,      // the heating-up supplement per floor area
    LayerThickness, // a layer of a construction
    Conductivity,   // a layer's thermal conductivity
    EdgeDistance,   // from the walls to the first tube of a laid loop
};

struct InputRange {
    double low = 0, high = 0;
    bool aboveLow = false; // low itself is refused: the value must lie above it
    bool whole = false;    // whole numbers only
    const char* unit = ""; // as the dialogs write it (code page 1250); empty for a count
};

// Wide enough for any house or block of flats, narrow enough that a slip of the
// finger (a few zeros too many) cannot pass.
constexpr InputRange RangeOf(InputKind kind)
{
    switch (kind) {
    case InputKind::HeatLoss:
        return {0, 1e6, false, false, "W"};
    case InputKind::PowerRequest:
        return {-1e6, 1e6, false, false, "W"};
    case InputKind::Area:
        return {0, 1e4, false, false, "m2"};
    case InputKind::FieldArea:
        return {0, 1e4, true, false, "m2"};
    case InputKind::FreeArea:
        return {-1e4, 1e4, false, false, "m2"};
    case InputKind::Temperature:
        return {-40, 100, false, false,
                "\xB0"
                "C"};
    case InputKind::WaterTemperature:
        return {0, 100, true, false,
                "\xB0"
                "C"};
    case InputKind::Resistance:
        return {0, 10, false, false, "m2K/W"};
    case InputKind::DownK:
        return {0, 100, false, false, "W/m2K"};
    case InputKind::Length:
        return {0, 1e4, false, false, "m"};
    case InputKind::LengthPercent:
        return {0, 1000, false, false, "%"};
    case InputKind::Pressure:
        return {0, 1e6, false, false, "Pa"};
    case InputKind::MassFlow:
        return {0, 1e5, true, false, "kg/h"};
    case InputKind::Density:
        return {0, 2000, true, false, "kg/m3"};
    case InputKind::Viscosity:
        return {0, 0.01, true, false, "m2/s"};
    case InputKind::SpecificHeat:
        return {0, 1e4, true, false, "J/kgK"};
    case InputKind::Spread:
        return {1, 20, false, false, "K"};
    case InputKind::SupplyLimit:
        return {25, 90, false, false,
                "\xB0"
                "C"};
    case InputKind::Kv:
        return {0, 1000, true, false, "m3/h"};
    case InputKind::Zeta:
        return {0, 1e4, false, false, ""};
    case InputKind::Pieces:
        return {1, 1000, false, true, ""};
    case InputKind::NominalSize:
        return {0, 1000, false, true, "mm"};
    case InputKind::Margin:
        return {0, 100, false, true, "mm"};
    case InputKind::ColumnWidth:
        return {0, 2000, false, true, ""};
    case InputKind::Precision:
        return {1, 17, false, true, ""};
    case InputKind::Decimals:
        return {0, 18, false, true, ""};
    case InputKind::Zone:
        return {0, 2, false, true, ""};
    case InputKind::ElementArea:
        return {0, 1e4, true, false, "m2"};
    case InputKind::RoomHeight:
        return {0, 100, true, false, "m"};
    case InputKind::HeightAboveGround:
        return {0, 1000, false, false, "m"};
    case InputKind::UValue:
        return {0.05, 10, false, false, "W/m2K"};
    case InputKind::ThermalBridge:
        return {0, 1, false, false, "W/m2K"};
    case InputKind::ReductionFactor:
        return {0, 1, false, false, ""};
    case InputKind::AirChange:
        return {0, 10, false, false, "1/h"};
    case InputKind::AirTightness:
        return {0, 50, false, false, "1/h"};
    case InputKind::OutdoorTemperature:
        return {-40, 15, false, false,
                "\xB0"
                "C"};
    case InputKind::MeanOutdoorTemperature:
        return {-40, 40, false, false,
                "\xB0"
                "C"};
    case InputKind::HeatingUp:
        return {0, 1000, false, false, "W/m2"};
    case InputKind::LayerThickness:
        return {0, 10, true, false, "m"};
    case InputKind::Conductivity:
        return {0, 1000, true, false, "W/mK"};
    case InputKind::EdgeDistance:
        return {0, 0.5, false, false, "m"};
    }
    return {};
}

// The refusal of a value of `kind` that is no number or lies outside the range,
// naming `field` (code page 1250, without a closing colon).
std::string RangeMessage(InputKind kind, const std::string& field);
// The same for a range known only at run time (the pages of a report).
std::string RangeMessage(const InputRange& range, const std::string& field);

// Checks a value already read; raises a KalorinaError with RangeMessage.
double CheckInput(double value, InputKind kind, const std::string& field);
// Reads `text` (a comma or a point as decimal sign) as a number of `kind`; raises a
// KalorinaError with RangeMessage when it is no number or lies outside the range.
double ParseInput(const std::string& text, InputKind kind, const std::string& field);

// What an edit that showed `stored` as the text `shown` gives back when `typed` was
// read from it: `stored` itself while the number is the one shown, so that a value
// shown rounded keeps all its digits through an OK that edited nothing; else `typed`.
double Retyped(double stored, double typed, const std::string& shown);

// A caption as the message names the field: without the accelerator sign and the
// closing colon.
std::string FieldNameOfCaption(const std::string& caption);

} // namespace kalorina
