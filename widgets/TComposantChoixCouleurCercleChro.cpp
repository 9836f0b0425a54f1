#include "widgets/TComposantChoixCouleurCercleChro.h"

#include "widgets/TFicheChoixCouleurCercleChro.h"

TComposantChoixCouleurCercleChro::TComposantChoixCouleurCercleChro(QWidget* proprietaire)
    : QObject(proprietaire), proprietaire_(proprietaire)
{
}

void TComposantChoixCouleurCercleChro::recalculeCouleur()
{
    fCouleur = uint32_t(fRouge) + 256u * uint32_t(fVert) + 65536u * uint32_t(fBleu);
}

void TComposantChoixCouleurCercleChro::setCouleur(uint32_t c)
{
    setBleu(uint8_t((c >> 16) & 255));
    setRouge(uint8_t(c & 255));
    setVert(uint8_t((c >> 8) & 255));
}

void TComposantChoixCouleurCercleChro::setRouge(uint8_t v)
{
    fRouge = v;
    recalculeCouleur();
}

void TComposantChoixCouleurCercleChro::setVert(uint8_t v)
{
    fVert = v;
    recalculeCouleur();
}

void TComposantChoixCouleurCercleChro::setBleu(uint8_t v)
{
    fBleu = v;
    recalculeCouleur();
}

bool TComposantChoixCouleurCercleChro::execute()
{
    TFicheChoixCouleurCercleChro fiche(proprietaire_);
    fiche.clChoisie = fCouleur;
    fiche.echantillon(0);
    if (!fTitre.isEmpty())
        fiche.setWindowTitle(fTitre);
    const int resultat = executeur ? executeur(fiche) : fiche.exec();
    if (resultat != 1)
        return false;
    setCouleur(fiche.clChoisie);
    return true;
}
