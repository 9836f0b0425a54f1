// The program on the simulated units, found where an installed program finds
// them: the SP5 simulator alone by default, the V6 and CAMPUS simulators once
// linked into the user's unit folder.
#include "ControlesFiche.h"
#include "EnvironnementTest.h"
#include "app/Messages.h"
#include "app/TFicheGVChoixCentrale.h"
#include "app/TFicheGVMixte.h"
#include "app/TFicheGVMixteTitre.h"
#include "model/TCentrale.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>
#include <dlfcn.h>
#include <filesystem>

using testgv::ui;

namespace fs = std::filesystem;

namespace {
std::string racineTest;
const std::string dossierSimulateurs = GALVORA_SIM_DIR;
} // namespace

class TestSimulateurs : public QObject {
    Q_OBJECT

    std::unique_ptr<TFicheGVMixteTitre> titre;
    std::unique_ptr<TFicheGVChoixCentrale> choix;
    std::vector<gv::TMessage> messages;

    std::unique_ptr<TFicheGVMixte> ouvre()
    {
        titre = std::make_unique<TFicheGVMixteTitre>(QStringLiteral("0.1.0.0"));
        choix = std::make_unique<TFicheGVChoixCentrale>();
        TContexteGV contexte;
        contexte.emplacements = gv::emplacementsParDefaut();
        contexte.fabrique = gv::fabriqueDesPilotes();
        contexte.titre = titre.get();
        contexte.choix = choix.get();
        return std::make_unique<TFicheGVMixte>(contexte);
    }

private slots:
    void init()
    {
        messages.clear();
        gv::installeIntercepteurMessages([this](const gv::TMessage& m) {
            messages.push_back(m);
            return QMessageBox::Ok;
        });
        fs::remove_all(racineTest + "/data/Galvora");
    }

    void cleanup()
    {
        titre.reset();
        choix.reset();
    }

    void simulationSP5ParDefaut()
    {
        QCOMPARE(QString::fromStdString(gv::emplacementsParDefaut().dossierSimulateurs),
                 QString::fromStdString(fs::canonical(dossierSimulateurs).string()));
        int dialogues = 0;
        gv::installeIntercepteurDialogues([&](QDialog&) { return ++dialogues, 0; });
        auto fiche = ouvre();
        QCOMPARE(dialogues, 0);
        QVERIFY(messages.empty());
        QCOMPARE(fiche->typeCentraleActive, 1);
        QVERIFY(fiche->SP5);
        QCOMPARE(fiche->SP5->typeCentrale, 4);
        QCOMPARE(ui(*fiche).EditPresence->text(), QStringLiteral("Centrale SIMULATION SP5 connectée"));
        QVERIFY(fiche->cheminsDLLCentrales[0].ends_with("/SP5SIM.DLL"));
        QVERIFY(ui(*fiche).SBCentrales_.empty());
    }

    void debranchementDeLaSimulation()
    {
        auto fiche = ouvre();
        QCOMPARE(ui(*fiche).EditPresence->text(), QStringLiteral("Centrale SIMULATION SP5 connectée"));
        // The driver's own copy of the library: the same file, the same unit.
        void* bibliotheque = ::dlopen(fiche->cheminsDLLCentrales[0].c_str(), RTLD_NOW);
        QVERIFY(bibliotheque);
        auto branche = reinterpret_cast<void (*)(int32_t)>(::dlsym(bibliotheque, "SimSP5_Branche"));
        QVERIFY(branche);
        const std::string serie = fiche->SP5->numeroSerie;
        QVERIFY(!serie.empty());

        branche(0);
        QTRY_COMPARE_WITH_TIMEOUT(ui(*fiche).EditPresence->text(),
                                  QStringLiteral("Centrale SIMULATION SP5 non connectée"), 1300);
        fiche->SP5->numeroSerie.clear();
        branche(1);
        QTRY_COMPARE_WITH_TIMEOUT(ui(*fiche).EditPresence->text(), QStringLiteral("Centrale SIMULATION SP5 connectée"),
                                  1300);
        // The calibration was read again from the unit.
        QCOMPARE(fiche->SP5->numeroSerie, serie);
        fiche.reset();
        ::dlclose(bibliotheque);
    }

    void lesTroisSimulationsLieesDansLeDossierUtilisateur()
    {
        const std::string dossier = racineTest + "/data/Galvora/centrales";
        fs::create_directories(dossier);
        for (const char* fichier : {"FTD2XX-V6.DLL", "Campus.DLL"})
            fs::create_symlink(dossierSimulateurs + "/" + fichier, dossier + "/" + fichier);
        QStringList boutons;
        gv::installeIntercepteurDialogues([&](QDialog& dialogue) {
            auto& c = static_cast<TFicheGVChoixCentrale&>(dialogue);
            dialogue.show();
            for (QPushButton* b : {c.BSP5, c.BV6, c.BCampus})
                if (b->isVisible())
                    boutons << b->text();
            QTest::mouseClick(c.BSP5, Qt::LeftButton);
            QTest::mouseClick(c.BOK, Qt::LeftButton);
            return dialogue.result();
        });
        auto fiche = ouvre();
        QCOMPARE(boutons, QStringList({"SYSAM SP5", "SYSAM V6", "SYSAM CAMPUS"}));
        QCOMPARE(ui(*fiche).SBCentrales_.size(), size_t(3));
        QCOMPARE(ui(*fiche).SBCentrales_[0]->text(), QStringLiteral("SIMULATION SP5"));
        QCOMPARE(ui(*fiche).EditPresence->text(), QStringLiteral("Centrale SIMULATION SP5 connectée"));
        QTest::mouseClick(ui(*fiche).SBCentrales_[1], Qt::LeftButton);
        QCOMPARE(fiche->typeCentraleActive, 2);
        QCOMPARE(ui(*fiche).EditPresence->text(), QStringLiteral("Centrale SYSAM V6 connectée"));
        // To the CAMPUS from a connected V6: the warning.
        QTest::mouseClick(ui(*fiche).SBCentrales_[2], Qt::LeftButton);
        QCOMPARE(fiche->typeCentraleActive, 3);
        QCOMPARE(messages.size(), size_t(1));
        QVERIFY(messages[0].texte.startsWith(QStringLiteral("\"Galvora\" a détecté")));
        QCOMPARE(ui(*fiche).EditPresence->text(), QStringLiteral("Centrale SYSAM CAMPUS connectée"));
    }

    // FTDI's library there (the V6's, or a real D2XX) but no CAMPUS library:
    // the CAMPUS is not installed, and the start goes on with the others.
    void laV6SansBibliothequeCampus()
    {
        const std::string dossier = racineTest + "/data/Galvora/centrales";
        fs::create_directories(dossier);
        fs::create_symlink(dossierSimulateurs + "/FTD2XX-V6.DLL", dossier + "/FTD2XX-V6.DLL");
        QStringList boutons;
        gv::installeIntercepteurDialogues([&](QDialog& dialogue) {
            auto& c = static_cast<TFicheGVChoixCentrale&>(dialogue);
            dialogue.show();
            for (QPushButton* b : {c.BSP5, c.BV6, c.BCampus})
                if (b->isVisible())
                    boutons << b->text();
            QTest::mouseClick(c.BV6, Qt::LeftButton);
            QTest::mouseClick(c.BOK, Qt::LeftButton);
            return dialogue.result();
        });
        auto fiche = ouvre();
        QCOMPARE(boutons, QStringList({"SYSAM SP5", "SYSAM V6"}));
        QCOMPARE(fiche->typeCentraleActive, 2);
        QCOMPARE(ui(*fiche).EditPresence->text(), QStringLiteral("Centrale SYSAM V6 connectée"));
        QVERIFY(titre->MemoDemarrage->toPlainText().contains(
            QStringLiteral("Centrale SYSAM CAMPUS non installée sur cet ordinateur")));
        QVERIFY(messages.empty());
    }
};

int main(int argc, char* argv[])
{
    racineTest = testgv::prepareEnvironnement("simulateurs");
    QApplication application(argc, argv);
    TestSimulateurs test;
    const int resultat = QTest::qExec(&test, argc, argv);
    fs::remove_all(racineTest);
    return resultat;
}

#include "test_simulateurs.moc"
