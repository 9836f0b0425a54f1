#include "app/TFicheGVMixteOptions.h"

#include "app/GuidesTransferts.h"
#include "app/Messages.h"
#include "app/THoteOptions.h"
#include "model/TCentrale.h"
#include "platform/ProgrammesWindows.h"
#include "platform/Systeme.h"
#include "widgets/TComposantChoixCouleurCercleChro.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

QString qs(const std::string& texte)
{
    return QString::fromStdString(texte);
}

// The values of the transfer options, in the order of the three choices of
// each page ("une nouvelle page/feuille", "un nouveau fichier/classeur",
// "demander à chaque fois").
constexpr std::array<int, 3> valeursChoix = {gv::kTransfertNouvellePage, gv::kTransfertNouveauFichier,
                                            gv::kTransfertDemander};

QColor couleurDe(gv::TCouleurGV c)
{
    return QColor(int(c & 255), int((c >> 8) & 255), int((c >> 16) & 255));
}

QComboBox* listeEditable(QWidget* parent, const QString& nom)
{
    auto* liste = new QComboBox(parent);
    liste->setEditable(true);
    liste->setInsertPolicy(QComboBox::NoInsert);
    liste->setMaxVisibleItems(12);
    liste->setAccessibleName(nom);
    return liste;
}

QLabel* explication(const QString& texte, QWidget* parent)
{
    auto* l = new QLabel(texte, parent);
    l->setWordWrap(true);
    return l;
}

QRadioButton* choix(const QString& texte, QWidget* parent)
{
    auto* b = new QRadioButton(texte, parent);
    b->setAccessibleName(QString(texte).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    return b;
}

} // namespace

TFicheGVMixteOptions::TFicheGVMixteOptions(TCentrale& unite, gv::TReglagesGV& reglages, QWidget* parent)
    : QDialog(parent), donnees(reglages, unite)
{
    setWindowTitle(QStringLiteral("Galvora - Préférences"));
    setAccessibleName(windowTitle());

    auto* barre = new QHBoxLayout;
    barre->setSpacing(2);
    onglets = new QButtonGroup(this);
    onglets->setExclusive(true);
    pages = new QStackedWidget(this);
    const QString titres[5] = {QStringLiteral("Paramètres temporels par défaut et autres"),
                               QStringLiteral(" Transfert vers REGRESSI"), QStringLiteral("Transfert vers EXCEL"),
                               QStringLiteral("Transfert vers Open/LibreOffice Calc"),
                               QStringLiteral("Couleurs des courbes")};
    for (int i = 0; i < 5; ++i) {
        auto* onglet = new QPushButton(titres[i], this);
        onglet->setCheckable(true);
        onglet->setAutoDefault(false);
        onglet->setAccessibleName(titres[i].trimmed());
        onglets->addButton(onglet, i);
        barre->addWidget(onglet);
        auto* page = new QWidget(pages);
        page->setAccessibleName(titres[i].trimmed());
        pages->addWidget(page);
    }
    barre->addStretch(1);
    connect(onglets, &QButtonGroup::idClicked, pages, &QStackedWidget::setCurrentIndex);
    onglets->button(0)->setChecked(true);

    construitPageTemps(pages->widget(0));
    RBTransfertREGNouvellePage = choix(QStringLiteral("une nouvelle page"), this);
    RBTransfertREGNouveauFichier = choix(QStringLiteral("un nouveau fichier"), this);
    RBTransfertREGDemander = choix(QStringLiteral("demander à chaque fois"), this);
    construitPageTransfert(pages->widget(1), QStringLiteral("REGRESSI"), choixREGRESSI(), guideREGRESSI,
                           gv::guideTransfertREGRESSI(), true);
    RBTransfertEXCELNouvelleFeuille = choix(QStringLiteral("une nouvelle feuille"), this);
    RBTransfertEXCELNouveauClasseur = choix(QStringLiteral("un nouveau classeur"), this);
    RBTransfertEXCELDemander = choix(QStringLiteral("demander à chaque fois"), this);
    construitPageTransfert(pages->widget(2), QStringLiteral("EXCEL"), choixEXCEL(), guideEXCEL,
                           gv::guideTransfertEXCEL(), false);
    RBTransfertOONouvelleFeuille = choix(QStringLiteral("une nouvelle feuille"), this);
    RBTransfertOONouveauClasseur = choix(QStringLiteral("un nouveau classeur"), this);
    RBTransfertOODemander = choix(QStringLiteral("demander à chaque fois"), this);
    construitPageTransfert(pages->widget(3), QStringLiteral("Open/LibreOffice Calc"), choixOO(), guideOO,
                           gv::guideTransfertCalc(), false);
    construitPageCouleurs(pages->widget(4));

    BAppliquer = new QPushButton(QStringLiteral("Appliquer"), this);
    BAnnuler = new QPushButton(QStringLiteral("Annuler"), this);
    BAppliquer->setDefault(true);
    BAnnuler->setAutoDefault(false);
    for (QPushButton* b : {BAppliquer, BAnnuler}) {
        b->setAccessibleName(b->text());
        connect(b, &QPushButton::clicked, this, [this, b] { BParametresActuelsClick(b); });
    }
    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    boutons->addWidget(BAppliquer);
    boutons->addWidget(BAnnuler);

    auto* fenetre = new QVBoxLayout(this);
    fenetre->addLayout(barre);
    fenetre->addWidget(pages, 1);
    fenetre->addLayout(boutons);

    ccccc = new TComposantChoixCouleurCercleChro(this);
    ccccc->executeur = [](QDialog& dialogue) { return gv::executeDialogue(dialogue); };
    resize(900, 480);
}

std::array<QRadioButton*, 3> TFicheGVMixteOptions::choixREGRESSI() const
{
    return {RBTransfertREGNouvellePage, RBTransfertREGNouveauFichier, RBTransfertREGDemander};
}

std::array<QRadioButton*, 3> TFicheGVMixteOptions::choixEXCEL() const
{
    return {RBTransfertEXCELNouvelleFeuille, RBTransfertEXCELNouveauClasseur, RBTransfertEXCELDemander};
}

std::array<QRadioButton*, 3> TFicheGVMixteOptions::choixOO() const
{
    return {RBTransfertOONouvelleFeuille, RBTransfertOONouveauClasseur, RBTransfertOODemander};
}

void TFicheGVMixteOptions::construitPageTemps(QWidget* page)
{
    auto* defauts = new QGroupBox(QStringLiteral(" Durée totale et nombre de points par défaut "), page);
    CBDureeTotaledft = listeEditable(defauts, QStringLiteral("Durée totale par défaut"));
    CBNbPointsdft = listeEditable(defauts, QStringLiteral("Nombre de points par défaut"));
    BParametresActuels = new QPushButton(QStringLiteral("Paramètres actuels"), defauts);
    BParametresActuels->setAccessibleName(BParametresActuels->text());
    BParametresActuels->setAutoDefault(false);
    auto* grille = new QGridLayout(defauts);
    auto* lDuree = new QLabel(QStringLiteral("Durée totale :"), defauts);
    auto* lPoints = new QLabel(QStringLiteral("Nombre de points :"), defauts);
    lDuree->setBuddy(CBDureeTotaledft);
    lPoints->setBuddy(CBNbPointsdft);
    grille->addWidget(lDuree, 0, 0);
    grille->addWidget(CBDureeTotaledft, 0, 1);
    grille->addWidget(lPoints, 1, 0);
    grille->addWidget(CBNbPointsdft, 1, 1);
    grille->addWidget(BParametresActuels, 0, 2, 2, 1);
    grille->setColumnStretch(3, 1);

    GBPretrig = new QGroupBox(QStringLiteral(" Pretrig "), page);
    CBSeuilPretrig = listeEditable(GBPretrig, QStringLiteral("Limite de la durée totale pour le pretrig"));
    BtSeuilPretrigDefaut = new QPushButton(QStringLiteral("Valeur par défaut"), GBPretrig);
    BtSeuilPretrigDefaut->setAccessibleName(BtSeuilPretrigDefaut->text());
    BtSeuilPretrigDefaut->setAutoDefault(false);
    auto* pretrig = new QHBoxLayout(GBPretrig);
    pretrig->addWidget(explication(QStringLiteral("L'utilisation du pretrig n'a pas de sens lorsque les durées "
                                                  "d'acquisition sont (très) longues. Sélectionner ci-contre la "
                                                  "limite de la durée totale en-dessous de laquelle le pretrig "
                                                  "doit être disponible."),
                                   GBPretrig),
                       1);
    auto* colonne = new QVBoxLayout;
    colonne->addWidget(CBSeuilPretrig);
    colonne->addWidget(BtSeuilPretrigDefaut);
    pretrig->addLayout(colonne);

    GBEffacer = new QGroupBox(QStringLiteral(" Effacer ...  "), page);
    RBEffacerTrame = choix(QStringLiteral("effacer les valeurs et le graphe acquis lors du balayage précédent\n"
                                          "dès le début du balayage courant"),
                           GBEffacer);
    RBNePasEffacerTrame = choix(QStringLiteral("effacer les valeurs et le graphe progressivement, au fur et à\n"
                                               "mesure de la récupération des valeurs"),
                                GBEffacer);
    auto* effacer = new QVBoxLayout(GBEffacer);
    effacer->addWidget(explication(QStringLiteral("En mode permanent, lorsque la durée totale est supérieure ou "
                                                  "égale à 0,200 s, \"Galvora\" peut :"),
                                   GBEffacer));
    effacer->addWidget(RBEffacerTrame);
    effacer->addWidget(RBNePasEffacerTrame);
    connect(RBEffacerTrame, &QRadioButton::toggled, this, [this](bool coche) { donnees.effacerTrame = coche; });

    auto* l = new QVBoxLayout(page);
    l->addWidget(defauts);
    l->addWidget(GBPretrig);
    l->addWidget(GBEffacer);
    l->addStretch(1);

    for (QComboBox* boite : {CBDureeTotaledft, CBNbPointsdft, CBSeuilPretrig})
        boite->installEventFilter(this);
    for (QPushButton* b : {BParametresActuels, BtSeuilPretrigDefaut})
        connect(b, &QPushButton::clicked, this, [this, b] { BParametresActuelsClick(b); });
}

void TFicheGVMixteOptions::construitPageTransfert(QWidget* page, const QString& nom, std::array<QRadioButton*, 3> boutons,
                                                  QPlainTextEdit*& guide, const QString& texteGuide,
                                                  bool versionREGRESSI)
{
    auto* destination = new QGroupBox(QStringLiteral(" Destination des mesures "), page);
    auto* groupe = new QButtonGroup(page);
    auto* l = new QVBoxLayout(destination);
    int* option = versionREGRESSI ? &donnees.transfertREGRESSI
                  : nom == QLatin1String("EXCEL") ? &donnees.transfertEXCEL
                                                  : &donnees.transfertOOo;
    for (size_t i = 0; i < boutons.size(); ++i) {
        boutons[i]->setParent(destination);
        boutons[i]->setAccessibleName(QStringLiteral("Transfert vers ") + nom + QStringLiteral(" : ") +
                                      boutons[i]->text());
        groupe->addButton(boutons[i]);
        l->addWidget(boutons[i]);
        connect(boutons[i], &QRadioButton::toggled, this, [option, i](bool coche) {
            if (coche)
                *option = valeursChoix[i];
        });
    }
    auto* colonne = new QVBoxLayout;
    colonne->addWidget(destination);
    if (versionREGRESSI) {
        GBVersionREG = new QGroupBox(QStringLiteral("Version de REGRESSI "), page);
        CBREGDEfaut = new QCheckBox(QStringLiteral("par défaut"), GBVersionREG);
        CBREGDEfaut->setAccessibleName(QStringLiteral("Version de REGRESSI par défaut"));
        EditCheminVersionREG = new QLineEdit(GBVersionREG);
        EditCheminVersionREG->setReadOnly(true);
        EditCheminVersionREG->setAccessibleName(QStringLiteral("Chemin de la version de REGRESSI"));
        BVersionRegressi = new QPushButton(QStringLiteral("Changer"), GBVersionREG);
        BVersionRegressi->setAccessibleName(QStringLiteral("Changer de version de REGRESSI"));
        BVersionRegressi->setAutoDefault(false);
        auto* v = new QVBoxLayout(GBVersionREG);
        v->addWidget(CBREGDEfaut);
        v->addWidget(EditCheminVersionREG);
        v->addWidget(BVersionRegressi, 0, Qt::AlignLeft);
        colonne->addWidget(GBVersionREG);
        connect(CBREGDEfaut, &QCheckBox::clicked, this, [this] { BParametresActuelsClick(CBREGDEfaut); });
        connect(BVersionRegressi, &QPushButton::clicked, this, [this] { BParametresActuelsClick(BVersionRegressi); });
    }
    colonne->addStretch(1);
    guide = new QPlainTextEdit(texteGuide, page);
    guide->setReadOnly(true);
    guide->setAccessibleName(QStringLiteral("Guide du transfert vers ") + nom);
    auto* h = new QHBoxLayout(page);
    h->addLayout(colonne);
    h->addWidget(guide, 1);
}

void TFicheGVMixteOptions::construitPageCouleurs(QWidget* page)
{
    auto* grille = new QGridLayout;
    for (int c = 0; c < 4; ++c) {
        gbCanaux[size_t(c)] = new QGroupBox(QStringLiteral(" Canal %1 ").arg(c), page);
        auto* g = new QGridLayout(gbCanaux[size_t(c)]);
        for (int ligne = 0; ligne < 2; ++ligne) {
            const int i = c + 4 * ligne;
            lbs[size_t(i)] = new QLabel(QStringLiteral("Voie EA%1").arg(i), gbCanaux[size_t(c)]);
            auto* panneau = new QFrame(gbCanaux[size_t(c)]);
            panneau->setFrameShape(QFrame::Box);
            panneau->setFixedSize(64, 24);
            panneau->setAutoFillBackground(true);
            panneau->setFocusPolicy(Qt::StrongFocus);
            panneau->setCursor(Qt::PointingHandCursor);
            panneau->setToolTip(gv::texteAffichable(
                QStringLiteral("Cliquez ici pour modifier la couleur des courbes des \n\rtensions acquises sur "
                               "l'entrée EA%1")
                    .arg(i)));
            panneau->setAccessibleName(QStringLiteral("Couleur des courbes de la voie EA%1").arg(i));
            panneau->installEventFilter(this);
            lbs[size_t(i)]->setBuddy(panneau);
            pCVoies[size_t(i)] = panneau;
            g->addWidget(lbs[size_t(i)], ligne, 0);
            g->addWidget(panneau, ligne, 1);
        }
        grille->addWidget(gbCanaux[size_t(c)], 0, c);
    }
    CBCouleursRegressi = new QCheckBox(
        QStringLiteral("Utiliser comme couleurs des courbes dans REGRESSI les couleurs des courbes de Galvora"), page);
    CBEnregistrerCouleurs =
        new QCheckBox(QStringLiteral("Utiliser les nouvelles couleurs au prochain démarrage de Galvora "), page);
    BReinitialiserCouleurs = new QPushButton(QStringLiteral("Réinitialiser"), page);
    BReinitialiserCouleurs->setAutoDefault(false);
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{CBCouleursRegressi, CBEnregistrerCouleurs,
                                                                      BReinitialiserCouleurs})
        b->setAccessibleName(b->text().trimmed());
    connect(CBCouleursRegressi, &QCheckBox::toggled, this, [this](bool coche) { donnees.couleursRegressi = coche; });
    connect(CBEnregistrerCouleurs, &QCheckBox::toggled, this,
            [this](bool coche) { donnees.enregistrerCouleurs = coche; });
    connect(BReinitialiserCouleurs, &QPushButton::clicked, this,
            [this] { BParametresActuelsClick(BReinitialiserCouleurs); });

    auto* l = new QVBoxLayout(page);
    l->addWidget(new QLabel(QStringLiteral("cliquez sur la couleur à modifier"), page));
    l->addLayout(grille);
    l->addWidget(CBCouleursRegressi);
    l->addWidget(CBEnregistrerCouleurs);
    l->addWidget(BReinitialiserCouleurs, 0, Qt::AlignLeft);
    l->addStretch(1);
}

void TFicheGVMixteOptions::FormShow()
{
    bloqueExit_ = false;
    donnees.FormShow();
    afficheDonnees();
}

void TFicheGVMixteOptions::afficheListe(QComboBox* boite, const gv::TListeEditable& liste)
{
    bloqueExit_ = true;
    const QSignalBlocker bloqueur(boite);
    QStringList items;
    for (const std::string& item : liste.items)
        items << qs(item);
    QStringList actuels;
    for (int i = 0; i < boite->count(); ++i)
        actuels << boite->itemText(i);
    if (actuels != items) {
        boite->clear();
        boite->addItems(items);
    }
    boite->setCurrentIndex(liste.index);
    boite->setEditText(qs(liste.texte));
    bloqueExit_ = false;
}

void TFicheGVMixteOptions::afficheChoix(const std::array<QRadioButton*, 3>& boutons, int valeur)
{
    QButtonGroup* groupe = boutons[0]->group();
    // An option outside the three choices checks none of them.
    groupe->setExclusive(false);
    for (size_t i = 0; i < boutons.size(); ++i) {
        const QSignalBlocker bloqueur(boutons[i]);
        boutons[i]->setChecked(valeursChoix[i] == valeur);
    }
    groupe->setExclusive(true);
}

void TFicheGVMixteOptions::afficheVersion()
{
    bloqueCBREGDefaut = true;
    CBREGDEfaut->setChecked(donnees.versionParDefaut);
    CBREGDEfaut->setEnabled(donnees.versionParDefautActive);
    EditCheminVersionREG->setText(qs(donnees.cheminVersionREG));
    EditCheminVersionREG->setVisible(!donnees.versionParDefaut);
    bloqueCBREGDefaut = false;
}

void TFicheGVMixteOptions::afficheCouleurs()
{
    for (int i = 0; i < 8; ++i) {
        QPalette palette = pCVoies[size_t(i)]->palette();
        palette.setColor(QPalette::Window, couleurDe(donnees.couleurs[size_t(i)]));
        pCVoies[size_t(i)]->setPalette(palette);
        // Only the unit's inputs take their colours when the dialog is applied.
        pCVoies[size_t(i)]->setEnabled(i < donnees.nbVoiesUnite);
        lbs[size_t(i)]->setEnabled(i < donnees.nbVoiesUnite);
    }
}

void TFicheGVMixteOptions::afficheDonnees()
{
    afficheListe(CBDureeTotaledft, donnees.dureeTotale);
    afficheListe(CBNbPointsdft, donnees.nbPoints);
    afficheListe(CBSeuilPretrig, donnees.seuilPretrig);
    GBPretrig->setVisible(donnees.pretrigVisible);
    {
        const QSignalBlocker b1(RBEffacerTrame), b2(RBNePasEffacerTrame);
        RBEffacerTrame->setChecked(donnees.effacerTrame);
        RBNePasEffacerTrame->setChecked(!donnees.effacerTrame);
    }
    afficheChoix(choixREGRESSI(), donnees.transfertREGRESSI);
    afficheChoix(choixEXCEL(), donnees.transfertEXCEL);
    afficheChoix(choixOO(), donnees.transfertOOo);
    afficheVersion();
    {
        const QSignalBlocker b1(CBCouleursRegressi), b2(CBEnregistrerCouleurs);
        CBCouleursRegressi->setChecked(donnees.couleursRegressi);
        CBEnregistrerCouleurs->setChecked(donnees.enregistrerCouleurs);
    }
    afficheCouleurs();
}

bool TFicheGVMixteOptions::CBDureeTotaledftExit(QComboBox* boite)
{
    if (bloqueExit_)
        return true;
    const std::string texte = boite->currentText().toStdString();
    std::string erreur;
    if (boite == CBDureeTotaledft)
        erreur = donnees.CBDureeTotaledftExit(texte);
    else if (boite == CBNbPointsdft)
        erreur = donnees.CBNbPointsdftExit(texte);
    else
        donnees.CBSeuilPretrigExit(texte);
    if (erreur.empty()) {
        afficheListe(CBDureeTotaledft, donnees.dureeTotale);
        afficheListe(CBNbPointsdft, donnees.nbPoints);
        afficheListe(CBSeuilPretrig, donnees.seuilPretrig);
        return true;
    }
    bloqueExit_ = true;
    gv::boiteMessage(this, gv::TIconeMessage::Information, qs(erreur));
    // The duration box returns to the current default; a points box keeps
    // its text for correction.
    if (boite == CBDureeTotaledft)
        boite->setEditText(qs(donnees.dureeTotale.texte));
    boite->setFocus(Qt::OtherFocusReason);
    bloqueExit_ = false;
    return false;
}

void TFicheGVMixteOptions::BParametresActuelsClick(QObject* sender)
{
    if (sender == BParametresActuels) {
        donnees.BParametresActuelsClick();
        afficheDonnees();
    } else if (sender == BAppliquer) {
        accept();
    } else if (sender == BAnnuler) {
        reject();
    } else if (sender == BReinitialiserCouleurs) {
        donnees.BReinitialiserCouleursClick();
        afficheCouleurs();
    } else if (sender == BtSeuilPretrigDefaut) {
        donnees.BtSeuilPretrigDefautClick();
        afficheDonnees();
    } else if (sender == CBREGDEfaut) {
        if (bloqueCBREGDefaut)
            return;
        donnees.CBREGDEfautClick(CBREGDEfaut->isChecked());
        afficheVersion();
    } else if (sender == BVersionRegressi) {
        QFileDialog dialogue(this, QStringLiteral("Recherche du programme REGRESSI"));
        dialogue.setFileMode(QFileDialog::ExistingFile);
        dialogue.setNameFilter(QStringLiteral("REGRESSI (*REGRESSI*.EXE *Regressi*.exe *regressi*.exe)"));
        const QString lecteur = qs(plateforme::prefixeWine() + "/drive_c");
        if (QDir(lecteur).exists())
            dialogue.setDirectory(lecteur);
        std::string choisi;
        if (gv::executeDialogue(dialogue) == QDialog::Accepted && !dialogue.selectedFiles().isEmpty())
            choisi = dialogue.selectedFiles().constFirst().toStdString();
        donnees.BVersionRegressiClick(choisi);
        afficheVersion();
    }
}

void TFicheGVMixteOptions::clic(int voie)
{
    if (voie < 0 || voie >= donnees.nbVoiesUnite)
        return;
    ccccc->setCouleur(donnees.couleurs[size_t(voie)]);
    ccccc->setTitre(QStringLiteral("Couleur de la courbe de la voie EA%1").arg(voie));
    if (ccccc->execute()) {
        donnees.couleurs[size_t(voie)] = ccccc->couleur();
        afficheCouleurs();
    }
}

void TFicheGVMixteOptions::accept()
{
    // A box still being typed in (Enter, or "Appliquer" reached from the
    // keyboard) is taken as if it were left; a refused text keeps the dialog open.
    for (QComboBox* boite : {CBDureeTotaledft, CBNbPointsdft, CBSeuilPretrig})
        if (boite->hasFocus() && !CBDureeTotaledftExit(boite))
            return;
    QDialog::accept();
}

void TFicheGVMixteOptions::reject()
{
    // Escape and the close box act as "Annuler".
    bloqueExit_ = true;
    donnees.BAnnulerClick();
    QDialog::reject();
}

void TFicheGVMixteOptions::surEntree(QComboBox* boite)
{
    // Enter moves from the duration box to the points box and back.
    if (boite == CBDureeTotaledft)
        CBNbPointsdft->setFocus(Qt::TabFocusReason);
    else if (boite == CBNbPointsdft)
        CBDureeTotaledft->setFocus(Qt::TabFocusReason);
}

bool TFicheGVMixteOptions::eventFilter(QObject* objet, QEvent* event)
{
    if (auto* boite = qobject_cast<QComboBox*>(objet)) {
        if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason raison = static_cast<QFocusEvent*>(event)->reason();
            if (raison != Qt::PopupFocusReason && raison != Qt::ActiveWindowFocusReason && isVisible())
                CBDureeTotaledftExit(boite);
        } else if (event->type() == QEvent::KeyPress && boite != CBSeuilPretrig) {
            const int touche = static_cast<QKeyEvent*>(event)->key();
            if (touche == Qt::Key_Return || touche == Qt::Key_Enter) {
                surEntree(boite);
                return true;
            }
        }
        return QDialog::eventFilter(objet, event);
    }
    for (int i = 0; i < 8; ++i)
        if (objet == pCVoies[size_t(i)]) {
            if (event->type() == QEvent::MouseButtonPress) {
                clic(i);
                return true;
            }
            if (event->type() == QEvent::KeyPress) {
                const int touche = static_cast<QKeyEvent*>(event)->key();
                if (touche == Qt::Key_Space || touche == Qt::Key_Return || touche == Qt::Key_Enter) {
                    clic(i);
                    return true;
                }
            }
        }
    return QDialog::eventFilter(objet, event);
}

bool executeOptions(QWidget* parent, TCentrale& unite, gv::TReglagesGV& reglages, gv::THoteOptions& hote)
{
    hote.avantOptions();
    TFicheGVMixteOptions fiche(unite, reglages, parent);
    fiche.FormShow();
    if (gv::executeDialogue(fiche) != QDialog::Accepted) {
        fiche.donnees.BAnnulerClick();
        return false;
    }
    fiche.donnees.applique(hote);
    return true;
}
