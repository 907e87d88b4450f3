#pragma once
// What the room dialog hands to the thermal operations of a floor heating system.

namespace kalorina {

struct FieldDesignInput {
    double forward = 0; // °C, supply water
    double ret = 0;     // °C, return water
    double inside = 0;  // °C, room
    double power = 0;   // W requested from the area
    double area = 0;    // m² of free floor
    double below = 0;   // °C of the space below
    double downK = 0;   // W/m²K towards the space below
};

} // namespace kalorina
