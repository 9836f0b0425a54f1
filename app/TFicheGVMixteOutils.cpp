// The toolbar: its square buttons with their pictures, the unit buttons, the
// pointed-sample, message and presence boxes, and the dispatcher.
#include "app/TFicheGVMixte.h"

#include "app/IconesBoutons.h"
#include "app/Messages.h"
#include "app/TFicheGVMixteTitre.h"
#include "model/TCentrale.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QToolButton>

namespace {

struct TDescriptionBouton {
    QToolButton* TFicheGVMixte::*champ;
    const char* nom;
    const char* bulle;
};

const TDescriptionBouton descriptionsBoutons[gv::nbBoutonsOutils] = {
    {&TFicheGVMixte::SBNouveau, "SBNouveau",
     "Commencer une nouvelle expérience \n\r(effacement des données acquises et \n\rréinitialisation des réglages)."},
    {&TFicheGVMixte::SBenregistrerRW3, "SBenregistrerRW3",
     "Enregistrer les mesures dans un \n\rfichier au format REGRESSI (*.rw3)"},
    {&TFicheGVMixte::SBenregistrerTXT, "SBenregistrerTXT",
     "Enregistrer les mesures dans un \n\rfichier au format texte standard (*.txt)"},
    {&TFicheGVMixte::SBTransfertDirectREG, "SBTransfertDirectREG",
     "Transférer directement les mesures dans REGRESSI \n\r(en ouvrant REGRESSI, si les paramètres sont corrects)"},
    {&TFicheGVMixte::SBTransfertDirectExcel, "SBTransfertDirectExcel",
     "Transférer directement les mesures dans Microsoft EXCEL \n\r(si Microsoft EXCEL est installé)"},
    {&TFicheGVMixte::SBtransfertDirectOOLO, "SBtransfertDirectOOLO",
     "Transférer directement les mesures dans OpenOffice \n\rou LibreOffice (suivant celui qui est installé)"},
    {&TFicheGVMixte::SBMesures, "SBMesures", "Ouvrir la boite de dialogue de mesures sur le graphique"},
    {&TFicheGVMixte::SBVoirTableau, "SBVoirTableau", "Afficher le tableau de mesures"},
    {&TFicheGVMixte::SBOptions, "SBOptions", "Choisir les paramètres de configuration"},
    {&TFicheGVMixte::SBAproposDe, "SBAproposDe", "Informations générales"},
    {&TFicheGVMixte::SBQuitter, "SBQuitter", "Sysam, ferme-toi !"},
};

QString bulle(const char* texte)
{
    return QString::fromUtf8(texte).replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
}

QLineEdit* boiteTexte(QWidget* parent, const char* nom, const char* bulleTexte)
{
    auto* boite = new QLineEdit(parent);
    boite->setObjectName(QString::fromUtf8(nom));
    boite->setReadOnly(true);
    boite->setToolTip(bulle(bulleTexte));
    return boite;
}

} // namespace

void TFicheGVMixte::construitBoutonsOutils()
{
    feuilleBoutons_ = gv::feuilleBoutons();
    for (int b = 0; b < gv::nbBoutonsOutils; ++b) {
        auto* bouton = new QToolButton(PBoutons);
        bouton->setObjectName(QString::fromUtf8(descriptionsBoutons[b].nom));
        bouton->setToolTip(bulle(descriptionsBoutons[b].bulle));
        bouton->setAutoRaise(true);
        this->*(descriptionsBoutons[b].champ) = bouton;
        connect(bouton, &QToolButton::clicked, this, [this, bouton] { SBNouveauClick(bouton); });
    }
    SBMesures->setCheckable(true);
    SBVoirTableau->setCheckable(true);
    // The guide button has no action and stays hidden.
    SBGuide = new QToolButton(PBoutons);
    SBGuide->hide();

    PPointage = new QFrame(PBoutons);
    PPointage->setObjectName(QStringLiteral("PPointage"));
    PPointage->setFrameShape(QFrame::StyledPanel);
    LSerieP = new QLabel(QStringLiteral("Série "), PPointage);
    EditSerieP = boiteTexte(PPointage, "EditSerieP",
                            "Indique la série de mesures correspondant à la courbe pointée par la souris sur le graphique.");
    LPointP = new QLabel(QStringLiteral("Point"), PPointage);
    EditPointP = boiteTexte(PPointage, "EditPointP",
                            "Indique les coordonnées du point de la courbe pointé par la souris sur le graphique.");

    PMessages = new QFrame(PBoutons);
    PMessages->setObjectName(QStringLiteral("PMessages"));
    PMessages->setFrameShape(QFrame::StyledPanel);
    EditMessageX = boiteTexte(PMessages, "EditMessageX", "Donne quelques indications sur les opérations en cours.");
    EditPresence = boiteTexte(PMessages, "EditPresence", "Indique si l'interface est installée et connectée.");
    PBarExcel = new QProgressBar(PMessages);
    PBarExcel->hide();
}

void TFicheGVMixte::construitBoutonsCentrales()
{
    for (const TCentraleInsPre& centrale : centrales) {
        const QString nom = QString::fromStdString(centrale.Centrale1 ? centrale.Centrale1->nomCentrale : centrale.nom);
        auto* bouton = new QToolButton(PBoutons);
        bouton->setObjectName(QStringLiteral("SBCentrale%1").arg(centrale.typecentrale));
        bouton->setText(nom);
        bouton->setProperty("tag", centrale.typecentrale + 6000);
        bouton->setCheckable(true);
        bouton->setToolTip(QStringLiteral("Sélection de la centrale ") + nom);
        QFont police(QStringLiteral("arial"));
        police.setBold(false);
        bouton->setFont(police);
        connect(bouton, &QToolButton::clicked, this, [this, bouton] { SBChoixCentraleClick(bouton); });
        bouton->show();
        SBCentrales_.push_back(bouton);
    }
}

void TFicheGVMixte::appliqueImagesBoutons()
{
    const int cote = disposition.cote;
    if (cote == coteImagesBoutons_)
        return;
    coteImagesBoutons_ = cote;
    for (int b = 0; b < gv::nbBoutonsOutils; ++b) {
        QToolButton* bouton = this->*(descriptionsBoutons[b].champ);
        const QImage image = gv::imageBouton(feuilleBoutons_, gv::ligneSprite[b], cote);
        bouton->setIcon(gv::iconeBouton(image, cote));
        bouton->setIconSize(QSize(cote, cote));
    }
}

void TFicheGVMixte::SBNouveauClick(QToolButton* bouton)
{
    if (bouton == SBAproposDe) {
        if (contexte_.titre)
            contexte_.titre->montrePourAPropos();
    } else if (bouton == SBQuitter) {
        // With the permanent mode running, the frame loop ends it first and
        // then quits; it reads these flags.
        Quitter();
    } else if (bouton == SBVoirTableau) {
        PTableauVisible = SBVoirTableau->isChecked();
        SBVoirTableau->setToolTip(PTableauVisible ? QStringLiteral("Masquer le tableau de mesures")
                                                  : QStringLiteral("Afficher le tableau de mesures"));
        redimensionnement();
    } else if (commandeOutil) {
        commandeOutil(bouton);
    }
}
