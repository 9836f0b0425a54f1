#pragma once
// Register map of the simulated SP5 (addresses in decimal; multi-byte values
// little-endian, lowest register = lowest byte), and the settings of one run
// as the unit reads them from its registers when the run starts.
#include <array>
#include <cstdint>

namespace sp5sim {

namespace registre {
inline constexpr int kVoiesSignaux = 0;   // bit i: input i acquired as a signal
inline constexpr int kGains = 1;          // 1..3: 3-bit gain code of input i at bits 3i..3i+2
inline constexpr int kIntervalle = 4;     // 4..8: interval count S, interval (S + 1) x 100 ns
inline constexpr int kNbPoints = 9;       // 9..11: points per input of the record
inline constexpr int kModeDiff = 12;      // bit c: channel c differential
inline constexpr int kDeclenchement = 29; // trigger byte
inline constexpr int kSeuil = 30;         // 30, 31: threshold code
inline constexpr int kPretrig = 32;       // 32..34: pre-trigger count + 3
inline constexpr int kHysteresis = 35;    // hysteresis, in codes
inline constexpr int kControle = 36;      // control register
inline constexpr int kCapteurs = 65;      // 65..68: sensor code of channel c
inline constexpr int kMesureDirecte = 83; // 83 + 2i, 84 + 2i: last sample of input i, x 16
inline constexpr int kDonneePreTrig = 107;  // 107, 108: sample before the threshold crossing, x 16
inline constexpr int kDonneePostTrig = 109; // 109, 110: sample after it, x 16
inline constexpr int kDelaiDeclExt = 111;   // 111..114: 80 MHz count, last sample -> external edge
inline constexpr int kNbRegistres = 256;
} // namespace registre

// Bits of the control register.
inline constexpr uint8_t kBitMarche = 0x01;
inline constexpr uint8_t kBitMesureDirecte = 0x10;
inline constexpr uint8_t kBitContinu = 0x80;

// Bits of the trigger byte.
inline constexpr uint8_t kBitDeclExterne = 0x01;
inline constexpr uint8_t kBitDeclSeuil = 0x02;
inline constexpr uint8_t kBitDeclMontant = 0x04;
inline constexpr int kDecalageVoieSynchro = 4;

// Points the unit keeps beyond the pre-trigger count it is given.
inline constexpr int64_t kMargePretrig = 3;

using Registres = std::array<uint8_t, registre::kNbRegistres>;

enum class ModeDeclenchement { Immediat, Seuil, Externe };

// How the inputs are converted: gain codes and differential channels.
struct Entrees {
    uint32_t motGains = 0;
    uint8_t modeDiff = 0;
};

struct ProgrammationRun {
    Entrees entrees;
    uint64_t ticksIntervalle = 1; // S + 1, in 100 ns ticks
    int64_t nbPoints = 0;
    bool continu = false;         // no point count: the run goes on until stopped
    ModeDeclenchement mode = ModeDeclenchement::Immediat;
    bool montant = true;
    int voieSynchro = 0;
    int seuil = 0;                // 12-bit code
    int hysteresis = 0;           // codes
    int64_t nbPretrig = 0;        // points kept before the trigger (margin removed)
    std::array<int, 8> ordre {};  // inputs in the order of a frame
    int nbSignaux = 0;
};

// Little-endian value of `n` registers from `premier`.
uint64_t valeurRegistres(const Registres& r, int premier, int n);

Entrees litEntrees(const Registres& r);
ProgrammationRun litProgrammation(const Registres& r);

// Signal inputs of register 0 (with the differential channels of register 12)
// in the order the unit puts them in a frame: for each channel its first input
// when acquired, else its second one; then the second inputs left over.
int ordreTrame(uint8_t voiesSignaux, uint8_t modeDiff, std::array<int, 8>& ordre);

} // namespace sp5sim
