// The regions of the main window, the controls they hold, and the wiring of
// the panels' controls to the settings controller. Events that the window
// itself causes while it fills its controls (bloque) are not the user's.
#include "app/TFicheGVMixte.h"

#include "app/GroupeRadio.h"
#include "app/ListesTemporelles.h"

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

// A control's signal sent on to the controller, unless the window itself is
// filling its controls (`bloque`).
template <class Emetteur, class Signal, class Action>
void relie(QObject* fenetre, const bool& bloque, Emetteur* emetteur, Signal signal, Action action)
{
    QObject::connect(emetteur, signal, fenetre, [&bloque, action](auto... valeurs) {
        if (!bloque)
            action(valeurs...);
    });
}

// Replaces `ancien` by `nouveau` in the splitter, deleting the old one.
QWidget* remplaceDansSeparateur(QSplitter* separateur, QWidget* ancien, QWidget* nouveau)
{
    const int index = separateur->indexOf(ancien);
    if (index < 0 || !nouveau || nouveau == ancien)
        return ancien;
    const bool visible = ancien->isVisibleTo(separateur);
    // The new widget takes the region's name with its place.
    if (nouveau->objectName().isEmpty())
        nouveau->setObjectName(ancien->objectName());
    separateur->replaceWidget(index, nouveau);
    ancien->setObjectName(QString());
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
    SBReduirePParametres->setAccessibleName(SBReduirePParametres->toolTip());
    connect(SBReduirePParametres, &QToolButton::clicked, this, [this] { SBRedRegVoiesClick(SBReduirePParametres); });
    ScrollBoxParametres = boiteDefilement(panelParametres, "ScrollBoxParametres");
    ScrollBoxParametres->setAccessibleName(QStringLiteral("Réglages"));
    // The panel is narrow: its controls shrink to its width rather than
    // scrolling sideways.
    ScrollBoxParametres->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    ContenuParametres = new QWidget;
    ContenuParametres->setObjectName(QStringLiteral("ContenuParametres"));
    auto* colonne = new QVBoxLayout(ContenuParametres);
    colonne->setContentsMargins(3, 3, 3, 3);
    colonne->setSpacing(4);

    // Time base: duration and points, each with its "-" and "+" buttons.
    auto* groupeTemps = new QGroupBox(QStringLiteral("Base de temps"), ContenuParametres);
    auto* grille = new QGridLayout(groupeTemps);
    grille->setContentsMargins(3, 2, 3, 3);
    grille->setHorizontalSpacing(1);
    grille->setVerticalSpacing(2);
    auto boutonPasAPas = [this](const char* nom, Qt::ArrowType fleche, const char* bulle, TBoite boite, int sens) {
        auto* bouton = new QToolButton;
        bouton->setObjectName(QString::fromUtf8(nom));
        bouton->setAccessibleName(QString::fromUtf8(nom));
        bouton->setArrowType(fleche);
        bouton->setToolTip(QString::fromUtf8(bulle));
        bouton->setFocusPolicy(Qt::NoFocus);
        connect(bouton, &QToolButton::clicked, this, [this, boite, sens] {
            if (bloque)
                return;
            // The list's item when one is shown, else the typed text.
            QComboBox* liste = listeDe(boite);
            const int index = liste->currentIndex();
            const bool item = index >= 0 && liste->itemText(index) == liste->currentText();
            controleur_.pasAPas(boite == TBoite::dureeTotale, sens, item ? index : -1,
                                liste->currentText().toStdString());
        });
        return bouton;
    };
    const char* bullePlus = "Valeur immédiatement supérieure de la liste";
    const char* bulleMoins = "Valeur immédiatement inférieure de la liste";
    auto listeSaisissable = [this](const char* nom, int caracteres, const QString& bulle, TBoite boite) {
        auto* liste = new QComboBox;
        liste->setObjectName(QString::fromUtf8(nom));
        liste->setAccessibleName(QString::fromUtf8(nom));
        liste->setEditable(true);
        liste->setInsertPolicy(QComboBox::NoInsert);
        liste->setMaxVisibleItems(12);
        liste->lineEdit()->setMaxLength(caracteres);
        liste->setToolTip(bulle);
        liste->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        liste->setMinimumContentsLength(3);
        suitSaisie(liste->lineEdit(), boite);
        connect(liste, &QComboBox::activated, this, [this, liste, boite] {
            if (!bloque)
                controleur_.choisitDansListe(boite, liste->currentText().toStdString(), liste->hasFocus());
        });
        connect(liste->lineEdit(), &QLineEdit::textEdited, this, [this, liste, boite] {
            if (!bloque)
                controleur_.texteModifie(boite, liste->currentIndex());
        });
        return liste;
    };
    grille->addWidget(new QLabel(QStringLiteral("Durée totale")), 0, 0, 1, 3);
    CBDureeTotale = listeSaisissable("CBDureeTotale", 12,
                                     QStringLiteral("Sélectionnez une durée\ntotale pour la série\nde mesures. Vous "
                                                    "pouvez\nsaisir d'autres valeurs\nque celles de la liste"),
                                     TBoite::dureeTotale);
    SBDureeTotaleMoins = boutonPasAPas("SBDureeTotaleMoins", Qt::LeftArrow, bulleMoins, TBoite::dureeTotale, -1);
    SBDureeTotalePlus = boutonPasAPas("SBDureeTotalePlus", Qt::RightArrow, bullePlus, TBoite::dureeTotale, 1);
    grille->addWidget(CBDureeTotale, 1, 0);
    grille->addWidget(SBDureeTotaleMoins, 1, 1);
    grille->addWidget(SBDureeTotalePlus, 1, 2);
    grille->addWidget(new QLabel(QStringLiteral("Nombre de points")), 2, 0, 1, 3);
    CBNbPoints = listeSaisissable("CBNbPoints", 6,
                                  QStringLiteral("Sélectionnez le\nnombre de mesures\nsouhaité. Vous pouvez\nsaisir "
                                                 "d'autres valeurs\nque celles de la liste"),
                                  TBoite::nbPoints);
    SBNbPointsMoins = boutonPasAPas("SBNbPointsMoins", Qt::LeftArrow, bulleMoins, TBoite::nbPoints, -1);
    SBNbPointsPlus = boutonPasAPas("SBNbPointsPlus", Qt::RightArrow, bullePlus, TBoite::nbPoints, 1);
    grille->addWidget(CBNbPoints, 3, 0);
    grille->addWidget(SBNbPointsMoins, 3, 1);
    grille->addWidget(SBNbPointsPlus, 3, 2);
    LIntervalle = new QLabel(QStringLiteral("Intervalle:"));
    LIntervalle->setObjectName(QStringLiteral("LIntervalle"));
    grille->addWidget(LIntervalle, 4, 0, 1, 3);
    iTe = new QLabel;
    iTe->setObjectName(QStringLiteral("iTe"));
    iTe->setFixedHeight(24);
    // Its picture follows its width, never the other way round.
    iTe->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    grille->addWidget(iTe, 5, 0, 1, 3);
    colonne->addWidget(groupeTemps);

    BAcquisitionPrecedente = new QPushButton(QStringLiteral("Acquisition précédente"));
    BAcquisitionPrecedente->setObjectName(QStringLiteral("BAcquisitionPrecedente"));
    BAcquisitionPrecedente->setToolTip(QStringLiteral(
        "Permet de revenir \naux réglages de l'acquisition\nprécédente et donc d'ajouter\nles courbes"));
    BAcquisitionPrecedente->setEnabled(false);
    BAcquisitionPrecedente->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    connect(BAcquisitionPrecedente, &QPushButton::clicked, this, [this] {
        if (!bloque)
            controleur_.acquisitionPrecedente();
    });
    colonne->addWidget(BAcquisitionPrecedente);

    // Trigger.
    GBDeclenchement = new QGroupBox(QStringLiteral("Déclenchement"), ContenuParametres);
    GBDeclenchement->setObjectName(QStringLiteral("GBDeclenchement"));
    auto* grilleDecl = new QGridLayout(GBDeclenchement);
    grilleDecl->setContentsMargins(3, 2, 3, 3);
    grilleDecl->setHorizontalSpacing(3);
    grilleDecl->setVerticalSpacing(2);
    CBTypeDeclenchement = new QComboBox;
    CBTypeDeclenchement->setObjectName(QStringLiteral("CBTypeDeclenchement"));
    CBTypeDeclenchement->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    CBTypeDeclenchement->setMinimumContentsLength(3);
    CBTypeDeclenchement->addItems({QStringLiteral("manuel"), QStringLiteral("sur seuil"), QStringLiteral("externe")});
    grilleDecl->addWidget(CBTypeDeclenchement, 0, 0, 1, 2);
    RGSensDeclenchement = new TGroupeRadio(QStringLiteral("Sens"));
    RGSensDeclenchement->setObjectName(QStringLiteral("RGSensDeclenchement"));
    RGSensDeclenchement->setItems({QStringLiteral("montant"), QStringLiteral("descendant")});
    RGSensDeclenchement->setItemIndex(0);
    grilleDecl->addWidget(RGSensDeclenchement, 1, 0, 1, 2);
    LVoieSynchro = new QLabel(QStringLiteral("Voie"));
    LVoieSynchro->setObjectName(QStringLiteral("LVoieSynchro"));
    CBVoieSynchro = new QComboBox;
    CBVoieSynchro->setObjectName(QStringLiteral("CBVoieSynchro"));
    CBVoieSynchro->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    CBVoieSynchro->setMinimumContentsLength(3);
    grilleDecl->addWidget(LVoieSynchro, 2, 0);
    grilleDecl->addWidget(CBVoieSynchro, 2, 1);
    LUSeuilDecl = new QLabel(QStringLiteral("Seuil (V)"));
    LUSeuilDecl->setObjectName(QStringLiteral("LUSeuilDecl"));
    EditUSeuilDecl = new QLineEdit(QStringLiteral("0"));
    EditUSeuilDecl->setObjectName(QStringLiteral("EditUSeuilDecl"));
    EditUSeuilDecl->setMaxLength(6);
    suitSaisie(EditUSeuilDecl, TBoite::seuil);
    connect(EditUSeuilDecl, &QLineEdit::textEdited, this, [this] {
        if (!bloque)
            controleur_.texteModifie(TBoite::seuil, -1);
    });
    grilleDecl->addWidget(LUSeuilDecl, 3, 0);
    grilleDecl->addWidget(EditUSeuilDecl, 3, 1);
    LPretrigX = new QLabel(QStringLiteral("Prétrig."));
    LPretrigX->setObjectName(QStringLiteral("LPretrigX"));
    CBPretrigX = new QComboBox;
    CBPretrigX->setObjectName(QStringLiteral("CBPretrigX"));
    CBPretrigX->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    CBPretrigX->setMinimumContentsLength(3);
    CBPretrigX->addItems(
        {QStringLiteral("0 %"), QStringLiteral("25%"), QStringLiteral("50%"), QStringLiteral("75%"), QStringLiteral("100%")});
    grilleDecl->addWidget(LPretrigX, 4, 0);
    grilleDecl->addWidget(CBPretrigX, 4, 1);
    grilleDecl->setColumnStretch(1, 1);
    colonne->addWidget(GBDeclenchement);
    relie(this, bloque, CBTypeDeclenchement, &QComboBox::activated,
          [this](auto index) { controleur_.choisitTypeDecl(index); });
    relie(this, bloque, RGSensDeclenchement, &TGroupeRadio::itemClique,
          [this](auto index) { controleur_.choisitSensDecl(index); });
    relie(this, bloque, CBVoieSynchro, &QComboBox::activated,
          [this](auto index) { controleur_.choisitVoieSynchro(index); });
    relie(this, bloque, CBPretrigX, &QComboBox::activated, [this](auto index) { controleur_.choisitPretrig(index); });

    CBAjouterCourbes = new QCheckBox(QStringLiteral("Ajouter les courbes"));
    CBAjouterCourbes->setObjectName(QStringLiteral("CBAjouterCourbes"));
    CBAjouterCourbes->setEnabled(false);
    CBModePermanent = new QCheckBox(QStringLiteral("Mode permanent"));
    CBModePermanent->setObjectName(QStringLiteral("CBModePermanent"));
    relie(this, bloque, CBAjouterCourbes, &QCheckBox::clicked,
          [this](auto coche) { controleur_.cocheAjouterCourbes(coche); });
    relie(this, bloque, CBModePermanent, &QCheckBox::clicked,
          [this](auto coche) { controleur_.cocheModePermanent(coche); });
    colonne->addWidget(CBAjouterCourbes);
    colonne->addWidget(CBModePermanent);

    colonne->addStretch(1);
    BAcquisition = new QPushButton(QStringLiteral("Démarrer l'acquisition"));
    BAcquisition->setObjectName(QStringLiteral("BAcquisition"));
    BAcquisition->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    colonne->addWidget(BAcquisition);
    ScrollBoxParametres->setWidget(ContenuParametres);
}

void TFicheGVMixte::construitPanneauVoies()
{
    PanelVoies = panneau(this, "PanelVoies");
    // Its caption lies behind its controls, seen only where they leave room.
    LPatience = new QLabel(QStringLiteral("La patience est la clé du paradis..."), PanelVoies);
    LPatience->setObjectName(QStringLiteral("LPatience"));
    LPatience->setAlignment(Qt::AlignCenter);
    LPatience->lower();
    SBReduirePVoies = new QToolButton(PanelVoies);
    SBReduirePVoies->setObjectName(QStringLiteral("SBReduirePVoies"));
    SBReduirePVoies->setArrowType(Qt::DownArrow);
    SBReduirePVoies->setToolTip(QStringLiteral("Réduire/Restaurer le panneau de réglage des voies"));
    SBReduirePVoies->setAccessibleName(SBReduirePVoies->toolTip());
    connect(SBReduirePVoies, &QToolButton::clicked, this, [this] { SBRedRegVoiesClick(SBReduirePVoies); });
    ScrollBoxVoies = boiteDefilement(PanelVoies, "ScrollBoxVoies");
    ScrollBoxVoies->setAccessibleName(QStringLiteral("Voies"));

    ContenuVoies = new QWidget;
    ContenuVoies->setObjectName(QStringLiteral("ContenuVoies"));
    auto* rangee = new QHBoxLayout(ContenuVoies);
    rangee->setContentsMargins(2, 0, 2, 0);
    rangee->setSpacing(4);
    for (int canal = 0; canal < 4; ++canal) {
        GBCanaux[canal] = new QGroupBox(QStringLiteral(" Voie/Canal %1 ").arg(canal + 1), ContenuVoies);
        GBCanaux[canal]->setObjectName(QStringLiteral("gbCanaux%1").arg(canal));
        GBCanaux[canal]->setFont(QFont(QStringLiteral("Arial Narrow")));
        auto* grille = new QGridLayout(GBCanaux[canal]);
        grille->setContentsMargins(3, 0, 3, 1);
        grille->setHorizontalSpacing(6);
        grille->setVerticalSpacing(0);
        CBModeDiff[canal] = new TCaseCompacte(QStringLiteral("mode différentiel"));
        CBModeDiff[canal]->setObjectName(QStringLiteral("CBModeDiff%1").arg(canal));
        CBModeDiff[canal]->setProperty("tag", 200 + canal);
        CBModeDiff[canal]->setToolTip(QStringLiteral("Cochez si vous voulez que le canal %1\nsoit utilisé en mode "
                                                     "différentiel")
                                          .arg(canal));
        relie(this, bloque, CBModeDiff[canal], &QCheckBox::clicked,
              [this, canal](auto coche) { controleur_.cocheModeDiff(canal, coche); });
        grille->addWidget(CBModeDiff[canal], 0, 0, 1, 2);
        // Input c and input c + 4 share channel c: one column each, with its
        // name, activation, calibres, then its live value and colour.
        for (int rang = 0; rang < 2; ++rang) {
            const int i = canal + 4 * rang;
            TLigneVoie& ligne = voies[size_t(i)];
            auto* colonne = new QVBoxLayout;
            colonne->setSpacing(0);
            ligne.titre = new QLabel;
            QFont gras = ligne.titre->font();
            gras.setBold(true);
            ligne.titre->setFont(gras);
            ligne.active = new TCaseCompacte(QStringLiteral("Activée"));
            ligne.active->setObjectName(QStringLiteral("CBVoiesActives%1").arg(i));
            ligne.active->setProperty("tag", 100 + i);
            relie(this, bloque, ligne.active, &QCheckBox::clicked,
                  [this, i](auto coche) { controleur_.cocheVoie(i, coche); });
            ligne.calibre = new TGroupeRadio(QStringLiteral(" calibre (V) "));
            ligne.calibre->setObjectName(QStringLiteral("RGCalsEA%1").arg(i));
            ligne.calibre->setProperty("tag", 300 + i);
            relie(this, bloque, ligne.calibre, &TGroupeRadio::itemClique,
                  [this, i](auto calibre) { controleur_.choisitCalibre(i, calibre); });
            ligne.nom = new QLabel(QStringLiteral("u"));
            ligne.nom->setFont(gras);
            ligne.indice = new QLabel;
            ligne.egal = new QLabel(QStringLiteral("="));
            ligne.valeur = new QLineEdit;
            ligne.valeur->setObjectName(QStringLiteral("EditValU%1").arg(i));
            ligne.valeur->setReadOnly(true);
            ligne.valeur->setFocusPolicy(Qt::NoFocus);
            ligne.valeur->setMinimumWidth(50);
            ligne.valeur->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
            ligne.legende = new QLabel;
            ligne.legende->setFixedSize(24, 12);
            auto* entete = new QHBoxLayout;
            entete->setSpacing(4);
            entete->addWidget(ligne.titre);
            entete->addWidget(ligne.active, 1);
            colonne->addLayout(entete);
            colonne->addWidget(ligne.calibre);
            auto* mesure = new QHBoxLayout;
            mesure->setSpacing(1);
            mesure->addWidget(ligne.nom);
            mesure->addWidget(ligne.indice, 0, Qt::AlignBottom);
            mesure->addWidget(ligne.egal);
            mesure->addWidget(ligne.valeur, 1);
            mesure->addSpacing(3);
            mesure->addWidget(ligne.legende);
            colonne->addLayout(mesure);
            colonne->addStretch(1);
            grille->addLayout(colonne, 1, rang);
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

void TFicheGVMixte::reduitPanneau(bool parametres)
{
    if (parametres)
        pParametresReduit = !pParametresReduit;
    else
        pVoiesReduit = !pVoiesReduit;
    redimensionnement();
}

void TFicheGVMixte::SBRedRegVoiesClick(QObject* sender)
{
    reduitPanneau(sender == SBReduirePParametres);
}
