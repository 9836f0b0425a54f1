#pragma once
// The call interface of the SP5 library "SP5.DLL" and of its simulator
// "SP5SIM.DLL": the entry points, the FIFO block, the calibration record and
// the unit's register map. The driver calls through it and the simulated unit
// implements it, both from this one description.
//
// Conventions of the library:
// - C linkage and calling convention.
// - A Byte argument travels as a 32-bit value, of which only the low byte
//   counts; Byte results are 8-bit.
// - A FIFO block is at most 256 16-bit words, each the 12-bit converter code
//   shifted left by 4, one word per signal input in each frame.
// - The calibration record is 379 bytes, packed, little-endian.
#include <array>
#include <cstddef>
#include <cstdint>

extern "C" {
using TSP5_Reset = void (*)();
using TSP5_Present = uint8_t (*)();
using TSP5_LireRegistre = uint8_t (*)(uint32_t adresse);
using TSP5_EcrireRegistre = void (*)(uint32_t adresse, uint32_t valeur);
// Words for the analogue outputs.
using TSP5_EcrireFifo = void (*)(uint16_t* mots, int32_t nbMots);
// Fills the 379 bytes of the calibration record.
using TSP5_RecupereCalibration = void (*)(uint8_t* calibrage);
// Copies one block into `bloc` (room for 256 words); the number of words, 0
// when none is waiting.
using TSP5_LireFifo = int32_t (*)(uint16_t* bloc);
using TSP5_ViderFifo = void (*)();
// Sets the block size; returns the size kept.
using TSP5_TailleTransfertFifo = int32_t (*)(int32_t taille);
// The simulator library's own information window; the vendor library has none.
using TSP5_AfficheInfos = void (*)();
}

// X(name) for each entry point of both libraries (its type is TSP5_##name).
#define SP5_ENTREES(X)                                                                           \
    X(Reset) X(Present) X(LireRegistre) X(EcrireRegistre) X(EcrireFifo) X(RecupereCalibration) \
    X(LireFifo) X(ViderFifo) X(TailleTransfertFifo)
// X(name) for the entry point only the simulator library has.
#define SP5_ENTREES_SIMULATEUR(X) X(AfficheInfos)

inline constexpr int kTailleBlocSP5 = 256;

// The calibration record.
inline constexpr std::size_t kTailleCalibrageSP5 = 379;
using TOctetsCalibrageSP5 = std::array<uint8_t, kTailleCalibrageSP5>;

// Offsets of the fields inside the record.
namespace calibrage_sp5 {
inline constexpr std::size_t kReserved = 0;
inline constexpr std::size_t kNumeroSerie = 1;          // length byte + 12 characters
inline constexpr std::size_t kAmpliEA = 14;             // [channel 0..3][calibre 0..3] Single
inline constexpr std::size_t kOffsetEA = 78;            // [input 0..7][calibre 0..3] Single
inline constexpr std::size_t kOffsetEADiff = 206;       // [channel 0..3][calibre 0..3] Single
inline constexpr std::size_t kDummy = 270;              // 64 unused bytes
inline constexpr std::size_t kAmpliSA = 334;            // 2 Single
inline constexpr std::size_t kOffsetSA = 342;           // 2 Single
inline constexpr std::size_t kDateEtalonnage = 350;     // Double, days since 1899-12-30
inline constexpr std::size_t kDateCablage = 358;        // Double
inline constexpr std::size_t kNumeroSerieCablage = 366; // length byte + 12 characters
inline constexpr std::size_t kLongueurNumero = 12;
} // namespace calibrage_sp5

namespace sp5 {

// Inputs, channels, calibres. Input c and input c + 4 share channel c.
inline constexpr int kNbEntrees = 8;
inline constexpr int kNbCanaux = 4;
inline constexpr int kNbCalibres = 4;
inline constexpr int kNbSorties = 2;
// Full scale of each calibre, in volts.
inline constexpr std::array<float, kNbCalibres> kCalibres { 10.0f, 5.0f, 1.0f, 0.2f };
// 3-bit gain code of each calibre, in the gain word.
inline constexpr std::array<uint32_t, kNbCalibres> kCodesGain { 0, 4, 5, 2 };
inline constexpr int kCodeMax = 4095;

// Register addresses (decimal). Multi-byte values are little-endian: the
// lowest address holds the lowest byte.
enum Registre : uint8_t {
    kVoiesAcquises = 0,      // bit i: input i is acquired as a signal
    kGains = 1,              // 1..3: 24-bit gain word, 3 bits per input (bits 3i..3i+2)
    kIntervalle = 4,         // 4..8: 40-bit count S, interval = (S + 1) x 100 ns
    kNbPoints = 9,           // 9..11: 24-bit points per input
    kModeDiff = 12,          // bit c: channel c differential
    kDeclenchement = 29,     // trigger byte, bits below
    kSeuil = 30,             // 30..31: 16-bit threshold code
    kNbPtsPretrig = 32,      // 32..34: 24-bit pre-trigger count, margin included
    kHysteresis = 35,        // hysteresis of the threshold, in codes
    kControle = 36,          // read-modify-write, bits below
    kCapteurs = 65,          // 65 + c: sensor code of channel c (read only)
    kDerniereMesure = 83,    // 83 + 2i, 84 + 2i: last sample of input i, x 16 (read only)
    kDonneePreTrig = 107,    // 107..108: sample before a threshold trigger, x 16 (read only)
    kDonneePostTrig = 109,   // 109..110: sample after it, x 16 (read only)
    kDelaiTrigExterne = 111, // 111..114: 80 MHz count from the last sample to an external edge (read only)
};
inline constexpr int kNbRegistres = 256;

// Bits of the control register.
inline constexpr uint8_t kBitMarche = 0x01;
inline constexpr uint8_t kBitMesureDirecte = 0x10;
inline constexpr uint8_t kBitMesureUneVoie = 0x20;
inline constexpr uint8_t kBitContinu = 0x80;

// Bits of the trigger byte; the trigger input in bits 4..6.
inline constexpr uint8_t kDeclExterneBit = 0x01;
inline constexpr uint8_t kDeclSeuilBit = 0x02;
inline constexpr uint8_t kDeclMontantBit = 0x04;
inline constexpr int kDecalageVoieSynchro = 4;

// The unit's clock: the 100 ns tick of the interval register, and the counter
// of the external trigger's delay.
inline constexpr double kTick = 1e-7;
inline constexpr int64_t kTicksParSeconde = 10'000'000;
inline constexpr double kHorlogeDelaiTrigExterne = 80e6; // Hz

// Points the unit keeps beyond the pre-trigger count it is given.
inline constexpr int32_t kMargePretrig = 3;

} // namespace sp5
