#pragma once
// The calibration record the SP5 library copies out of the unit's memory:
// 379 bytes, packed, little-endian. It is decoded field by field from its
// byte offsets so that neither the host's alignment nor its byte order matter.
#include "drivers/sp5/InterfaceSP5.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

struct TCalibrageSP5 {
    uint8_t Reserved = 0;
    std::string NumeroSerie; // UTF-8, at most 12 characters of the record
    std::array<std::array<float, 4>, 4> Ampli_EA {};       // volts per code, [channel][calibre]
    std::array<std::array<float, 4>, 8> Offset_EA {};      // volts, [input][calibre]
    std::array<std::array<float, 4>, 4> Offset_EADiff {};  // volts, [channel][calibre]
    std::array<float, 2> Ampli_SA {};
    std::array<float, 2> Offset_SA {};
    double DateEtalonnage = 0;  // days since 1899-12-30
    double DateCablage = 0;
    std::string NumeroSerieCablage;

    static TCalibrageSP5 decode(const TOctetsCalibrageSP5& octets);
    // The inverse, for tools and tests that need to hand a record to a unit.
    TOctetsCalibrageSP5 encode() const;
};
