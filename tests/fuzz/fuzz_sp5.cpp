// The SP5 driver on a library that answers anything: presence, calibration
// record, registers (sensor codes, trigger samples, external trigger delay),
// FIFO counts and sample words, through the program's read loop.
//
// Input: the settings bytes (ScenarioFuzz.h), then the library's answers.
#include "drivers/sp5/TSP5.h"
#include "tests/fuzz/BibliothequesFuzz.h"
#include "tests/fuzz/ScenarioFuzz.h"

namespace {
TBibliothequeFuzz_Donne donne = nullptr;
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    donne = plateforme::procedure<TBibliothequeFuzz_Donne>(fuzz::bibliotheque(FUZZ_SP5), "SP5Fuzz_Donne");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    if (taille < fuzz::kOctetsReglages || taille > 16384)
        return -1;
    fuzz::remetHorloge();
    const fuzz::TReglagesFuzz reglages = fuzz::litReglages(donnees);
    donne(donnees + fuzz::kOctetsReglages, taille - fuzz::kOctetsReglages);

    TSP5 sp5(FUZZ_SP5, 1);
    if (!sp5.CentraleInstallee)
        fuzz::faute("the fuzz SP5 library did not load");
    sp5.acquisitionUtilisateur = true;
    if (sp5.Presente()) {
        sp5.RecupereCalibration();
        sp5.MAJCalibrage();
    }
    fuzz::verifieConversions(sp5);
    fuzz::appliqueReglages(sp5, reglages);
    fuzz::acquisition(sp5);
    fuzz::mesureDirecte(sp5);
    sp5.Presente();
    sp5.free(true);
    return 0;
}
