#pragma once
// What the acquisition benchmarks set up alike: the simulated SP5 with its
// first inputs active, and a screen without a window drawing its curves.
#include "display/Ecran.h"
#include "drivers/sp5/TSP5.h"

namespace banc {

inline const char* const kSimulateur = GALVORA_SIM_DIR "/SP5SIM.DLL";

// Inputs 0 .. nbSignaux - 1 active, the others not.
inline void activeVoies(TSP5& centrale, int nbSignaux)
{
    for (int v = 0; v < 8; ++v)
        if (v < nbSignaux)
            centrale.activeVoieA(uint8_t(v), false);
        else
            centrale.desactiveVoieA(uint8_t(v), false);
}

// A 1000 x 600 screen over the unit and the measurements, in state `etat`.
inline void prepareEcran(TEcran& ecran, TCentrale& centrale, TMesures& mesures, const TModeGeneral* etat)
{
    ecran.setCentrale(&centrale);
    ecran.setMesures(&mesures);
    ecran.setEtatGeneral(etat);
    ecran.redimensionnementEcran(1000, 600);
}

} // namespace banc
