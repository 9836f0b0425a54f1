#pragma once
// The simulated unit's calibration: the gains and offsets its converters
// really have, and the 379-byte record that "RecupereCalibration" hands over.
// The converter follows the record exactly (volts = code x gain + offset), so
// a program that applies the record finds the input voltages within half a
// code, and one that assumes the nominal values is off by several codes.
#include "drivers/sp5/InterfaceSP5.h"

#include <cstdint>

namespace sp5sim {

struct CoefficientsCalibrage {
    float ampli[sp5::kNbCanaux][sp5::kNbCalibres];      // volts per code, per channel
    float offset[sp5::kNbEntrees][sp5::kNbCalibres];    // volts at code 0, per input
    float offsetDiff[sp5::kNbCanaux][sp5::kNbCalibres]; // volts at code 0, differential
    float ampliSA[sp5::kNbSorties];
    float offsetSA[sp5::kNbSorties];
};

// The unit's coefficients (built once, never changed).
const CoefficientsCalibrage& coefficientsCalibrage();

// Fills the 379 bytes at `record` (packed, little-endian).
void ecritRecordCalibrage(uint8_t* record);

// Calibre index of a 3-bit gain code (sp5::kCodesGain); the codes the unit
// does not define act as +/-10 V.
int calibreDuCodeGain(uint32_t codeGain);

// 12-bit code of the voltage u for a converter of this gain and offset,
// saturating at 0 and 4095.
int codeConverti(double u, double ampli, double offset);

} // namespace sp5sim
