// The V6 driver reading whatever bytes its USB bridge delivers: the answers
// to the construction's commands (presence, calibration block, "I", serial
// number), to the settings commands, the trigger report and the sample words
// of a run, the direct measurement and a last presence check; the bridge may
// echo or not, refuse to reopen, lose writes and lie about its queue.
//
// Input: 1 byte of bridge behaviour, the settings bytes (ScenarioFuzz.h),
// then the bytes the unit sends.
#include "drivers/v6/TSYSAMV6.h"
#include "tests/fuzz/BibliothequesFuzz.h"
#include "tests/fuzz/ScenarioFuzz.h"

namespace {

TPontFuzz_Donne donne = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    donne = plateforme::procedure<TPontFuzz_Donne>(fuzz::bibliotheque(FUZZ_D2XX), "PontFuzz_Donne");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    if (taille < 1 + fuzz::kOctetsReglages || taille > 16384)
        return -1;
    fuzz::remetHorloge();
    const uint32_t comportement = donnees[0];
    const fuzz::TReglagesFuzz reglages = fuzz::litReglages(donnees + 1);
    const size_t debut = 1 + fuzz::kOctetsReglages;
    donne(donnees + debut, taille - debut, comportement);

    TSYSAMV6 v6(FUZZ_D2XX, 1);
    if (!v6.CentraleInstallee)
        fuzz::faute("the fuzz D2XX library did not load");
    v6.acquisitionUtilisateur = true;
    v6.MAJCalibrage();
    fuzz::verifieConversions(v6);
    fuzz::appliqueReglages(v6, reglages);
    fuzz::acquisition(v6);
    fuzz::mesureDirecte(v6);
    v6.Presente();
    v6.free(true);
    return 0;
}
