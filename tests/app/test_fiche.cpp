// The main window's start-up with units that a test installs and plugs:
// detection, choice, switching, presence, settings, temporary files, layout.
#include "CentraleFactice.h"
#include "ControlesFiche.h"
#include "EnvironnementTest.h"
#include "app/GroupeRadio.h"
#include "app/Messages.h"
#include "app/TFicheGVChoixCentrale.h"
#include "app/TFicheGVMixte.h"
#include "app/TFicheGVMixteTitre.h"
#include "tests/platform/DisquePlein.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>
#include <filesystem>
#include <fstream>

using testgv::ui;

namespace fs = std::filesystem;

namespace {
std::string racineTest;

// The boxes shown, and the answer to give to questions.
struct Boites {
    std::vector<gv::TMessage> vues;
    QMessageBox::StandardButton reponseQuestion = QMessageBox::Yes;
    bool contient(const QString& debut) const
    {
        for (const gv::TMessage& m : vues)
            if (m.texte.startsWith(debut))
                return true;
        return false;
    }
};
} // namespace

class TestFiche : public QObject {
    Q_OBJECT

    Boites boites;
    std::function<int(QDialog&)> operateurDialogue;
    int dialoguesMontres = 0;
    std::unique_ptr<TFicheGVMixteTitre> titre;
    std::unique_ptr<TFicheGVChoixCentrale> choix;

    std::string dossierCentrales() const { return racineTest + "/data/Galvora/centrales"; }
    QString fichierReglages() const { return QString::fromStdString(racineTest + "/config/Galvora.conf"); }

    void installe(std::initializer_list<const char*> fichiers)
    {
        fs::create_directories(dossierCentrales());
        for (const char* fichier : fichiers)
            std::ofstream(dossierCentrales() + "/" + fichier) << "bibliothèque";
    }

    std::unique_ptr<TFicheGVMixte> ouvre()
    {
        titre = std::make_unique<TFicheGVMixteTitre>(QStringLiteral("0.1.0.0"));
        choix = std::make_unique<TFicheGVChoixCentrale>();
        TContexteGV contexte;
        contexte.emplacements = gv::emplacementsParDefaut();
        contexte.emplacements.dossierSimulateurs.clear();
        contexte.fabrique = [](int32_t type, const std::string& chemin) -> TCentrale* {
            return new TCentraleFactice(type, chemin);
        };
        contexte.titre = titre.get();
        contexte.choix = choix.get();
        return std::make_unique<TFicheGVMixte>(contexte);
    }

    QStringList memo() const { return titre->MemoDemarrage->toPlainText().split(QLatin1Char('\n')); }

    // Clicks a unit button of the choice dialog, then OK or "Abandonner".
    static std::function<int(QDialog&)> choisit(QPushButton* TFicheGVChoixCentrale::*bouton, bool ok = true)
    {
        return [bouton, ok](QDialog& dialogue) {
            auto& choixCentrale = static_cast<TFicheGVChoixCentrale&>(dialogue);
            QTest::mouseClick(choixCentrale.*bouton, Qt::LeftButton);
            QTest::mouseClick(ok ? choixCentrale.BOK : choixCentrale.BAbandonner, Qt::LeftButton);
            return dialogue.result();
        };
    }

private slots:
    void init()
    {
        fs::remove_all(racineTest + "/data");
        fs::remove(fichierReglages().toStdString());
        etatFactice() = EtatFactice();
        boites = Boites();
        dialoguesMontres = 0;
        operateurDialogue = nullptr;
        gv::installeIntercepteurMessages([this](const gv::TMessage& message) {
            boites.vues.push_back(message);
            return message.icone == gv::TIconeMessage::Question ? boites.reponseQuestion : QMessageBox::Ok;
        });
        gv::installeIntercepteurDialogues([this](QDialog& dialogue) {
            ++dialoguesMontres;
            dialogue.show();
            return operateurDialogue ? operateurDialogue(dialogue) : 0;
        });
    }

    void cleanup()
    {
        titre.reset();
        choix.reset();
        QCOMPARE(etatFactice().vivantes, 0);
    }

    void aucuneCentraleInstallee()
    {
        auto fiche = ouvre();
        QCOMPARE(fiche->nbCentralesGerees, 0);
        QVERIFY(!fiche->SP5);
        QCOMPARE(boites.vues.size(), size_t(1));
        QCOMPARE(boites.vues[0].icone, gv::TIconeMessage::Avertissement);
        QCOMPARE(boites.vues[0].texte,
                 QStringLiteral("Aucune centrale \n\r- SYSAM SP5\n\r- SYSAM V6\n\r- SYSAM CAMPUS \n\rn'est installée sur "
                                "cet ordinateur.\n\r\n\r\"Galvora\" ne peut pas fonctionner."));
        QVERIFY(!ui(*fiche).BAcquisition->isEnabled());
        QVERIFY(!ui(*fiche).voies[0].active->isEnabled());
        QVERIFY(!ui(*fiche).CBDureeTotale->isEnabled());
        QVERIFY(!ui(*fiche).CBTypeDeclenchement->isEnabled());
        QVERIFY(!fiche->TimerPresenceSP5.isActive());
        QVERIFY(!fiche->TimerAcqDir.isActive());
        // The empty channel panel: four channels, the first four inputs.
        QCOMPARE(ui(*fiche).GBCanaux[3]->title(), QStringLiteral(" Voie/Canal 4 "));
        QVERIFY(ui(*fiche).voies[3].active->isVisibleTo(ui(*fiche).ContenuVoies));
        QVERIFY(!ui(*fiche).voies[4].active->isVisibleTo(ui(*fiche).ContenuVoies));
        QCOMPARE(ui(*fiche).voies[0].calibre->count(), 2);
        const QStringList lignes = memo();
        QVERIFY(lignes.contains(QStringLiteral("Détection SYSAM SP5...")));
        QVERIFY(lignes.contains(QStringLiteral("Centrale SYSAM SP5 non installée sur cet ordinateur")));
        QVERIFY(lignes.contains(QStringLiteral("Centrale SYSAM V6 non installée sur cet ordinateur")));
        QVERIFY(lignes.contains(QStringLiteral("Centrale SYSAM CAMPUS non installée sur cet ordinateur")));
        // Each probe tried every place of its unit; the CAMPUS none.
        int essaisCampus = 0;
        for (const auto& [type, chemin] : etatFactice().creations)
            essaisCampus += type == 3;
        QCOMPARE(essaisCampus, 0);
    }

    void uneCentraleSansChoix()
    {
        installe({"FTD2XX-V6.DLL"});
        etatFactice().presente[2] = true;
        auto fiche = ouvre();
        QCOMPARE(dialoguesMontres, 0);
        QCOMPARE(fiche->typeCentraleActive, 2);
        QVERIFY(fiche->SP5);
        QCOMPARE(fiche->SP5->typeCentrale, 2);
        QVERIFY(ui(*fiche).SBCentrales_.empty());
        QCOMPARE(ui(*fiche).EditPresence->text(), QStringLiteral("Centrale SYSAM V6 connectée"));
        QCOMPARE(fiche->cheminsDLLCentrales[1], dossierCentrales() + "/FTD2XX-V6.DLL");
        QVERIFY(fiche->TimerPresenceSP5.isActive());
        QCOMPARE(fiche->TimerPresenceSP5.interval(), 1000);
        QVERIFY(ui(*fiche).BAcquisition->isEnabled());
        QVERIFY(!ui(*fiche).SBNouveau->isEnabled());
        QCOMPARE(etatFactice().calibrationsLues[2], 2); // at detection, then when activated
        QVERIFY(fiche->SP5->VoiesX[0].active);
        QVERIFY(!fiche->SP5->VoiesX[1].active);
        QVERIFY(etatFactice().programmations[2] > 0);
        // The channel panel follows the unit: three inputs, no differential box.
        QVERIFY(ui(*fiche).GBCanaux[2]->isVisibleTo(ui(*fiche).ContenuVoies));
        QVERIFY(!ui(*fiche).GBCanaux[3]->isVisibleTo(ui(*fiche).ContenuVoies));
        QVERIFY(!ui(*fiche).CBModeDiff[0]->isVisibleTo(ui(*fiche).ContenuVoies));
        QCOMPARE(ui(*fiche).voies[0].calibre->count(), 4);
        QCOMPARE(ui(*fiche).CBNbPoints->currentText(), QStringLiteral("1001"));
        QVERIFY(memo().contains(QStringLiteral("Centrale SYSAM V6 installée ")));
        QVERIFY(memo().contains(QStringLiteral("Centrale SYSAM V6 connectée ")));
        QVERIFY(boites.vues.empty());
    }

    void uneCentraleNonConnectee()
    {
        installe({"SP5.DLL"});
        auto fiche = ouvre();
        QCOMPARE(fiche->typeCentraleActive, 1);
        QCOMPARE(ui(*fiche).EditPresence->text(), QStringLiteral("Centrale SYSAM SP5 non connectée"));
        QVERIFY(memo().contains(QStringLiteral("Centrale SYSAM SP5 non connectée ")));
        QCOMPARE(etatFactice().calibrationsLues[1], 0);
        QVERIFY(fiche->TimerPresenceSP5.isActive());
    }

    void plusieursCentralesChoixOK()
    {
        installe({"SP5.DLL", "FTD2XX-V6.DLL", "Campus.DLL"});
        etatFactice().presente[1] = true;
        etatFactice().presente[2] = true;
        QSet<QString> boutonsMontres;
        operateurDialogue = [&](QDialog& dialogue) {
            auto& c = static_cast<TFicheGVChoixCentrale&>(dialogue);
            for (QPushButton* b : {c.BSP5, c.BV6, c.BCampus})
                if (b->isVisible())
                    boutonsMontres.insert(b->text());
            // Nothing chosen yet: OK waits for a unit.
            if (c.BOK->isEnabled())
                return -1;
            return choisit(&TFicheGVChoixCentrale::BV6)(dialogue);
        };
        auto fiche = ouvre();
        QCOMPARE(dialoguesMontres, 1);
        QCOMPARE(boutonsMontres, QSet<QString>({"SYSAM SP5", "SYSAM V6", "SYSAM CAMPUS"}));
        QCOMPARE(fiche->ListeTypesCentrales, std::set<int>({1, 2, 3}));
        QCOMPARE(fiche->ListeCentralesConnectees, std::set<int>({1, 2}));
        QCOMPARE(fiche->typeCentraleActive, 2);
        QCOMPARE(ui(*fiche).EditPresence->text(), QStringLiteral("Centrale SYSAM V6 connectée"));
        // The probe drivers of the other units are freed.
        QCOMPARE(etatFactice().vivantes, 1);
        QVERIFY(fiche->centrales.empty());
        QCOMPARE(fiche->nbCentralesGerees, 3);
        // One toolbar button per installed unit, the active one down.
        QCOMPARE(ui(*fiche).SBCentrales_.size(), size_t(3));
        const int tags[] = {6001, 6002, 6003};
        const char* noms[] = {"SYSAM SP5", "SYSAM V6", "SYSAM CAMPUS"};
        for (int i = 0; i < 3; ++i) {
            QToolButton* b = ui(*fiche).SBCentrales_[i];
            QCOMPARE(b->property("tag").toInt(), tags[i]);
            QCOMPARE(b->text(), QString::fromUtf8(noms[i]));
            QCOMPARE(b->toolTip(), QStringLiteral("Sélection de la centrale ") + QString::fromUtf8(noms[i]));
            QCOMPARE(b->isChecked(), i == 1);
            QCOMPARE(b->font().bold(), i == 1);
        }
        QVERIFY(!boites.contient(QStringLiteral("\"Galvora\" a détecté")));

        // Switching to the SP5 from the toolbar builds a new SP5 driver on
        // the library found at detection.
        etatFactice().creations.clear();
        QTest::mouseClick(ui(*fiche).SBCentrales_[0], Qt::LeftButton);
        QCOMPARE(fiche->typeCentraleActive, 1);
        QCOMPARE(fiche->SP5->typeCentrale, 1);
        QCOMPARE(etatFactice().creations.size(), size_t(1));
        QCOMPARE(etatFactice().creations[0].second, dossierCentrales() + "/SP5.DLL");
        QCOMPARE(etatFactice().vivantes, 1);
        QCOMPARE(ui(*fiche).EditPresence->text(), QStringLiteral("Centrale SYSAM SP5 connectée"));
        QVERIFY(ui(*fiche).SBCentrales_[0]->isChecked());
        QVERIFY(!ui(*fiche).SBCentrales_[1]->isChecked());
        QVERIFY(fiche->TimerPresenceSP5.isActive());
        QVERIFY(fiche->TimerAcqDir.isActive());
        // The SP5 has eight inputs on four channels, differential boxes shown.
        QVERIFY(ui(*fiche).voies[7].active->isVisibleTo(ui(*fiche).ContenuVoies));
        QVERIFY(ui(*fiche).CBModeDiff[0]->isVisibleTo(ui(*fiche).ContenuVoies));

        // Back to the V6 while the SP5 is active: no warning. To the CAMPUS
        // from a present V6: the warning.
        QTest::mouseClick(ui(*fiche).SBCentrales_[1], Qt::LeftButton);
        QVERIFY(!boites.contient(QStringLiteral("\"Galvora\" a détecté")));
        QTest::mouseClick(ui(*fiche).SBCentrales_[2], Qt::LeftButton);
        QVERIFY(boites.contient(QStringLiteral("\"Galvora\" a détecté une source potentielle de problèmes")));
        QCOMPARE(fiche->typeCentraleActive, 3);
        QCOMPARE(ui(*fiche).EditPresence->text(), QStringLiteral("Centrale SYSAM CAMPUS non connectée"));
    }

    void campusChoisiAvecV6Connectee()
    {
        installe({"FTD2XX-V6.DLL", "Campus.DLL"});
        etatFactice().presente[2] = true;
        operateurDialogue = choisit(&TFicheGVChoixCentrale::BCampus);
        auto fiche = ouvre();
        QCOMPARE(fiche->typeCentraleActive, 3);
        QCOMPARE(boites.vues.size(), size_t(1));
        QCOMPARE(boites.vues[0].icone, gv::TIconeMessage::Avertissement);
        QVERIFY(boites.vues[0].texte.startsWith(QStringLiteral("\"Galvora\" a détecté une source potentielle")));
        QVERIFY(boites.vues[0].texte.endsWith(QStringLiteral("pour continuer d'utiliser \"Galvora\" avec SYSAM CAMPUS.")));
    }

    void plusieursCentralesAbandon()
    {
        installe({"SP5.DLL", "FTD2XX-V6.DLL"});
        operateurDialogue = choisit(&TFicheGVChoixCentrale::BSP5, false);
        auto fiche = ouvre();
        QVERIFY(fiche->abandon);
        QVERIFY(fiche->peutFermer);
        QCOMPARE(fiche->nbCentralesGerees, 0);
        QVERIFY(!fiche->SP5);
        QCOMPARE(etatFactice().vivantes, 0);
        QVERIFY(!ui(*fiche).BAcquisition->isEnabled());
        QVERIFY(!fiche->TimerPresenceSP5.isActive());
        QVERIFY(ui(*fiche).SBCentrales_.empty());
        // It closes without any question.
        fiche->show();
        QVERIFY(fiche->close());
        QVERIFY(boites.vues.empty());
    }

    void campusSansBibliothequeFTDI()
    {
        installe({"Campus.DLL"});
        auto fiche = ouvre();
        for (const auto& [type, chemin] : etatFactice().creations)
            QVERIFY(type != 3);
        QVERIFY(memo().contains(QStringLiteral("Centrale SYSAM CAMPUS non installée sur cet ordinateur")));
        QCOMPARE(fiche->nbCentralesGerees, 0);
    }

    void debranchementEtRebranchement()
    {
        installe({"SP5.DLL"});
        etatFactice().presente[1] = true;
        auto fiche = ouvre();
        QCOMPARE(ui(*fiche).EditPresence->text(), QStringLiteral("Centrale SYSAM SP5 connectée"));
        QVERIFY(fiche->SP5Presente);
        const int calibrations = etatFactice().calibrationsLues[1];
        const int programmations = etatFactice().programmations[1];

        etatFactice().presente[1] = false;
        QTRY_COMPARE_WITH_TIMEOUT(ui(*fiche).EditPresence->text(), QStringLiteral("Centrale SYSAM SP5 non connectée"), 1300);
        QVERIFY(!fiche->SP5Presente);
        QVERIFY(!titre->PageControl1->isTabVisible(1));

        etatFactice().presente[1] = true;
        ui(*fiche).EditMessageX->setText(QStringLiteral("message ancien"));
        QTRY_COMPARE_WITH_TIMEOUT(ui(*fiche).EditPresence->text(), QStringLiteral("Centrale SYSAM SP5 connectée"), 1300);
        QVERIFY(fiche->SP5Presente);
        QCOMPARE(etatFactice().calibrationsLues[1], calibrations + 1);
        QCOMPARE(etatFactice().programmations[1], programmations + 1);
        QVERIFY(ui(*fiche).EditMessageX->text().isEmpty());
        QVERIFY(titre->PageControl1->isTabVisible(1));

        // No poll while the unit counts a running process.
        fiche->SP5->NbProcessus = 1;
        etatFactice().presente[1] = false;
        fiche->TimerPresenceSP5Timer(&fiche->TimerPresenceSP5);
        QCOMPARE(ui(*fiche).EditPresence->text(), QStringLiteral("Centrale SYSAM SP5 connectée"));
    }

    void compteurEtCouleursEcritsALaFin()
    {
        installe({"SP5.DLL"});
        {
            auto fiche = ouvre();
            QCOMPARE(fiche->reglages.nbUtilisations, 1);
            fiche->reglages.clsVX[0] = 0x00112233;
        }
        {
            QSettings s(fichierReglages(), QSettings::IniFormat);
            QCOMPARE(s.value(QStringLiteral("Nombre d'utilisations")).toInt(), 1);
            QCOMPARE(s.value(QStringLiteral("voie 0")).toLongLong(), qint64(0x02000090));
            QCOMPARE(s.value(QStringLiteral("Nombre de points")).toInt(), 1001);
        }
        {
            auto fiche = ouvre();
            QCOMPARE(fiche->reglages.nbUtilisations, 2);
            QCOMPARE(fiche->reglages.clsVX[0], gv::TCouleurGV(0x02000090));
            // The key exists now: its missing value takes the other default.
            QCOMPARE(fiche->reglages.OptionCouleursRegressi, 1);
            fiche->reglages.clsVX[0] = 0x00112233;
            fiche->reglages.enregistrerCouleurs = true;
        }
        auto fiche = ouvre();
        QCOMPARE(fiche->reglages.nbUtilisations, 3);
        QCOMPARE(fiche->reglages.clsVX[0], gv::TCouleurGV(0x00112233));
        QCOMPARE(titre->LabelNumUtilisation->text(), QStringLiteral("Utilisation n° 3"));
    }

    void fichiersTemporairesALaFin()
    {
        installe({"SP5.DLL"});
        const std::string documents = racineTest + "/home/Documents";
        fs::create_directories(documents);
        const std::string transfere = documents + "/Acquisition GV-1.rw3";
        const std::string resauve = documents + "/Acquisition GV-2.rw3";
        const std::string occupe = documents + "/occupe";
        std::ofstream(transfere) << "x";
        std::ofstream(resauve) << "x";
        fs::create_directories(occupe + "/dedans");
        const std::string par = racineTest + "/data/Galvora/galvora.par";
        {
            auto fiche = ouvre();
            QCOMPARE(fiche->dossierDocuments, documents);
            QCOMPARE(fiche->DDA, racineTest + "/data/Galvora");
            QVERIFY(fiche->dossierDDAExiste);
            for (const std::string& f : {transfere, resauve, occupe})
                fiche->aSupprimer.push_back(gv::entreeFichierTemporaire(f));
            fs::last_write_time(resauve, fs::last_write_time(resauve) + std::chrono::seconds(3));
        }
        QVERIFY(!fs::exists(transfere));
        QVERIFY(fs::exists(resauve));
        QVERIFY(fs::exists(par));
        std::ifstream lu(par);
        std::string ligne;
        std::getline(lu, ligne);
        QVERIFY(QString::fromStdString(ligne).startsWith(QString::fromStdString(occupe + "||")));
        fs::remove_all(occupe);
        {
            auto fiche = ouvre();
        }
        QVERIFY(!fs::exists(par));
    }

    // The disk is full when the window closes: the settings and the list of
    // temporary files stay as they were, and the user is told about each.
    void fichiersDeFinSurDisquePlein()
    {
        installe({"SP5.DLL"});
        {
            auto fiche = ouvre();
        }
        const std::string conf = fichierReglages().toStdString();
        const std::string par = racineTest + "/data/Galvora/galvora.par";
        const std::string occupe = racineTest + "/home/occupe";
        fs::create_directories(occupe + "/dedans");
        std::ofstream(par, std::ios::binary) << "ancien\r\n";
        const auto lit = [](const std::string& chemin) {
            std::ifstream f(chemin, std::ios::binary);
            return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
        };
        const std::string confAvant = lit(conf);
        const auto utilisations = [this] {
            return QSettings(fichierReglages(), QSettings::IniFormat).value(QStringLiteral("Nombre d'utilisations")).toInt();
        };
        QCOMPARE(utilisations(), 1);

        auto fiche = ouvre();
        // An undeletable folder, remembered many times: more than the room left.
        for (int i = 0; i < 50; ++i)
            fiche->aSupprimer.push_back(gv::entreeFichierTemporaire(occupe));
        const testgv::TResultatDisquePlein r = testgv::ecritSurDisquePlein(64, [&] {
            boites.vues.clear();
            fiche.reset();
            std::string textes;
            for (const gv::TMessage& m : boites.vues)
                textes += m.texte.toStdString() + "\n--\n";
            return textes;
        });
        QVERIFY(r.termine);
        QCOMPARE(lit(conf), confAvant);
        QCOMPARE(QString::fromStdString(lit(par)), QStringLiteral("ancien\r\n"));
        for (const std::string& chemin : {conf, par})
            QVERIFY2(r.texte.find("Impossible d'enregistrer le fichier \"" + chemin + "\" :\n") != std::string::npos,
                     r.texte.c_str());
        QCOMPARE(QDir(QString::fromStdString(racineTest + "/config")).entryList(QDir::Files | QDir::Hidden),
                 QStringList { QStringLiteral("Galvora.conf") });
        // With room, the same closing writes both.
        fiche.reset();
        QCOMPARE(utilisations(), 2);
        QVERIFY(lit(par).find(occupe + "||") == 0);
        fs::remove_all(occupe);
    }

    void dispositionSelonLaTaille()
    {
        installe({"SP5.DLL"});
        auto fiche = ouvre();
        fiche->show();
        fiche->larScr = 4000;
        fiche->hauScr = 3000;
        fiche->setMaximumSize(4000, 3000);
        struct Cas {
            QSize taille;
            int parametres, voies, barre, bouton;
        };
        const Cas cas[] = {
            {{1060, 725}, 169, 180, 30, 26},
            {{2120, 1450}, 287, 324, 54, 44},
        };
        for (const Cas& c : cas) {
            fiche->resize(c.taille);
            fiche->redimensionnement();
            QCOMPARE(ui(*fiche).panelParametres->width(), c.parametres);
            QCOMPARE(ui(*fiche).PanelVoies->height(), c.voies);
            QCOMPARE(ui(*fiche).PBoutons->height(), c.barre);
            QCOMPARE(ui(*fiche).SBNouveau->size(), QSize(c.bouton, c.bouton));
            QCOMPARE(ui(*fiche).SBNouveau->iconSize(), QSize(c.bouton, c.bouton));
            QCOMPARE(ui(*fiche).PanelVoies->geometry().bottom(), fiche->height() - 4);
            QCOMPARE(ui(*fiche).PanelEcranTab->width(), ui(*fiche).PanelVoies->width());
            QCOMPARE(ui(*fiche).PanelEcranTab->y(), c.barre + 2);
            QCOMPARE(ui(*fiche).panelParametres->geometry().right(), fiche->width() - 4);
        }
        fiche->resize(1060, 600);
        fiche->redimensionnement();
        QVERIFY(ui(*fiche).panelParametres->width() < 169);
        QVERIFY(fiche->disposition.coDIMH < 1.0f);
        QCOMPARE(ui(*fiche).PanelVoies->height(), 180);

        // Reducing the channel panel from its button, then restoring it.
        fiche->resize(1060, 725);
        fiche->redimensionnement();
        QTest::mouseClick(ui(*fiche).SBReduirePVoies, Qt::LeftButton);
        QCOMPARE(ui(*fiche).PanelVoies->height(), 18);
        QVERIFY(!ui(*fiche).ScrollBoxVoies->isVisible());
        QTest::mouseClick(ui(*fiche).SBReduirePVoies, Qt::LeftButton);
        QCOMPARE(ui(*fiche).PanelVoies->height(), 180);

        // A widget of another part takes the screen's place in one call.
        auto* ecran = new QFrame;
        fiche->remplaceEcran(ecran);
        QCOMPARE(ui(*fiche).PEcran, static_cast<QWidget*>(ecran));
        QVERIFY(ui(*fiche).PanelEcranTab->isAncestorOf(ecran));
        QVERIFY(ecran->width() > 500);
        // The table shown from the toolbar takes its share at the right.
        QTest::mouseClick(ui(*fiche).SBVoirTableau, Qt::LeftButton);
        QVERIFY(ui(*fiche).PTableau->isVisible());
        QVERIFY(ui(*fiche).PTableau->x() > ecran->x());
        QCOMPARE(ui(*fiche).SBVoirTableau->toolTip(), QStringLiteral("Masquer le tableau de mesures"));
        fiche->hide();
    }

    void fermetureDemandeConfirmation()
    {
        installe({"SP5.DLL"});
        auto fiche = ouvre();
        fiche->show();
        boites.reponseQuestion = QMessageBox::No;
        QVERIFY(!fiche->close());
        QCOMPARE(boites.vues.back().texte, QStringLiteral("Désirez-vous vraiment quitter \"Galvora\" ?"));
        QCOMPARE(fiche->drapeaux.typeSortieMP, TTypeSortieMP::arretUtilisateur);
        fiche->setModeGeneral(TModeGeneral::transfertExcel);
        QVERIFY(!fiche->close());
        QVERIFY(boites.vues.back().texte.startsWith(QStringLiteral("Transfert vers Excel en cours")));
        fiche->setModeGeneral(TModeGeneral::acquisitionFinie);
        boites.reponseQuestion = QMessageBox::Yes;
        QVERIFY(fiche->close());
    }

    void fenetreTitre()
    {
        TFicheGVMixteTitre t(QStringLiteral("1.2.3.4"));
        QCOMPARE(t.windowTitle(), QStringLiteral("Galvora - 1.2.3.4"));
        QCOMPARE(t.LabelCreation->text(), QStringLiteral("05/2025"));
        QVERIFY(!t.PageControl1->isTabVisible(1));
        t.show();
        t.demarreFondu();
        QTRY_VERIFY_WITH_TIMEOUT(!t.MemoDemarrage->isVisible(), 1000);
        QTRY_VERIFY_WITH_TIMEOUT(!t.isVisible(), 2000);
        QCOMPARE(t.alpha(), 255);
        QVERIFY(!t.premiereFois);
        t.montrePourAPropos();
        QVERIFY(t.isVisible());
        QCOMPARE(t.ButtonFermerFicheTitre->text(), QStringLiteral("Sysam, ferme-toi !"));
        QVERIFY(t.ButtonFermerFicheTitre->isVisible());
        QTest::mouseClick(t.ButtonFermerFicheTitre, Qt::LeftButton);
        QCOMPARE(t.TimerFicheTitre.interval(), 5);
        QTRY_VERIFY_WITH_TIMEOUT(!t.isVisible(), 1000);
    }

    void pageDeLaCentraleDansLaFenetreTitre()
    {
        TFicheGVMixteTitre t(QStringLiteral("1.2.3.4"));
        TFicheGVMixteTitre::TEtatCentrale etat {true, true};
        t.etatCentrale = [&etat] { return etat; };
        t.afficheUnitePage(true);
        t.afficheNumeroSerie(QStringLiteral("SP5-0042"));
        t.show();
        t.demarreFondu();
        // Looking at the unit page stops the fading.
        t.PageControl1->setCurrentIndex(1);
        QVERIFY(!t.TimerFicheTitre.isActive());
        QVERIFY(!t.LabelNonDisponible->isVisibleTo(t.TSInterface));
        QCOMPARE(t.EditNumeroSerie->text(), QStringLiteral("SP5-0042"));
        etat.installeeEtPresente = false;
        t.afficheCaracteristiques();
        QVERIFY(t.LabelNonDisponible->isVisibleTo(t.TSInterface));
        QVERIFY(t.EditNumeroSerie->text().isEmpty());
        // Another unit than an SP5: the page is left as it is.
        etat = {false, true};
        t.afficheCaracteristiques();
        QVERIFY(t.LabelNonDisponible->isVisibleTo(t.TSInterface));
        t.prepareGuideLire();
        QCOMPARE(t.PageControl1->currentIndex(), 0);
    }
};

int main(int argc, char* argv[])
{
    racineTest = testgv::prepareEnvironnement("fiche");
    QApplication application(argc, argv);
    TestFiche test;
    const int resultat = QTest::qExec(&test, argc, argv);
    fs::remove_all(racineTest);
    return resultat;
}

#include "test_fiche.moc"
