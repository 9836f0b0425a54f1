// Which controls of the panels and of the toolbar are usable in each state
// of the window, the live values of the inputs, the typed boxes' entering
// and leaving, the reduce buttons of the panels, and the screen updates the
// panels ask for.
#include "app/TFicheGVMixte.h"

#include "app/GroupeRadio.h"
#include "model/TCentrale.h"
#include "model/UniteBaseChaines.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

// Entering a typed box remembers its value; leaving it applies its text.
// Focus moves to and from the list's popup, or to another window, are
// neither.
class TSuiviSaisie : public QObject {
public:
    TSuiviSaisie(TFicheGVMixte& fiche, QWidget* boite, QObject* controle)
        : QObject(boite), fiche_(fiche), controle_(controle)
    {
    }

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (evenement->type() == QEvent::FocusIn || evenement->type() == QEvent::FocusOut) {
            const Qt::FocusReason raison = static_cast<QFocusEvent*>(evenement)->reason();
            if (raison != Qt::PopupFocusReason && raison != Qt::ActiveWindowFocusReason) {
                if (evenement->type() == QEvent::FocusIn)
                    fiche_.CBDureeTotaleEnter(controle_);
                else
                    fiche_.EditNbPointsExit(controle_);
            }
        }
        return QObject::eventFilter(objet, evenement);
    }

private:
    TFicheGVMixte& fiche_;
    QObject* controle_;
};

void active(QWidget* controle, bool oui)
{
    if (controle)
        controle->setEnabled(oui);
}

} // namespace

void TFicheGVMixte::suitSaisie(QWidget* boite)
{
    // An editable list's text box stands for the list, which takes the
    // focus on its behalf.
    QWidget* controle = boite;
    if (auto* liste = qobject_cast<QComboBox*>(boite->parentWidget()); liste && liste->lineEdit() == boite)
        controle = liste;
    controle->installEventFilter(new TSuiviSaisie(*this, controle, controle));
    if (auto* ligne = qobject_cast<QLineEdit*>(boite))
        connect(ligne, &QLineEdit::returnPressed, this, [this, controle] { EditNbPointsExit(controle); });
}

// ---- Enabling by state -----------------------------------------------------------

void TFicheGVMixte::desactiveComposantsAcqSimple()
{
    for (QWidget* controle : std::initializer_list<QWidget*>{
             CBDureeTotale, CBNbPoints, SBDureeTotalePlus, SBDureeTotaleMoins, SBNbPointsPlus, SBNbPointsMoins,
             CBTypeDeclenchement, RGSensDeclenchement, CBVoieSynchro, EditUSeuilDecl, CBPretrigX, CBModePermanent,
             BAcquisitionPrecedente, CBAjouterCourbes, SBOptions, SBMesures, SBVoirTableau})
        active(controle, false);
    for (TLigneVoie& ligne : voies) {
        active(ligne.calibre, false);
        active(ligne.active, false);
    }
    for (int c = 0; c < 4; ++c) {
        active(CBModeDiff[size_t(c)], false);
        active(GBCanaux[size_t(c)], false);
    }
    desactiveBoutonsOutils();
    if (widgetEcran) {
        ecran().geometrie.DesactiverZooms();
        widgetEcran->MAJBarres();
    }
    DesactiveSBCentrales();
}

void TFicheGVMixte::activeComposantsAcqSimple()
{
    if (!SP5)
        return;
    for (QWidget* controle : std::initializer_list<QWidget*>{CBDureeTotale, CBNbPoints, SBDureeTotalePlus,
                                                             SBDureeTotaleMoins, SBNbPointsPlus, SBNbPointsMoins,
                                                             CBTypeDeclenchement})
        active(controle, true);
    prepareComposantsDeclenchement();
    prepareCBAjouterCourbes();
    for (int i = 0; i < SP5->nbEAU && i < 8 && i < static_cast<int>(SP5->VoiesX.size()); ++i) {
        const bool reglable = entreeReglable(i);
        active(voies[size_t(i)].active, reglable);
        active(voies[size_t(i)].calibre, reglable && SP5->VoiesX[size_t(i)].active);
    }
    for (int c = 0; c < 4; ++c) {
        active(CBModeDiff[size_t(c)], true);
        active(GBCanaux[size_t(c)], true);
    }
    active(BAcquisitionPrecedente, acquisitionPrecedenteDifferente());
    active(CBModePermanent, true);
    active(SBNouveau, MODEGENERAL != TModeGeneral::rienAcquis);
    active(SBOptions, true);
    if (widgetEcran) {
        TBoutonsZoom& zoom = ecran().geometrie.boutonsZoom;
        zoom.plusH = zoom.plusV = true;
        zoom.moinsH = zoom.moinsV = false;
        widgetEcran->MAJBarres();
    }
    const bool courbesPresentes = mesures.nbVoiesMesurees > 0;
    for (QToolButton* bouton : {SBenregistrerRW3, SBenregistrerTXT, SBTransfertDirectREG, SBTransfertDirectExcel,
                                SBVoirTableau, SBMesures})
        active(bouton, courbesPresentes);
    active(SBtransfertDirectOOLO, courbesPresentes && (OOInstalle || LOInstalle));
    activeSBCentrales();
}

void TFicheGVMixte::desactiveComposantsAcqPermanente()
{
    // The panels stay usable: their changes wait for the next frame.
    for (QToolButton* bouton : {SBOptions, SBMesures, SBVoirTableau})
        active(bouton, false);
    desactiveBoutonsOutils();
    DesactiveSBCentrales();
}

void TFicheGVMixte::activeComposantsAcqPermanente()
{
    active(SBOptions, true);
    active(BAcquisitionPrecedente, acquisitionPrecedenteDifferente());
    activeBoutonsOutils();
    activeSBCentrales();
}

void TFicheGVMixte::activeBoutonsOutils()
{
    for (QToolButton* bouton : {SBVoirTableau, SBMesures, SBenregistrerRW3, SBTransfertDirectREG, SBenregistrerTXT})
        active(bouton, true);
    active(SBNouveau, MODEGENERAL != TModeGeneral::rienAcquis);
    active(SBtransfertDirectOOLO, OOInstalle || LOInstalle);
    active(SBTransfertDirectExcel, msOfficeInstalle);
}

void TFicheGVMixte::desactiveBoutonsOutils()
{
    for (QToolButton* bouton : {SBVoirTableau, SBMesures, SBNouveau, SBenregistrerRW3, SBTransfertDirectREG,
                                SBenregistrerTXT, SBtransfertDirectOOLO, SBTransfertDirectExcel})
        active(bouton, false);
}

void TFicheGVMixte::activeSBCentrales()
{
    if (SBCentrales_.size() >= 2)
        for (QToolButton* bouton : SBCentrales_)
            bouton->setEnabled(true);
}

void TFicheGVMixte::DesactiveSBCentrales()
{
    if (SBCentrales_.size() >= 2)
        for (QToolButton* bouton : SBCentrales_)
            bouton->setEnabled(false);
}

// ---- Live values ---------------------------------------------------------------------

void TFicheGVMixte::TimerAcqDirTimer()
{
    // Never during a run: a direct measurement reprograms the unit.
    if (bloqueTimerAcqDirecte || !SP5 || enAcquisition(MODEGENERAL))
        return;
    if (!SP5->Presente()) {
        for (TLigneVoie& ligne : voies)
            if (ligne.valeur)
                ligne.valeur->clear();
        if (!TimerPresenceSP5.isActive())
            TimerPresenceSP5.start();
        return;
    }
    SP5->MesureDirecte();
    for (int j = 0; j < SP5->nbVoiesSignaux && j < static_cast<int>(SP5->VoiesActivesSignaux.size()); ++j) {
        const int v = SP5->VoiesActivesSignaux[size_t(j)];
        if (v < 0 || v >= 8 || v >= static_cast<int>(SP5->VoiesX.size()) || !voies[size_t(v)].valeur)
            continue;
        const double u = SP5->Ux(v, SP5->VoiesX[size_t(v)].mesDir);
        voies[size_t(v)].valeur->setText(QStringLiteral("  ") +
                                         QString::fromStdString(formatValeur(4, styleIngenieur, u)) +
                                         QStringLiteral("V"));
    }
}

// ---- Reducing the panels, resizing the window ---------------------------------------

void TFicheGVMixte::SBRedRegVoiesClick(QObject* sender)
{
    reduitPanneau(sender == SBReduirePParametres);
}

void TFicheGVMixte::TimerRedimGeneTimer()
{
    TimerRedimGene.stop();
    redimensionnement();
    dessineLegendesVoies();
}

// ---- What the panels ask of the screen -----------------------------------------------

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

void TFicheGVMixte::zoomsAZero()
{
    if (!widgetEcran)
        return;
    TGeometrieEcran& g = ecran().geometrie;
    g.setZoomHX(0);
    g.setZoomVX(0);
    if (enAcquisition(MODEGENERAL))
        g.DesactiverZooms();
    else
        g.activerZooms();
    widgetEcran->MAJBarres();
}

void TFicheGVMixte::zoomsReappliques()
{
    if (!widgetEcran)
        return;
    TGeometrieEcran& g = ecran().geometrie;
    g.setZoomHX(g.zoomIndexH);
    g.setZoomVX(g.ZoomIndexV);
    if (enAcquisition(MODEGENERAL))
        g.DesactiverZooms();
    else
        g.activerZooms();
    widgetEcran->MAJBarres();
}

void TFicheGVMixte::prepareCourbesDuRun()
{
    // The arrays of the next run follow the new settings; the curves already
    // measured stay until a run that does not add to them (or a new
    // experiment), so that a change of settings never loses a measurement.
    const bool ajouter = ajouterLesCourbesX;
    ajouterLesCourbesX = true;
    PrepareTV2();
    ajouterLesCourbesX = ajouter;
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
    TEcran& e = ecran();
    e.dessin.dessinetPretrig(e.iEcranX);
    if (e.surRepeint)
        e.surRepeint();
}

void TFicheGVMixte::nouveauPossible()
{
    if (MODEGENERAL == TModeGeneral::rienAcquis)
        setModeGeneral(TModeGeneral::reglageModifie);
    if (SBNouveau && !enAcquisition(MODEGENERAL))
        SBNouveau->setEnabled(true);
}
