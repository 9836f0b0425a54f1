// The CAMPUS driver on a library that answers anything: the start-up's
// presence check and calibration, the settings, a run through the program's
// read loop, the direct measurement, a last presence check and the release.
//
// Input: the settings bytes (ScenarioFuzz.h), then the library's answers.
#include "drivers/campus/TSYSAMCAMPUS.h"
#include "tests/fuzz/BibliothequesFuzz.h"
#include "tests/fuzz/ScenarioFuzz.h"

namespace {
TBibliothequeFuzz_Donne donne = nullptr;
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    donne = plateforme::procedure<TBibliothequeFuzz_Donne>(fuzz::bibliotheque(FUZZ_CAMPUS), "CampusFuzz_Donne");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    if (taille < fuzz::kOctetsReglages || taille > 16384)
        return -1;
    fuzz::remetHorloge();
    const fuzz::TReglagesFuzz reglages = fuzz::litReglages(donnees);
    donne(donnees + fuzz::kOctetsReglages, taille - fuzz::kOctetsReglages);

    TSYSAMCAMPUS campus(FUZZ_CAMPUS, 1);
    if (!campus.CentraleInstallee)
        fuzz::faute("the fuzz CAMPUS library did not load");
    campus.traiterAliasing = false;
    campus.acquisitionUtilisateur = true;
    if (campus.Presente()) {
        campus.RecupereCalibration();
        campus.tAttenteCAMPUSAuDeclX = 50;
    }
    fuzz::verifieConversions(campus);
    fuzz::appliqueReglages(campus, reglages);
    if (!(campus.dt0X > 0) || !std::isfinite(campus.dt0X))
        fuzz::faute("sample interval " + std::to_string(campus.dt0X));
    fuzz::acquisition(campus);
    campus.MesureDirecte();
    campus.Presente();
    campus.free(true);
    return 0;
}
