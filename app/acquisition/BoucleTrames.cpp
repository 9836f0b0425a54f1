#include "app/acquisition/BoucleTrames.h"

#include <algorithm>

TBoucleTrames::TBoucleTrames(TCentrale& centrale, TMesures& mesures, TDrapeauxAcquisition& drapeaux,
                             const TModeGeneral& modeGeneral, TEtatTrames& etat, bool& ajouterLesCourbesX,
                             THoteTrames& hote)
    : centrale_(centrale)
    , mesures_(mesures)
    , drapeaux_(drapeaux)
    , modeGeneral_(modeGeneral)
    , etat_(etat)
    , ajouterLesCourbesX_(ajouterLesCourbesX)
    , hote_(hote)
    , boucle_(centrale, mesures, drapeaux, modeGeneral, hote)
{
}

void TBoucleTrames::Acquisition()
{
    sortieFaite_ = false;
    rapide_ = hote_.tramesRapides();
    hote_.debutModePermanent();
    hote_.setModeDessinVM();
    calculeModeDoubleTrameX();
    etat_.trameX = 1;
    etat_.DessinerLesCourbes = true;

    hote_.prepareEcranMode();
    centrale_.Reset();
    centrale_.NbPtsFifo = tailleBlocFifo(centrale_);
    drapeaux_.stop = false;
    drapeaux_.typeSortieMP = TTypeSortieMP::aucune;
    drapeaux_.typeSortieMP1 = 0;
    etat_.nbTramesAcq = 0;

    ajouterSelonReglages();
    PrepareTV2();
    hote_.setModeDessinVM();
    hote_.dessineEcranN(true);
    hote_.prepareFondTrames();
    centrale_.prepareTousPRX(true);
    boucle_.prepareConversion();

    while (!drapeaux_.stop && hote_.modePermanent() && modeGeneral_ == TModeGeneral::permanentEnCours)
        trame();

    // The mode always ends the normal way, also when a change made after
    // Stop (or after the box was unchecked) took the place of the end's
    // code, or when the last input went.
    if (!sortieFaite_) {
        if (drapeaux_.typeSortieMP1 == -1)
            hote_.setModepermanent(false);
        hote_.setModeGeneral(TModeGeneral::permanentArrete);
        SortieNormaleMP();
        hote_.setModeDessinVM();
        hote_.dessineEcranN(true);
    }
}

void TBoucleTrames::trame()
{
    drapeaux_.typeSortieMP = TTypeSortieMP::aucune;
    calculeModeDoubleTrameX();
    if (!tableauxConformes())
        PrepareTV2();
    etat_.trameX = etat_.modeDoubleTrameX ? 1 - etat_.trameX : 0;

    centrale_.idxPretrig = hote_.indexPretrig();
    centrale_.NbPtsFifo = tailleBlocFifo(centrale_);
    centrale_.prepareTousPRX(true);
    hote_.prepareEcranTrame();
    centrale_.TailleTransfertFifo(centrale_.NbPtsFifo);
    centrale_.ViderFifo();

    rapide_ = hote_.tramesRapides();
    if (rapide_)
        acquisitionTrameRapide();
    else
        acquisitionTrameLente();
    hote_.traiteMessages();

    const TTypeSortieMP code = drapeaux_.typeSortieMP;
    if (code == TTypeSortieMP::aucune) {
        if (etat_.modeDoubleTrameX)
            ++etat_.nbTramesAcq;
        return;
    }
    appliqueSortie(code);
    hote_.setModeDessinVM();
    hote_.dessineEcranN(etat_.DessinerLesCourbes);
    if (modeGeneral_ == TModeGeneral::permanentEnCours) {
        hote_.prepareFondTrames();
        boucle_.prepareConversion();
    }
}

void TBoucleTrames::acquisitionTrameLente()
{
    const int64_t pt0Trame = int64_t(etat_.trameX) * centrale_.nbPts0X;
    const bool efface = hote_.optionEffaceTrame();
    hote_.debutTrame({false, efface, pt0Trame});
    if (efface)
        metAZero(0, longueurCourbes());
    boucle_.acquisitionTrame(mesures_.nbVoiesMesurees, pt0Trame, false);
    finTrameLente();
}

void TBoucleTrames::finTrameLente()
{
    centrale_.arreteAcq();
    // A frame cut short leaves no end of an older frame behind it, unless
    // the other half holds the previous frame whole.
    const TTraitementBlocs& t = boucle_.traitement();
    if (t.ptFront() < centrale_.nbPts0X - 1 && !etat_.modeDoubleTrameX) {
        const int64_t pt0Trame = int64_t(etat_.trameX) * centrale_.nbPts0X;
        metAZero(pt0Trame + t.dernierStocke() + 1, pt0Trame + centrale_.nbPts0X);
    }
}

void TBoucleTrames::acquisitionTrameRapide()
{
    hote_.debutTrame({true, false, 0});
    boucle_.acquisitionTrame(mesures_.nbVoiesMesurees, 0, true);
    finTrameRapide();
}

void TBoucleTrames::finTrameRapide()
{
    centrale_.arreteAcq();
    // The values shown are the last points stored: with the threshold
    // trigger the last raw sample is never one.
    hote_.finTrameRapide(std::max<int64_t>(boucle_.traitement().dernierStocke(), 0));
}

void TBoucleTrames::arrete()
{
    drapeaux_.stop = true;
    if (rapide_) {
        // The unit goes on: the frame is completed and shown first.
        drapeaux_.typeSortieMP = TTypeSortieMP::arretTramesRapides;
        return;
    }
    centrale_.arreteAcq();
    drapeaux_.typeSortieMP = TTypeSortieMP::arretUtilisateur;
    hote_.setModeGeneral(TModeGeneral::permanentArrete);
}

void TBoucleTrames::appliqueSortie(TTypeSortieMP code)
{
    etat_.DessinerLesCourbes = true;
    switch (code) {
    case TTypeSortieMP::arretUtilisateur:
    case TTypeSortieMP::centralePerdue:
        SortieNormaleMP();
        return;
    case TTypeSortieMP::arretTramesRapides:
        if (drapeaux_.typeSortieMP1 == -1)
            hote_.setModepermanent(false);
        hote_.setModeGeneral(TModeGeneral::permanentArrete);
        SortieNormaleMP();
        return;
    case TTypeSortieMP::quitter:
        SortieNormaleMP();
        hote_.Quitter();
        return;
    case TTypeSortieMP::nbPoints:
    case TTypeSortieMP::dureeTotale:
    case TTypeSortieMP::acquisitionPrecedente:
        // Another time base: the screen starts again without curves.
        hote_.appliqueChangement();
        if (code == TTypeSortieMP::acquisitionPrecedente)
            ajouterLesCourbesX_ = hote_.ajouterCoche();
        else
            ajouterSelonReglages();
        hote_.setModeDessinVM();
        if (code != TTypeSortieMP::nbPoints)
            calculeModeDoubleTrameX();
        PrepareTV2();
        etat_.DessinerLesCourbes = false;
        break;
    case TTypeSortieMP::activationVoie:
    case TTypeSortieMP::modeDiff:
        hote_.appliqueChangement();
        PrepareTV2();
        break;
    default:
        hote_.appliqueChangement();
        break;
    }
    if (modeGeneral_ != TModeGeneral::permanentEnCours)
        return;
    // The arrays follow the new inputs and points (a trigger type changes
    // the number of points acquired).
    if (!tableauxConformes())
        PrepareTV2();
    // The box was unchecked and then a setting changed before the fast
    // frame was complete: the mode still leaves.
    if (drapeaux_.typeSortieMP1 == -1)
        hote_.setModepermanent(false);
}

void TBoucleTrames::SortieNormaleMP()
{
    // With two frames kept and the current one in the first half, the
    // previous frame, whole, takes its place; the current one is never
    // mixed with the end of an older one. The first frame, cut short,
    // stays as it came.
    const int64_t n = centrale_.nbPts0X;
    const std::size_t premiere = std::size_t(std::max(mesures_.nbVoiesMesurees, 0));
    if (!rapide_ && etat_.modeDoubleTrameX && etat_.trameX == 0 && etat_.nbTramesAcq > 0 && n > 0)
        for (std::size_t c = premiere; c < mesures_.tv2.size(); ++c) {
            std::vector<float>& u = mesures_.tv2[c];
            if (int64_t(u.size()) >= 2 * n)
                std::copy(u.begin() + n, u.begin() + 2 * n, u.begin());
        }
    // Added to, the curves keep the length of their neighbours.
    if (etat_.modeDoubleTrameX && ajouterLesCourbesX_)
        for (std::size_t c = premiere; c < mesures_.tv2.size(); ++c)
            if (int64_t(mesures_.tv2[c].size()) > n)
                mesures_.tv2[c].resize(std::size_t(n));
    mesures_.modifie();
    sortieFaite_ = true;
    hote_.SortieNormaleMP();
}

void TBoucleTrames::calculeModeDoubleTrameX()
{
    etat_.modeDoubleTrameX =
        !hote_.tramesRapides() && centrale_.dureeTotale0X <= etat_.LimDureeMDT && !hote_.optionEffaceTrame();
}

void TBoucleTrames::ajouterSelonReglages()
{
    ajouterLesCourbesX_ = centrale_.memesParametresTemporels() && hote_.ajouterCoche();
}

void TBoucleTrames::PrepareTV2()
{
    mesures_.PrepareTV2(centrale_.nbVoiesSignaux, centrale_.nbPts0X, ajouterLesCourbesX_, etat_.modeDoubleTrameX);
    // New arrays hold no frame yet: the next one goes to the first half.
    etat_.nbTramesAcq = 0;
    etat_.trameX = 1;
}

int64_t TBoucleTrames::longueurCourbes() const
{
    return centrale_.nbPts0X * (etat_.modeDoubleTrameX ? 2 : 1);
}

bool TBoucleTrames::tableauxConformes() const
{
    const std::size_t premiere = std::size_t(std::max(mesures_.nbVoiesMesurees, 0));
    const std::size_t total = premiere + std::size_t(std::max(centrale_.nbVoiesSignaux, 0));
    // The screen may hold records beyond the curves (one per input, for its axes).
    if (mesures_.tv2.size() != total || mesures_.voiesMesurees.size() < total)
        return false;
    return std::all_of(mesures_.tv2.begin() + std::ptrdiff_t(premiere), mesures_.tv2.end(),
                       [this](const std::vector<float>& u) { return int64_t(u.size()) == longueurCourbes(); });
}

void TBoucleTrames::metAZero(int64_t debut, int64_t fin)
{
    const std::size_t premiere = std::size_t(std::max(mesures_.nbVoiesMesurees, 0));
    for (std::size_t c = premiere; c < mesures_.tv2.size(); ++c) {
        std::vector<float>& u = mesures_.tv2[c];
        const int64_t a = std::clamp<int64_t>(debut, 0, int64_t(u.size()));
        const int64_t b = std::clamp<int64_t>(fin, a, int64_t(u.size()));
        std::fill(u.begin() + a, u.begin() + b, 0.0f);
    }
}
