// The layout of the main window, redone whenever its size or the reduced
// state of a panel changes.
#include "app/TFicheGVMixte.h"

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScrollArea>
#include <QSplitter>
#include <QToolButton>

namespace {

QRect rectangle(const gv::TRectangle& r)
{
    return QRect(r.x, r.y, r.largeur, r.hauteur);
}

void hauteurPolice(QWidget* controle, int pixels)
{
    QFont police = controle->font();
    police.setPixelSize(std::max(pixels, 6));
    controle->setFont(police);
}

} // namespace

void TFicheGVMixte::redimensionnement()
{
    if (bloqueRedim)
        return;
    setMaximumSize(std::max(larScr, minimumWidth()), std::max(hauScr, minimumHeight()));
    gv::TEntreeDisposition entree;
    const QRect cadre = frameGeometry();
    entree.largeurFenetre = cadre.width();
    entree.hauteurFenetre = cadre.height();
    entree.largeurClient = width();
    entree.hauteurClient = height();
    entree.pParametresReduit = pParametresReduit;
    entree.pVoiesReduit = pVoiesReduit;
    entree.nbBoutonsCentrales = static_cast<int>(SBCentrales_.size());
    disposition = gv::calculeDisposition(entree);
    appliqueDisposition();
    if (PTableau) {
        PTableau->setVisible(PTableauVisible);
        Splitter1->setHandleWidth(disposition.largeurSplitter);
        PTableau->setMinimumWidth(PTableauVisible ? disposition.tailleMinSplitter : 0);
        limiteLargeurTableau();
    }
    redimensionnementEcran();
}

void TFicheGVMixte::appliqueDisposition()
{
    const gv::TDisposition& d = disposition;
    // Toolbar.
    PBoutons->setGeometry(0, 0, width(), d.hauteurOutils);
    appliqueImagesBoutons();
    for (int b = 0; b < kNbBoutonsOutils; ++b)
        boutonsOutils_[std::size_t(b)]->setGeometry(rectangle(d.boutons[b]));
    for (size_t i = 0; i < SBCentrales_.size() && i < d.boutonsCentrales.size(); ++i) {
        QToolButton* bouton = SBCentrales_[i];
        bouton->setGeometry(rectangle(d.boutonsCentrales[i]));
        // A long unit name gets a smaller font rather than being cut.
        QFont police = bouton->font();
        int pixels = std::max(d.policeBoutonsCentrales, 6);
        police.setPixelSize(pixels);
        while (pixels > 6 && QFontMetrics(police).horizontalAdvance(bouton->text()) > bouton->width() - 8)
            police.setPixelSize(--pixels);
        bouton->setFont(police);
    }
    PPointage->setGeometry(rectangle(d.PPointage));
    hauteurPolice(LSerieP, d.policeLabelsPointage);
    hauteurPolice(LPointP, d.policeLabelsPointage);
    hauteurPolice(EditSerieP, d.policeEditsPointage);
    hauteurPolice(EditPointP, d.policeEditsPointage);
    const int hauteurBoite = std::min(EditSerieP->sizeHint().height(), d.cote - 2);
    const int yBoite = (d.cote - hauteurBoite) / 2;
    int x = d.margeLabelsPointage;
    LSerieP->setGeometry(x, 0, LSerieP->sizeHint().width(), d.cote);
    x += LSerieP->width();
    EditSerieP->setGeometry(x, yBoite, d.largeurEditSerieP, hauteurBoite);
    x += d.largeurEditSerieP + d.margeLabelsPointage;
    LPointP->setGeometry(x, 0, LPointP->sizeHint().width(), d.cote);
    x += LPointP->width();
    EditPointP->setGeometry(x, yBoite, d.largeurEditPointP, hauteurBoite);

    PMessages->setGeometry(rectangle(d.PMessages));
    hauteurPolice(EditMessageX, d.policeEditsPointage);
    hauteurPolice(EditPresence, d.policeEditsPointage);
    EditMessageX->setGeometry(2, yBoite, d.largeurEditMessageX, hauteurBoite);
    EditPresence->setGeometry(d.PMessages.largeur - d.largeurEditPresence - 2, yBoite, d.largeurEditPresence,
                              hauteurBoite);
    PBarExcel->setGeometry(EditPresence->geometry());

    // Settings panel: title strip with its reduce button, then the scroll box.
    panelParametres->setGeometry(rectangle(d.panelParametres));
    const int largeurParametres = d.panelParametres.largeur;
    LTitreParametres->setGeometry(0, 0, largeurParametres, d.hauteurTitreParametres);
    hauteurPolice(LTitreParametres, d.policeTitreParametres);
    LTitreParametres->setVisible(!pParametresReduit);
    SBReduirePParametres->setGeometry(std::max(largeurParametres - d.coteBoutonReduitParametres - 2, 1), 2,
                                      d.coteBoutonReduitParametres, d.coteBoutonReduitParametres);
    SBReduirePParametres->setArrowType(pParametresReduit ? Qt::LeftArrow : Qt::RightArrow);
    ScrollBoxParametres->setGeometry(0, d.hauteurTitreParametres, largeurParametres,
                                     d.panelParametres.hauteur - d.hauteurTitreParametres);
    ScrollBoxParametres->setVisible(!pParametresReduit);
    hauteurPolice(ContenuParametres, d.policeTitreParametres);

    // Channel panel: the reduce button at (1, 1), the scroll box to its right.
    PanelVoies->setGeometry(rectangle(d.PanelVoies));
    SBReduirePVoies->setGeometry(1, 1, d.coteBoutonReduitVoies, d.coteBoutonReduitVoies);
    hauteurPolice(SBReduirePVoies, d.policeBoutonReduitVoies);
    SBReduirePVoies->setArrowType(pVoiesReduit ? Qt::UpArrow : Qt::DownArrow);
    const int xVoies = d.coteBoutonReduitVoies + 3;
    ScrollBoxVoies->setGeometry(xVoies, 1, std::max(d.PanelVoies.largeur - xVoies - 2, 0),
                                std::max(d.PanelVoies.hauteur - 2, 0));
    ScrollBoxVoies->setVisible(!pVoiesReduit);
    LPatience->setGeometry(0, 0, d.PanelVoies.largeur, d.PanelVoies.hauteur);
    LPatience->setVisible(!pVoiesReduit);
    hauteurPolice(ContenuVoies, d.policeBoutonReduitVoies);

    PanelEcranTab->setGeometry(rectangle(d.PanelEcranTab));
}
