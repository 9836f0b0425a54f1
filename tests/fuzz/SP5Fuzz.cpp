// An SP5.DLL whose unit answers whatever the fuzz input says: presence,
// register values, the 379-byte calibration record (serial number lengths
// beyond the field, gains of any bit pattern), FIFO counts of any value and
// any sample words.
#include "drivers/sp5/InterfaceSP5.h"
#include "tests/fuzz/BibliothequesFuzz.h"
#include "tests/fuzz/ReponsesFuzz.h"

#include <climits>

namespace {
fuzz::TReponses g_reponses;
} // namespace

FUZZ_EXPORTE void SP5Fuzz_Donne(const uint8_t* reponses, size_t taille)
{
    g_reponses.donne(reponses, taille);
}

extern "C" {

__attribute__((visibility("default"))) void Reset() {}

// Present while answers remain, unless they say otherwise: an input that has
// run out is an unplugged unit.
__attribute__((visibility("default"))) uint8_t Present()
{
    return g_reponses.epuisees() ? 0 : uint8_t(g_reponses.octet() != 0xFF);
}

__attribute__((visibility("default"))) uint8_t LireRegistre(uint32_t) { return g_reponses.octet(); }
__attribute__((visibility("default"))) void EcrireRegistre(uint32_t, uint32_t) {}
__attribute__((visibility("default"))) void EcrireFifo(uint16_t*, int32_t) {}

__attribute__((visibility("default"))) void RecupereCalibration(uint8_t* calibrage)
{
    g_reponses.copie(calibrage, kTailleCalibrageSP5);
}

__attribute__((visibility("default"))) int32_t LireFifo(uint16_t* bloc)
{
    const uint8_t choix = g_reponses.octet();
    int32_t compte;
    switch (choix) {
    case 252: compte = -1; break;
    case 253: compte = 300; break;
    case 254: compte = INT_MIN; break;
    case 255: compte = int32_t(g_reponses.mot32()); break;
    default: compte = choix % (kTailleBlocSP5 + 1); break;
    }
    const int32_t ecrits = compte < 0 ? 0 : (compte < kTailleBlocSP5 ? compte : kTailleBlocSP5);
    for (int32_t i = 0; i < ecrits; ++i)
        bloc[i] = g_reponses.mot16();
    return compte;
}

__attribute__((visibility("default"))) void ViderFifo() {}
__attribute__((visibility("default"))) int32_t TailleTransfertFifo(int32_t taille) { return taille; }

} // extern "C"
