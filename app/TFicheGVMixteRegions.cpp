// The regions of the main window and the controls they hold.
#include "app/TFicheGVMixte.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QFrame* panneau(QWidget* parent, const char* nom)
{
    auto* cadre = new QFrame(parent);
    cadre->setObjectName(QString::fromUtf8(nom));
    cadre->setFrameShape(QFrame::StyledPanel);
    cadre->setFrameShadow(QFrame::Raised);
    return cadre;
}

QScrollArea* boiteDefilement(QWidget* parent, const char* nom)
{
    auto* boite = new QScrollArea(parent);
    boite->setObjectName(QString::fromUtf8(nom));
    boite->setWidgetResizable(true);
    boite->setFrameShape(QFrame::NoFrame);
    return boite;
}

// Replaces `ancien` by `nouveau` in the splitter, deleting the old one.
QWidget* remplaceDansSeparateur(QSplitter* separateur, QWidget* ancien, QWidget* nouveau)
{
    const int index = separateur->indexOf(ancien);
    if (index < 0 || !nouveau || nouveau == ancien)
        return ancien;
    const bool visible = ancien->isVisibleTo(separateur);
    separateur->replaceWidget(index, nouveau);
    nouveau->setVisible(visible);
    ancien->deleteLater();
    return nouveau;
}

} // namespace

void TFicheGVMixte::construitRegions()
{
    PBoutons = panneau(this, "PBoutons");
    construitBoutonsOutils();

    PanelEcranTab = panneau(this, "PanelEcranTab");
    PanelEcranTab->setFrameShape(QFrame::NoFrame);
    Splitter1 = new QSplitter(Qt::Horizontal, PanelEcranTab);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    auto* dispositionEcranTab = new QHBoxLayout(PanelEcranTab);
    dispositionEcranTab->setContentsMargins(0, 0, 0, 0);
    dispositionEcranTab->addWidget(Splitter1);
    // Until the graduated screen is put in its place, a plain dark panel.
    PEcran = panneau(nullptr, "PEcran");
    PEcran->setAutoFillBackground(true);
    QPalette paletteEcran = PEcran->palette();
    paletteEcran.setColor(QPalette::Window, QColor(250, 250, 246));
    PEcran->setPalette(paletteEcran);
    PTableau = panneau(nullptr, "PTableau");
    Splitter1->addWidget(PEcran);
    Splitter1->addWidget(PTableau);
    Splitter1->setStretchFactor(0, 3);
    Splitter1->setStretchFactor(1, 1);
    PTableau->hide();

    construitPanneauParametres();
    construitPanneauVoies();
}

void TFicheGVMixte::construitPanneauParametres()
{
    panelParametres = panneau(this, "panelParametres");
    LTitreParametres = new QLabel(QStringLiteral("Réglages"), panelParametres);
    LTitreParametres->setAlignment(Qt::AlignCenter);
    LTitreParametres->setAutoFillBackground(true);
    QPalette palette = LTitreParametres->palette();
    palette.setColor(QPalette::Window, QColor(196, 212, 232));
    LTitreParametres->setPalette(palette);
    SBReduirePParametres = new QToolButton(panelParametres);
    SBReduirePParametres->setObjectName(QStringLiteral("SBReduirePParametres"));
    SBReduirePParametres->setArrowType(Qt::RightArrow);
    SBReduirePParametres->setToolTip(QStringLiteral("Réduire/Restaurer le panneau des réglages temporels"));
    connect(SBReduirePParametres, &QToolButton::clicked, this, [this] { reduitPanneau(true); });
    ScrollBoxParametres = boiteDefilement(panelParametres, "ScrollBoxParametres");

    ContenuParametres = new QWidget;
    auto* colonne = new QVBoxLayout(ContenuParametres);
    auto* groupeTemps = new QGroupBox(QStringLiteral("Base de temps"), ContenuParametres);
    auto* grille = new QGridLayout(groupeTemps);
    grille->addWidget(new QLabel(QStringLiteral("Durée totale")), 0, 0);
    CBDureeTotale = new QComboBox;
    CBDureeTotale->setEditable(true);
    CBDureeTotale->setToolTip(QStringLiteral("Sélectionnez une durée\n\rtotale pour la série\n\rde mesures. Vous pouvez"
                                             "\n\rsaisir d'autres valeurs\n\rque celles de la liste")
                                  .replace(QStringLiteral("\n\r"), QStringLiteral("\n")));
    grille->addWidget(CBDureeTotale, 1, 0);
    grille->addWidget(new QLabel(QStringLiteral("Nombre de points")), 2, 0);
    CBNbPoints = new QComboBox;
    CBNbPoints->setEditable(true);
    CBNbPoints->setToolTip(QStringLiteral("Sélectionnez le\n\rnombre de mesures\n\rsouhaité. Vous pouvez\n\rsaisir "
                                          "d'autres valeurs\n\rque celles de la liste")
                               .replace(QStringLiteral("\n\r"), QStringLiteral("\n")));
    grille->addWidget(CBNbPoints, 3, 0);
    colonne->addWidget(groupeTemps);
    colonne->addStretch(1);
    BAcquisition = new QPushButton(QStringLiteral("Démarrer l'acquisition"));
    BAcquisition->setObjectName(QStringLiteral("BAcquisition"));
    colonne->addWidget(BAcquisition);
    ScrollBoxParametres->setWidget(ContenuParametres);
}

void TFicheGVMixte::construitPanneauVoies()
{
    PanelVoies = panneau(this, "PanelVoies");
    SBReduirePVoies = new QToolButton(PanelVoies);
    SBReduirePVoies->setObjectName(QStringLiteral("SBReduirePVoies"));
    SBReduirePVoies->setArrowType(Qt::DownArrow);
    SBReduirePVoies->setToolTip(QStringLiteral("Réduire/Restaurer le panneau de réglage des voies"));
    connect(SBReduirePVoies, &QToolButton::clicked, this, [this] { reduitPanneau(false); });
    ScrollBoxVoies = boiteDefilement(PanelVoies, "ScrollBoxVoies");

    ContenuVoies = new QWidget;
    auto* rangee = new QHBoxLayout(ContenuVoies);
    rangee->setContentsMargins(2, 0, 2, 0);
    rangee->setSpacing(4);
    for (int canal = 0; canal < 4; ++canal) {
        GBCanaux[canal] = new QGroupBox(QStringLiteral(" Voie/Canal %1 ").arg(canal + 1), ContenuVoies);
        auto* grille = new QGridLayout(GBCanaux[canal]);
        grille->setContentsMargins(4, 2, 4, 2);
        grille->setHorizontalSpacing(4);
        grille->setVerticalSpacing(2);
        CBModeDiff[canal] = new QCheckBox(QStringLiteral("Mode différentiel"));
        grille->addWidget(CBModeDiff[canal], 0, 0, 1, 3);
        // Input c and input c + 4 share channel c; each input takes two lines:
        // its name, activation and calibre, then its live value and colour.
        for (int rang = 0; rang < 2; ++rang) {
            TLigneVoie& ligne = voies[canal + 4 * rang];
            const int y = 1 + 2 * rang;
            ligne.titre = new QLabel;
            ligne.active = new QCheckBox(QStringLiteral("Activée"));
            ligne.calibre = new QComboBox;
            ligne.nom = new QLabel(QStringLiteral("u"));
            ligne.indice = new QLabel;
            ligne.egal = new QLabel(QStringLiteral("="));
            ligne.valeur = new QLineEdit;
            ligne.valeur->setReadOnly(true);
            ligne.legende = new QLabel;
            ligne.legende->setFixedSize(24, 6);
            ligne.legende->setAutoFillBackground(true);
            grille->addWidget(ligne.titre, y, 0);
            grille->addWidget(ligne.active, y, 1);
            grille->addWidget(ligne.calibre, y, 2);
            auto* mesure = new QHBoxLayout;
            mesure->setSpacing(1);
            mesure->addWidget(ligne.nom);
            mesure->addWidget(ligne.indice);
            mesure->addWidget(ligne.egal);
            mesure->addWidget(ligne.valeur, 1);
            mesure->addSpacing(4);
            mesure->addWidget(ligne.legende);
            grille->addLayout(mesure, y + 1, 0, 1, 3);
        }
        rangee->addWidget(GBCanaux[canal]);
    }
    rangee->addStretch(1);
    ScrollBoxVoies->setWidget(ContenuVoies);
}

void TFicheGVMixte::remplaceEcran(QWidget* ecran)
{
    PEcran = remplaceDansSeparateur(Splitter1, PEcran, ecran);
    PEcran->show();
    if (!bloqueRedim)
        redimensionnement();
}

void TFicheGVMixte::remplaceTableau(QWidget* tableau)
{
    PTableau = remplaceDansSeparateur(Splitter1, PTableau, tableau);
    if (!bloqueRedim)
        redimensionnement();
}

void TFicheGVMixte::remplaceContenuParametres(QWidget* contenu)
{
    delete ScrollBoxParametres->takeWidget();
    ContenuParametres = contenu;
    CBDureeTotale = nullptr;
    CBNbPoints = nullptr;
    BAcquisition = contenu->findChild<QPushButton*>(QStringLiteral("BAcquisition"));
    ScrollBoxParametres->setWidget(contenu);
}

void TFicheGVMixte::remplaceContenuVoies(QWidget* contenu)
{
    delete ScrollBoxVoies->takeWidget();
    ContenuVoies = contenu;
    GBCanaux = {};
    CBModeDiff = {};
    voies = {};
    ScrollBoxVoies->setWidget(contenu);
}

void TFicheGVMixte::reduitPanneau(bool parametres)
{
    if (parametres)
        pParametresReduit = !pParametresReduit;
    else
        pVoiesReduit = !pVoiesReduit;
    redimensionnement();
}

void TFicheGVMixte::desactiveComposantsAcqSimple()
{
    ContenuParametres->setEnabled(false);
    ContenuVoies->setEnabled(false);
    if (BAcquisition)
        BAcquisition->setEnabled(false);
}

void TFicheGVMixte::activeComposantsAcqSimple()
{
    ContenuParametres->setEnabled(true);
    ContenuVoies->setEnabled(true);
}
