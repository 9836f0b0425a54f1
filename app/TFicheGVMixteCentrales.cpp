// Finding the installed units, choosing one, switching between them, and the
// presence poll that keeps the status box right.
#include "app/TFicheGVMixte.h"

#include "app/GroupeRadio.h"
#include "app/Messages.h"
#include "app/TFicheGVChoixCentrale.h"
#include "app/TFicheGVMixteTitre.h"
#include "model/TCentrale.h"
#include "model/UniteBaseChaines.h"
#include "platform/Bibliotheque.h"
#include "platform/PompeMessages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <exception>

namespace {

QString texte(const std::string& s)
{
    return QString::fromStdString(s);
}

const QString avertissementV6Campus = QStringLiteral(
    "\"Galvora\" a détecté une source potentielle de problèmes, à savoir que si une centrale SYSAM V6 est connectée "
    "à l'ordinateur, certaines fonctions de la centrale SYSAM CAMPUS sont perturbées, notamment le déclenchement "
    "sur seuil. \n\r\n\rIl y a également une interaction problématique entre ces deux centrales avec LatisPro "
    "(utilisation de la CAMPUS perturbée lorsqu'une V6 est connectée).\n\r\n\rIl est donc recommandé de débrancher "
    "la centrale SYSAM V6 connectée à l'ordinateur avant de cliquer sur [OK] pour continuer d'utiliser \"Galvora\" "
    "avec SYSAM CAMPUS.");

const QString messageAucuneCentrale = QStringLiteral(
    "Aucune centrale \n\r- SYSAM SP5\n\r- SYSAM V6\n\r- SYSAM CAMPUS \n\rn'est installée sur cet ordinateur.\n\r\n\r"
    "\"Galvora\" ne peut pas fonctionner.");

// Memo texts of the detection, per unit type 1..3.
struct TTextesDetection {
    const char* detection;
    const char* installee;
    const char* connectee;
    const char* nonConnectee;
    const char* nonInstallee;
};
const TTextesDetection textesDetection[3] = {
    {"Détection SYSAM SP5...", "Centrale SYSAM SP5 installée ", "Centrale SYSAM SP5 connectée ",
     "Centrale SYSAM SP5 non connectée ", "Centrale SYSAM SP5 non installée sur cet ordinateur"},
    {"Détection SYSAM V6...", "Centrale SYSAM V6 installée ", "Centrale SYSAM V6 connectée ",
     "Centrale SYSAM V6 non connectée ", "Centrale SYSAM V6 non installée sur cet ordinateur"},
    {"Détection SYSAM CAMPUS...", "Centrale SYSAM CAMPUS installée ", "Centrale CAMPUS connectée ",
     "Centrale CAMPUS non connectée ", "Centrale SYSAM CAMPUS non installée sur cet ordinateur"},
};

void afficheMaintenant(QWidget* controle)
{
    controle->repaint();
    plateforme::traiteMessages();
}

} // namespace

// One probe: the driver is built with each library path in turn until one
// loads. The record stays only when the library loaded.
static bool sonde(TFicheGVMixte& fiche, const gv::TFabriqueCentrales& fabrique, int32_t type,
                  const std::vector<std::string>& chemins, bool& connectee)
{
    connectee = false;
    TCentraleInsPre record;
    record.typecentrale = type;
    ++fiche.nbCentralesGerees;
    for (const std::string& chemin : chemins) {
        // A library that is missing or does not load at this place (its
        // driver raises) is looked for at the next one.
        try {
            if (!record.Centrale1)
                record.Centrale1 = fabrique(type, chemin);
            else
                record.Centrale1->Create(chemin, 1);
        } catch (const std::exception&) {
            if (record.Centrale1)
                record.Centrale1->CentraleInstallee = false;
            plateforme::traiteMessages();
            continue;
        }
        plateforme::traiteMessages();
        if (!record.Centrale1 || record.Centrale1->CentraleInstallee) {
            record.cheminDLL = chemin;
            break;
        }
    }
    if (!record.Centrale1 || !record.Centrale1->CentraleInstallee) {
        libereCentrale(record.Centrale1, true);
        --fiche.nbCentralesGerees;
        return false;
    }
    fiche.cheminsDLLCentrales[type - 1] = record.cheminDLL;
    record.nom = TFicheGVMixte::nomsCentrales[type - 1];
    record.nomPetit = TFicheGVMixte::nomsPetitsCentrales[type - 1];
    record.installee = true;
    record.presente = record.Centrale1->Presente();
    plateforme::traiteMessages();
    if (record.presente) {
        ++fiche.nbCentralesConnectees;
        record.Centrale1->RecupereCalibration();
    }
    connectee = record.presente;
    fiche.centrales.push_back(std::move(record));
    return true;
}

void TFicheGVMixte::detectionCentrales()
{
    nbCentralesGerees = 0;
    nbCentralesConnectees = 0;
    centrales.clear();
    ListeCentralesConnectees.clear();
    const gv::TEmplacementsGV& e = contexte_.emplacements;
    for (int32_t type = kSysamSP5; type <= kSysamCampus; ++type) {
        const TTextesDetection& t = textesDetection[type - 1];
        messageTitre(QString::fromUtf8(t.detection));
        bool installee = false;
        bool connectee = false;
        switch (type) {
        case kSysamSP5:
            installee = sonde(*this, contexte_.fabrique, type, gv::cheminsSP5(e), connectee);
            break;
        case kSysamV6:
            installee = sonde(*this, contexte_.fabrique, type, gv::cheminsV6(e), connectee);
            break;
        default:
            // The CAMPUS library is not even tried without FTDI's library.
            if (gv::bibliothequeFTDIPresente(e))
                installee = sonde(*this, contexte_.fabrique, type, gv::cheminsCampus(e), connectee);
            break;
        }
        if (installee) {
            messageTitre(QString::fromUtf8(t.installee));
            messageTitre(QString::fromUtf8(connectee ? t.connectee : t.nonConnectee));
        } else {
            messageTitre(QString::fromUtf8(t.nonInstallee));
        }
        if (connectee)
            ListeCentralesConnectees.insert(type);
        messageTitre(QString());
        plateforme::traiteMessages();
    }
}

void TFicheGVMixte::choisitCentrale()
{
    TFicheGVMixteTitre* titre = contexte_.titre;
    if (centrales.empty()) {
        setCentraleActive(-1, false);
        if (titre)
            titre->hide();
        gv::boiteMessage(this, gv::TIconeMessage::Avertissement, messageAucuneCentrale);
        if (titre)
            titre->show();
        return;
    }
    size_t choisie = 0;
    if (centrales.size() >= 2) {
        if (titre)
            titre->hide();
        ListeTypesCentrales.clear();
        for (const TCentraleInsPre& centrale : centrales)
            ListeTypesCentrales.insert(centrale.typecentrale);
        TFicheGVChoixCentrale* choix = contexte_.choix;
        std::unique_ptr<TFicheGVChoixCentrale> choixLocal;
        if (!choix) {
            choixLocal = std::make_unique<TFicheGVChoixCentrale>(this);
            choix = choixLocal.get();
        }
        choix->PrepareChoixCentrale(ListeTypesCentrales);
        choix->FormShow(typeCentraleActive);
        const int resultat = gv::executeDialogue(*choix);
        if (titre)
            titre->show();
        if (resultat != TFicheGVChoixCentrale::resultatOK || choix->typeCentraleAActiver1 < 0) {
            // Abandoned: the window only lets the user quit, without questions.
            nbCentralesGerees = 0;
            setCentraleActive(-1, false);
            abandon = true;
            peutFermer = true;
            for (TCentraleInsPre& centrale : centrales)
                libereCentrale(centrale.Centrale1, true);
            centrales.clear();
            return;
        }
        while (choisie < centrales.size() && centrales[choisie].typecentrale != choix->typeCentraleAActiver1)
            ++choisie;
        if (choisie == centrales.size())
            choisie = 0;
        construitBoutonsCentrales();
        if (centrales[choisie].typecentrale == kSysamCampus && ListeCentralesConnectees.count(kSysamV6))
            gv::boiteMessage(this, gv::TIconeMessage::Avertissement, avertissementV6Campus);
    }
    SP5 = centrales[choisie].Centrale1;
    setCentraleActive(centrales[choisie].typecentrale, false);
}

void TFicheGVMixte::creeOuRecreeCentrale(int32_t type)
{
    // Neither the screen nor the panels ever read a freed unit.
    if (widgetEcran)
        ecran().setCentrale(nullptr);
    controleur_.setCentrale(nullptr);
    libereCentrale(SP5, true);
    plateforme::dorsEnTraitantMessages(100);
    cheminDLLCentrale = cheminsDLLCentrales[type - 1];
    SP5 = contexte_.fabrique(type, cheminDLLCentrale);
    controleur_.setCentrale(SP5);
}

void TFicheGVMixte::panneauVoiesVide()
{
    for (int canal = 0; canal < 4; ++canal) {
        if (!GBCanaux[canal])
            continue;
        GBCanaux[canal]->setTitle(QStringLiteral(" Voie/Canal %1 ").arg(canal + 1));
        GBCanaux[canal]->show();
        CBModeDiff[canal]->hide();
    }
    for (int i = 0; i < 8; ++i) {
        TLigneVoie& ligne = voies[i];
        if (!ligne.active)
            continue;
        const bool montre = i < 4;
        for (QWidget* controle : std::initializer_list<QWidget*>{ligne.active, ligne.calibre, ligne.nom, ligne.indice,
                                                                 ligne.egal, ligne.valeur, ligne.legende})
            controle->setVisible(montre);
        ligne.titre->hide();
        ligne.calibre->setItems({QStringLiteral("-10V / +10V"), QStringLiteral("-5V / +5V")});
        ligne.indice->setText(QString::number(i + 1));
        ligne.valeur->setText(QStringLiteral(" 0,00 V"));
        ligne.valeur->setEnabled(false);
    }
}

void TFicheGVMixte::panneauVoiesCentrale()
{
    for (int canal = 0; canal < 4; ++canal) {
        if (!GBCanaux[canal])
            continue;
        const bool montre = canal < SP5->nbCanaux_;
        GBCanaux[canal]->setVisible(montre);
        if (!montre)
            continue;
        const QString legende = canal < static_cast<int>(SP5->GBCanauxCaption.size())
                                    ? texte(SP5->GBCanauxCaption[canal])
                                    : QString();
        GBCanaux[canal]->setTitle(legende);
        CBModeDiff[canal]->setVisible(SP5->ChxModeDiff == 1);
        CBModeDiff[canal]->setToolTip(QStringLiteral("Cochez si vous voulez que le canal ") + legende.toLower() +
                                      QStringLiteral("\n") + QStringLiteral("soit utilisé en mode différentiel"));
    }
    for (int i = 0; i < 8; ++i) {
        TLigneVoie& ligne = voies[i];
        if (!ligne.active)
            continue;
        const bool montre = i < SP5->nbEAU;
        for (QWidget* controle : std::initializer_list<QWidget*>{ligne.titre, ligne.active, ligne.calibre, ligne.nom,
                                                                 ligne.indice, ligne.egal, ligne.valeur, ligne.legende})
            controle->setVisible(montre);
        if (!montre)
            continue;
        const QString entree = i < static_cast<int>(SP5->sEntrees.size()) ? texte(SP5->sEntrees[i]) : QString();
        ligne.titre->setText(entree);
        ligne.titre->setVisible(SP5->ChxModeDiff == 1);
        QString bulleActive = QStringLiteral("Cochez si vous voulez activer l'entrée ") + entree;
        if ((SP5->typeCentrale == kSysamSP5 || SP5->typeCentrale == kSimulationSP5) && i > 3)
            bulleActive += QStringLiteral("\nSi cette voie est activée, le temps \nd'échantillonnage minimal est de 2 µs");
        ligne.active->setToolTip(bulleActive);
        QStringList calibres;
        for (int k = 0; k < SP5->nbCalEAGV && k < static_cast<int>(SP5->sCalibres.size()); ++k)
            calibres << texte(SP5->sCalibres[k]);
        ligne.calibre->setItems(calibres);
        ligne.calibre->setToolTip(QStringLiteral("Sélection du calibre de l'entrée ") + entree);
        ligne.nom->setText(texte(SP5->GetCapU(i)));
        ligne.indice->setText(texte(SP5->GetCapUInd(i)));
        ligne.valeur->clear();
        ligne.valeur->setEnabled(true);
        ligne.valeur->setToolTip(QStringLiteral("Affiche la tension actuellement \nmesurée sur l'entrée") + entree);
        const gv::TCouleurGV couleur = reglages.clsVX[i];
        QPalette palette = ligne.legende->palette();
        palette.setColor(QPalette::Window, QColor(couleur & 0xFF, (couleur >> 8) & 0xFF, (couleur >> 16) & 0xFF));
        ligne.legende->setPalette(palette);
        // The panel mirrors the driver's default state (input 0 alone).
        ligne.active->setChecked(i < static_cast<int>(SP5->VoiesX.size()) && SP5->VoiesX[i].active);
    }
}

void TFicheGVMixte::setCentraleActive(int32_t NouveauTypeCentrale1, bool avecCreation)
{
    if (NouveauTypeCentrale1 == typeCentraleActive)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    controleur_.setCentrale(NouveauTypeCentrale1 < 0 ? nullptr : SP5);
    // No measured curve, none to add: they belong to the other unit.
    mesures.nbVoiesMesurees = 0;
    ajouterLesCourbesX = false;
    if (NouveauTypeCentrale1 < 0) {
        panneauVoiesVide();
        if (ContenuParametres)
            ContenuParametres->setToolTip(QString());
    } else {
        ScrollBoxVoies->hide();
        TimerPresenceSP5.stop();
        TimerAcqDir.stop();
        plateforme::traiteMessages();
        typeCentraleActive = NouveauTypeCentrale1;
        for (QToolButton* bouton : SBCentrales_) {
            const bool choisi = bouton->property("tag").toInt() == NouveauTypeCentrale1 + 6000;
            bouton->setChecked(choisi);
            QFont police = bouton->font();
            police.setBold(choisi);
            bouton->setFont(police);
        }
        if (avecCreation) {
            creeOuRecreeCentrale(NouveauTypeCentrale1);
        } else {
            // The probe drivers of the other units are no longer needed.
            for (TCentraleInsPre& centrale : centrales)
                if (centrale.Centrale1 && centrale.Centrale1 != SP5)
                    libereCentrale(centrale.Centrale1, true);
            for (TCentraleInsPre& centrale : centrales)
                centrale.Centrale1 = nullptr;
            centrales.clear();
            cheminDLLCentrale = cheminsDLLCentrales[NouveauTypeCentrale1 - 1];
        }
        if (SP5) {
            EditPresence->setText(QStringLiteral("Initialisation de la centrale ") + texte(SP5->nomCentrale) +
                                  QStringLiteral("..."));
            afficheMaintenant(EditPresence);
            SP5->traiterAliasing = false;
            SP5->acquisitionUtilisateur = true;
            SP5Presente = SP5->Presente();
            if (SP5Presente) {
                SP5->RecupereCalibration();
                if (SP5->typeCentrale == kSysamCampus)
                    SP5->tAttenteCAMPUSAuDeclX = 50;
                EditPresence->setText(QStringLiteral("Centrale ") + texte(SP5->nomCentrale) +
                                      QStringLiteral(" connectée"));
                controleur_.reglagesDefautMI();
            } else {
                EditPresence->setText(QStringLiteral("Centrale ") + texte(SP5->nomCentrale) +
                                      QStringLiteral(" non connectée"));
            }
            panneauVoiesCentrale();
            if (ContenuParametres)
                ContenuParametres->setToolTip(texte(SP5->ITeHINT));
            if (contexte_.titre) {
                contexte_.titre->afficheUnitePage(true);
                contexte_.titre->afficheNumeroSerie(texte(SP5->numeroSerie));
            }
            controleur_.prepareCBTemporels();
            SP5->Reset();
            controleur_.reglagesDefautMI();
            curseursAuxBornes();
        }
        ScrollBoxVoies->show();
    }
    // --- Acquisition run ---
    if (widgetEcran) {
        ecran().setCentrale(SP5);
        if (!initialisation)
            ecran().dessineEcranN(true);
    }
    // --- end of acquisition run ---
    repaint();
    controleur_.prepareComposants();
    enregistrerX = false;
    controleur_.changeActivations([](TActivations& a) {
        for (TBoutonOutil b : {TBoutonOutil::nouveau, TBoutonOutil::enregistrerRW3, TBoutonOutil::enregistrerTXT,
                               TBoutonOutil::transfertREG, TBoutonOutil::transfertExcel, TBoutonOutil::transfertOOLO})
            a.outil(b) = false;
    });
    acqDirecteEnCours = true;
    bloqueTimerAcqDirecte = false;
    QApplication::restoreOverrideCursor();
}

void TFicheGVMixte::SBChoixCentraleClick(QToolButton* bouton)
{
    bloqueTimerAcqDirecte = true;
    TimerAcqDir.stop();
    TimerPresenceSP5.stop();
    const bool v6Presente = SP5 && SP5->typeCentrale == kSysamV6 && SP5->Presente();
    EditMessageX->clear();
    EditPresence->clear();
    const int tag = bouton->property("tag").toInt();
    if (tag == 6000 + kSysamCampus && v6Presente)
        gv::boiteMessage(this, gv::TIconeMessage::Avertissement, avertissementV6Campus);
    const int32_t ancienType = typeCentraleActive;
    setCentraleActive(tag - 6000, true);
    // The button stays down even when clicked again on the active unit.
    bouton->setChecked(true);
    if (typeCentraleActive != ancienType)
        redimensionnement();
    bouton->repaint();
    plateforme::dorsEnTraitantMessages(500);
    bloqueTimerAcqDirecte = false;
    TimerAcqDir.start();
    TimerPresenceSP5.start();
}

void TFicheGVMixte::TimerPresenceSP5Tick()
{
    if (!SP5 || SP5->NbProcessus != 0)
        return;
    TFicheGVMixteTitre* titre = contexte_.titre;
    if (SP5->Presente()) {
        if (!SP5Presente) {
            // Plugged back: its calibration may be another unit's.
            SP5->RecupereCalibration();
            SP5->MAJCalibrage();
            EditMessageX->clear();
            SP5->prepareTousPRX(true);
            if (titre) {
                titre->afficheNumeroSerie(texte(SP5->numeroSerie));
                titre->afficheCaracteristiques();
            }
        }
        EditPresence->setText(QStringLiteral("Centrale ") + texte(SP5->nomCentrale) + QStringLiteral(" connectée"));
        if (titre)
            titre->afficheUnitePage(true);
        SP5Presente = true;
    } else {
        if (SP5Presente) {
            SP5->MAJCalibrage();
            if (titre)
                titre->afficheCaracteristiques();
        }
        SP5Presente = false;
        EditPresence->setText(QStringLiteral("Centrale ") + texte(SP5->nomCentrale) +
                              QStringLiteral(" non connectée"));
        if (titre)
            titre->afficheUnitePage(false);
    }
}

TFicheGVMixte::TEtatTitre TFicheGVMixte::etatPourTitre() const
{
    TEtatTitre etat;
    if (!SP5)
        return etat;
    etat.estSP5 = SP5->typeCentrale == kSysamSP5 || SP5->typeCentrale == kSimulationSP5;
    etat.installeeEtPresente = SP5->CentraleInstallee && SP5->Presente();
    return etat;
}
