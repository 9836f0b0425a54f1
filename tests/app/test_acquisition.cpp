// "Démarrer l'acquisition" pressed in the main window, on each simulated
// unit: what the curves hold, how they are named, how a run ends (normally,
// stopped, unit unplugged), and the REGRESSI file saved afterwards.
#include "ControlesFiche.h"
#include "EnvironnementTest.h"
#include "FenetreSimulee.h"
#include "SimulateursTest.h"
#include "app/GroupeRadio.h"
#include "app/Messages.h"
#include "app/TFicheGVAttenteDeclAcq.h"
#include "app/TFicheGVChoixCentrale.h"
#include "app/TFicheGVMixte.h"
#include "app/TFicheGVMixteTitre.h"
#include "drivers/sp5/TSP5.h"
#include "model/TCentrale.h"
#include "model/UniteBaseChaines.h"
#include "platform/PompeMessages.h"
#include "platform/Temps.h"
#include "simulators/sp5/SignauxSP5Sim.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTextStream>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <filesystem>
#include <fstream>

using testgv::ui;

namespace fs = std::filesystem;

using testgv::fixeDebutRunsDesSimulateurs;
using testgv::pointEntree;
using testgv::tensionSimulee;

namespace {
std::string racineTest;

// An SP5 whose FIFO holds back everything after the first block for a while,
// as a slow host would meet it: the run is still going when the measurement
// should be over.
class TSP5Retenu : public TSP5 {
public:
    using TSP5::TSP5;
    int32_t LireFifo(TPtrFifoSP5 bloc) override
    {
        if (blocsLus_ >= 1 && plateforme::secondesMonotones() < finRetenue_)
            return 0;
        const int32_t n = TSP5::LireFifo(bloc);
        if (n > 0 && ++blocsLus_ == 1)
            finRetenue_ = plateforme::secondesMonotones() + retenue;
        return n;
    }
    int32_t presentePendantAcq() override { return 1; }
    double retenue = 0;

private:
    int blocsLus_ = 0;
    double finRetenue_ = 0;
};

// An SP5 whose library call fails after the first block.
class TSP5Defaillant : public TSP5 {
public:
    using TSP5::TSP5;
    int32_t LireFifo(TPtrFifoSP5 bloc) override
    {
        if (blocs_ >= 1)
            throw std::runtime_error("FIFO illisible");
        const int32_t n = TSP5::LireFifo(bloc);
        blocs_ += n > 0;
        return n;
    }

private:
    int blocs_ = 0;
};

} // namespace

class TestAcquisition : public QObject {
    Q_OBJECT

    testgv::TFenetreSimulee fenetre;
    std::vector<gv::TMessage> messages;
    std::function<void(const gv::TMessage&)> surMessage;

    // The window on the simulated units; with `type` 2 or 3 the V6 and CAMPUS
    // simulators are installed too and that unit is chosen.
    std::unique_ptr<TFicheGVMixte> ouvre(int32_t type = kSysamSP5, gv::TFabriqueCentrales fabrique = {})
    {
        // Every run sees the signals from their phase 0, as tensionSimulee reads them.
        pointEntree<void (*)(int64_t)>("SP5SIM.DLL", "SimSP5_FixeDebutRuns")(0);
        auto fiche = fenetre.ouvre(racineTest, type, std::move(fabrique));
        fixeDebutRunsDesSimulateurs();
        fiche->activateWindow();
        if (!QTest::qWaitForWindowActive(fiche.get()))
            qWarning("window not active");
        return fiche;
    }

    // The inputs chosen with their boxes in the channel panel.
    static void entrees(TFicheGVMixte& fiche, std::initializer_list<int> actives)
    {
        const std::vector<int> voulues(actives);
        // Activations first, so that an input is never left alone to go.
        for (bool activer : {true, false})
            for (int v = 0; v < fiche.SP5->nbEAU; ++v) {
                QCheckBox* boite = ui(fiche).voies[std::size_t(v)].active;
                const bool voulue = std::find(voulues.begin(), voulues.end(), v) != voulues.end();
                if (voulue == activer && boite->isChecked() != voulue)
                    testgv::cliqueBouton(boite);
            }
        for (int v = 0; v < fiche.SP5->nbEAU; ++v)
            QCOMPARE(fiche.SP5->VoiesX[std::size_t(v)].active,
                     std::find(voulues.begin(), voulues.end(), v) != voulues.end());
    }

    // The threshold trigger chosen in the trigger panel, as a user does it:
    // "sur seuil", the trigger input, the threshold typed, the pre-trigger.
    static void declenchementSurSeuil(TFicheGVMixte& fiche, int voieSynchro, const QString& seuil, int pretrig)
    {
        testgv::choisitDansListe(ui(fiche).CBTypeDeclenchement, kDeclSeuil);
        QCOMPARE(fiche.SP5->modeDecl, int(kDeclSeuil));
        const int index = int(std::find(fiche.controleur().entreesVoieSynchro.begin(), fiche.controleur().entreesVoieSynchro.end(), voieSynchro) -
                              fiche.controleur().entreesVoieSynchro.begin());
        QVERIFY(index < ui(fiche).CBVoieSynchro->count());
        // A single input leaves the list disabled, on that input.
        if (ui(fiche).CBVoieSynchro->count() > 1)
            testgv::choisitDansListe(ui(fiche).CBVoieSynchro, index);
        QCOMPARE(ui(fiche).CBVoieSynchro->currentIndex(), index);
        ui(fiche).EditUSeuilDecl->setFocus();
        ui(fiche).EditUSeuilDecl->selectAll();
        QTest::keyClicks(ui(fiche).EditUSeuilDecl, seuil);
        QTest::keyClick(ui(fiche).EditUSeuilDecl, Qt::Key_Return);
        QCOMPARE(fiche.SP5->USeuilDecl, seuil.toFloat());
        if (pretrig >= 0) {
            QVERIFY(ui(fiche).CBPretrigX->isEnabled());
            testgv::choisitDansListe(ui(fiche).CBPretrigX, pretrig);
            QCOMPARE(fiche.SP5->idxPretrig, pretrig);
        }
        // One raw sample more than shown, for the interpolation.
        QCOMPARE(fiche.SP5->nbPts0X, fiche.SP5->nbPtsAffX + 1);
    }

    static void cliqueItem(TGroupeRadio* groupe, int index)
    {
        QVERIFY(groupe->bouton(index));
        QTest::mouseClick(groupe->bouton(index), Qt::LeftButton, {}, QPoint(4, groupe->bouton(index)->height() / 2));
        QCOMPARE(groupe->itemIndex(), index);
    }

    static void demarre(TFicheGVMixte& fiche)
    {
        QVERIFY(ui(fiche).BAcquisition->isEnabled());
        QTest::mouseClick(ui(fiche).BAcquisition, Qt::LeftButton);
    }


    const gv::TMessage* message(const QString& debut) const
    {
        for (const gv::TMessage& m : messages)
            if (m.texte.startsWith(debut))
                return &m;
        return nullptr;
    }

private slots:
    void init()
    {
        messages.clear();
        surMessage = nullptr;
        gv::installeIntercepteurMessages([this](const gv::TMessage& m) {
            messages.push_back(m);
            if (surMessage)
                surMessage(m);
            return QMessageBox::Ok;
        });
        fs::remove_all(racineTest + "/data/Galvora");
        fs::remove_all(racineTest + "/config");
        fs::create_directories(racineTest + "/config");
    }

    void cleanup()
    {
        gv::installeIntercepteurDialogues({});
        fenetre.ferme();
    }

    // The same run on each unit: input 0 of each is a 5 V, 50 Hz sine.
    void chaqueCentrale_data()
    {
        QTest::addColumn<int>("type");
        QTest::newRow("SP5") << int(kSysamSP5);
        QTest::newRow("V6") << int(kSysamV6);
        QTest::newRow("CAMPUS") << int(kSysamCampus);
    }

    void chaqueCentrale()
    {
        QFETCH(int, type);
        auto fiche = ouvre(type);
        QCOMPARE(fiche->typeCentraleActive, type);
        messages.clear(); // the V6 beside the CAMPUS is warned of at start
        TCentrale& c = *fiche->SP5;
        entrees(*fiche, {0});
        c.setDurees(0.1, 501, false);
        QElapsedTimer chrono;
        chrono.start();
        demarre(*fiche);
        const double duree = chrono.elapsed() / 1000.0;
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::acquisitionFinie);
        QCOMPARE(fiche->mesures.nbVoiesMesurees, 1);
        QCOMPARE(int64_t(fiche->mesures.tv2[0].size()), c.nbPts0X);
        QCOMPARE(fiche->mesures.dtAX, c.dt0X);
        // The run lasts about its own duration.
        QVERIFY2(duree >= 0.095 && duree < 0.1 + 0.6, qPrintable(QString::number(duree)));
        const std::vector<float>& u = fiche->mesures.tv2[0];
        for (int64_t k = 0; k < c.nbPts0X; ++k) {
            const double attendu = tensionSimulee(type, 0, double(k) * c.dt0X);
            if (std::fabs(u[std::size_t(k)] - attendu) > 0.05)
                QFAIL(qPrintable(QStringLiteral("point %1: %2 V instead of %3 V").arg(k).arg(u[std::size_t(k)]).arg(attendu)));
        }
        const TVoieMesuree& vm = fiche->mesures.voiesMesurees[0];
        QCOMPARE(vm.sEnteteVM, c.getCapVM(0));
        QCOMPARE(vm.sUniteVM, std::string("V"));
        QVERIFY(std::fabs(vm.max - 5.0f) < 0.05f);
        QCOMPARE(ui(*fiche).EditMessageX->text(), QStringLiteral(" 1 série acquise"));
        QCOMPARE(ui(*fiche).BAcquisition->text(), QStringLiteral("Démarrer l'acquisition"));
        QVERIFY(fiche->TimerAcqDir.isActive());
        QVERIFY(!fiche->TimerPresenceSP5.isActive());
        QVERIFY(ui(*fiche).SBNouveau->isEnabled());
        QVERIFY(ui(*fiche).SBenregistrerRW3->isEnabled());
        QVERIFY(fiche->enregistrerX);
        QVERIFY(messages.empty());
    }

    // Inputs 1 and 4 of the SP5: each curve is named after its own input.
    void deuxEntreesNommeesDApresLeurNumero()
    {
        auto fiche = ouvre();
        TCentrale& c = *fiche->SP5;
        entrees(*fiche, {1, 4});
        c.setDurees(0.1, 1001, false);
        demarre(*fiche);
        QCOMPARE(fiche->mesures.nbVoiesMesurees, 2);
        for (int i = 0; i < 2; ++i) {
            const int entree = c.VoiesActivesSignaux[std::size_t(i)];
            for (int64_t k = 0; k < c.nbPts0X; k += 7)
                QVERIFY(std::fabs(fiche->mesures.tv2[std::size_t(i)][std::size_t(k)] -
                                  sp5sim::sp5simTension(entree, double(k) * c.dt0X)) < 0.03);
        }
        QCOMPARE(fiche->mesures.voiesMesurees[0].sEnteteVM, std::string("u[1_M]"));
        QCOMPARE(fiche->mesures.voiesMesurees[1].sEnteteVM, std::string("u[4_M]"));
        QCOMPARE(fiche->mesures.voiesMesurees[1].capCommRegvoie1VM, std::string("EA4"));
        QCOMPARE(fiche->mesures.voiesMesurees[1].clVM, TColor(fiche->reglages.clsVX[4]));
        // The pointed sample shows in the toolbar's boxes.
        const TGeometrieEcran& g = fiche->ecran().geometrie;
        const int64_t k = c.nbPts0X / 2;
        const QPoint point(g.xe(double(k) * c.dt0X), g.ye(1, fiche->mesures.tv2[0][std::size_t(k)]));
        QTest::mouseMove(fiche->widgetEcran->iEcranX(), point);
        QTRY_VERIFY(!ui(*fiche).EditSerieP->text().isEmpty());
        QVERIFY2(ui(*fiche).EditSerieP->text().contains(QStringLiteral("1_M")), qPrintable(ui(*fiche).EditSerieP->text()));
        QVERIFY(!ui(*fiche).EditPointP->text().isEmpty());
        QCOMPARE(ui(*fiche).EditMessageX->text(), QStringLiteral("2 séries acquises"));
        // "dd mmm yy - hh'h 'nn'mn", then with the seconds.
        const QRegularExpression date(QStringLiteral("^\\d\\d (janv\\.|févr\\.|mars|avr\\.|mai|juin|juil\\.|août|"
                                                     "sept\\.|oct\\.|nov\\.|déc\\.) \\d\\d - \\d\\dh \\d\\dmn$"));
        QVERIFY2(date.match(QString::fromStdString(fiche->sDateAcq0)).hasMatch(), fiche->sDateAcq0.c_str());
        QVERIFY(QString::fromStdString(fiche->sdateAcqX).startsWith(QString::fromStdString(fiche->sDateAcq0) + " "));
        QVERIFY(QString::fromStdString(fiche->sdateAcqX).endsWith(QStringLiteral("s")));
    }

    // Runs of one input added to the previous ones get letters.
    void seriesRepetees()
    {
        auto fiche = ouvre();
        entrees(*fiche, {0});
        fiche->SP5->setDurees(0.02, 101, false);
        QCheckBox* ajouter = ui(*fiche).CBAjouterCourbes;
        QVERIFY(!ajouter->isEnabled());
        demarre(*fiche);
        QCOMPARE(fiche->mesures.voiesMesurees[0].sEnteteVM, std::string("u[0_M]"));
        // Same time settings: the box may be checked.
        QVERIFY(ajouter->isEnabled());
        if (!ajouter->isChecked())
            testgv::cliqueBouton(ajouter);
        demarre(*fiche);
        QVERIFY(ajouter->isChecked());
        demarre(*fiche);
        QCOMPARE(fiche->mesures.nbVoiesMesurees, 3);
        QStringList noms;
        for (int c = 0; c < fiche->mesures.nbVoiesMesurees; ++c)
            noms << QString::fromStdString(fiche->mesures.voiesMesurees[std::size_t(c)].sEnteteVM);
        QCOMPARE(noms, QStringList({"u[0_M]a", "u[0_M]b", "u[0_M]c"}));
        QCOMPARE(ui(*fiche).EditMessageX->text(), QStringLiteral("3 séries acquises"));
        // Each run filled its own curve.
        for (int c = 0; c < 3; ++c)
            QVERIFY(std::fabs(fiche->mesures.tv2[std::size_t(c)][25] - sp5sim::sp5simTension(0, 25 * fiche->SP5->dt0X)) < 0.03);
        // Without the box, a run starts afresh.
        testgv::cliqueBouton(ajouter);
        demarre(*fiche);
        QCOMPARE(fiche->mesures.nbVoiesMesurees, 1);
        QCOMPARE(fiche->mesures.tv2.size(), size_t(1));
        QCOMPARE(fiche->mesures.voiesMesurees[0].sEnteteVM, std::string("u[0_M]"));
    }

    // Threshold trigger: the first point is the value at the trigger instant,
    // between the two raw samples that straddle the threshold.
    void declenchementSurSeuil()
    {
        auto fiche = ouvre();
        TCentrale& c = *fiche->SP5;
        entrees(*fiche, {0});
        c.setDurees(0.04, 201, false);
        declenchementSurSeuil(*fiche, 0, QStringLiteral("1"), 0);
        demarre(*fiche);
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::acquisitionFinie);
        const std::vector<float>& u = fiche->mesures.tv2[0];
        QVERIFY2(std::fabs(u[0] - 1.0f) < 0.03f, qPrintable(QString::number(u[0])));
        // Rising: the next points follow the sine from the crossing of 1 V.
        const double tSeuil = std::asin(0.2) / (2 * M_PI * 50);
        for (int k : {1, 10, 50, 150})
            QVERIFY2(std::fabs(u[std::size_t(k)] - sp5sim::sp5simTension(0, tSeuil + k * c.dt0X + 1e-9)) < 0.1,
                     qPrintable(QString::number(k)));
        // The last raw sample only served the interpolation.
        QCOMPARE(u[std::size_t(c.nbPts0X - 1)], 0.0f);
    }

    // The end-of-measurement message comes the part of the duration that
    // follows the trigger after the first data.
    void messageFinDeMesures()
    {
        TSP5Retenu* retenu = nullptr;
        auto fiche = ouvre(kSysamSP5, [&retenu](int32_t type, const std::string& chemin) -> TCentrale* {
            if (type != kSysamSP5)
                return gv::fabriqueDesPilotes()(type, chemin);
            retenu = new TSP5Retenu(chemin, 1);
            return retenu;
        });
        QVERIFY(retenu && fiche->SP5 == retenu);
        TCentrale& c = *fiche->SP5;
        entrees(*fiche, {0});
        c.setDurees(0.2, 201, false);
        declenchementSurSeuil(*fiche, 0, QStringLiteral("0.5"), 2);
        retenu->retenue = 0.6;
        QElapsedTimer chrono;
        qint64 premieres = -1, fin = -1;
        bool attente = false;
        connect(ui(*fiche).EditMessageX, &QLineEdit::textChanged, fiche.get(), [&](const QString& t) {
            // The first data end the wait for the trigger.
            if (t == QStringLiteral("Attente du déclenchement sur synchro..."))
                attente = true;
            if (t == QStringLiteral("Acquisition en cours...") && attente && premieres < 0)
                premieres = chrono.elapsed();
            if (t == QStringLiteral("Mesures terminées, récupération des valeurs"))
                fin = chrono.elapsed();
        });
        chrono.start();
        demarre(*fiche);
        QCOMPARE(fiche->TimerFinMesures.interval(), 100); // 50 % of 0.2 s follows the trigger
        QVERIFY(premieres >= 0);
        QVERIFY2(fin >= 0, "no end-of-measurement message");
        QVERIFY2(fin - premieres >= 95 && fin - premieres < 450, qPrintable(QString::number(fin - premieres)));
        QVERIFY(!fiche->TimerFinMesures.isActive());
    }

    // Unplugged during the run: the run ends, the points received stay, the
    // warning is shown and the presence poll starts again.
    void debranchementPendantLaRun_data()
    {
        QTest::addColumn<int>("type");
        // Every unit at every stage of a run: test_debranchement.cpp.
        QTest::newRow("SP5") << int(kSysamSP5);
    }

    void debranchementPendantLaRun()
    {
        QFETCH(int, type);
        auto branche = type == kSysamSP5 ? pointEntree<void (*)(int32_t)>("SP5SIM.DLL", "SimSP5_Branche")
                                         : pointEntree<void (*)(int32_t)>("FTD2XX-V6.DLL", "SimV6_Branche");
        QVERIFY(branche);
        auto fiche = ouvre(type);
        messages.clear();
        TCentrale& c = *fiche->SP5;
        entrees(*fiche, {0});
        c.setDurees(0.5, 1001, false);
        TTypeSortieMP typeVu = TTypeSortieMP::aucune;
        surMessage = [&](const gv::TMessage&) { typeVu = fiche->drapeaux.typeSortieMP; };
        QTimer::singleShot(200, fiche.get(), [&] { branche(0); });
        QElapsedTimer chrono;
        chrono.start();
        demarre(*fiche);
        const qint64 duree = chrono.elapsed();
        const gv::TMessage* avertissement = message(QStringLiteral("Acquisition interrompue"));
        QVERIFY(avertissement);
        QCOMPARE(avertissement->icone, gv::TIconeMessage::Avertissement);
        QCOMPARE(avertissement->texte,
                 QStringLiteral("Acquisition interrompue car probable débranchement\n\rde la centrale. Il est conseillé "
                                "de vérifier le \n\rbranchement et l'alimentation puis de recommencer."));
        QCOMPARE(typeVu, TTypeSortieMP::centralePerdue);
        QCOMPARE(fiche->drapeaux.typeSortieMP, TTypeSortieMP::aucune);
        // Found gone after eight empty reads of a block's length.
        QVERIFY(duree < 2000);
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::acquisitionFinie);
        QVERIFY(fiche->TimerPresenceSP5.isActive());
        const std::vector<float>& u = fiche->mesures.tv2[0];
        QVERIFY(std::fabs(u[10] - tensionSimulee(type, 0, 10 * c.dt0X)) < 0.05);
        QCOMPARE(u[1000], 0.0f);
        // Still unplugged: Start says the unit was not found, nothing runs.
        messages.clear();
        demarre(*fiche);
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::acquisitionFinie);
        QCOMPARE(ui(*fiche).EditMessageX->text(), QStringLiteral("La centrale n'a pas été trouvée"));
        QCOMPARE(messages.size(), size_t(1));
        QCOMPARE(messages[0].icone, gv::TIconeMessage::Aucune); // a dialog without an icon
        QCOMPARE(messages[0].texte, QStringLiteral("La centrale ") + QString::fromStdString(c.nomCentrale) +
                                        QStringLiteral(" n'a pas été trouvée: vérifiez si\n\relle est connectée à un "
                                                       "port USB de l'ordinateur."));
        branche(1);
    }

    // A failure inside the run is not reported: the window is given back
    // and the presence poll runs again.
    void defaillancePendantLaRun()
    {
        auto fiche = ouvre(kSysamSP5, [](int32_t type, const std::string& chemin) -> TCentrale* {
            if (type != kSysamSP5)
                return gv::fabriqueDesPilotes()(type, chemin);
            return new TSP5Defaillant(chemin, 1);
        });
        fiche->SP5->setDurees(0.5, 1001, false);
        demarre(*fiche);
        QVERIFY(messages.empty());
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::acquisitionFinie);
        QVERIFY(fiche->TimerPresenceSP5.isActive());
        QVERIFY(!fiche->TimerAcqDir.isActive());
        QCOMPARE(ui(*fiche).BAcquisition->text(), QStringLiteral("Démarrer l'acquisition"));
        QVERIFY(ui(*fiche).CBDureeTotale->isEnabled());
        QVERIFY(!fiche->controleur().premiereAcq);
    }

    void aucuneEntreeActive()
    {
        auto fiche = ouvre();
        // The panel keeps one input; the driver can be left with none.
        fiche->SP5->desactiveVoieA(0, true);
        QCOMPARE(fiche->SP5->nbVoiesActivesX, 0);
        demarre(*fiche);
        QCOMPARE(messages.size(), size_t(1));
        QCOMPARE(messages[0].icone, gv::TIconeMessage::Information);
        QCOMPARE(messages[0].texte, QStringLiteral("Aucune entrée analogique n'est active. \n\rActivez au moins une entrée !"));
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::rienAcquis);
        QVERIFY(fiche->mesures.tv2.empty());
        // Nothing starts, and the live values stay stopped.
        QVERIFY(!fiche->TimerAcqDir.isActive());
        QVERIFY(!fiche->acqDirecteEnCours);
    }

    // "Arrêter" during a run ends it at once; what came is kept.
    void arretPendantLaRun()
    {
        auto fiche = ouvre();
        TCentrale& c = *fiche->SP5;
        entrees(*fiche, {0});
        c.setDurees(1.0, 1001, false);
        QString legendePendant;
        QTimer::singleShot(250, fiche.get(), [&] {
            legendePendant = ui(*fiche).BAcquisition->text();
            QVERIFY(ui(*fiche).BAcquisition->isEnabled());
            QVERIFY(!ui(*fiche).SBenregistrerRW3->isEnabled());
            QTest::mouseClick(ui(*fiche).BAcquisition, Qt::LeftButton);
        });
        QElapsedTimer chrono;
        chrono.start();
        demarre(*fiche);
        QVERIFY(chrono.elapsed() < 700);
        QCOMPARE(legendePendant, QStringLiteral("Arrêter"));
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::acquisitionFinie);
        QCOMPARE(fiche->drapeaux.typeSortieMP, TTypeSortieMP::arretUtilisateur);
        QCOMPARE(ui(*fiche).EditMessageX->text(), QStringLiteral(" 1 série acquise"));
        const std::vector<float>& u = fiche->mesures.tv2[0];
        QVERIFY(std::fabs(u[50] - sp5sim::sp5simTension(0, 50 * c.dt0X)) < 0.03);
        QCOMPARE(u[900], 0.0f);
        QVERIFY(messages.empty());
    }

    // Quitting during a run ends the run: the window does not wait for it.
    void quitterPendantLaRun()
    {
        auto fiche = ouvre();
        fiche->SP5->setDurees(2.0, 1001, false);
        gv::installeIntercepteurMessages([this](const gv::TMessage& m) {
            messages.push_back(m);
            return QMessageBox::Yes;
        });
        QTimer::singleShot(200, fiche.get(), [&] { QTest::mouseClick(ui(*fiche).SBQuitter, Qt::LeftButton); });
        QElapsedTimer chrono;
        chrono.start();
        demarre(*fiche);
        QVERIFY(message(QStringLiteral("Désirez-vous vraiment quitter")));
        QVERIFY(!fiche->isVisible());
        QVERIFY2(chrono.elapsed() < 1200, qPrintable(QString::number(chrono.elapsed())));
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::acquisitionFinie);
    }

    // F10 starts a run, Escape stops it.
    void touchesDuClavier()
    {
        auto fiche = ouvre();
        fiche->SP5->setDurees(1.0, 1001, false);
        TModeGeneral modePendant = TModeGeneral::rienAcquis;
        QTimer::singleShot(200, fiche.get(), [&] {
            modePendant = fiche->modeGeneral();
            QTest::keyClick(ui(*fiche).EditMessageX, Qt::Key_Escape);
        });
        QElapsedTimer chrono;
        chrono.start();
        QTest::keyClick(ui(*fiche).BAcquisition, Qt::Key_F10);
        QCOMPARE(modePendant, TModeGeneral::acquisitionEnCours);
        QVERIFY(chrono.elapsed() < 700);
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::acquisitionFinie);
        QCOMPARE(fiche->drapeaux.typeSortieMP, TTypeSortieMP::arretUtilisateur);
        // Escape outside a run does nothing.
        QTest::keyClick(ui(*fiche).EditMessageX, Qt::Key_Escape);
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::acquisitionFinie);
    }

    // A trigger that never comes: the waiting dialog after tAttenteMaxDecl,
    // then "Arrêter": no data, the curve stays at 0.
    void declenchementQuiNeVientPas()
    {
        auto fiche = ouvre();
        TCentrale& c = *fiche->SP5;
        entrees(*fiche, {6}); // a DC level: the threshold is never crossed
        c.setDurees(0.05, 101, false);
        declenchementSurSeuil(*fiche, 6, QStringLiteral("5"), -1);
        c.tAttenteMaxDecl = 0.1f;
        QString messagePendant;
        bool dialogueVisible = false;
        QTimer::singleShot(400, fiche.get(), [&] {
            messagePendant = ui(*fiche).EditMessageX->text();
            dialogueVisible = fiche->FicheAttenteDecl && fiche->FicheAttenteDecl->isVisible();
            QTest::mouseClick(ui(*fiche).BAcquisition, Qt::LeftButton);
        });
        demarre(*fiche);
        QCOMPARE(messagePendant, QStringLiteral("Attente du déclenchement sur synchro..."));
        QVERIFY(dialogueVisible);
        TFicheGVAttenteDeclAcq* d = fiche->FicheAttenteDecl;
        QCOMPARE(d->windowTitle(), QStringLiteral("Attente de déclenchement un peu longue..."));
        QCOMPARE(d->LMessage->text(), QStringLiteral("Le déclenchement se fait attendre... Que faut-il faire ?"));
        QCOMPARE(d->BContinuer->text(), QStringLiteral("Continuer d'attendre"));
        QCOMPARE(d->BVerifier->text(), QStringLiteral("Vérifier la connexion de la centrale "));
        QCOMPARE(d->BArreter->text(), QStringLiteral("Arrêter l'acquisition"));
        QVERIFY(!d->isModal());
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::acquisitionFinie);
        QCOMPARE(ui(*fiche).EditMessageX->text(), QStringLiteral(" 1 série acquise"));
        for (float u : fiche->mesures.tv2[0])
            QCOMPARE(u, 0.0f);
    }

    // The measurement button opens the on-screen measurement panel over the
    // screen: state 6, red levels at ±90 % of the grid axis's calibre, the
    // axes listed, the read-outs filled; "Fermer" or the button again closes it.
    void panneauDesMesuresSurEcran()
    {
        auto fiche = ouvre();
        TCentrale& c = *fiche->SP5;
        entrees(*fiche, {0, 1});
        cliqueItem(ui(*fiche).voies[1].calibre, 1);
        c.setDurees(0.02, 101, false);
        demarre(*fiche);
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::acquisitionFinie);
        QToolButton* mesuresEcran = ui(*fiche).SBMesures;
        for (bool parFermer : {true, false}) {
            QTest::mouseClick(mesuresEcran, Qt::LeftButton);
            auto* panneau = fiche->findChild<QWidget*>(QStringLiteral("PanelMesuresSurEcran"));
            QVERIFY(panneau);
            QVERIFY(panneau->isVisible());
            QCOMPARE(fiche->modeGeneral(), TModeGeneral::mesuresSurEcran);
            QVERIFY(mesuresEcran->isChecked());
            QVERIFY(mesuresEcran->isEnabled());
            QVERIFY(!ui(*fiche).BAcquisition->isEnabled());
            QVERIFY(!ui(*fiche).CBDureeTotale->isEnabled());
            QVERIFY(!ui(*fiche).SBenregistrerRW3->isEnabled());
            // One axis per calibre in use, the grid axis selected.
            auto* axes = testgv::controle<QComboBox>(*panneau, QStringLiteral("CBAxes"));
            QCOMPARE(axes->count(), 2);
            QCOMPARE(axes->itemText(0), QString::fromStdString(c.twCals_[0]));
            QCOMPARE(axes->itemText(1), QString::fromStdString(c.twCals_[1]));
            const TGeometrieEcran& g = fiche->ecran().geometrie;
            QCOMPARE(axes->currentIndex(), g.axeQuadrilleX);
            const double pleine = c.calibresDispo[std::size_t(g.AxesX[g.axeQuadrilleX].calA)];
            QCOMPARE(double(g.UMaxM), 0.9 * pleine);
            QCOMPARE(double(g.UMinM), -0.9 * pleine);
            QCOMPARE(testgv::controle<QLineEdit>(*panneau, QStringLiteral("EditUmaxM"))->text(),
                     QString::fromStdString("  " + formatValeur(3, styleIngenieur, 0.9 * pleine) + "V"));
            QVERIFY(!testgv::controle<QLineEdit>(*panneau, QStringLiteral("EditDTM"))->text().isEmpty());
            // The other axis chosen in the list becomes the grid axis.
            testgv::choisitDansListe(axes, 1 - g.axeQuadrilleX);
            QCOMPARE(g.axeQuadrilleX, axes->currentIndex());
            if (parFermer)
                QTest::mouseClick(testgv::controle<QPushButton>(*panneau, QStringLiteral("BFermerMesuresSurEcran")),
                                  Qt::LeftButton);
            else
                QTest::mouseClick(mesuresEcran, Qt::LeftButton);
            QVERIFY(!panneau->isVisible());
            QVERIFY(!mesuresEcran->isChecked());
            QCOMPARE(fiche->modeGeneral(), TModeGeneral::acquisitionFinie);
            QVERIFY(ui(*fiche).BAcquisition->isEnabled());
            QVERIFY(ui(*fiche).CBDureeTotale->isEnabled());
            QVERIFY(ui(*fiche).SBenregistrerRW3->isEnabled());
        }
    }

    // New after a run: the question about saving, then an empty screen.
    void nouvelleExperience()
    {
        auto fiche = ouvre();
        fiche->SP5->setDurees(0.02, 101, false);
        QVERIFY(!ui(*fiche).SBNouveau->isEnabled());
        demarre(*fiche);
        QVERIFY(ui(*fiche).SBNouveau->isEnabled());
        int dialoguesFichier = 0;
        gv::installeIntercepteurDialogues([&](QDialog& dialogue) {
            dialoguesFichier += qobject_cast<QFileDialog*>(&dialogue) != nullptr;
            return int(QDialog::Rejected);
        });
        QMessageBox::StandardButton reponse = QMessageBox::Cancel;
        gv::installeIntercepteurMessages([&](const gv::TMessage& m) {
            messages.push_back(m);
            return reponse;
        });
        QTest::mouseClick(ui(*fiche).SBNouveau, Qt::LeftButton);
        QCOMPARE(messages.size(), size_t(1));
        QCOMPARE(messages[0].texte, QStringLiteral("Désirez-vous enregistrer les mesures ?"));
        QCOMPARE(fiche->mesures.nbVoiesMesurees, 1); // Cancel: nothing changes
        reponse = QMessageBox::Yes;
        QTest::mouseClick(ui(*fiche).SBNouveau, Qt::LeftButton);
        QCOMPARE(dialoguesFichier, 1); // the save dialog, cancelled here
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::rienAcquis);
        QCOMPARE(fiche->mesures.nbVoiesMesurees, 0);
        QVERIFY(!fiche->enregistrerX);
        QVERIFY(!ui(*fiche).SBNouveau->isEnabled());
        QVERIFY(!ui(*fiche).SBenregistrerRW3->isEnabled());
        // Nothing left to save: no question.
        messages.clear();
        demarre(*fiche);
        QCOMPARE(fiche->mesures.nbVoiesMesurees, 1);
    }

    // A run, then the save button with a name chosen in the dialog: the file
    // holds the simulator's signal.
    void enregistrementRW3()
    {
        auto fiche = ouvre();
        TCentrale& c = *fiche->SP5;
        entrees(*fiche, {0, 1});
        c.setDurees(0.02, 101, false);
        demarre(*fiche);
        const QString dossier = QString::fromStdString(racineTest + "/home/mesures");
        fs::create_directories(dossier.toStdString());
        QString titreDialogue, nomPropose;
        gv::installeIntercepteurDialogues([&](QDialog& dialogue) {
            auto* fichier = qobject_cast<QFileDialog*>(&dialogue);
            if (!fichier)
                return 0;
            titreDialogue = fichier->windowTitle();
            nomPropose = fichier->selectedFiles().value(0);
            fichier->selectFile(dossier + QStringLiteral("/essai.old.txt"));
            dialogue.accept();
            return int(QDialog::Accepted);
        });
        QTest::mouseClick(ui(*fiche).SBenregistrerRW3, Qt::LeftButton);
        QCOMPARE(titreDialogue, QStringLiteral("Enregistrement au format Regressi Win"));
        QVERIFY2(nomPropose.endsWith(QStringLiteral("/Galvora 001")), qPrintable(nomPropose));
        QVERIFY(nomPropose.startsWith(QString::fromStdString(fiche->dossierDocuments)));
        QCOMPARE(fiche->etatEnregistrement.numAcqDef, 1);
        const QString nom = dossier + QStringLiteral("/essai.rw3");
        QCOMPARE(fiche->etatEnregistrement.nomFichierREG, nom);
        QFile f(nom);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray contenu = f.readAll();
        QVERIFY(contenu.startsWith("EVARISTE REGRESSI WINDOWS 1.0\r\n"));
        QVERIFY(contenu.endsWith("\r\n"));
        const QStringList lignes = QString::fromLatin1(contenu).split(QStringLiteral("\r\n"));
        QVERIFY(lignes.contains(QStringLiteral("u0_M")));
        QVERIFY(lignes.contains(QStringLiteral("u1_M")));
        const int debut = lignes.indexOf(QRegularExpression(QStringLiteral("^&\\d+ VALEUR VAR$")));
        QVERIFY(debut > 0);
        QCOMPARE(lignes[debut], QStringLiteral("&101 VALEUR VAR"));
        for (int k = 0; k < 101; ++k) {
            const QStringList champs = lignes[debut + 1 + k].split(QLatin1Char(' '));
            QCOMPARE(champs.size(), 3);
            const double t = champs[0].toDouble();
            QVERIFY(std::fabs(t - k * c.dt0X) < 1e-9);
            for (int i = 0; i < 2; ++i)
                QVERIFY2(std::fabs(champs[1 + i].toDouble() - sp5sim::sp5simTension(i, k * c.dt0X)) < 0.03,
                         qPrintable(lignes[debut + 1 + k]));
        }
        // Saving again to the same name asks before replacing; No keeps the
        // counter.
        gv::installeIntercepteurDialogues([&](QDialog& dialogue) {
            auto* fichier = qobject_cast<QFileDialog*>(&dialogue);
            fichier->selectFile(nom);
            dialogue.accept();
            return int(QDialog::Accepted);
        });
        surMessage = nullptr;
        gv::installeIntercepteurMessages([this](const gv::TMessage& m) {
            messages.push_back(m);
            return QMessageBox::No;
        });
        QTest::mouseClick(ui(*fiche).SBenregistrerRW3, Qt::LeftButton);
        QVERIFY(message(QStringLiteral("Le fichier \"") + nom + QStringLiteral("\" existe déjà. Faut-il le remplacer ?")));
        QCOMPARE(fiche->etatEnregistrement.numAcqDef, 1);
    }
};

int main(int argc, char* argv[])
{
    racineTest = testgv::prepareEnvironnement("acquisition");
    QApplication application(argc, argv);
    // As the program does: driver waits keep the window alive.
    plateforme::installePompeMessages([] { QCoreApplication::processEvents(); });
    TestAcquisition test;
    const int resultat = QTest::qExec(&test, argc, argv);
    plateforme::installePompeMessages(nullptr);
    fs::remove_all(racineTest);
    return resultat;
}

#include "test_acquisition.moc"
