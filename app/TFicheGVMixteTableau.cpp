// The measurement table beside the screen: the panel built into the
// splitter, its toolbar button, filling it when its content is out of date,
// its width limits, and the deletion of a series from its header.
#include "app/TFicheGVMixte.h"

#include "app/Messages.h"
#include "display/VueTableau.h"
#include "model/TCentrale.h"

#include <QLineEdit>
#include <QSplitter>
#include <QToolButton>
#include <algorithm>

void TFicheGVMixte::construitTableau()
{
    tableau_ = new TPanneauTableau(mesures);
    tableau_->surSuppression = [this](int colonne) { SGMesuresMouseUp(colonne); };
    remplaceTableau(tableau_);
    // A cursor or level released after a drag.
    ecran().surTableau = [this] {
        tableau_->MAJTableauFaite = false;
        MAJTableau();
    };
}

void TFicheGVMixte::tableauPerime()
{
    if (!tableau_)
        return;
    tableau_->MAJTableauFaite = false;
    if (PTableauVisible)
        MAJTableau();
}

void TFicheGVMixte::MAJTableau()
{
    if (!tableau_)
        return;
    tableau_->MAJTableau(disposition.coDimV);
    limiteLargeurTableau();
}

void TFicheGVMixte::limiteLargeurTableau()
{
    if (!tableau_)
        return;
    const int largeur = tableau_->largeurMaximale(PanelEcranTab->width(), disposition.coDIMH);
    tableau_->setMaximumWidth(std::max(largeur, tableau_->minimumWidth()));
}

void TFicheGVMixte::commandeVoirTableau()
{
    QToolButton* b = bouton(TBoutonOutil::voirTableau);
    PTableauVisible = b->isChecked();
    MAJTableau();
    redimensionnement();
    if (PTableauVisible)
        ouvreTableauALaLargeurDeSesColonnes();
    b->setToolTip(PTableauVisible ? QStringLiteral("Masquer le tableau de mesures")
                                  : QStringLiteral("Afficher le tableau de mesures"));
}

void TFicheGVMixte::ouvreTableauALaLargeurDeSesColonnes()
{
    // The screen keeps the rest; the splitter may then narrow the table.
    const int total = Splitter1->width() - Splitter1->handleWidth();
    const int ecranMin = std::max({PEcran->minimumWidth(), PEcran->minimumSizeHint().width(), 0});
    const int largeur = std::min(tableau_->maximumWidth(), total - ecranMin);
    if (largeur > 0)
        Splitter1->setSizes({total - largeur, largeur});
}

void TFicheGVMixte::cacheTableau()
{
    QToolButton* b = bouton(TBoutonOutil::voirTableau);
    if (!b->isChecked())
        return;
    // As a click of the button would, even while the button is disabled.
    b->setChecked(false);
    commandeVoirTableau();
}

void TFicheGVMixte::SGMesuresMouseUp(int colonne)
{
    // A run writes the curves and a transfer reads them, both between
    // window messages: a series deleted then would pull the arrays from
    // under them.
    if (enAcquisition(MODEGENERAL) || MODEGENERAL == TModeGeneral::transfertExcel ||
        MODEGENERAL == TModeGeneral::transfertCalc)
        return;
    const int i = colonne - 2;
    if (i < 0 || i >= mesures.nbVoiesMesurees)
        return;
    const QString question = QStringLiteral("Supprimer effectivement la série de mesures ") +
                             QString::fromStdString(mesures.voiesMesurees[std::size_t(i)].sEnteteVM) +
                             QStringLiteral(" ?");
    if (gv::boiteMessage(this, gv::TIconeMessage::Question, question, QMessageBox::Yes | QMessageBox::No) !=
        QMessageBox::Yes)
        return;
    // The following series move down and all are named again.
    mesures.supprimeSerie(i);
    const int reste = mesures.nbVoiesMesurees;
    if (reste > 0) {
        tableau_->MAJTableauFaite = false;
        MAJTableau();
    } else {
        if (SP5)
            SP5->nbPtsAX = 0;
        cacheTableau();
        controleur_.changeActivations([](TActivations& a) { a.outil(TBoutonOutil::voirTableau) = false; });
        // No curve left to add to: "Ajouter les courbes" unchecked and disabled.
        controleur_.prepareCBAjouterCourbes();
    }
    TEcran& e = ecran();
    e.prepareAxesX();
    e.prepareQuadAxes();
    e.dessineEcranN(true);
    EditMessageX->setText(reste == 1 ? QStringLiteral(" 1 série acquise")
                                     : QString::number(reste) + QStringLiteral(" séries acquises"));
}
