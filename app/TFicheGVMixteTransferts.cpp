// The toolbar commands that hand the measurements on or change the
// preferences: the text file, the workbook ("Excel"), REGRESSI, Calc and the
// options dialog. The writers and transfers live in export/; here is what
// only the window has: its state during a transfer, its controls, its
// dialogs.
#include "app/TFicheGVMixte.h"

#include "app/DialoguesFenetre.h"
#include "app/Messages.h"
#include "app/TFicheGVMixteOptions.h"
#include "app/THoteOptions.h"
#include "app/TransfertREGFenetre.h"
#include "export/CommandeEnregistrementTXT.h"
#include "export/TFicheGVMixteChoixTOO.h"
#include "export/TFicheGVMixteChoixTR.h"
#include "export/TransfertRegressi.h"
#include "model/TCentrale.h"
#include "platform/RegistreUtilisateur.h"
#include "platform/Systeme.h"
#ifdef GALVORA_AVEC_CALC
#include "export/calc/TransfertCalc.h"
#endif

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

void TSuppressionCalc::operator()([[maybe_unused]] TTransfertCalc* transfert) const
{
#ifdef GALVORA_AVEC_CALC
    delete transfert;
#endif
}

namespace {

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

QString nomCentraleDe(const TCentrale* centrale)
{
    return centrale ? qs(centrale->nomCentrale) : QString();
}

} // namespace

// ---- At start-up -------------------------------------------------------------------

void TFicheGVMixte::prepareTransferts()
{
    transfertREG = std::make_unique<TTransfertRegressi>(
        TLiensTransfertREG{reglages.versionRegressiDefaut, reglages.cheminREGRESSINonDefautX,
                           reglages.optionTransfertREGRESSI, dossierDocuments, aSupprimer},
        plateforme::registreWine());
    transfertREG->declareProgramme(QCoreApplication::applicationFilePath().toStdString());
    transfertREG->chercheRegressi();
    reglages.cheminOfficielREGRESSI_ = transfertREG->cheminOfficielREGRESSI;
    reglages.cheminRegressiUt = transfertREG->cheminRegressiUt;
#ifdef GALVORA_AVEC_CALC
    if (contexte_.fabriqueCalc)
        transfertCalc.reset(contexte_.fabriqueCalc().release());
    else
        transfertCalc.reset(new TTransfertCalc);
#endif
}

void TFicheGVMixte::suitTransfertREGPossible()
{
    const bool possible = transfertREG && transfertREG->transfertPossible();
    controleur_.environnement.transfertREGPossible = possible;
    const bool courbes = mesures.nbVoiesMesurees > 0;
    const bool libre = !enAcquisition(MODEGENERAL) && MODEGENERAL != TModeGeneral::mesuresSurEcran;
    controleur_.changeActivations(
        [=](TActivations& a) { a.outil(TBoutonOutil::transfertREG) = possible && courbes && libre; });
}

void TFicheGVMixte::montrePresence(bool visible)
{
    EditPresence->setVisible(visible);
    PBarExcel->setVisible(!visible);
}

// ---- Text file -------------------------------------------------------------------------

void TFicheGVMixte::enregistreTexteTXT()
{
    const TSourceTexte source{&mesures, contexte_.version, nomCentraleDe(SP5), heureAcq, QLocale::system()};
    TDialoguesFenetre dialogues(this, qs(dossierDocuments));
    enregistreTexte(source, etatEnregistrement, dialogues);
}

// ---- Workbook ---------------------------------------------------------------------------

// State 7 while the workbook is written: closing is refused, Start and the
// settings wait, the progress bar stands in the presence box's place.
class TFicheGVMixte::THoteExcel : public THoteTransfertExcelQt {
public:
    explicit THoteExcel(TFicheGVMixte& fiche) : THoteTransfertExcelQt(&fiche), fiche_(fiche) {}

    void debutTransfert() override
    {
        fiche_.controleur_.changeActivations([](TActivations& a) { a.demarrer = false; });
        fiche_.TimerAcqDir.stop();
        modeAvant_ = fiche_.MODEGENERAL;
        fiche_.setModeGeneral(TModeGeneral::transfertExcel);
        message(QStringLiteral("Connexion à Excel..."));
        QApplication::setOverrideCursor(Qt::WaitCursor);
        fiche_.controleur_.desactiveComposantsAcqSimple();
    }

    void message(const QString& texte) override
    {
        fiche_.EditMessageX->setText(texte);
        fiche_.EditMessageX->repaint();
    }

    void progression(int pourcent) override
    {
        fiche_.montrePresence(false);
        fiche_.PBarExcel->setValue(pourcent);
        fiche_.PBarExcel->repaint();
        // The window keeps answering: a closing asked now is refused.
        QCoreApplication::processEvents();
    }

    void finTransfert() override
    {
        fiche_.controleur_.changeActivations([](TActivations& a) { a.demarrer = true; });
        if (!fiche_.bloqueTimerAcqDirecte)
            fiche_.TimerAcqDir.start();
        fiche_.setModeGeneral(modeAvant_);
        fiche_.controleur_.activeComposantsAcqSimple();
        fiche_.PBarExcel->setValue(0);
        fiche_.montrePresence(true);
        QApplication::restoreOverrideCursor();
    }

private:
    TFicheGVMixte& fiche_;
    TModeGeneral modeAvant_ = TModeGeneral::acquisitionFinie;
};

void TFicheGVMixte::transfertExcel()
{
    // Both methods of the Windows program (optionTTE) write the workbook here.
    const TSourceClasseur source{&mesures, nomCentraleDe(SP5), heureAcq, qs(sDateAcq0), qs(sdateAcqX),
                                 QLocale::system()};
    THoteExcel hote(*this);
    TOuvreurBureau bureau;
    TOuvreurDocuments& ouvreur = contexte_.ouvreurDocuments ? *contexte_.ouvreurDocuments : bureau;
    TransfertExcel(source, reglages.optionTransfertEXCEL, qs(dossierDocuments), etatExcel, aSupprimer, hote, ouvreur);
}

// ---- REGRESSI ---------------------------------------------------------------------------

TSourceRegressi TFicheGVMixte::sourceRegressi() const
{
    TSourceRegressi source;
    source.mesures = &mesures;
    if (SP5) {
        source.nomCentrale = qs(SP5->nomCentrale);
        source.calibresEAStandard.assign(SP5->calibresEAStandard.begin(), SP5->calibresEAStandard.end());
    }
    source.heureAcq = heureAcq;
    source.maintenant = QDateTime::currentDateTime();
    source.OptionCouleursRegressi = reglages.OptionCouleursRegressi;
    source.cheminProgramme = QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
    source.locale = QLocale::system();
    return source;
}

void TFicheGVMixte::transfertRegressi()
{
    auto choix = [this] {
        switch (TFicheGVMixteChoixTR::demande(this)) {
        case TFicheChoixTransfert::choixPremier:
            return TChoixTransfertREG::NouveauDocument;
        case TFicheChoixTransfert::choixSecond:
            return TChoixTransfertREG::NouvellePage;
        default:
            return TChoixTransfertREG::Annuler;
        }
    };
    TInterfaceTransfertREGFenetre ui(this, choix, [this] { suitTransfertREGPossible(); });
    transfertREG->TransfertRegressiFichier(sourceRegressi(), sdateAcqX, ui);
    reglages.cheminRegressiUt = transfertREG->cheminRegressiUt;
    suitTransfertREGPossible();
}

// ---- Calc --------------------------------------------------------------------------------

#ifdef GALVORA_AVEC_CALC
// State 8 while Calc is filled.
class TFicheGVMixte::TVueCalc : public TVueTransfertCalc {
public:
    explicit TVueCalc(TFicheGVMixte& fiche) : fiche_(fiche) {}

    void etatTransfert(bool enCours) override
    {
        if (enCours) {
            fiche_.controleur_.changeActivations([](TActivations& a) { a.demarrer = false; });
            fiche_.TimerAcqDir.stop();
            modeAvant_ = fiche_.MODEGENERAL;
            fiche_.setModeGeneral(TModeGeneral::transfertCalc);
            fiche_.repaint();
            fiche_.controleur_.desactiveComposantsAcqSimple();
            return;
        }
        fiche_.controleur_.changeActivations([](TActivations& a) { a.demarrer = true; });
        if (!fiche_.bloqueTimerAcqDirecte)
            fiche_.TimerAcqDir.start();
        fiche_.setModeGeneral(modeAvant_);
        fiche_.controleur_.activeComposantsAcqSimple();
    }

    void afficheMessage(const std::string& texte) override
    {
        fiche_.EditMessageX->setText(qs(texte));
        fiche_.EditMessageX->repaint();
    }

    void information(const std::string& texte) override
    {
        gv::boiteMessage(&fiche_, gv::TIconeMessage::Information, qs(texte));
    }

    void avertissement(const std::string& texte) override
    {
        gv::boiteMessage(&fiche_, gv::TIconeMessage::Avertissement, qs(texte));
    }

    void messageSimple(const std::string& texte) override
    {
        gv::boiteMessage(&fiche_, gv::TIconeMessage::Aucune, qs(texte));
    }

    TChoixCalc choixCible() override
    {
        switch (TFicheGVMixteChoixTOO::demande(&fiche_)) {
        case TFicheChoixTransfert::choixPremier:
            return TChoixCalc::nouveauClasseur;
        case TFicheChoixTransfert::choixSecond:
            return TChoixCalc::nouvelleFeuille;
        default:
            return TChoixCalc::annule;
        }
    }

    void progression(int pourcent) override
    {
        fiche_.PBarExcel->setValue(pourcent);
        fiche_.PBarExcel->repaint();
    }

    void presenceVisible(bool visible) override { fiche_.montrePresence(visible); }

    void sablier(bool actif) override
    {
        if (actif)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    }

    void desactiveBoutonCalc() override
    {
        fiche_.controleur_.changeActivations([](TActivations& a) { a.outil(TBoutonOutil::transfertOOLO) = false; });
    }

private:
    TFicheGVMixte& fiche_;
    TModeGeneral modeAvant_ = TModeGeneral::acquisitionFinie;
};
#endif

void TFicheGVMixte::transfertOOCalc()
{
#ifdef GALVORA_AVEC_CALC
    if (!transfertCalc)
        return;
    TVueCalc vue(*this);
    transfertCalc->TransfertOOCalcPP(TSourceCalc{&mesures, SP5 ? SP5->nomCentrale : std::string(), heureAcq,
                                                 QLocale::system()},
                                     reglages.optionTransfertOOo, vue);
    PBarExcel->setValue(0);
#endif
}

// ---- Options -----------------------------------------------------------------------------

class TFicheGVMixte::THoteOptionsFenetre : public gv::THoteOptions {
public:
    explicit THoteOptionsFenetre(TFicheGVMixte& fiche) : fiche_(fiche) {}

    void avantOptions() override
    {
        fiche_.TimerPresenceSP5.stop();
        fiche_.controleur_.quitteBoite(TBoite::nbPoints, fiche_.CBNbPoints->currentText().toStdString());
    }

    int nbCourbes() const override { return fiche_.mesures.nbVoiesMesurees; }

    gv::TCouleurGV couleurCourbe(int courbe) const override
    {
        return static_cast<gv::TCouleurGV>(fiche_.mesures.voiesMesurees[std::size_t(courbe)].clVM);
    }

    void setCouleurCourbe(int courbe, gv::TCouleurGV couleur) override
    {
        fiche_.mesures.voiesMesurees[std::size_t(courbe)].clVM = static_cast<TColor>(couleur);
    }

    void activeNouveau() override
    {
        // A preference changed is a setting changed: New is offered, as
        // after any other setting.
        if (fiche_.MODEGENERAL == TModeGeneral::rienAcquis)
            fiche_.setModeGeneral(TModeGeneral::reglageModifie);
        fiche_.controleur_.changeActivations([](TActivations& a) { a.outil(TBoutonOutil::nouveau) = true; });
    }

    void fermeREGRESSI() override { plateforme::fermeProcessus(kProcessusRegressi); }

    void prepareComposantsDeclenchement() override { fiche_.controleur_.prepareComposantsDeclenchement(); }

    void redessineLegendesEtEcran() override
    {
        fiche_.dessineLegendesVoies();
        fiche_.redimensionnementEcran();
        fiche_.redessineEcran(true);
    }

private:
    TFicheGVMixte& fiche_;
};

void TFicheGVMixte::commandeOptions()
{
    if (!SP5)
        return;
    // The REGRESSI in use may have changed since start-up (chosen in the
    // open dialog, or forgotten after a failed start).
    reglages.cheminRegressiUt = transfertREG->cheminRegressiUt;
    THoteOptionsFenetre hote(*this);
    if (!executeOptions(this, *SP5, reglages, hote))
        return;
    transfertREG->cheminOfficielREGRESSI = reglages.cheminOfficielREGRESSI_;
    transfertREG->appliqueChoixRegressi(reglages.versionRegressiDefaut, reglages.cheminREGRESSINonDefautX);
    reglages.cheminRegressiUt = transfertREG->cheminRegressiUt;
    suitTransfertREGPossible();
}
