#pragma once
// The SP5's register map as this driver uses it, its calibres and its
// time-base constants.
#include <array>
#include <cstdint>

namespace sp5 {

// Register addresses (decimal). Multi-byte values are little-endian: the
// lowest address holds the lowest byte.
enum Registre : uint8_t {
    kVoiesAcquises = 0,      // bit i: input i is acquired as a signal
    kGains = 1,              // 1..3: 24-bit gain word, 3 bits per input
    kIntervalle = 4,         // 4..8: 40-bit count S, interval = (S + 1) x 100 ns
    kNbPoints = 9,           // 9..11: 24-bit points per input
    kModeDiff = 12,          // bit c: channel c differential
    kDeclenchement = 29,     // trigger byte
    kSeuil = 30,             // 30..31: 16-bit threshold code
    kNbPtsPretrig = 32,      // 32..34: 24-bit pre-trigger count, margin included
    kHysteresis = 35,
    kControle = 36,          // read-modify-write, bits below
    kCapteurs = 65,          // 65 + c: sensor code of channel c
    kDerniereMesure = 83,    // 83 + 2i, 84 + 2i: last sample of input i
    kDonneePreTrig = 107,    // 107..108: sample before a threshold trigger
    kDonneePostTrig = 109,   // 109..110: sample after it
    kDelaiTrigExterne = 111, // 111..114: 80 MHz count to an external trigger
};

// Bits of the control register.
inline constexpr uint8_t kBitMarche = 0x01;
inline constexpr uint8_t kBitMesureDirecte = 0x10;
inline constexpr uint8_t kBitMesureUneVoie = 0x20;
inline constexpr uint8_t kBitContinu = 0x80;

// Bits of the trigger byte.
inline constexpr uint8_t kDeclExterneBit = 0x01;
inline constexpr uint8_t kDeclSeuilBit = 0x02;
inline constexpr uint8_t kDeclMontantBit = 0x04;
inline constexpr int kDecalageVoieSynchro = 4;

inline constexpr double kHorlogeDelaiTrigExterne = 80e6; // Hz

// Inputs, channels, calibres.
inline constexpr int kNbEntrees = 8;
inline constexpr int kNbCanaux = 4;
inline constexpr int kNbCalibres = 4;
inline constexpr int kNbSorties = 2;
inline constexpr std::array<float, kNbCalibres> kCalibres { 10.0f, 5.0f, 1.0f, 0.2f };
// 3-bit gain code of each calibre, in the gain word.
inline constexpr std::array<uint32_t, kNbCalibres> kCodesGain { 0, 4, 5, 2 };
inline constexpr int kCodeMax = 4095;
inline constexpr int kPasCodes = 4000; // resolution of a bare input: 2 x calibre / 4000

// Time base.
inline constexpr double kQuantumBase = 1e-7;   // also the unit of the interval register
inline constexpr double kQuantumLent = 2e-6;   // both inputs of a channel, single-ended
inline constexpr double kDureeMin = 1e-6;
inline constexpr double kDureeMax = 3600.0;
inline constexpr double kDureeIgnoree = 1e-10;
inline constexpr int64_t kNbPtsMin = 11;
inline constexpr int64_t kNbPtsMax = 50001;
inline constexpr double kRemanence = 0.15;
inline constexpr int32_t kMargePretrig = 3;

} // namespace sp5
