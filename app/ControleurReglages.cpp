#include "app/ControleurReglages.h"

#include "app/ListesTemporelles.h"
#include "display/ParametresTemps.h"
#include "model/TCentrale.h"
#include "model/UniteBaseChaines.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// A whole number, spaces around allowed.
bool entierDeTexte(const std::string& texte, int64_t& n)
{
    const auto debut = texte.find_first_not_of(" \t");
    if (debut == std::string::npos)
        return false;
    const auto fin = texte.find_last_not_of(" \t") + 1;
    const char* premier = texte.data() + debut;
    const char* dernier = texte.data() + fin;
    if (*premier == '+')
        ++premier;
    const auto [ptr, erreur] = std::from_chars(premier, dernier, n);
    return erreur == std::errc() && ptr == dernier;
}

bool vide(const std::string& s)
{
    return s.find_first_not_of(" \t") == std::string::npos;
}

// Index of an item in a list, -1 when absent.
int indexDe(const std::vector<std::string>& items, const std::string& texte)
{
    const auto trouve = std::find(items.begin(), items.end(), texte);
    return trouve == items.end() ? -1 : int(trouve - items.begin());
}

const char* const messageDureeIncorrecte = "Valeur de durée totale incorrecte. Veuillez rectifier.";
const char* const messageNbPointsIncorrect = "Le nombre de points saisi est incorrect. Veuillez rectifier.";
const char* const messageSeuilIncorrect = "La valeur du seuil de déclenchement comporte une erreur de saisie.";

} // namespace

TControleurReglages::TMiseAJour::TMiseAJour(TControleurReglages& c) : c_(c)
{
    ++c_.profondeur_;
}

TControleurReglages::TMiseAJour::~TMiseAJour()
{
    if (--c_.profondeur_ == 0)
        c_.vue_.montre(c_.p_, c_.a_);
}

TControleurReglages::TControleurReglages(TVueReglages& vue, TMesures& mesures, TDrapeauxAcquisition& drapeaux,
                                         const TModeGeneral& modeGeneral, const gv::TReglagesGV& reglages)
    : vue_(vue)
    , mesures_(mesures)
    , drapeaux_(drapeaux)
    , modeGeneral_(modeGeneral)
    , reglages_(reglages)
    , listeDureesTotales_(gv::listeDureesTotales())
    , listeNbPoints_(gv::listeNbPoints())
{
    // The boxes the window creates disabled.
    a_.acquisitionPrecedente = false;
    a_.ajouterCourbes = false;
}

void TControleurReglages::setCentrale(TCentrale* centrale)
{
    c_ = centrale;
}

// ---- Record or apply ---------------------------------------------------------

bool TControleurReglages::soumet(TTypeSortieMP code, bool arreteLUnite)
{
    if (enAcquisition(mode())) {
        // The run ends its frame (or itself); the frame loop applies the
        // change between two frames.
        if (arreteLUnite)
            c_->arreteAcq();
        enregistre(code);
        return false;
    }
    appliqueChangement(code);
    if (mode() == TModeGeneral::rienAcquis)
        vue_.setModeGeneral(TModeGeneral::reglageModifie);
    return true;
}

void TControleurReglages::enregistre(TTypeSortieMP code)
{
    enAttente_.typeSortieMP = code;
    drapeaux_.typeSortieMP = code;
    drapeaux_.nouveauxParametres = true;
}

void TControleurReglages::appliqueChangement(TTypeSortieMP code)
{
    const TChangementEnAttente& e = enAttente_;
    switch (code) {
    case TTypeSortieMP::activationVoie:
        activationVoie(e.MPEntree, e.MPVoieActive);
        break;
    case TTypeSortieMP::calibre:
        changeCalibre(e.MPEntree, e.MPCalibre);
        break;
    case TTypeSortieMP::nbPoints:
        changeNbPts(e.MPNbPts);
        break;
    case TTypeSortieMP::dureeTotale:
        ChangeDureeTotale(e.MPDureeTotale);
        break;
    case TTypeSortieMP::modeDiff:
        activationModeDiff(e.MPEntree, e.MPModeDiff);
        break;
    case TTypeSortieMP::typeDeclenchement:
        changeTypeDecl(e.MPTypeDecl);
        break;
    case TTypeSortieMP::seuil:
        changeUSeuil(e.MPUSeuil);
        break;
    case TTypeSortieMP::sensDeclenchement:
        changeSensDecl(e.MPSensDecl);
        break;
    case TTypeSortieMP::voieSynchro:
        changeVoieSynchro(e.MPVoieSynchro);
        break;
    case TTypeSortieMP::pretrig:
        changePretrig(e.MPPretrig);
        break;
    case TTypeSortieMP::acquisitionPrecedente:
        RetourAcqPrecedente();
        break;
    default:
        break; // the ends of a run are the frame loop's own
    }
}

void TControleurReglages::appliqueEnAttente()
{
    if (!c_)
        return;
    TMiseAJour m(*this);
    appliqueChangement(enAttente_.typeSortieMP);
}

// ---- Gestures ------------------------------------------------------------------

void TControleurReglages::cocheVoie(int32_t voie, bool coche)
{
    if (!c_ || voie < 0 || voie >= 8)
        return;
    TMiseAJour m(*this);
    enAttente_.MPEntree = voie;
    enAttente_.MPVoieActive = coche;
    if (!soumet(TTypeSortieMP::activationVoie, true))
        p_.voies[std::size_t(voie)].coche = coche; // as clicked, until applied
}

void TControleurReglages::choisitCalibre(int32_t voie, int32_t calibre)
{
    if (!c_ || voie < 0 || voie >= 8)
        return;
    TMiseAJour m(*this);
    enAttente_.MPEntree = voie;
    enAttente_.MPCalibre = calibre;
    if (!soumet(TTypeSortieMP::calibre, true))
        p_.voies[std::size_t(voie)].calibre = calibre;
}

void TControleurReglages::cocheModeDiff(int32_t canal, bool coche)
{
    if (!c_ || canal < 0 || canal >= 4)
        return;
    TMiseAJour m(*this);
    enAttente_.MPEntree = canal;
    enAttente_.MPModeDiff = coche;
    p_.modeDiff[std::size_t(canal)] = coche;
    soumet(TTypeSortieMP::modeDiff, true);
}

void TControleurReglages::pasAPas(bool duree, int sens, int indexChoisi, const std::string& texte)
{
    if (!c_)
        return;
    TMiseAJour m(*this);
    const std::vector<std::string>& items = duree ? p_.durees : p_.points;
    long double tape = duree ? c_->dureeTotale0X : static_cast<long double>(c_->nbPtsAffX);
    if (indexChoisi < 0)
        valeurDeTexte(texte, tape);
    const int choisi = gv::itemVoisin(items, indexChoisi, tape, sens);
    if (choisi < 0)
        return;
    // The box's selection only moves when an item was selected.
    if (indexChoisi >= 0) {
        if (duree) {
            p_.indexDuree = choisi;
            p_.texteDuree = items[std::size_t(choisi)];
        } else {
            p_.textePoints = items[std::size_t(choisi)];
        }
        ++p_.versionTemps;
    }
    (duree ? enAttente_.MPDureeTotale : enAttente_.MPNbPts) = items[std::size_t(choisi)];
    soumet(duree ? TTypeSortieMP::dureeTotale : TTypeSortieMP::nbPoints, true);
    saisieModifiee_ = false;
}

bool TControleurReglages::choix(TTypeSortieMP code, int32_t TChangementEnAttente::*argument, int TPanneaux::*montre,
                                int32_t valeur)
{
    enAttente_.*argument = valeur;
    p_.*montre = valeur; // as chosen, until the driver's fields say otherwise
    return soumet(code, false);
}

void TControleurReglages::choisitTypeDecl(int32_t index)
{
    if (!c_)
        return;
    TMiseAJour m(*this);
    if (!choix(TTypeSortieMP::typeDeclenchement, &TChangementEnAttente::MPTypeDecl, &TPanneaux::typeDecl, index))
        return;
    if (c_->modeDecl == kDeclImmediat)
        vue_.demandeEcran(TActionEcran::redessine);
    else
        vue_.demandeEcran(TActionEcran::dessinePretrig);
}

void TControleurReglages::choisitSensDecl(int32_t index)
{
    if (!c_)
        return;
    TMiseAJour m(*this);
    choix(TTypeSortieMP::sensDeclenchement, &TChangementEnAttente::MPSensDecl, &TPanneaux::sensDecl, index);
}

void TControleurReglages::choisitVoieSynchro(int32_t index)
{
    if (!c_)
        return;
    TMiseAJour m(*this);
    choix(TTypeSortieMP::voieSynchro, &TChangementEnAttente::MPVoieSynchro, &TPanneaux::indexVoieSynchro, index);
}

void TControleurReglages::choisitPretrig(int32_t index)
{
    if (!c_)
        return;
    TMiseAJour m(*this);
    if (!choix(TTypeSortieMP::pretrig, &TChangementEnAttente::MPPretrig, &TPanneaux::indexPretrig, index))
        return;
    vue_.demandeEcran(TActionEcran::redessine);
    vue_.demandeEcran(TActionEcran::dessinePretrig);
}

void TControleurReglages::cocheAjouterCourbes(bool coche)
{
    // Read when the next run starts.
    TMiseAJour m(*this);
    p_.ajouterCoche = coche;
}

void TControleurReglages::cocheModePermanent(bool coche)
{
    if (!c_)
        return;
    TMiseAJour m(*this);
    p_.modePermanentCoche = coche;
    if (mode() == TModeGeneral::permanentEnCours) {
        if (coche)
            return;
        if (modeBalayage == 1) {
            // Fast frames: the frame in progress is completed first.
            drapeaux_.typeSortieMP = TTypeSortieMP::arretTramesRapides;
            drapeaux_.typeSortieMP1 = -1;
        } else {
            enregistre(TTypeSortieMP::arretUtilisateur);
            drapeaux_.stop = true;
            setModepermanent(false);
            vue_.setModeGeneral(TModeGeneral::permanentArrete);
        }
        return;
    }
    setModepermanent(coche);
    vue_.setModeGeneral(coche ? TModeGeneral::permanentArrete : TModeGeneral::acquisitionFinie);
}

void TControleurReglages::entreDansBoite(TBoite boite, int index)
{
    if (!c_)
        return;
    switch (boite) {
    case TBoite::dureeTotale:
        CBDureeTotaleIndex = index;
        AncDureeTotale = c_->dureeTotale0X;
        break;
    case TBoite::nbPoints:
        CBNbPointsIndex = index;
        AncNbPts0X = c_->nbPts0X;
        AncNbPtsAff = c_->nbPtsAffX;
        break;
    case TBoite::seuil:
        AncUSeuilDecl = c_->USeuilDecl;
        break;
    }
    saisieManuelle = true;
    saisieModifiee_ = false;
}

void TControleurReglages::texteModifie(TBoite boite, int index)
{
    // Typed text waits for the box to be left (or Enter), even when the box
    // had the focus before the panel was filled.
    if (!c_)
        return;
    if (!saisieManuelle)
        entreDansBoite(boite, index);
    saisieModifiee_ = true;
}

void TControleurReglages::choisitDansListe(TBoite boite, const std::string& texte, bool boiteAuFocus)
{
    // A choice in the list is applied at once, even with the box focused:
    // the user sees the new duration before leaving it.
    if (!c_ || boite == TBoite::seuil)
        return;
    TMiseAJour m(*this);
    const bool duree = boite == TBoite::dureeTotale;
    if (duree) {
        p_.indexDuree = indexDe(p_.durees, texte);
        p_.texteDuree = texte;
        enAttente_.MPDureeTotale = texte;
    } else {
        p_.textePoints = texte;
        enAttente_.MPNbPts = texte;
    }
    if (!soumet(duree ? TTypeSortieMP::dureeTotale : TTypeSortieMP::nbPoints, false))
        return;
    // What the box now shows is the applied value.
    if (boiteAuFocus)
        entreDansBoite(boite, duree ? p_.indexDuree : indexDe(p_.points, p_.textePoints));
}

void TControleurReglages::quitteBoite(TBoite boite, const std::string& texte)
{
    if (bloqueExit_ || !c_)
        return;
    bloqueExit_ = true;
    {
        TMiseAJour m(*this);
        saisieManuelle = false;
        // Entering and leaving a box without typing changes nothing.
        if (saisieModifiee_) {
            saisieModifiee_ = false;
            switch (boite) {
            case TBoite::dureeTotale:
                enAttente_.MPDureeTotale = texte;
                soumet(TTypeSortieMP::dureeTotale, false);
                break;
            case TBoite::nbPoints:
                enAttente_.MPNbPts = texte;
                soumet(TTypeSortieMP::nbPoints, false);
                break;
            case TBoite::seuil:
                enAttente_.MPUSeuil = texte;
                soumet(TTypeSortieMP::seuil, false);
                break;
            }
        }
    }
    bloqueExit_ = false;
}

void TControleurReglages::acquisitionPrecedente()
{
    if (bloqueExit_ || !c_)
        return;
    TMiseAJour m(*this);
    soumet(TTypeSortieMP::acquisitionPrecedente, false);
}

// ---- Filling the panels from the driver --------------------------------------------

void TControleurReglages::prepareCBTemporels()
{
    if (!c_)
        return;
    TMiseAJour m(*this);
    p_.durees.clear();
    const int premier = std::max(c_->idxDureeTotaleMinGV, 0);
    const int dernier = std::min(c_->idxDureeTotaleMaxGV, static_cast<int>(listeDureesTotales_.size()) - 1);
    for (int i = premier; i <= dernier; ++i)
        p_.durees.push_back(listeDureesTotales_[std::size_t(i)]);
    c_->DetermineNBPt0XMAx(std::max(c_->nbVoiesSignaux, 1), c_->nbPts0XMax);
    const int64_t maximum = c_->nbPts0XMax;
    p_.points.clear();
    for (const std::string& texte : listeNbPoints_) {
        int64_t n = 0;
        if (!entierDeTexte(texte, n) || n >= maximum)
            break;
        p_.points.push_back(texte);
    }
    if (maximum > 0)
        p_.points.push_back(std::to_string(maximum));
    ++p_.versionTemps;
}

void TControleurReglages::prepareComposants()
{
    TMiseAJour m(*this);
    if (!c_) {
        for (std::size_t i = 0; i < p_.voies.size(); ++i) {
            p_.voies[i].coche = false;
            p_.voies[i].calibre = 0;
            a_.calibre[i] = false;
            a_.valeur[i] = false;
        }
        p_.typeDecl = 0;
        return;
    }
    for (int i = 0; i < c_->nbEAU && i < 8 && i < static_cast<int>(c_->VoiesX.size()); ++i) {
        const std::size_t k = std::size_t(i);
        const bool active = c_->VoiesX[k].active;
        p_.voies[k].coche = active;
        p_.voies[k].calibre = c_->VoiesX[k].idxCalibreUt;
        a_.calibre[k] = active && entreeReglable(i);
        a_.valeur[k] = active && entreeReglable(i);
        a_.voieCochable[k] = entreeReglable(i);
    }
    for (int c = 0; c < 4; ++c)
        p_.modeDiff[std::size_t(c)] = canalDifferentiel(c);
    p_.typeDecl = std::clamp(c_->modeDecl, 0, 2);
    PrepareComposantsIndicesUx();
    prepareComposantsDeclenchement();
    prepareCBAjouterCourbes();
    afficheParametresT();
}

bool TControleurReglages::canalDifferentiel(int32_t canal) const
{
    return c_ && canal >= 0 && canal < static_cast<int>(c_->canauxDiff.size()) && c_->canauxDiff[std::size_t(canal)];
}

bool TControleurReglages::entreeReglable(int32_t voie) const
{
    // The second input of a differential channel is its partner: it has no
    // settings of its own.
    return voie < 4 || !canalDifferentiel(voie % 4);
}

void TControleurReglages::PrepareComposantsIndicesUx()
{
    if (!c_)
        return;
    TMiseAJour m(*this);
    for (int i = 0; i < c_->nbEAU && i < 8; ++i)
        p_.voies[std::size_t(i)].indice = c_->GetCapUInd(i);
}

void TControleurReglages::montreSeuil(float u)
{
    p_.seuil = texteGeneral(u, 6);
    ++p_.versionSeuil;
}

void TControleurReglages::prepareComposantsDeclenchement()
{
    if (!c_)
        return;
    TMiseAJour m(*this);
    const int modeDecl = c_->modeDecl;
    const bool seuil = modeDecl == kDeclSeuil;
    const bool externe = modeDecl == kDeclExterne;
    a_.sensDecl = seuil || (externe && c_->chxSensDeclExterne);
    if (seuil)
        p_.sensDecl = c_->sensDeclSeuil;
    else if (externe)
        p_.sensDecl = c_->sensDeclEchelon;
    // Filled whatever the type, so that no other unit's channel or threshold
    // stays on show.
    prepareCBVoieSynchro();
    montreSeuil(c_->USeuilDecl);
    a_.libelleVoieSynchro = seuil;
    a_.seuil = seuil;
    a_.libelleSeuil = seuil;
    if (!seuil && !externe) {
        pretrigActif = false;
        a_.pretrig = false;
        a_.libellePretrig = false;
        return;
    }
    pretrigActif = !(reglages_.tMaxPretrigDispo < 0.999L * c_->dureeTotale0X);
    a_.pretrig = pretrigActif;
    a_.libellePretrig = pretrigActif;
    changePretrig(pretrigActif ? std::clamp(c_->idxPretrig, 0, 4) : 0);
}

void TControleurReglages::prepareCBVoieSynchro()
{
    if (!c_)
        return;
    TMiseAJour m(*this);
    p_.voiesSynchro.clear();
    entreesVoieSynchro.clear();
    for (int i = 0; i < c_->nbEAU && i < static_cast<int>(c_->VoiesX.size()); ++i) {
        if (!c_->VoiesX[std::size_t(i)].active)
            continue;
        if (i >= c_->nbCanaux_ && canalDifferentiel(i % 4))
            continue;
        p_.voiesSynchro.push_back(i < static_cast<int>(c_->sEntrees.size()) ? c_->sEntrees[std::size_t(i)]
                                                                            : std::string());
        entreesVoieSynchro.push_back(i);
    }
    p_.indexVoieSynchro = -1;
    if (!entreesVoieSynchro.empty()) {
        c_->setVoieSynchro(c_->voieSynchro, true);
        p_.indexVoieSynchro = indexVoieSynchro();
    }
    a_.voieSynchro = c_->modeDecl == kDeclSeuil && p_.voiesSynchro.size() > 1;
}

int TControleurReglages::indexVoieSynchro() const
{
    // The list is in input order; the driver's own index counts its signals
    // in its order, which is not always the same.
    const auto trouvee = std::find(entreesVoieSynchro.begin(), entreesVoieSynchro.end(), c_->voieSynchro);
    if (trouvee != entreesVoieSynchro.end())
        return static_cast<int>(trouvee - entreesVoieSynchro.begin());
    return entreesVoieSynchro.empty() ? -1 : 0;
}

void TControleurReglages::prepareCBAjouterCourbes()
{
    TMiseAJour m(*this);
    peutAjouter = c_ && c_->memesParametresTemporels() && c_->acquisitionFaite && mesures_.nbVoiesMesurees > 0;
    a_.ajouterCourbes = peutAjouter;
    // Curves of another timing cannot share the time axis.
    if (!peutAjouter)
        p_.ajouterCoche = false;
}

void TControleurReglages::afficheParametresT()
{
    if (!c_)
        return;
    TMiseAJour m(*this);
    p_.dt0X = c_->dt0X;
    p_.indexDuree = indexDureeDansListe(p_.durees, c_->dureeTotale0X);
    p_.texteDuree =
        p_.indexDuree >= 0 ? p_.durees[std::size_t(p_.indexDuree)] : texteDureeTotale(c_->dureeTotale0X);
    p_.textePoints = std::to_string(c_->nbPtsAffX);
    ++p_.versionTemps;
}

void TControleurReglages::reglagesDefautMI()
{
    if (!c_)
        return;
    TMiseAJour m(*this);
    TCentrale& c = *c_;
    for (int32_t voie = 0; voie < c.nbEAU; ++voie) {
        c.setCal(static_cast<uint8_t>(voie), 0, false);
        if (voie == 0)
            c.activeVoieA(0, false);
        else
            c.desactiveVoieA(static_cast<uint8_t>(voie), false);
    }
    for (int32_t canal = 0; canal < c.nbCanaux_; ++canal)
        c.setModeDiff(canal, false, false);
    c.setDurees(reglages_.DureeTotaleDFT, reglages_.NbPtsDFT, false);
    c.nbPtsAffX = c.nbPts0X;
    mesures_.suitBaseDeTemps({c.dt0X, c.nbPts0X, c.nbPtsAffX, c.dureeTotale0X});
    modeBalayage = c.tRemanence >= c.dureeTotale0X ? 1 : 0;
    c.modeRecuperation = modeBalayage;
    mesures_.nbPtsAX = 0;
    a_.acquisitionPrecedente = false;
    setModepermanent(false);
    const int32_t voieSynchro = c.VoiesActivesSignaux.empty() ? 0 : std::max(c.VoiesActivesSignaux[0], 0);
    c.setVoieSynchro(voieSynchro, false);
    c.setPretrig(c.idxPretrig, false);
    c.setModeDeclenchement(kDeclImmediat, false);
    c.setSensDeclEchelon(0, false);
    c.setSensDeclSeuil(0, false);
    c.prepareTousPRX(true);
}

// ---- Channel controls -------------------------------------------------------------

void TControleurReglages::activationVoie(int32_t voie1, bool active1)
{
    if (!c_ || voie1 < 0 || voie1 >= c_->nbEAU || voie1 >= 8)
        return;
    TMiseAJour m(*this);
    TCentrale& c = *c_;
    const std::size_t k = std::size_t(voie1);
    if (active1) {
        c.activeVoieA(static_cast<uint8_t>(voie1), false);
    } else {
        c.desactiveVoieA(static_cast<uint8_t>(voie1), false);
        vue_.montreValeur(voie1, std::string());
    }
    const bool active = c.VoiesX[k].active;
    p_.voies[k].coche = active;
    a_.calibre[k] = active;
    a_.valeur[k] = active;
    c.determine_tSkipAcquisition();
    prepareComposantsDeclenchement();
    afficheParametresT();
    vue_.demandeEcran(TActionEcran::zoomsReappliques);
    prepareCBVoieSynchro();
    prepareCBAjouterCourbes();
    c.prepareTousPRX(false);
    vue_.demandeEcran(TActionEcran::modeDessin);
    if (c.nbVoiesActivesX > 0) {
        c.prepareInterfacePourAcq(false);
        prepareCourbesDuRun();
        vue_.demandeEcran(TActionEcran::redessine);
        c.PrepareIdxTraitGV();
    } else if (enAcquisition(mode())) {
        // Nothing left to measure: the run ends as if stopped, and closes
        // its curves the normal way.
        drapeaux_.stop = true;
        if (mode() == TModeGeneral::permanentEnCours)
            enregistre(TTypeSortieMP::arretUtilisateur);
    } else {
        vue_.demandeEcran(TActionEcran::redessine);
    }
    nouveauPossible();
}

void TControleurReglages::activationModeDiff(int32_t voie1, bool actif1)
{
    if (!c_ || voie1 < 0 || voie1 >= c_->nbCanaux_)
        return;
    TMiseAJour m(*this);
    TCentrale& c = *c_;
    c.setModeDiff(voie1, actif1, false);
    c.determine_tSkipAcquisition();
    prepareComposantsDeclenchement();
    afficheParametresT();
    const int partenaire = voie1 + 4;
    if (partenaire < c.nbEAU && partenaire < 8) {
        const std::size_t k = std::size_t(partenaire);
        const bool reglable = entreeReglable(partenaire);
        a_.voieCochable[k] = reglable;
        a_.calibre[k] = reglable && c.VoiesX[k].active;
        // The partner is no signal of its own any more: no live value.
        a_.valeur[k] = reglable && c.VoiesX[k].active;
        if (!reglable)
            vue_.montreValeur(partenaire, std::string());
    }
    c.prepareTousPRX(true);
    vue_.demandeEcran(TActionEcran::zoomsReappliques);
    prepareCBAjouterCourbes();
    prepareCBVoieSynchro();
    PrepareComposantsIndicesUx();
    prepareCourbesDuRun();
    vue_.demandeEcran(TActionEcran::redessine);
    nouveauPossible();
}

float TControleurReglages::limiteSeuil() const
{
    // 90 % of the trigger channel's calibre. The calibres in whole volts
    // (calibresDispo) lose the SP5's ±0.2 V and the V6's virtual calibres;
    // the real full scales come first.
    if (!c_ || c_->voieSynchro < 0 || c_->voieSynchro >= static_cast<int>(c_->VoiesX.size()))
        return 0;
    const int k = c_->VoiesX[std::size_t(c_->voieSynchro)].idxCalibreUt;
    float calibre = 0;
    if (k >= 0 && k < static_cast<int>(c_->calibresEAStandard.size()))
        calibre = c_->calibresEAStandard[std::size_t(k)];
    if (calibre <= 0 && k >= 0 && k < 8)
        calibre = static_cast<float>(c_->calibresDispo[std::size_t(k)]);
    return 0.9f * std::max(calibre, 0.0f);
}

float TControleurReglages::seuilLimite(float u) const
{
    const float limite = limiteSeuil();
    if (limite <= 0)
        return u;
    if (u >= limite)
        return limite;
    if (u <= -limite)
        return -limite;
    return u;
}

void TControleurReglages::changeCalibre(int32_t voie1, int32_t calibre1)
{
    if (!c_ || voie1 < 0 || voie1 >= c_->nbEAU || calibre1 < 0)
        return;
    TMiseAJour m(*this);
    TCentrale& c = *c_;
    // The user's choice is the window's to keep; the driver may still move
    // it off a calibre it cannot use.
    c.VoiesX[std::size_t(voie1)].idxCalibreUt = calibre1;
    if (voie1 < 8)
        p_.voies[std::size_t(voie1)].calibre = calibre1;
    c.setCal(static_cast<uint8_t>(voie1), calibre1, false);
    c.determine_tSkipAcquisition();
    if (voie1 == c.voieSynchro) {
        c.setSeuilDecl(seuilLimite(c.USeuilDecl));
        montreSeuil(c_->USeuilDecl);
    }
    c.Reset();
    c.prepareTousPRX(true);
    prepareCBAjouterCourbes();
    vue_.demandeEcran(TActionEcran::zoomsReappliques);
    vue_.demandeEcran(TActionEcran::redessine);
    nouveauPossible();
}

// ---- Trigger ------------------------------------------------------------------------

void TControleurReglages::changeTypeDecl(int32_t typeDecl1)
{
    if (!c_)
        return;
    TMiseAJour m(*this);
    // The displayed count stays what the user chose: a driver that re-rounds
    // its time base from the acquired count would add the extra point of
    // the threshold trigger to it at every switch.
    const int64_t affiches = c_->nbPtsAffX;
    const double duree = c_->dureeTotale0X;
    c_->setModeDeclenchement(typeDecl1, true);
    p_.typeDecl = typeDecl1;
    // The threshold trigger acquires one point more than shown, for the
    // interpolation of the trigger instant; the driver counts it.
    c_->setDurees(duree, affiches, true);
    prepareCourbesDuRun();
    prepareComposantsDeclenchement();
    drapeaux_.nouveauxParametres = true;
}

void TControleurReglages::changeSensDecl(int32_t sensDecl1)
{
    if (!c_)
        return;
    TMiseAJour m(*this);
    p_.sensDecl = sensDecl1;
    if (c_->modeDecl == kDeclSeuil)
        c_->setSensDeclSeuil(sensDecl1, true);
    else if (c_->modeDecl == kDeclExterne)
        c_->setSensDeclEchelon(sensDecl1, true);
}

void TControleurReglages::changeVoieSynchro(int32_t index1)
{
    if (!c_ || index1 < 0 || index1 >= static_cast<int>(entreesVoieSynchro.size()))
        return;
    TMiseAJour m(*this);
    c_->setVoieSynchro(entreesVoieSynchro[std::size_t(index1)], true);
    p_.indexVoieSynchro = indexVoieSynchro();
    // The threshold keeps within the new channel's calibre.
    const float seuil = seuilLimite(c_->USeuilDecl);
    if (seuil != c_->USeuilDecl) {
        c_->setSeuilDecl(seuil);
        c_->prepareTousPRX(true);
        montreSeuil(c_->USeuilDecl);
    }
}

void TControleurReglages::changePretrig(int32_t index1)
{
    if (!c_)
        return;
    TMiseAJour m(*this);
    p_.indexPretrig = index1;
    c_->setPretrig(index1, true);
    afficheParametresT();
}

void TControleurReglages::changeUSeuil(const std::string& s1)
{
    if (!c_)
        return;
    TMiseAJour m(*this);
    long double valeur = c_->USeuilDecl;
    if (vide(s1) || valeurDeTexte(s1, valeur) != valeurLue || !std::isfinite(static_cast<double>(valeur))) {
        vue_.information(messageSeuilIncorrect);
        c_->setSeuilDecl(AncUSeuilDecl);
        montreSeuil(c_->USeuilDecl);
        return;
    }
    const float seuil = seuilLimite(static_cast<float>(std::clamp(valeur, -1e6L, 1e6L)));
    montreSeuil(seuil);
    c_->setSeuilDecl(seuil);
    c_->prepareTousPRX(true);
    nouveauPossible();
}

void TControleurReglages::setModepermanent(bool mp)
{
    TMiseAJour m(*this);
    modePermanent = mp;
    p_.modePermanent = mp;
    p_.modePermanentCoche = mp;
}

// ---- Time base ---------------------------------------------------------------------

void TControleurReglages::ChangeDureeTotale(const std::string& s1)
{
    if (!c_)
        return;
    TMiseAJour m(*this);
    TCentrale& c = *c_;
    long double valeur = c.dureeTotale0X;
    if (vide(s1) || valeurDeTexte(s1, valeur) != valeurLue || !std::isfinite(static_cast<double>(valeur))) {
        vue_.information(messageDureeIncorrecte);
        // Nothing reached the driver: it keeps the duration the box had when
        // it was entered, and the box shows it again.
        if (AncDureeTotale > 0 && AncDureeTotale != c.dureeTotale0X)
            c.setDurees(AncDureeTotale, c.nbPtsAffX, false);
        afficheParametresT();
        return;
    }
    // A zero or negative duration is the unit's shortest one.
    const double duree = std::max(static_cast<double>(std::min(valeur, 3600.0L)), c.dureeMin);
    c.setDurees(duree, c.nbPtsAffX, false);
    apresChangementTemporel();
    prepareCourbesDuRun();
    vue_.demandeEcran(TActionEcran::zoomsAZero);
    vue_.demandeEcran(TActionEcran::redessine);
    prepareCBAjouterCourbes();
    prepareComposantsDeclenchement();
    afficheParametresT();
    nouveauPossible();
    CBDureeTotaleIndex = p_.indexDuree;
}

void TControleurReglages::changeNbPts(const std::string& s1)
{
    if (!c_)
        return;
    TMiseAJour m(*this);
    TCentrale& c = *c_;
    int64_t n = 0;
    if (!entierDeTexte(s1, n)) {
        vue_.information(messageNbPointsIncorrect);
        if (AncNbPtsAff > 0) {
            c.nbPts0X = AncNbPts0X;
            c.nbPtsAffX = AncNbPtsAff;
        }
        afficheParametresT();
        return;
    }
    // The count goes to the driver, which keeps its own when it refuses it:
    // the box, the screen and the measurements then show the driver's.
    c.setDurees(c.dureeTotale0X, n, false);
    apresChangementTemporel();
    prepareCourbesDuRun();
    prepareCBAjouterCourbes();
    afficheParametresT();
    vue_.demandeEcran(TActionEcran::redessine);
    nouveauPossible();
    CBNbPointsIndex = indexDe(p_.points, p_.textePoints);
}

void TControleurReglages::apresChangementTemporel()
{
    TCentrale& c = *c_;
    modeBalayage = c.tRemanence >= c.dureeTotale0X ? 1 : 0;
    c.modeRecuperation = modeBalayage;
    // Before the first acquisition the copies kept for the previous one
    // follow the time base, the number of points included.
    if (premiereAcq)
        mesures_.suitBaseDeTemps({c.dt0X, c.nbPts0X, c.nbPtsAffX, c.dureeTotale0X});
    vue_.demandeEcran(TActionEcran::modeDessin);
    c.NbPtsFifo = tailleBlocFifo(c);
    curseursAuxBornes();
    a_.acquisitionPrecedente = acquisitionPrecedenteDifferente();
}

bool TControleurReglages::acquisitionPrecedenteDifferente() const
{
    return c_ && c_->acquisitionFaite && mesures_.nbVoiesMesurees > 0 && !c_->memesParametresTemporels();
}

void TControleurReglages::RetourAcqPrecedente()
{
    if (!c_ || !c_->acquisitionFaite)
        return;
    TMiseAJour m(*this);
    TCentrale& c = *c_;
    // The displayed count of that acquisition: the threshold trigger's extra
    // sample is the driver's to add, as when the trigger type changes.
    c.setDurees(mesures_.dureeTotaleAX, mesures_.nbPtsAffAX, true);
    modeBalayage = c.tRemanence >= c.dureeTotale0X ? 1 : 0;
    c.modeRecuperation = modeBalayage;
    vue_.demandeEcran(TActionEcran::modeDessin);
    curseursAuxBornes();
    afficheParametresT();
    a_.acquisitionPrecedente = false;
    prepareCBAjouterCourbes();
    prepareComposantsDeclenchement();
    c.prepareTousPRX(true);
    prepareCourbesDuRun();
    vue_.demandeEcran(TActionEcran::redessine);
    nouveauPossible();
}

void TControleurReglages::curseursAuxBornes()
{
    mesures_.curseursAuxBornes(c_->dureeTotale0X);
    vue_.demandeEcran(TActionEcran::curseursMesureAuxBornes);
}

void TControleurReglages::prepareCourbesDuRun()
{
    // The arrays of the next run follow the new settings; the curves already
    // measured stay until a run that does not add to them (or a new
    // experiment), so that a change of settings never loses a measurement.
    mesures_.PrepareTV2(c_->nbVoiesSignaux, c_->nbPts0X, true);
}

void TControleurReglages::nouveauPossible()
{
    if (mode() == TModeGeneral::rienAcquis)
        vue_.setModeGeneral(TModeGeneral::reglageModifie);
    if (!enAcquisition(mode()))
        a_.outil(TBoutonOutil::nouveau) = true;
}

void TControleurReglages::razPanneaux()
{
    TMiseAJour m(*this);
    a_.acquisitionPrecedente = false;
    p_.ajouterCoche = false;
    a_.ajouterCourbes = false;
    p_.modeDiff.fill(false);
    a_.voieCochable.fill(true);
    p_.modePermanentCoche = modePermanent;
}

// ---- Enabling by state --------------------------------------------------------------

void TControleurReglages::desactiveComposantsAcqSimple()
{
    TMiseAJour m(*this);
    a_.baseDeTemps = false;
    a_.typeDecl = a_.sensDecl = a_.voieSynchro = a_.seuil = a_.pretrig = false;
    a_.modePermanent = false;
    a_.acquisitionPrecedente = false;
    a_.ajouterCourbes = false;
    a_.outil(TBoutonOutil::options) = false;
    a_.outil(TBoutonOutil::mesures) = false;
    a_.outil(TBoutonOutil::voirTableau) = false;
    a_.calibre.fill(false);
    a_.voieCochable.fill(false);
    a_.modeDiff.fill(false);
    a_.canal.fill(false);
    desactiveBoutonsOutils();
    vue_.demandeEcran(TActionEcran::zoomsDesactives);
    DesactiveSBCentrales();
}

void TControleurReglages::activeComposantsAcqSimple()
{
    if (!c_)
        return;
    TMiseAJour m(*this);
    a_.baseDeTemps = true;
    a_.typeDecl = true;
    prepareComposantsDeclenchement();
    prepareCBAjouterCourbes();
    for (int i = 0; i < c_->nbEAU && i < 8 && i < static_cast<int>(c_->VoiesX.size()); ++i) {
        const bool reglable = entreeReglable(i);
        a_.voieCochable[std::size_t(i)] = reglable;
        a_.calibre[std::size_t(i)] = reglable && c_->VoiesX[std::size_t(i)].active;
    }
    a_.modeDiff.fill(true);
    a_.canal.fill(true);
    a_.acquisitionPrecedente = acquisitionPrecedenteDifferente();
    a_.modePermanent = true;
    a_.outil(TBoutonOutil::nouveau) = mode() != TModeGeneral::rienAcquis;
    a_.outil(TBoutonOutil::options) = true;
    vue_.demandeEcran(TActionEcran::zoomsPlusSeulement);
    const bool courbesPresentes = mesures_.nbVoiesMesurees > 0;
    for (TBoutonOutil b : {TBoutonOutil::enregistrerRW3, TBoutonOutil::enregistrerTXT, TBoutonOutil::transfertREG,
                           TBoutonOutil::transfertExcel, TBoutonOutil::voirTableau, TBoutonOutil::mesures})
        a_.outil(b) = courbesPresentes;
    a_.outil(TBoutonOutil::transfertREG) = courbesPresentes && environnement.transfertREGPossible;
    a_.outil(TBoutonOutil::transfertOOLO) = courbesPresentes && (environnement.OOInstalle || environnement.LOInstalle);
    activeSBCentrales();
}

void TControleurReglages::desactiveComposantsAcqPermanente()
{
    // The panels stay usable: their changes wait for the next frame.
    TMiseAJour m(*this);
    for (TBoutonOutil b : {TBoutonOutil::options, TBoutonOutil::mesures, TBoutonOutil::voirTableau})
        a_.outil(b) = false;
    desactiveBoutonsOutils();
    DesactiveSBCentrales();
}

void TControleurReglages::activeComposantsAcqPermanente()
{
    TMiseAJour m(*this);
    a_.outil(TBoutonOutil::options) = true;
    a_.acquisitionPrecedente = acquisitionPrecedenteDifferente();
    activeBoutonsOutils();
    activeSBCentrales();
}

void TControleurReglages::activeBoutonsOutils()
{
    TMiseAJour m(*this);
    // A workbook is written without any installed program.
    for (TBoutonOutil b : {TBoutonOutil::voirTableau, TBoutonOutil::mesures, TBoutonOutil::enregistrerRW3,
                           TBoutonOutil::enregistrerTXT, TBoutonOutil::transfertExcel})
        a_.outil(b) = true;
    a_.outil(TBoutonOutil::transfertREG) = environnement.transfertREGPossible;
    a_.outil(TBoutonOutil::nouveau) = mode() != TModeGeneral::rienAcquis;
    a_.outil(TBoutonOutil::transfertOOLO) = environnement.OOInstalle || environnement.LOInstalle;
    vue_.demandeEcran(TActionEcran::tableauPerime);
}

void TControleurReglages::desactiveBoutonsOutils()
{
    TMiseAJour m(*this);
    for (TBoutonOutil b : {TBoutonOutil::voirTableau, TBoutonOutil::mesures, TBoutonOutil::nouveau,
                           TBoutonOutil::enregistrerRW3, TBoutonOutil::transfertREG, TBoutonOutil::enregistrerTXT,
                           TBoutonOutil::transfertOOLO, TBoutonOutil::transfertExcel})
        a_.outil(b) = false;
}

void TControleurReglages::activeSBCentrales()
{
    TMiseAJour m(*this);
    if (environnement.nbBoutonsCentrales >= 2)
        a_.centrales = true;
}

void TControleurReglages::DesactiveSBCentrales()
{
    TMiseAJour m(*this);
    if (environnement.nbBoutonsCentrales >= 2)
        a_.centrales = false;
}

void TControleurReglages::changeActivations(const std::function<void(TActivations&)>& change)
{
    TMiseAJour m(*this);
    change(a_);
}

// ---- Live values --------------------------------------------------------------------

void TControleurReglages::TimerAcqDirTimer()
{
    // Never during a run: a direct measurement reprograms the unit.
    if (!c_ || enAcquisition(mode()))
        return;
    TCentrale& c = *c_;
    if (!c.Presente()) {
        for (int v = 0; v < 8; ++v)
            vue_.montreValeur(v, std::string());
        vue_.relancePresence();
        return;
    }
    c.MesureDirecte();
    for (int j = 0; j < c.nbVoiesSignaux && j < static_cast<int>(c.VoiesActivesSignaux.size()); ++j) {
        const int v = c.VoiesActivesSignaux[std::size_t(j)];
        if (v < 0 || v >= 8 || v >= static_cast<int>(c.VoiesX.size()))
            continue;
        const double u = c.Ux(v, c.VoiesX[std::size_t(v)].mesDir);
        vue_.montreValeur(v, "  " + formatValeur(4, styleIngenieur, u) + "V");
    }
}
