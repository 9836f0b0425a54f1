#pragma once
// The simulated unit's calibration: the gains and offsets its converters
// really have, and the 379-byte record that "RecupereCalibration" hands over.
// The converter follows the record exactly (volts = code x gain + offset), so
// a program that applies the record finds the input voltages within half a
// code, and one that assumes the nominal values is off by several codes.
#include <cstdint>

namespace sp5sim {

inline constexpr int kNbCanaux = 4;
inline constexpr int kNbCalibres = 4;
inline constexpr int kNbSorties = 2;

// Calibre k in volts: +/-10, +/-5, +/-1, +/-0.2.
inline constexpr double kCalibres[kNbCalibres] = { 10.0, 5.0, 1.0, 0.2 };

struct CoefficientsCalibrage {
    float ampli[kNbCanaux][kNbCalibres];      // volts per code, per channel
    float offset[8][kNbCalibres];             // volts at code 0, per input
    float offsetDiff[kNbCanaux][kNbCalibres]; // volts at code 0, differential
    float ampliSA[kNbSorties];
    float offsetSA[kNbSorties];
};

// The unit's coefficients (built once, never changed).
const CoefficientsCalibrage& coefficientsCalibrage();

// Fills the 379 bytes at `record` (packed, little-endian).
void ecritRecordCalibrage(uint8_t* record);

// Calibre index of a 3-bit gain code (0 -> +/-10 V, 4 -> +/-5 V, 5 -> +/-1 V,
// 2 -> +/-0.2 V); the codes the unit does not define act as +/-10 V.
int calibreDuCodeGain(uint32_t codeGain);

// 12-bit code of the voltage u for a converter of this gain and offset,
// saturating at 0 and 4095.
int codeConverti(double u, double ampli, double offset);

} // namespace sp5sim
