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
    for (int32_t i = 0; i < sp5.nbEAU; ++i)
        for (int32_t code : {0, 2048, 4095})
            if (!std::isfinite(sp5.Ux(i, code)))
                fuzz::faute("input " + std::to_string(i) + " converts code " + std::to_string(code) +
                            " to no number");
    fuzz::appliqueReglages(sp5, reglages);
    fuzz::acquisition(sp5);
    sp5.MesureDirecte();
    for (int32_t i = 0; i < sp5.nbVoiesSignaux; ++i)
        if (!std::isfinite(sp5.VoiesX[std::size_t(sp5.VoiesActivesSignaux[std::size_t(i)])].mesDirR))
            fuzz::faute("the direct measurement gave no number");
    sp5.Presente();
    sp5.free(true);
    return 0;
}
