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
     "Enregistrer les mesures dans un \n\rfichier au format texte standard (*.txt)", false,
     &TFicheGVMixte::enregistreTexteTXT},
    {TBoutonOutil::transfertREG, "SBTransfertDirectREG",
     "Transférer directement les mesures dans REGRESSI \n\r(en ouvrant REGRESSI, si les paramètres sont corrects)",
     false, &TFicheGVMixte::transfertRegressi},
    {TBoutonOutil::transfertExcel, "SBTransfertDirectExcel",
     "Transférer directement les mesures dans Microsoft EXCEL \n\r(si Microsoft EXCEL est installé)", false,
     &TFicheGVMixte::transfertExcel},
    {TBoutonOutil::transfertOOLO, "SBtransfertDirectOOLO",
     "Transférer directement les mesures dans OpenOffice \n\rou LibreOffice (suivant celui qui est installé)", false,
     &TFicheGVMixte::transfertOOCalc},
    {TBoutonOutil::mesures, "SBMesures", "Ouvrir la boite de dialogue de mesures sur le graphique", true,
     &TFicheGVMixte::commandeMesures},
    {TBoutonOutil::voirTableau, "SBVoirTableau", "Afficher le tableau de mesures", true,
     &TFicheGVMixte::commandeVoirTableau},
    {TBoutonOutil::options, "SBOptions", "Choisir les paramètres de configuration", false,
     &TFicheGVMixte::commandeOptions},
    {TBoutonOutil::aproposDe, "SBAproposDe", "Informations générales", false, &TFicheGVMixte::commandeAPropos},
    {TBoutonOutil::quitter, "SBQuitter", "Sysam, ferme-toi !", false, &TFicheGVMixte::commandeQuitter},
};

namespace {

QString bulle(const char* texte)
{
    return QString::fromUtf8(texte).replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
}

// What assistive technology reads for a picture button: its hint's first line.
QString nomAccessible(const char* texte)
{
    return bulle(texte).section(QLatin1Char('\n'), 0, 0).trimmed();
}

QLineEdit* boiteTexte(QWidget* parent, const char* nom, const char* nomAccessible, const char* bulleTexte)
{
    auto* boite = new QLineEdit(parent);
    boite->setObjectName(QString::fromUtf8(nom));
    boite->setAccessibleName(QString::fromUtf8(nomAccessible));
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
        b->setAccessibleName(nomAccessible(ligne.bulle));
        b->setToolTip(bulle(ligne.bulle));
        b->setAutoRaise(true);
        // Reached with Tab and pressed with Space; a click leaves the focus
        // where it was, as on a toolbar.
        b->setFocusPolicy(Qt::TabFocus);
        b->setCheckable(ligne.basculant);
        boutonsOutils_[std::size_t(ligne.bouton)] = b;
        connect(b, &QToolButton::clicked, this, [this, b] { SBNouveauClick(b); });
    }
    // Flat picture buttons show no focus of their own: the one Tab reached
    // is framed, so that a keyboard user sees where Space acts.
    PBoutons->setStyleSheet(QStringLiteral("QToolButton:focus { border: 2px solid palette(highlight); "
                                           "border-radius: 3px; }"));
    // The guide button has no action and stays hidden.
    SBGuide = new QToolButton(PBoutons);
    SBGuide->setObjectName(QStringLiteral("SBGuide"));
    SBGuide->setAccessibleName(QStringLiteral("Guide"));
    SBGuide->hide();

    PPointage = new QFrame(PBoutons);
    PPointage->setObjectName(QStringLiteral("PPointage"));
    PPointage->setFrameShape(QFrame::StyledPanel);
    LSerieP = new QLabel(QStringLiteral("Série "), PPointage);
    EditSerieP = boiteTexte(PPointage, "EditSerieP", "Série pointée",
                            "Indique la série de mesures correspondant à la courbe pointée par la souris sur le graphique.");
    LPointP = new QLabel(QStringLiteral("Point"), PPointage);
    EditPointP = boiteTexte(PPointage, "EditPointP", "Point pointé",
                            "Indique les coordonnées du point de la courbe pointé par la souris sur le graphique.");

    PMessages = new QFrame(PBoutons);
    PMessages->setObjectName(QStringLiteral("PMessages"));
    PMessages->setFrameShape(QFrame::StyledPanel);
    EditMessageX = boiteTexte(PMessages, "EditMessageX", "Opérations en cours",
                              "Donne quelques indications sur les opérations en cours.");
    EditPresence = boiteTexte(PMessages, "EditPresence", "État de la centrale",
                              "Indique si l'interface est installée et connectée.");
    PBarExcel = new QProgressBar(PMessages);
    PBarExcel->setObjectName(QStringLiteral("PBarExcel"));
    PBarExcel->setAccessibleName(QStringLiteral("Avancement du transfert"));
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

bool TFicheGVMixte::aUneCommande(const QToolButton* b) const
{
    for (const TCommandeOutil& ligne : commandesOutils)
        if (bouton(ligne.bouton) == b)
            return ligne.commande != nullptr;
    return false;
}

void TFicheGVMixte::commandeAPropos()
{
    if (contexte_.titre)
        contexte_.titre->montrePourAPropos();
}
