// Test entry points of the simulated unit.
#include "simulators/campus/ExportCampusSim.h"

using campussim::unite;
using Verrou = std::lock_guard<std::mutex>;

CAMPUS_EXPORT void SimCampus_Branche(int32_t branche)
{
    Verrou verrou(campussim::verrouUnite());
    unite().branche(branche != 0);
}

CAMPUS_EXPORT void SimCampus_GainCalibre(int32_t entree, int32_t calibre, double facteur)
{
    Verrou verrou(campussim::verrouUnite());
    unite().multiplieGain(entree, calibre, facteur);
}

CAMPUS_EXPORT void SimCampus_DeclenchementExterne(int32_t actif)
{
    Verrou verrou(campussim::verrouUnite());
    unite().activeDeclenchementExterne(actif != 0);
}

CAMPUS_EXPORT void SimCampus_Reinitialise(void)
{
    Verrou verrou(campussim::verrouUnite());
    unite().reinitialise();
}

CAMPUS_EXPORT int32_t SimCampus_EtatLed(int32_t entree)
{
    Verrou verrou(campussim::verrouUnite());
    return unite().etatLed(entree);
}

CAMPUS_EXPORT int32_t SimCampus_CalibreSelectionne(int32_t entree)
{
    Verrou verrou(campussim::verrouUnite());
    return unite().calibreSelectionne(entree);
}

CAMPUS_EXPORT void SimCampus_FixeDebutRuns(int64_t ns)
{
    Verrou verrou(campussim::verrouUnite());
    unite().fixeDebutRuns(ns);
}

CAMPUS_EXPORT int64_t SimCampus_DebutRun(void)
{
    Verrou verrou(campussim::verrouUnite());
    return unite().debutRun();
}

CAMPUS_EXPORT int32_t SimCampus_DernierePreparation(TPreparationSimCampus* sortie)
{
    Verrou verrou(campussim::verrouUnite());
    return unite().dernierePreparation(sortie);
}
