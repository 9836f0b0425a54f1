#include "app/Disposition.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace gv {

namespace {

int tronque(double x)
{
    return static_cast<int>(std::trunc(x));
}

// Nearest integer, halves to even.
int arrondi(double x)
{
    return static_cast<int>(std::nearbyint(x));
}

// The coefficients and the sizes of the three main regions. The settings
// panel grows more slowly than the window and never beyond what the height
// allows; the channel panel grows with the height.
void prepareRedimensionnement(const TEntreeDisposition& e, TDisposition& d)
{
    const double cH = static_cast<double>(e.largeurFenetre) / largeurReference;
    double cV = static_cast<double>(e.hauteurFenetre) / hauteurReference;
    int L = arrondi(std::max(tronque(((cH - 1) * 0.8 + 1) * largeurNominaleParametres), largeurNominaleParametres));
    L = arrondi(std::min(tronque(((cV - 1) * 0.7 + 1) * largeurNominaleParametres), L));
    d.LarNomPParametres = L;
    cV = static_cast<double>(e.hauteurFenetre) / hauteurReference;
    d.coDIMH = static_cast<float>(static_cast<double>(L) / largeurNominaleParametres);
    d.hauNomPVoies = arrondi(std::max(tronque(((cV - 1) * 0.8 + 1) * hauteurNominaleVoies), hauteurNominaleVoies));
    d.coDimV = static_cast<float>(static_cast<double>(d.hauNomPVoies) / hauteurNominaleVoies);

    d.coPParametres = e.pParametresReduit ? 0.1f : 1.0f;
    d.panelParametres.largeur = tronque(d.LarNomPParametres * static_cast<double>(d.coPParametres));
    d.coPVoies = e.pVoiesReduit ? 0.1f : 1.0f;
    d.PanelVoies.x = 3;
    d.PanelVoies.hauteur = tronque(d.hauNomPVoies * static_cast<double>(d.coPVoies));
    d.largeurSplitter = tronque(5 * d.coDIMH);
    d.tailleMinSplitter = tronque(80 * d.coDIMH);
    d.largeurBarreDefilement = tronque(6 * d.coDIMH);
}

// A window narrower than its toolbar (three unit buttons, or a window near
// its smallest size) would hide the presence box at the right end: the
// pointed-sample panel and the message box share the loss of width, in
// proportion to what each can give, so that the presence box stays whole.
void ajusteALaLargeur(const TEntreeDisposition& e, TDisposition& d)
{
    const int exces = d.PMessages.droite() + d.ecart - e.largeurClient;
    if (exces <= 0)
        return;
    const int margePointage = std::max(d.PPointage.largeur - tronque(120 * d.coDIMH), 0);
    const int margeMessage = std::max(d.largeurEditMessageX - tronque(40 * d.coDIMH), 0);
    const int disponible = margePointage + margeMessage;
    if (disponible == 0)
        return;
    const int perte = std::min(exces, disponible);
    const int cedePointage = static_cast<int>(static_cast<int64_t>(perte) * margePointage / disponible);
    const int cedeMessage = perte - cedePointage;
    d.PPointage.largeur -= cedePointage;
    const int boites = d.largeurEditSerieP + d.largeurEditPointP;
    const int cedeSerie = cedePointage * d.largeurEditSerieP / boites;
    d.largeurEditSerieP -= cedeSerie;
    d.largeurEditPointP -= cedePointage - cedeSerie;
    d.PMessages.x -= cedePointage;
    d.largeurEditMessageX -= cedeMessage;
    d.PMessages.largeur -= cedeMessage;
}

void redimensionnementPOutils(const TEntreeDisposition& e, TDisposition& d)
{
    const double cH = d.coDIMH, cV = d.coDimV;
    d.m = std::min(tronque(26 * cV), tronque(26 * cH));
    const int s = std::max(d.m, 26);
    const int q = tronque(2 * cV);
    d.cote = s;
    d.ecart = q;
    // Gaps of several q separate the groups: files, transfers, views, help.
    const int gauches[boutonAproposDe + 1] = {q, s + 2 * q, 2 * s + 3 * q, 3 * s + 8 * q, 4 * s + 9 * q,
                                              5 * s + 10 * q, 6 * s + 14 * q, 7 * s + 15 * q, 8 * s + 19 * q,
                                              9 * s + 20 * q};
    for (int b = 0; b <= boutonAproposDe; ++b)
        d.boutons[b] = {gauches[b], q, s, s};
    int droite = d.boutons[boutonAproposDe].droite();
    d.boutonsCentrales.clear();
    const int largeurCentrale = tronque(3.5 * d.m);
    for (int i = 0; i < e.nbBoutonsCentrales; ++i) {
        d.boutonsCentrales.push_back({droite + q, q, largeurCentrale, s});
        droite = d.boutonsCentrales.back().droite();
    }
    d.policeBoutonsCentrales = arrondi(std::min(tronque(12.5 * cV), tronque(12.5 * cH)));
    d.boutons[boutonQuitter] = {droite + 4 * q, q, s, s};

    d.PPointage = {d.boutons[boutonQuitter].droite() + 4 * q, q, tronque(336 * cH), s};
    d.policeLabelsPointage = std::min(tronque(12 * cV), tronque(12 * cH));
    d.policeEditsPointage = std::min(tronque(11 * cV), tronque(11 * cH));
    d.largeurEditSerieP = arrondi(76 * cH);
    d.largeurEditPointP = arrondi(148 * cH);
    d.margeLabelsPointage = arrondi(3 * cH);
    d.largeurEditMessageX = arrondi(220 * cH);
    d.largeurEditPresence = arrondi(230 * cH);
    d.PMessages = {d.PPointage.droite() + 4 * q, q, arrondi(460 * cH), s};
    ajusteALaLargeur(e, d);
}

void redimensionnementPReglagesTemp(const TEntreeDisposition& e, TDisposition& d)
{
    const double cV = d.coDimV;
    d.hauteurTitreParametres = tronque(18 * cV);
    d.coteBoutonReduitParametres = tronque(14 * cV);
    d.policeTitreParametres = tronque(13 * cV);
    d.panelParametres.x = e.largeurClient - d.panelParametres.largeur - 3;
    d.panelParametres.y = d.hauteurOutils + 2;
    // Reduced, the panel only narrows (coPParametres); its height stays.
    d.panelParametres.hauteur = tronque(626 * cV);
}

void redimensionnementPReglageVoies(const TEntreeDisposition& e, TDisposition& d)
{
    d.PanelVoies.y = e.hauteurClient - d.PanelVoies.hauteur - 3;
    d.PanelVoies.largeur = e.largeurClient - d.panelParametres.largeur - 6;
    d.coteBoutonReduitVoies = arrondi(std::max(tronque(15 * d.coDIMH), tronque(15 * d.coDimV)));
    d.policeBoutonReduitVoies = tronque(13 * d.coDimV);
}

void redimensionnementPEcranTab(const TEntreeDisposition&, TDisposition& d)
{
    d.PanelEcranTab = {2, d.hauteurOutils + 2, d.PanelVoies.largeur, d.PanelVoies.y - d.hauteurOutils - 6};
}

} // namespace

TDisposition calculeDisposition(const TEntreeDisposition& entree)
{
    TDisposition d;
    prepareRedimensionnement(entree, d);
    d.hauteurOutils = arrondi(30 * static_cast<double>(d.coDimV));
    redimensionnementPOutils(entree, d);
    redimensionnementPReglagesTemp(entree, d);
    redimensionnementPReglageVoies(entree, d);
    redimensionnementPEcranTab(entree, d);
    return d;
}

} // namespace gv
