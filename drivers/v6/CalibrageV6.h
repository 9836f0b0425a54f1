#pragma once
// The calibration block stored in the V6: 128 bytes, packed, little-endian.
#include <array>
#include <cstdint>
#include <string>

inline constexpr int kTailleCalibrageV6 = 128;

struct TCalibrageV6 {
    std::array<float, 4> AmpliCan {};   // volts per code, per input slot
    std::array<float, 4> OffsetCan {};  // volts, per input slot
    float AmpliDac = 0;
    float OffsetDac = 0;
    uint16_t ReglageZeroDAc = 0;
    uint32_t ST_NS = 0;
    uint8_t ST_OK = 0;
    std::array<uint8_t, 17> Dummy2 {};
    std::array<char, 16> NumeroSerie {};
    std::array<char, 16> DateCalibration {};
    std::array<uint8_t, 32> Dummy {};
};

// Decodes the block as it travels on the link (byte order of the unit).
TCalibrageV6 decodeCalibrageV6(const std::array<uint8_t, kTailleCalibrageV6>& octets);

// The serial number: the characters of NumeroSerie up to the first NUL, at
// most 16.
std::string numeroSerieDe(const TCalibrageV6& calibrage);
