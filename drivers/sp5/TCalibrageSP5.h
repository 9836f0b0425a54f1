#pragma once
// The calibration record the SP5 library copies out of the unit's memory:
// 379 bytes, packed, little-endian. It is decoded field by field from its
// byte offsets so that neither the host's alignment nor its byte order matter.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr std::size_t kTailleCalibrageSP5 = 379;
using TOctetsCalibrageSP5 = std::array<uint8_t, kTailleCalibrageSP5>;

// Offsets of the fields inside the record.
namespace calibrage_sp5 {
inline constexpr std::size_t kReserved = 0;
inline constexpr std::size_t kNumeroSerie = 1;        // length byte + 12 characters
inline constexpr std::size_t kAmpliEA = 14;           // [channel 0..3][calibre 0..3] Single
inline constexpr std::size_t kOffsetEA = 78;          // [input 0..7][calibre 0..3] Single
inline constexpr std::size_t kOffsetEADiff = 206;     // [channel 0..3][calibre 0..3] Single
inline constexpr std::size_t kDummy = 270;            // 64 unused bytes
inline constexpr std::size_t kAmpliSA = 334;          // 2 Single
inline constexpr std::size_t kOffsetSA = 342;         // 2 Single
inline constexpr std::size_t kDateEtalonnage = 350;   // Double
inline constexpr std::size_t kDateCablage = 358;      // Double
inline constexpr std::size_t kNumeroSerieCablage = 366; // length byte + 12 characters
inline constexpr std::size_t kLongueurNumero = 12;
} // namespace calibrage_sp5

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
