#pragma once
// The settings of one run as the simulated SP5 reads them from its registers
// when the run starts (the register map: drivers/sp5/InterfaceSP5.h).
#include "drivers/sp5/InterfaceSP5.h"

#include <array>
#include <cstdint>

namespace sp5sim {

using Registres = std::array<uint8_t, sp5::kNbRegistres>;

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
