// The toolbar: the table of its square buttons and their commands, their
// pictures, the unit buttons, the pointed-sample, message and presence
// boxes, and the dispatcher.
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

// The toolbar's table: each button, in its order on the bar (that of the
// pictures too), and the named command it runs. A command still to come is
// nullptr; it becomes the member that runs it.
const TFicheGVMixte::TCommandeOutil TFicheGVMixte::commandesOutils[kNbBoutonsOutils] = {
    {TBoutonOutil::nouveau, "SBNouveau",
     "Commencer une nouvelle expérience \n\r(effacement des données acquises et \n\rréinitialisation des réglages).",
     false, &TFicheGVMixte::nouvelleExperience},
    {TBoutonOutil::enregistrerRW3, "SBenregistrerRW3",
     "Enregistrer les mesures dans un \n\rfichier au format REGRESSI (*.rw3)", false,
     &TFicheGVMixte::enregistreRegressiRW3},
    {TBoutonOutil::enregistrerTXT, "SBenregistrerTXT",
     "Enregistrer les mesures dans un \n\rfichier au format texte standard (*.txt)", false, nullptr},
    {TBoutonOutil::transfertREG, "SBTransfertDirectREG",
     "Transférer directement les mesures dans REGRESSI \n\r(en ouvrant REGRESSI, si les paramètres sont corrects)",
     false, nullptr},
    {TBoutonOutil::transfertExcel, "SBTransfertDirectExcel",
     "Transférer directement les mesures dans Microsoft EXCEL \n\r(si Microsoft EXCEL est installé)", false, nullptr},
    {TBoutonOutil::transfertOOLO, "SBtransfertDirectOOLO",
     "Transférer directement les mesures dans OpenOffice \n\rou LibreOffice (suivant celui qui est installé)", false,
     nullptr},
    {TBoutonOutil::mesures, "SBMesures", "Ouvrir la boite de dialogue de mesures sur le graphique", true,
     &TFicheGVMixte::commandeMesures},
    {TBoutonOutil::voirTableau, "SBVoirTableau", "Afficher le tableau de mesures", true,
     &TFicheGVMixte::commandeVoirTableau},
    {TBoutonOutil::options, "SBOptions", "Choisir les paramètres de configuration", false, nullptr},
    {TBoutonOutil::aproposDe, "SBAproposDe", "Informations générales", false, &TFicheGVMixte::commandeAPropos},
    {TBoutonOutil::quitter, "SBQuitter", "Sysam, ferme-toi !", false, &TFicheGVMixte::SBQuitterClick},
};

namespace {

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
    static_assert(kNbBoutonsOutils == gv::nbBoutonsOutils, "one picture per toolbar button");
    feuilleBoutons_ = gv::feuilleBoutons();
    for (const TCommandeOutil& ligne : commandesOutils) {
        auto* b = new QToolButton(PBoutons);
        b->setObjectName(QString::fromUtf8(ligne.nom));
        b->setAccessibleName(QString::fromUtf8(ligne.nom));
        b->setToolTip(bulle(ligne.bulle));
        b->setAutoRaise(true);
        b->setCheckable(ligne.basculant);
        boutonsOutils_[std::size_t(ligne.bouton)] = b;
        connect(b, &QToolButton::clicked, this, [this, b] { SBNouveauClick(b); });
    }
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
    controleur_.environnement.nbBoutonsCentrales = SBCentrales_.size();
}

void TFicheGVMixte::appliqueImagesBoutons()
{
    const int cote = disposition.cote;
    if (cote == coteImagesBoutons_)
        return;
    coteImagesBoutons_ = cote;
    for (int b = 0; b < kNbBoutonsOutils; ++b) {
        QToolButton* bouton = boutonsOutils_[std::size_t(b)];
        const QImage image = gv::imageBouton(feuilleBoutons_, gv::ligneSprite[b], cote);
        bouton->setIcon(gv::iconeBouton(image, cote));
        bouton->setIconSize(QSize(cote, cote));
    }
}

void TFicheGVMixte::SBNouveauClick(QToolButton* b)
{
    for (const TCommandeOutil& ligne : commandesOutils)
        if (bouton(ligne.bouton) == b && ligne.commande)
            (this->*ligne.commande)();
}

void TFicheGVMixte::commandeVoirTableau()
{
    QToolButton* b = bouton(TBoutonOutil::voirTableau);
    PTableauVisible = b->isChecked();
    b->setToolTip(PTableauVisible ? QStringLiteral("Masquer le tableau de mesures")
                                  : QStringLiteral("Afficher le tableau de mesures"));
    redimensionnement();
}

void TFicheGVMixte::commandeAPropos()
{
    if (contexte_.titre)
        contexte_.titre->montrePourAPropos();
}
