#include "model/TCentrale.h"

void TCentrale::Create(const std::string& sDLL, int32_t logiUti1)
{
    (void)sDLL;
    // Every field back to its default: applied to an existing object, Create
    // re-initialises it completely, not only its library.
    static_cast<TDonneesCentrale&>(*this) = TDonneesCentrale {};
    LogiUtilisateur = logiUti1;
    acquisitionUtilisateur = false;
    coPretrigCache = 0;
    chronometre = TChronometreTicks {};
    tAcqRecup = -1.0;
    CentralePCI = false;
    pretrigDispo = true;
    tAttenteMaxDecl = 31557599232.0f;
    LaCentraleGereDesCapteurs = false;
    synchroExterneDispo = false;
    detectionCapteurPdtAcqPossible = false;
    for (int sa = 0; sa < 2; ++sa) {
        uPer[sa] = std::make_shared<TuPer>();
        uSalve[sa] = std::make_shared<TuSalve>();
        uImp[sa] = std::make_shared<TuImpulsion>();
    }
    UBodeZ = std::make_shared<TuPer>();
}

void libereCentrale(TCentrale*& centrale, bool libererDLL)
{
    if (centrale == nullptr)
        return;
    centrale->free(libererDLL);
    delete centrale;
    centrale = nullptr;
}
