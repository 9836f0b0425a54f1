// The channel, time-base and trigger panels: filling them from the active
// driver, and the changes the user makes in them. Every change goes to the
// driver first; the panels are then refilled from the driver's fields, so
// the driver's corrections are what the user sees. While the permanent mode
// runs, a change is only recorded for the frame loop.
#include "app/TFicheGVMixte.h"

#include "app/GroupeRadio.h"
#include "app/ListesTemporelles.h"
#include "app/Messages.h"
#include "display/Couleurs.h"
#include "display/DessinEcran.h"
#include "display/ParametresTemps.h"
#include "model/TCentrale.h"
#include "model/UniteBaseChaines.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

std::string texteStd(const QString& s)
{
    return s.toStdString();
}

// Restores a flag on leaving a scope, whatever the way out.
class TBloqueur {
public:
    explicit TBloqueur(bool& drapeau) : drapeau_(drapeau), ancien_(drapeau) { drapeau_ = true; }
    ~TBloqueur() { drapeau_ = ancien_; }
    TBloqueur(const TBloqueur&) = delete;
    TBloqueur& operator=(const TBloqueur&) = delete;

private:
    bool& drapeau_;
    bool ancien_;
};

// Items of a list, as texts.
std::vector<std::string> itemsDe(const QComboBox* liste)
{
    std::vector<std::string> items;
    for (int i = 0; i < liste->count(); ++i)
        items.push_back(texteStd(liste->itemText(i)));
    return items;
}

// The list shows one of its items (not a typed text).
int itemChoisi(const QComboBox* liste)
{
    const int index = liste->currentIndex();
    return index >= 0 && liste->itemText(index) == liste->currentText() ? index : -1;
}

void montreTexte(QComboBox* liste, const QString& texte)
{
    const int index = liste->findText(texte);
    liste->setCurrentIndex(index);
    if (index < 0)
        liste->setEditText(texte);
}

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

const QString messageDureeIncorrecte = QStringLiteral("Valeur de durée totale incorrecte. Veuillez rectifier.");
const QString messageNbPointsIncorrect =
    QStringLiteral("Le nombre de points saisi est incorrect. Veuillez rectifier.");
const QString messageSeuilIncorrect =
    QStringLiteral("La valeur du seuil de déclenchement comporte une erreur de saisie.");

} // namespace

// ---- Filling the panels from the driver -------------------------------------

void TFicheGVMixte::prepareCBTemporels(QComboBox* CBDureeTotale1, QComboBox* CBNbPts1)
{
    if (!SP5 || !CBDureeTotale1 || !CBNbPts1)
        return;
    TBloqueur b(bloque);
    TBloqueur be(bloqueExit);
    CBDureeTotale1->clear();
    const int premier = std::max(SP5->idxDureeTotaleMinGV, 0);
    const int dernier = std::min(SP5->idxDureeTotaleMaxGV, static_cast<int>(listeDureesTotales.size()) - 1);
    for (int i = premier; i <= dernier; ++i)
        CBDureeTotale1->addItem(qs(listeDureesTotales[size_t(i)]));
    SP5->DetermineNBPt0XMAx(std::max(SP5->nbVoiesSignaux, 1), SP5->nbPts0XMax);
    const int64_t maximum = SP5->nbPts0XMax;
    CBNbPts1->clear();
    for (const std::string& texte : listeNbPoints) {
        int64_t n = 0;
        if (!entierDeTexte(texte, n) || n >= maximum)
            break;
        CBNbPts1->addItem(qs(texte));
    }
    if (maximum > 0)
        CBNbPts1->addItem(QString::number(maximum));
}

void TFicheGVMixte::prepareComposants()
{
    TBloqueur b(bloque);
    if (GBDeclenchement)
        GBDeclenchement->show();
    if (!SP5) {
        for (TLigneVoie& ligne : voies) {
            if (!ligne.active)
                continue;
            ligne.active->setChecked(false);
            ligne.calibre->setEnabled(false);
            ligne.calibre->setItemIndex(0);
            ligne.valeur->setEnabled(false);
        }
        if (CBTypeDeclenchement)
            CBTypeDeclenchement->setCurrentIndex(0);
        return;
    }
    for (int i = 0; i < SP5->nbEAU && i < 8 && i < static_cast<int>(SP5->VoiesX.size()); ++i) {
        TLigneVoie& ligne = voies[size_t(i)];
        if (!ligne.active)
            continue;
        const bool active = SP5->VoiesX[size_t(i)].active;
        ligne.active->setChecked(active);
        ligne.calibre->setEnabled(active && entreeReglable(i));
        ligne.calibre->setItemIndex(SP5->VoiesX[size_t(i)].idxCalibreUt);
        ligne.valeur->setEnabled(active && entreeReglable(i));
        ligne.active->setEnabled(entreeReglable(i));
    }
    for (int c = 0; c < 4; ++c)
        if (CBModeDiff[size_t(c)])
            CBModeDiff[size_t(c)]->setChecked(canalDifferentiel(c));
    if (CBTypeDeclenchement)
        CBTypeDeclenchement->setCurrentIndex(std::clamp(SP5->modeDecl, 0, 2));
    PrepareComposantsIndicesUx();
    dessineLegendesVoies();
    prepareComposantsDeclenchement();
    prepareCBAjouterCourbes();
    afficheParametresT();
}

bool TFicheGVMixte::controlesDeclenchement() const
{
    return GBDeclenchement && CBTypeDeclenchement && RGSensDeclenchement && LVoieSynchro && CBVoieSynchro &&
           LUSeuilDecl && EditUSeuilDecl && LPretrigX && CBPretrigX && CBModePermanent && CBAjouterCourbes;
}

bool TFicheGVMixte::canalDifferentiel(int32_t canal) const
{
    return SP5 && canal >= 0 && canal < static_cast<int>(SP5->canauxDiff.size()) && SP5->canauxDiff[size_t(canal)];
}

bool TFicheGVMixte::entreeReglable(int32_t voie) const
{
    // The second input of a differential channel is its partner: it has no
    // settings of its own.
    return voie < 4 || !canalDifferentiel(voie % 4);
}

void TFicheGVMixte::PrepareComposantsIndicesUx()
{
    if (!SP5)
        return;
    for (int i = 0; i < SP5->nbEAU && i < 8; ++i)
        if (voies[size_t(i)].indice)
            voies[size_t(i)].indice->setText(qs(SP5->GetCapUInd(i)));
}

void TFicheGVMixte::dessineLegendesVoies()
{
    for (int i = 0; i < 8; ++i) {
        QLabel* legende = voies[size_t(i)].legende;
        if (!legende)
            continue;
        QImage image(legende->size(), QImage::Format_RGB32);
        dessineLegende(image, static_cast<TColor>(reglages.clsVX[size_t(i)]));
        legende->setPixmap(QPixmap::fromImage(image));
    }
}

void TFicheGVMixte::prepareComposantsDeclenchement()
{
    if (!SP5 || !controlesDeclenchement())
        return;
    TBloqueur b(bloque);
    const int mode = SP5->modeDecl;
    const bool seuil = mode == kDeclSeuil;
    const bool externe = mode == kDeclExterne;
    RGSensDeclenchement->setEnabled(seuil || (externe && SP5->chxSensDeclExterne));
    if (seuil)
        RGSensDeclenchement->setItemIndex(SP5->sensDeclSeuil);
    else if (externe)
        RGSensDeclenchement->setItemIndex(SP5->sensDeclEchelon);
    // Filled whatever the type, so that no other unit's channel or threshold
    // stays on show.
    prepareCBVoieSynchro();
    {
        TBloqueur be(bloqueExit);
        EditUSeuilDecl->setText(qs(texteGeneral(SP5->USeuilDecl, 6)));
    }
    LVoieSynchro->setEnabled(seuil);
    EditUSeuilDecl->setEnabled(seuil);
    LUSeuilDecl->setEnabled(seuil);
    if (!seuil && !externe) {
        pretrigActif = false;
        CBPretrigX->setEnabled(false);
        LPretrigX->setEnabled(false);
        return;
    }
    pretrigActif = !(reglages.tMaxPretrigDispo < 0.999L * SP5->dureeTotale0X);
    CBPretrigX->setEnabled(pretrigActif);
    LPretrigX->setEnabled(pretrigActif);
    CBPretrigX->setCurrentIndex(pretrigActif ? std::clamp(SP5->idxPretrig, 0, CBPretrigX->count() - 1) : 0);
    changePretrig(pretrigActif ? CBPretrigX->currentIndex() : 0);
}

void TFicheGVMixte::prepareCBVoieSynchro()
{
    if (!SP5 || !controlesDeclenchement())
        return;
    TBloqueur b(bloque);
    CBVoieSynchro->clear();
    entreesVoieSynchro.clear();
    for (int i = 0; i < SP5->nbEAU && i < static_cast<int>(SP5->VoiesX.size()); ++i) {
        if (!SP5->VoiesX[size_t(i)].active)
            continue;
        if (i >= SP5->nbCanaux_ && canalDifferentiel(i % 4))
            continue;
        CBVoieSynchro->addItem(i < static_cast<int>(SP5->sEntrees.size()) ? qs(SP5->sEntrees[size_t(i)]) : QString());
        entreesVoieSynchro.push_back(i);
    }
    if (!entreesVoieSynchro.empty()) {
        SP5->setVoieSynchro(SP5->voieSynchro, true);
        CBVoieSynchro->setCurrentIndex(indexVoieSynchro());
    }
    CBVoieSynchro->setEnabled(SP5->modeDecl == kDeclSeuil && CBVoieSynchro->count() > 1);
}

int TFicheGVMixte::indexVoieSynchro() const
{
    // The list is in input order; the driver's own index counts its signals
    // in its order, which is not always the same.
    const auto trouvee = std::find(entreesVoieSynchro.begin(), entreesVoieSynchro.end(), SP5->voieSynchro);
    if (trouvee != entreesVoieSynchro.end())
        return static_cast<int>(trouvee - entreesVoieSynchro.begin());
    return entreesVoieSynchro.empty() ? -1 : 0;
}

void TFicheGVMixte::prepareCBAjouterCourbes()
{
    if (!CBAjouterCourbes)
        return;
    peutAjouter = SP5 && SP5->memesParametresTemporels() && SP5->acquisitionFaite && mesures.nbVoiesMesurees > 0;
    CBAjouterCourbes->setEnabled(peutAjouter);
    if (!peutAjouter) {
        // Curves of another timing cannot share the time axis.
        TBloqueur b(bloque);
        CBAjouterCourbes->setChecked(false);
    }
}

void TFicheGVMixte::afficheParametresT()
{
    if (!SP5)
        return;
    if (iTe) {
        QImage image(std::max(iTe->width(), 60), std::max(iTe->height(), 20), QImage::Format_RGB32);
        dessineIntervalle(image, LIntervalle ? LIntervalle->font() : iTe->font(), SP5->dt0X);
        iTe->setPixmap(QPixmap::fromImage(image));
    }
    TBloqueur b(bloque);
    TBloqueur be(bloqueExit);
    if (CBDureeTotale) {
        const int index = indexDureeDansListe(itemsDe(CBDureeTotale), SP5->dureeTotale0X);
        if (index >= 0)
            CBDureeTotale->setCurrentIndex(index);
        else
            montreTexte(CBDureeTotale, qs(texteDureeTotale(SP5->dureeTotale0X)));
    }
    if (CBNbPoints)
        montreTexte(CBNbPoints, QString::number(SP5->nbPtsAffX));
}

// ---- Channel controls ----------------------------------------------------------

void TFicheGVMixte::Changements(QObject* sender)
{
    if (bloque || !SP5 || !sender)
        return;
    if (sender == SBDureeTotalePlus || sender == SBDureeTotaleMoins || sender == SBNbPointsPlus ||
        sender == SBNbPointsMoins) {
        pasAPas(sender);
        return;
    }
    const int tag = sender->property("tag").toInt();
    TTypeSortieMP code = TTypeSortieMP::aucune;
    if (auto* groupe = qobject_cast<TGroupeRadio*>(sender); groupe && tag >= 300 && tag < 308) {
        MPEntree = tag - 300;
        MPCalibre = groupe->itemIndex();
        code = TTypeSortieMP::calibre;
    } else if (auto* boite = qobject_cast<QCheckBox*>(sender); boite && tag >= 100 && tag < 108) {
        MPEntree = tag - 100;
        MPVoieActive = boite->isChecked();
        code = TTypeSortieMP::activationVoie;
    } else if (boite && tag >= 200 && tag < 204) {
        MPEntree = tag - 200;
        MPModeDiff = boite->isChecked();
        code = TTypeSortieMP::modeDiff;
    } else {
        return;
    }
    if (enAcquisition(MODEGENERAL)) {
        SP5->arreteAcq();
        enregistreChangement(code);
        return;
    }
    switch (code) {
    case TTypeSortieMP::activationVoie:
        activationVoie(MPEntree, MPVoieActive);
        break;
    case TTypeSortieMP::calibre:
        changeCalibre(MPEntree, MPCalibre);
        break;
    default:
        activationModeDiff(MPEntree, MPModeDiff);
        break;
    }
    if (MODEGENERAL == TModeGeneral::rienAcquis)
        setModeGeneral(TModeGeneral::reglageModifie);
}

void TFicheGVMixte::enregistreChangement(TTypeSortieMP code)
{
    drapeaux.typeSortieMP = code;
    drapeaux.nouveauxParametres = true;
}

void TFicheGVMixte::pasAPas(QObject* bouton)
{
    const bool duree = bouton == SBDureeTotalePlus || bouton == SBDureeTotaleMoins;
    const int sens = bouton == SBDureeTotalePlus || bouton == SBNbPointsPlus ? 1 : -1;
    QComboBox* liste = duree ? CBDureeTotale : CBNbPoints;
    const int index = itemChoisi(liste);
    long double tape = duree ? SP5->dureeTotale0X : static_cast<long double>(SP5->nbPtsAffX);
    if (index < 0)
        valeurDeTexte(texteStd(liste->currentText()), tape);
    const int choisi = gv::itemVoisin(itemsDe(liste), index, tape, sens);
    if (choisi < 0)
        return;
    if (index >= 0) {
        TBloqueur b(bloque);
        liste->setCurrentIndex(choisi);
    }
    const std::string texte = texteStd(liste->itemText(choisi));
    if (MODEGENERAL == TModeGeneral::permanentEnCours) {
        (duree ? MPDureeTotale : MPNbPts) = texte;
        enregistreChangement(duree ? TTypeSortieMP::dureeTotale : TTypeSortieMP::nbPoints);
        return;
    }
    if (duree)
        ChangeDureeTotale(texte);
    else
        changeNbPts(texte);
    if (MODEGENERAL == TModeGeneral::rienAcquis)
        setModeGeneral(TModeGeneral::reglageModifie);
    saisieModifiee_ = false;
}

void TFicheGVMixte::activationVoie(int32_t voie1, bool active1)
{
    if (!SP5 || voie1 < 0 || voie1 >= SP5->nbEAU || voie1 >= 8)
        return;
    TLigneVoie& ligne = voies[size_t(voie1)];
    if (active1) {
        SP5->activeVoieA(static_cast<uint8_t>(voie1), false);
    } else {
        SP5->desactiveVoieA(static_cast<uint8_t>(voie1), false);
        if (ligne.valeur)
            ligne.valeur->clear();
    }
    const bool active = SP5->VoiesX[size_t(voie1)].active;
    if (ligne.active) {
        TBloqueur b(bloque);
        ligne.active->setChecked(active);
    }
    if (ligne.calibre)
        ligne.calibre->setEnabled(active);
    if (ligne.valeur)
        ligne.valeur->setEnabled(active);
    SP5->determine_tSkipAcquisition();
    prepareComposantsDeclenchement();
    afficheParametresT();
    zoomsReappliques();
    prepareCBVoieSynchro();
    prepareCBAjouterCourbes();
    SP5->prepareTousPRX(false);
    setModeDessinVM();
    if (SP5->nbVoiesActivesX > 0) {
        SP5->prepareInterfacePourAcq(false);
        prepareCourbesDuRun();
        redessineEcran(true);
        SP5->PrepareIdxTraitGV();
    } else if (enAcquisition(MODEGENERAL)) {
        // Nothing left to measure: the run ends as if stopped, and closes
        // its curves the normal way.
        drapeaux.stop = true;
        if (MODEGENERAL == TModeGeneral::permanentEnCours)
            enregistreChangement(TTypeSortieMP::arretUtilisateur);
    } else {
        redessineEcran(true);
    }
    nouveauPossible();
}

void TFicheGVMixte::activationModeDiff(int32_t voie1, bool actif1)
{
    if (!SP5 || voie1 < 0 || voie1 >= SP5->nbCanaux_)
        return;
    SP5->setModeDiff(voie1, actif1, false);
    SP5->determine_tSkipAcquisition();
    prepareComposantsDeclenchement();
    afficheParametresT();
    const int partenaire = voie1 + 4;
    if (partenaire < SP5->nbEAU && partenaire < 8 && voies[size_t(partenaire)].active) {
        const bool reglable = entreeReglable(partenaire);
        voies[size_t(partenaire)].active->setEnabled(reglable);
        voies[size_t(partenaire)].calibre->setEnabled(reglable && SP5->VoiesX[size_t(partenaire)].active);
        // The partner is no signal of its own any more: no live value.
        voies[size_t(partenaire)].valeur->setEnabled(reglable && SP5->VoiesX[size_t(partenaire)].active);
        if (!reglable)
            voies[size_t(partenaire)].valeur->clear();
    }
    SP5->prepareTousPRX(true);
    zoomsReappliques();
    prepareCBAjouterCourbes();
    prepareCBVoieSynchro();
    PrepareComposantsIndicesUx();
    prepareCourbesDuRun();
    redessineEcran(true);
    nouveauPossible();
}

float TFicheGVMixte::limiteSeuil() const
{
    // 90 % of the trigger channel's calibre. The calibres in whole volts
    // (calibresDispo) lose the SP5's ±0.2 V and the V6's virtual calibres;
    // the real full scales come first.
    if (!SP5 || SP5->voieSynchro < 0 || SP5->voieSynchro >= static_cast<int>(SP5->VoiesX.size()))
        return 0;
    const int k = SP5->VoiesX[size_t(SP5->voieSynchro)].idxCalibreUt;
    float calibre = 0;
    if (k >= 0 && k < static_cast<int>(SP5->calibresEAStandard.size()))
        calibre = SP5->calibresEAStandard[size_t(k)];
    if (calibre <= 0 && k >= 0 && k < 8)
        calibre = static_cast<float>(SP5->calibresDispo[size_t(k)]);
    return 0.9f * std::max(calibre, 0.0f);
}

float TFicheGVMixte::seuilLimite(float u) const
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

void TFicheGVMixte::changeCalibre(int32_t voie1, int32_t calibre1)
{
    if (!SP5 || voie1 < 0 || voie1 >= SP5->nbEAU || calibre1 < 0)
        return;
    // The user's choice is the window's to keep; the driver may still move
    // it off a calibre it cannot use.
    SP5->VoiesX[size_t(voie1)].idxCalibreUt = calibre1;
    SP5->setCal(static_cast<uint8_t>(voie1), calibre1, false);
    SP5->determine_tSkipAcquisition();
    if (voie1 == SP5->voieSynchro && EditUSeuilDecl) {
        SP5->setSeuilDecl(seuilLimite(SP5->USeuilDecl));
        TBloqueur be(bloqueExit);
        EditUSeuilDecl->setText(qs(texteGeneral(SP5->USeuilDecl, 6)));
    }
    SP5->Reset();
    SP5->prepareTousPRX(true);
    prepareCBAjouterCourbes();
    zoomsReappliques();
    redessineEcran(true);
    nouveauPossible();
}

// ---- Trigger --------------------------------------------------------------------

void TFicheGVMixte::changeTypeDecl(int32_t typeDecl1)
{
    if (!SP5)
        return;
    // The displayed count stays what the user chose: a driver that re-rounds
    // its time base from the acquired count would add the extra point of
    // the threshold trigger to it at every switch.
    const int64_t affiches = SP5->nbPtsAffX;
    const double duree = SP5->dureeTotale0X;
    SP5->setModeDeclenchement(typeDecl1, true);
    // The threshold trigger acquires one point more than shown, for the
    // interpolation of the trigger instant; the driver counts it.
    SP5->setDurees(duree, affiches, true);
    prepareCourbesDuRun();
    prepareComposantsDeclenchement();
    drapeaux.nouveauxParametres = true;
}

void TFicheGVMixte::changeSensDecl(int32_t sensDecl1)
{
    if (!SP5)
        return;
    if (SP5->modeDecl == kDeclSeuil)
        SP5->setSensDeclSeuil(sensDecl1, true);
    else if (SP5->modeDecl == kDeclExterne)
        SP5->setSensDeclEchelon(sensDecl1, true);
}

void TFicheGVMixte::changeVoieSynchro(int32_t index1)
{
    if (!SP5 || !controlesDeclenchement() || index1 < 0 || index1 >= static_cast<int>(entreesVoieSynchro.size()))
        return;
    SP5->setVoieSynchro(entreesVoieSynchro[size_t(index1)], true);
    TBloqueur b(bloque);
    CBVoieSynchro->setCurrentIndex(indexVoieSynchro());
    // The threshold keeps within the new channel's calibre.
    const float seuil = seuilLimite(SP5->USeuilDecl);
    if (seuil != SP5->USeuilDecl) {
        SP5->setSeuilDecl(seuil);
        SP5->prepareTousPRX(true);
        TBloqueur be(bloqueExit);
        EditUSeuilDecl->setText(qs(texteGeneral(SP5->USeuilDecl, 6)));
    }
}

void TFicheGVMixte::changePretrig(int32_t index1)
{
    if (!SP5)
        return;
    SP5->setPretrig(index1, true);
    afficheParametresT();
}

void TFicheGVMixte::changeUSeuil(const std::string& s1)
{
    if (!SP5 || !EditUSeuilDecl)
        return;
    TBloqueur be(bloqueExit);
    long double valeur = SP5->USeuilDecl;
    const bool vide = s1.find_first_not_of(" \t") == std::string::npos;
    if (vide || valeurDeTexte(s1, valeur) != valeurLue || !std::isfinite(static_cast<double>(valeur))) {
        gv::boiteMessage(this, gv::TIconeMessage::Information, messageSeuilIncorrect);
        SP5->setSeuilDecl(AncUSeuilDecl);
        EditUSeuilDecl->setText(qs(texteGeneral(SP5->USeuilDecl, 6)));
        return;
    }
    const float seuil = seuilLimite(static_cast<float>(std::clamp(valeur, -1e6L, 1e6L)));
    EditUSeuilDecl->setText(qs(texteGeneral(seuil, 6)));
    SP5->setSeuilDecl(seuil);
    SP5->prepareTousPRX(true);
    nouveauPossible();
}

void TFicheGVMixte::RBMesuresPeriodiquesClick(QObject* sender)
{
    if (bloque || !SP5 || !sender || !controlesDeclenchement())
        return;
    if (sender == CBModePermanent) {
        const bool coche = CBModePermanent->isChecked();
        if (MODEGENERAL == TModeGeneral::permanentEnCours) {
            if (coche)
                return;
            if (modeBalayage == 1) {
                // Fast frames: the frame in progress is completed first.
                drapeaux.typeSortieMP = TTypeSortieMP::arretTramesRapides;
                typeSortieMP1 = -1;
            } else {
                enregistreChangement(TTypeSortieMP::arretUtilisateur);
                drapeaux.stop = true;
                setModepermanent(false);
                setModeGeneral(TModeGeneral::permanentArrete);
            }
            return;
        }
        setModepermanent(coche);
        setModeGeneral(coche ? TModeGeneral::permanentArrete : TModeGeneral::acquisitionFinie);
        return;
    }
    if (sender == CBAjouterCourbes)
        return; // read when the next run starts
    if (MODEGENERAL == TModeGeneral::permanentEnCours) {
        if (sender == CBTypeDeclenchement) {
            MPTypeDecl = CBTypeDeclenchement->currentIndex();
            enregistreChangement(TTypeSortieMP::typeDeclenchement);
        } else if (sender == RGSensDeclenchement) {
            MPSensDecl = RGSensDeclenchement->itemIndex();
            enregistreChangement(TTypeSortieMP::sensDeclenchement);
        } else if (sender == CBVoieSynchro) {
            MPVoieSynchro = CBVoieSynchro->currentIndex();
            enregistreChangement(TTypeSortieMP::voieSynchro);
        } else if (sender == CBPretrigX) {
            MPPretrig = CBPretrigX->currentIndex();
            enregistreChangement(TTypeSortieMP::pretrig);
        }
        return;
    }
    if (sender == CBTypeDeclenchement) {
        changeTypeDecl(CBTypeDeclenchement->currentIndex());
        if (SP5->modeDecl == kDeclImmediat) {
            redessineEcran(true);
            return;
        }
        dessinePretrig();
    } else if (sender == RGSensDeclenchement) {
        changeSensDecl(RGSensDeclenchement->itemIndex());
    } else if (sender == CBVoieSynchro) {
        changeVoieSynchro(CBVoieSynchro->currentIndex());
    } else if (sender == CBPretrigX) {
        changePretrig(CBPretrigX->currentIndex());
        redessineEcran(true);
        dessinePretrig();
    }
    if (MODEGENERAL == TModeGeneral::rienAcquis)
        setModeGeneral(TModeGeneral::reglageModifie);
}

void TFicheGVMixte::setModepermanent(bool mp)
{
    modePermanent = mp;
    if (GBDeclenchement)
        GBDeclenchement->setTitle(mp ? QStringLiteral("Synchronisation") : QStringLiteral("Déclenchement"));
    if (CBTypeDeclenchement) {
        TBloqueur b(bloque);
        const int index = CBTypeDeclenchement->currentIndex();
        CBTypeDeclenchement->setItemText(0, mp ? QStringLiteral("aucune") : QStringLiteral("manuel"));
        CBTypeDeclenchement->setCurrentIndex(index);
    }
    if (CBModePermanent && CBModePermanent->isChecked() != mp) {
        TBloqueur b(bloque);
        CBModePermanent->setChecked(mp);
    }
}

// ---- Time base --------------------------------------------------------------------

void TFicheGVMixte::ChangeDureeTotale(const std::string& s1)
{
    if (!SP5)
        return;
    long double valeur = SP5->dureeTotale0X;
    const bool vide = s1.find_first_not_of(" \t") == std::string::npos;
    if (vide || valeurDeTexte(s1, valeur) != valeurLue || !(valeur > 0) || !std::isfinite(static_cast<double>(valeur))) {
        gv::boiteMessage(this, gv::TIconeMessage::Information, messageDureeIncorrecte);
        // Nothing reached the driver: it keeps the duration the box had when
        // it was entered, and the box shows it again.
        if (AncDureeTotale > 0 && AncDureeTotale != SP5->dureeTotale0X)
            SP5->setDurees(AncDureeTotale, SP5->nbPtsAffX, false);
        afficheParametresT();
        return;
    }
    const double duree = std::max(static_cast<double>(std::min(valeur, 3600.0L)), SP5->dureeMin);
    SP5->setDurees(duree, SP5->nbPtsAffX, false);
    apresChangementTemporel();
    prepareCourbesDuRun();
    zoomsAZero();
    redessineEcran(true);
    prepareCBAjouterCourbes();
    prepareComposantsDeclenchement();
    afficheParametresT();
    nouveauPossible();
    CBDureeTotaleIndex = CBDureeTotale ? CBDureeTotale->currentIndex() : -1;
}

void TFicheGVMixte::changeNbPts(const std::string& s1)
{
    if (!SP5)
        return;
    int64_t n = 0;
    if (!entierDeTexte(s1, n)) {
        gv::boiteMessage(this, gv::TIconeMessage::Information, messageNbPointsIncorrect);
        if (AncNbPtsAff > 0) {
            SP5->nbPts0X = AncNbPts0X;
            SP5->nbPtsAffX = AncNbPtsAff;
        }
        afficheParametresT();
        return;
    }
    SP5->nbPtsAffX = n;
    SP5->setDurees(SP5->dureeTotale0X, SP5->nbPtsAffX, false);
    apresChangementTemporel();
    prepareCourbesDuRun();
    prepareCBAjouterCourbes();
    afficheParametresT();
    redessineEcran(true);
    nouveauPossible();
    CBNbPointsIndex = CBNbPoints ? CBNbPoints->currentIndex() : -1;
}

void TFicheGVMixte::apresChangementTemporel()
{
    modeBalayage = SP5->tRemanence >= SP5->dureeTotale0X ? 1 : 0;
    SP5->modeRecuperation = modeBalayage;
    if (premiereAcq) {
        mesures.dtAX = SP5->dt0X;
        mesures.dureeTotaleAX = SP5->dureeTotale0X;
    }
    setModeDessinVM();
    SP5->NbPtsFifo = tailleBlocFifo(*SP5);
    curseursAuxBornes();
    if (BAcquisitionPrecedente)
        BAcquisitionPrecedente->setEnabled(acquisitionPrecedenteDifferente());
}

bool TFicheGVMixte::acquisitionPrecedenteDifferente()
{
    return SP5 && SP5->acquisitionFaite && mesures.nbVoiesMesurees > 0 && !SP5->memesParametresTemporels();
}

void TFicheGVMixte::RetourAcqPrecedente()
{
    if (!SP5 || !SP5->acquisitionFaite)
        return;
    SP5->setDurees(mesures.dureeTotaleAX, mesures.nbPtsAX, true);
    modeBalayage = SP5->tRemanence >= SP5->dureeTotale0X ? 1 : 0;
    SP5->modeRecuperation = modeBalayage;
    setModeDessinVM();
    curseursAuxBornes();
    afficheParametresT();
    if (BAcquisitionPrecedente)
        BAcquisitionPrecedente->setEnabled(false);
    prepareCBAjouterCourbes();
    prepareComposantsDeclenchement();
    SP5->prepareTousPRX(true);
    prepareCourbesDuRun();
    redessineEcran(true);
    nouveauPossible();
}

// ---- The typed boxes ----------------------------------------------------------------

void TFicheGVMixte::CBDureeTotaleEnter(QObject* sender)
{
    if (!SP5)
        return;
    if (sender == CBDureeTotale) {
        CBDureeTotaleIndex = CBDureeTotale->currentIndex();
        AncDureeTotale = SP5->dureeTotale0X;
    } else if (sender == CBNbPoints) {
        CBNbPointsIndex = CBNbPoints->currentIndex();
        AncNbPts0X = SP5->nbPts0X;
        AncNbPtsAff = SP5->nbPtsAffX;
    } else if (sender == EditUSeuilDecl) {
        AncUSeuilDecl = SP5->USeuilDecl;
    }
    saisieManuelle = true;
    saisieModifiee_ = false;
}

void TFicheGVMixte::CBDureeTotaleChange(QObject* sender)
{
    // Typed text waits for the box to be left (or Enter), even when the box
    // had the focus before the panel was filled.
    if (bloque || !SP5)
        return;
    if (!saisieManuelle)
        CBDureeTotaleEnter(sender);
    saisieModifiee_ = true;
}

void TFicheGVMixte::CBDureeTotaleSelect(QObject* sender)
{
    // A choice in the list is applied at once, even with the box focused:
    // the user sees the new duration before leaving it.
    if (bloque || !SP5 || (sender != CBDureeTotale && sender != CBNbPoints))
        return;
    auto* liste = static_cast<QComboBox*>(sender);
    const std::string texte = texteStd(liste->currentText());
    const bool duree = sender == CBDureeTotale;
    if (MODEGENERAL == TModeGeneral::permanentEnCours) {
        (duree ? MPDureeTotale : MPNbPts) = texte;
        enregistreChangement(duree ? TTypeSortieMP::dureeTotale : TTypeSortieMP::nbPoints);
        return;
    }
    if (MODEGENERAL == TModeGeneral::acquisitionEnCours)
        return;
    if (duree)
        ChangeDureeTotale(texte);
    else
        changeNbPts(texte);
    if (MODEGENERAL == TModeGeneral::rienAcquis)
        setModeGeneral(TModeGeneral::reglageModifie);
    // What the box now shows is the applied value.
    if (liste->hasFocus())
        CBDureeTotaleEnter(sender);
}

void TFicheGVMixte::EditNbPointsExit(QObject* sender)
{
    if (bloqueExit || !SP5 || !sender)
        return;
    TBloqueur be(bloqueExit);
    if (sender == BAcquisitionPrecedente) {
        if (MODEGENERAL == TModeGeneral::permanentEnCours)
            enregistreChangement(TTypeSortieMP::acquisitionPrecedente);
        else
            RetourAcqPrecedente();
        return;
    }
    QString texte;
    if (sender == CBDureeTotale || sender == CBNbPoints)
        texte = static_cast<QComboBox*>(sender)->currentText();
    else if (sender == EditUSeuilDecl)
        texte = EditUSeuilDecl->text();
    else
        return;
    saisieManuelle = false;
    // Entering and leaving a box without typing changes nothing.
    if (!saisieModifiee_)
        return;
    saisieModifiee_ = false;
    const std::string s = texteStd(texte);
    if (sender == CBDureeTotale) {
        if (MODEGENERAL == TModeGeneral::permanentEnCours) {
            MPDureeTotale = s;
            enregistreChangement(TTypeSortieMP::dureeTotale);
            return;
        }
        ChangeDureeTotale(s);
    } else if (sender == CBNbPoints) {
        if (MODEGENERAL == TModeGeneral::permanentEnCours) {
            MPNbPts = s;
            enregistreChangement(TTypeSortieMP::nbPoints);
            return;
        }
        changeNbPts(s);
    } else {
        if (MODEGENERAL == TModeGeneral::permanentEnCours) {
            MPUSeuil = s;
            enregistreChangement(TTypeSortieMP::seuil);
            return;
        }
        changeUSeuil(s);
    }
    if (MODEGENERAL == TModeGeneral::rienAcquis)
        setModeGeneral(TModeGeneral::reglageModifie);
}
