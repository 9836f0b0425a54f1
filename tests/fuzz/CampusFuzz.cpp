// A Campus.DLL whose unit answers whatever the fuzz input says: serial
// numbers and texts of any content, conversions that give any number, any
// sample interval, any count of samples (negative, or more than asked) and
// any sample values.
#include "drivers/campus/InterfaceCampus.h"
#include "tests/fuzz/BibliothequesFuzz.h"
#include "tests/fuzz/ReponsesFuzz.h"

#include <array>
#include <climits>

namespace {

fuzz::TReponses g_reponses;
std::array<int32_t, kNbEntreesCampus> g_calibres {30, 30, 30, 30};

// Each text entry has its own storage, valid until its next call.
template <int N>
CampusTexte texte()
{
    static std::array<CampusCaractere, 40> t;
    const uint8_t choix = g_reponses.octet();
    size_t n = 0;
    if (choix == 1) {
        t[n++] = u'%';
    } else if (choix >= 2) {
        const size_t longueur = choix % 32;
        for (; n < longueur; ++n)
            t[n] = CampusCaractere(g_reponses.mot16());
    }
    t[n] = 0;
    // A null text now and then, as "none" may be written.
    if (choix == 255)
        return nullptr;
    return t.data();
}

} // namespace

FUZZ_EXPORTE void CampusFuzz_Donne(const uint8_t* reponses, size_t taille)
{
    g_reponses.donne(reponses, taille);
    g_calibres = {30, 30, 30, 30};
}

extern "C" {

__attribute__((visibility("default"))) CampusTexte DonneNumeroSerieCentrale()
{
    return texte<0>();
}

__attribute__((visibility("default"))) double ConvertiDonneeEntreeNumeriqueEnAnalogique(int32_t aValeur,
                                                                                      int32_t aNumeroVoie)
{
    const double f = aNumeroVoie >= 0 && aNumeroVoie < kNbEntreesCampus ? g_calibres[std::size_t(aNumeroVoie)] : 30;
    const double nominal = 2.0 * f / 4096.0 * aValeur - f;
    switch (g_reponses.octet() % 4) {
    case 0:
        return nominal;
    case 1:
        return nominal * double(g_reponses.octet()) / 64.0;
    case 2:
        return g_reponses.reelBrut();
    default:
        return 0.0;
    }
}

__attribute__((visibility("default"))) CampusTexte SelectionneCalibre(int32_t numeroDevoie, int32_t valeurCalibre)
{
    if (numeroDevoie >= 0 && numeroDevoie < kNbEntreesCampus)
        g_calibres[std::size_t(numeroDevoie)] = valeurCalibre;
    return texte<1>();
}

__attribute__((visibility("default"))) double CalibreTe(double aTeSeconde, const int32_t*)
{
    switch (g_reponses.octet() % 4) {
    case 0:
        return aTeSeconde;
    case 1:
        return aTeSeconde * double(g_reponses.octet()) / 16.0;
    case 2:
        return g_reponses.reelBrut();
    default:
        return 0.0;
    }
}

__attribute__((visibility("default"))) int32_t PrepareAcquisition(const int32_t*, double* aTe, int32_t* aNombreDePoint,
                                                                  int32_t, int32_t, double, int32_t, bool,
                                                                  CampusTexte* strMessageErreur)
{
    if (g_reponses.octet() & 1) {
        *aTe = g_reponses.reelBrut();
        *aNombreDePoint = int32_t(g_reponses.mot32());
    }
    *strMessageErreur = texte<2>();
    return int32_t(g_reponses.mot32());
}

__attribute__((visibility("default"))) int32_t DemarreAcquisition(CampusTexte* strMessageErreur)
{
    *strMessageErreur = texte<3>();
    return g_reponses.octet() < 200 ? 0 : int32_t(g_reponses.mot32());
}

__attribute__((visibility("default"))) int32_t LitDonneeNumerique(int32_t iNombreDonneeALire, int32_t* ptTableauInt)
{
    const uint8_t choix = g_reponses.octet();
    const int32_t demande = iNombreDonneeALire > 0 ? iNombreDonneeALire : 0;
    int32_t compte;
    switch (choix) {
    case 251: compte = demande; break;
    case 252: compte = -1; break;
    case 253: compte = demande + 5; break;
    case 254: compte = INT_MIN; break;
    case 255: compte = int32_t(g_reponses.mot32()); break;
    default: compte = choix % (demande + 1); break;
    }
    // Never more values written than asked: a library that did would write
    // over memory it was not given.
    const int32_t ecrits = compte < 0 ? 0 : (compte < demande ? compte : demande);
    for (int32_t i = 0; i < ecrits; ++i)
        ptTableauInt[i] = int32_t(int16_t(g_reponses.mot16()));
    return compte;
}

__attribute__((visibility("default"))) CampusTexte StoppeAcquisition()
{
    return texte<4>();
}

__attribute__((visibility("default"))) int32_t LitValeurVoie(int32_t)
{
    return int32_t(int16_t(g_reponses.mot16()));
}

__attribute__((visibility("default"))) int32_t CommandeLed(int32_t, int32_t) { return 0; }
__attribute__((visibility("default"))) CampusTexte ReseteSortie(int32_t) { return texte<5>(); }
__attribute__((visibility("default"))) int32_t FermeConnectionUSB() { return 0; }

#define CAMPUS_FUZZ_NON_APPELE(nom) \
    __attribute__((visibility("default"))) intptr_t nom() { return 0; }
CAMPUS_ENTREES_NON_APPELEES(CAMPUS_FUZZ_NON_APPELE)
#undef CAMPUS_FUZZ_NON_APPELE

} // extern "C"
