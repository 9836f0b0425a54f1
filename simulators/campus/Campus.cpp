// The vendor library's entry points, each a locked call into the simulated unit.
#include "simulators/campus/ExportCampusSim.h"

#include <type_traits>

namespace campussim {

UniteCampusSim& unite()
{
    static UniteCampusSim uniteSimulee;
    return uniteSimulee;
}

std::mutex& verrouUnite()
{
    static std::mutex verrou;
    return verrou;
}

} // namespace campussim

using campussim::unite;
using Verrou = std::lock_guard<std::mutex>;

CAMPUS_EXPORT CampusTexte DonneNumeroSerieCentrale(void)
{
    Verrou verrou(campussim::verrouUnite());
    return unite().numeroSerie();
}

CAMPUS_EXPORT double ConvertiDonneeEntreeNumeriqueEnAnalogique(int32_t aValeur, int32_t aNumeroVoie)
{
    Verrou verrou(campussim::verrouUnite());
    return unite().convertit(aValeur, aNumeroVoie);
}

CAMPUS_EXPORT CampusTexte SelectionneCalibre(int32_t numeroDevoie, int32_t valeurCalibre)
{
    Verrou verrou(campussim::verrouUnite());
    return unite().selectionneCalibre(numeroDevoie, valeurCalibre);
}

CAMPUS_EXPORT double CalibreTe(double aTeSeconde, const int32_t* /*aTabOrdreVoieLatis*/)
{
    return campussim::UniteCampusSim::calibreTe(aTeSeconde);
}

CAMPUS_EXPORT int32_t PrepareAcquisition(const int32_t* aTabOrdreVoieLatis, double* aTe,
                                         int32_t* aNombreDePoint, int32_t aSourceTrigger,
                                         int32_t sensDeclenchement, double aSeuil, int32_t aPreTrig,
                                         bool aModePermanent, CampusTexte* strMessageErreur)
{
    Verrou verrou(campussim::verrouUnite());
    return unite().prepare(aTabOrdreVoieLatis, aTe, aNombreDePoint, aSourceTrigger,
                           sensDeclenchement, aSeuil, aPreTrig, aModePermanent, strMessageErreur);
}

CAMPUS_EXPORT int32_t DemarreAcquisition(CampusTexte* strMessageErreur)
{
    Verrou verrou(campussim::verrouUnite());
    return unite().demarre(strMessageErreur);
}

CAMPUS_EXPORT int32_t LitDonneeNumerique(int32_t iNombreDonneeALire, int32_t* ptTableauInt)
{
    Verrou verrou(campussim::verrouUnite());
    return unite().litDonnees(iNombreDonneeALire, ptTableauInt);
}

CAMPUS_EXPORT CampusTexte StoppeAcquisition(void)
{
    Verrou verrou(campussim::verrouUnite());
    return unite().stoppe();
}

CAMPUS_EXPORT int32_t LitValeurVoie(int32_t indiceDeVoie)
{
    Verrou verrou(campussim::verrouUnite());
    return unite().litValeur(indiceDeVoie);
}

CAMPUS_EXPORT int32_t CommandeLed(int32_t indiceDeVoie, int32_t etatLed)
{
    Verrou verrou(campussim::verrouUnite());
    return unite().commandeLed(indiceDeVoie, etatLed);
}

CAMPUS_EXPORT CampusTexte ReseteSortie(int32_t codeSortieDac)
{
    Verrou verrou(campussim::verrouUnite());
    return unite().reseteSortie(codeSortieDac);
}

CAMPUS_EXPORT int32_t FermeConnectionUSB(void)
{
    Verrou verrou(campussim::verrouUnite());
    return unite().fermeConnexion();
}

// The entry points Galvora never calls accept whatever they are given (the
// caller removes its own arguments) and answer 0.
#define CAMPUS_ENTREE_NEUTRE(nom) \
    CAMPUS_EXPORT intptr_t nom(void) { return 0; }
CAMPUS_ENTREES_NON_APPELEES(CAMPUS_ENTREE_NEUTRE)
#undef CAMPUS_ENTREE_NEUTRE

// Each definition has exactly the type a caller resolves it as.
#define CAMPUS_MEME_TYPE(nom) \
    static_assert(std::is_same_v<decltype(&nom), T##nom>, #nom " differs from its declared type");
CAMPUS_ENTREES_APPELEES(CAMPUS_MEME_TYPE)
#undef CAMPUS_MEME_TYPE
