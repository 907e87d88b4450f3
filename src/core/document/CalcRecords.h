#pragma once
// The file forms of the calculation's objects: a room's floor heating field, a
// fitting line and a circuit's hydraulic data (with its medium and fittings).
#include "calc/FloorHeatingField.h"
#include "calc/THydraulic.h"
#include "calc/TResist.h"
#include "document/Stream.h"

namespace kalorina {

void WriteField(TMemoryStream& s, const FloorHeatingField& field);
void ReadField(TMemoryStream& s, FloorHeatingField& field);

void WriteResist(TMemoryStream& s, const TResist& resist);
void ReadResist(TMemoryStream& s, TResist& resist);

// Values, fittings and an end record.
void WriteHydraulic(TMemoryStream& s, const THydraulic& hydraulic);
// Raises the version error for an unknown version, reading nothing.  Starts a fresh
// fitting list; stops at the end record, or cleanly where the stream ends before
// one; unknown records are skipped.
void ReadHydraulic(TMemoryStream& s, THydraulic& hydraulic, int version);

} // namespace kalorina
