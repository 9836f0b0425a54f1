#include "display/Clavier.h"

bool toucheDemarreArrete(TToucheEcran touche, TModeGeneral modeGeneral)
{
    using M = TModeGeneral;
    switch (touche) {
    case TToucheEcran::echap:
        return enAcquisition(modeGeneral);
    case TToucheEcran::f10:
        return modeGeneral == M::rienAcquis || modeGeneral == M::reglageModifie || modeGeneral == M::acquisitionFinie ||
               modeGeneral == M::permanentArrete;
    default:
        return false;
    }
}

TControleSaisie suivantParEntree(TControleSaisie controle, bool sensActif, bool pretrigActif)
{
    using C = TControleSaisie;
    switch (controle) {
    case C::CBDureeTotale:
        return C::CBNbPoints;
    case C::CBNbPoints:
        return C::CBDureeTotale;
    case C::CBTypeDeclenchement:
        return sensActif ? C::RGSensDeclenchement : C::aucun;
    case C::RGSensDeclenchement:
        return C::CBVoieSynchro;
    case C::CBVoieSynchro:
        return C::EditUSeuilDecl;
    case C::EditUSeuilDecl:
        return pretrigActif ? C::CBPretrigX : C::CBTypeDeclenchement;
    case C::CBPretrigX:
        return C::CBTypeDeclenchement;
    default:
        return C::aucun;
    }
}

int positionApresMolette(int position, int hauteurPanelVoies, int nbPas)
{
    return position - nbPas * (hauteurPanelVoies / 20);
}
