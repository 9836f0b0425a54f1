// The window as the settings controller's view: the panels and the toolbar
// show the controller's data (contents and enabled states), the typed boxes
// report their entering and leaving, and the screen does what the panels
// ask of it.
#include "app/TFicheGVMixte.h"

#include "app/GroupeRadio.h"
#include "app/Messages.h"
#include "display/DessinEcran.h"
#include "model/TCentrale.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
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

// Entering a typed box remembers its value; leaving it applies its text.
// Focus moves to and from the list's popup, or to another window, are
// neither.
class TSuiviSaisie : public QObject {
public:
    TSuiviSaisie(QWidget* controle, std::function<void()> entree, std::function<void()> sortie)
        : QObject(controle), entree_(std::move(entree)), sortie_(std::move(sortie))
    {
    }

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (evenement->type() == QEvent::FocusIn || evenement->type() == QEvent::FocusOut) {
            const Qt::FocusReason raison = static_cast<QFocusEvent*>(evenement)->reason();
            if (raison != Qt::PopupFocusReason && raison != Qt::ActiveWindowFocusReason)
                (evenement->type() == QEvent::FocusIn ? entree_ : sortie_)();
        }
        return QObject::eventFilter(objet, evenement);
    }

private:
    std::function<void()> entree_;
    std::function<void()> sortie_;
};

void active(QWidget* controle, bool oui)
{
    if (controle && controle->isEnabled() != oui)
        controle->setEnabled(oui);
}

void coche(QAbstractButton* boite, bool oui)
{
    if (boite && boite->isChecked() != oui)
        boite->setChecked(oui);
}

void index(QComboBox* liste, int i)
{
    if (liste && liste->currentIndex() != i)
        liste->setCurrentIndex(i);
}

// A list's items, replaced only when they differ (its text goes with them).
bool items(QComboBox* liste, const std::vector<std::string>& textes)
{
    bool pareils = liste->count() == int(textes.size());
    for (int i = 0; pareils && i < liste->count(); ++i)
        pareils = liste->itemText(i) == qs(textes[std::size_t(i)]);
    if (pareils)
        return false;
    liste->clear();
    for (const std::string& t : textes)
        liste->addItem(qs(t));
    return true;
}

// The item of that text, else the text itself in an editable list.
void montreTexte(QComboBox* liste, const QString& texte)
{
    const int i = liste->findText(texte);
    liste->setCurrentIndex(i);
    if (i < 0)
        liste->setEditText(texte);
}

} // namespace

QComboBox* TFicheGVMixte::listeDe(TBoite boite) const
{
    return boite == TBoite::dureeTotale ? CBDureeTotale : CBNbPoints;
}

void TFicheGVMixte::suitSaisie(QWidget* boite, TBoite quoi)
{
    // An editable list's text box stands for the list, which takes the
    // focus on its behalf.
    QWidget* controle = boite;
    if (auto* liste = qobject_cast<QComboBox*>(boite->parentWidget()); liste && liste->lineEdit() == boite)
        controle = liste;
    auto texte = [this, quoi] {
        return (quoi == TBoite::seuil ? EditUSeuilDecl->text() : listeDe(quoi)->currentText()).toStdString();
    };
    auto entree = [this, quoi] {
        controleur_.entreDansBoite(quoi, quoi == TBoite::seuil ? -1 : listeDe(quoi)->currentIndex());
    };
    auto sortie = [this, quoi, texte] { controleur_.quitteBoite(quoi, texte()); };
    controle->installEventFilter(new TSuiviSaisie(controle, entree, sortie));
    if (auto* ligne = qobject_cast<QLineEdit*>(boite))
        connect(ligne, &QLineEdit::returnPressed, this, sortie);
}

// ---- Contents and enabled states ------------------------------------------------

void TFicheGVMixte::montre(const TPanneaux& p, const TActivations& a)
{
    TBloqueur b(bloque);

    // Time base.
    const bool listesNouvelles = items(CBDureeTotale, p.durees) | items(CBNbPoints, p.points);
    if (listesNouvelles || p.versionTemps != versionTempsMontree_) {
        versionTempsMontree_ = p.versionTemps;
        if (p.indexDuree >= 0 && p.indexDuree < CBDureeTotale->count())
            CBDureeTotale->setCurrentIndex(p.indexDuree);
        else
            montreTexte(CBDureeTotale, qs(p.texteDuree));
        montreTexte(CBNbPoints, qs(p.textePoints));
    }
    if (iTe && SP5 && (p.dt0X != dt0XMontre_ || iTe->size() != tailleITe_)) {
        dt0XMontre_ = p.dt0X;
        tailleITe_ = iTe->size();
        QImage image(std::max(iTe->width(), 60), std::max(iTe->height(), 20), QImage::Format_RGB32);
        dessineIntervalle(image, LIntervalle ? LIntervalle->font() : iTe->font(), p.dt0X);
        iTe->setPixmap(QPixmap::fromImage(image));
    }

    // Trigger; the selected type stays when its first item is renamed.
    GBDeclenchement->show();
    GBDeclenchement->setTitle(p.modePermanent ? QStringLiteral("Synchronisation") : QStringLiteral("Déclenchement"));
    CBTypeDeclenchement->setItemText(0, p.modePermanent ? QStringLiteral("aucune") : QStringLiteral("manuel"));
    index(CBTypeDeclenchement, p.typeDecl);
    if (RGSensDeclenchement->itemIndex() != p.sensDecl)
        RGSensDeclenchement->setItemIndex(p.sensDecl);
    items(CBVoieSynchro, p.voiesSynchro);
    index(CBVoieSynchro, p.indexVoieSynchro);
    if (p.versionSeuil != versionSeuilMontree_) {
        versionSeuilMontree_ = p.versionSeuil;
        EditUSeuilDecl->setText(qs(p.seuil));
    }
    index(CBPretrigX, p.indexPretrig);
    coche(CBAjouterCourbes, p.ajouterCoche);
    coche(CBModePermanent, p.modePermanentCoche);

    // Channels.
    for (std::size_t i = 0; i < voies.size(); ++i) {
        TLigneVoie& ligne = voies[i];
        if (!ligne.active)
            continue;
        coche(ligne.active, p.voies[i].coche);
        if (ligne.calibre->itemIndex() != p.voies[i].calibre)
            ligne.calibre->setItemIndex(p.voies[i].calibre);
        if (!p.voies[i].indice.empty())
            ligne.indice->setText(qs(p.voies[i].indice));
        active(ligne.active, a.voieCochable[i]);
        active(ligne.calibre, a.calibre[i]);
        active(ligne.valeur, a.valeur[i]);
    }
    for (std::size_t c = 0; c < CBModeDiff.size(); ++c) {
        coche(CBModeDiff[c], p.modeDiff[c]);
        active(CBModeDiff[c], a.modeDiff[c]);
        active(GBCanaux[c], a.canal[c]);
    }

    // Enabled states of the settings panel and the toolbar.
    for (QWidget* w : std::initializer_list<QWidget*>{CBDureeTotale, CBNbPoints, SBDureeTotalePlus, SBDureeTotaleMoins,
                                                      SBNbPointsPlus, SBNbPointsMoins})
        active(w, a.baseDeTemps);
    active(BAcquisitionPrecedente, a.acquisitionPrecedente);
    active(CBTypeDeclenchement, a.typeDecl);
    active(RGSensDeclenchement, a.sensDecl);
    active(CBVoieSynchro, a.voieSynchro);
    active(LVoieSynchro, a.libelleVoieSynchro);
    active(EditUSeuilDecl, a.seuil);
    active(LUSeuilDecl, a.libelleSeuil);
    active(CBPretrigX, a.pretrig);
    active(LPretrigX, a.libellePretrig);
    active(CBAjouterCourbes, a.ajouterCourbes);
    active(CBModePermanent, a.modePermanent);
    active(BAcquisition, a.demarrer);
    for (int o = 0; o < kNbBoutonsOutils; ++o)
        active(boutonsOutils_[std::size_t(o)], a.outils[std::size_t(o)]);
    // The unit buttons only count with two units or more.
    if (SBCentrales_.size() >= 2)
        for (QToolButton* bouton : SBCentrales_)
            active(bouton, a.centrales);
    dessineLegendesVoies();
}

void TFicheGVMixte::montreValeur(int voie, const std::string& texte)
{
    if (voie >= 0 && voie < int(voies.size()) && voies[std::size_t(voie)].valeur)
        voies[std::size_t(voie)].valeur->setText(qs(texte));
}

void TFicheGVMixte::information(const std::string& texte)
{
    gv::boiteMessage(this, gv::TIconeMessage::Information, qs(texte));
}

void TFicheGVMixte::relancePresence()
{
    if (!TimerPresenceSP5.isActive())
        TimerPresenceSP5.start();
}

void TFicheGVMixte::setModeGeneral(TModeGeneral MG1)
{
    MODEGENERAL = MG1;
    controleur_.changeActivations([MG1](TActivations& a) { a.outil(TBoutonOutil::nouveau) = MG1 != TModeGeneral::rienAcquis; });
}

void TFicheGVMixte::dessineLegendesVoies()
{
    for (std::size_t i = 0; i < voies.size(); ++i) {
        QLabel* legende = voies[i].legende;
        if (!legende)
            continue;
        QImage image(legende->size(), QImage::Format_RGB32);
        dessineLegende(image, static_cast<TColor>(reglages.clsVX[i]));
        legende->setPixmap(QPixmap::fromImage(image));
    }
}

void TFicheGVMixte::TimerAcqDirTimer()
{
    if (!bloqueTimerAcqDirecte)
        controleur_.TimerAcqDirTimer();
}

void TFicheGVMixte::TimerRedimGeneTimer()
{
    TimerRedimGene.stop();
    redimensionnement();
    dessineLegendesVoies();
    MAJTableau();
}

// ---- What the panels ask of the screen ----------------------------------------------

void TFicheGVMixte::demandeEcran(TActionEcran action)
{
    if (!widgetEcran)
        return;
    TGeometrieEcran& g = ecran().geometrie;
    switch (action) {
    case TActionEcran::redessine:
        redessineEcran(true);
        return;
    case TActionEcran::dessinePretrig:
        dessinePretrig();
        return;
    case TActionEcran::zoomsAZero:
        g.setZoomHX(0);
        g.setZoomVX(0);
        break;
    case TActionEcran::zoomsReappliques:
        g.setZoomHX(g.zoomIndexH);
        g.setZoomVX(g.ZoomIndexV);
        break;
    case TActionEcran::modeDessin:
        setModeDessinVM();
        return;
    case TActionEcran::curseursMesureAuxBornes:
        curseursAuxBornes();
        return;
    case TActionEcran::zoomsDesactives:
        g.DesactiverZooms();
        widgetEcran->MAJBarres();
        return;
    case TActionEcran::tableauPerime:
        tableauPerime();
        return;
    case TActionEcran::zoomsPlusSeulement:
        g.boutonsZoom.plusH = g.boutonsZoom.plusV = true;
        g.boutonsZoom.moinsH = g.boutonsZoom.moinsV = false;
        widgetEcran->MAJBarres();
        return;
    }
    // After a zoom change: buttons disabled during a run.
    if (enAcquisition(MODEGENERAL))
        g.DesactiverZooms();
    else
        g.activerZooms();
    widgetEcran->MAJBarres();
}

void TFicheGVMixte::curseursAuxBornes()
{
    if (!widgetEcran || !SP5)
        return;
    mesures.curseursAuxBornes(SP5->dureeTotale0X);
    TGeometrieEcran& g = ecran().geometrie;
    g.t0M = 0;
    g.tFinM = SP5->dureeTotale0X;
    g.calculePixelsCurseurs();
}

void TFicheGVMixte::redessineEcran(bool avecCourbes)
{
    if (!widgetEcran || initialisation)
        return;
    TEcran& e = ecran();
    e.prepareAxesX();
    e.prepareQuadAxes();
    e.prepareEcranVide();
    e.dessineEcranN(avecCourbes);
}

void TFicheGVMixte::dessinePretrig()
{
    if (!widgetEcran || initialisation)
        return;
    ecran().dessinePretrig();
}
