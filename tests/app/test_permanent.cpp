// "Mode permanent" checked and "Démarrer l'acquisition" pressed, on the
// simulated units: frames one after the other until Stop, fast frames shown
// whole, slow ones swept by an erasing front or wiped, settings changed on
// the fly, and the ways the mode ends.
#include "ControlesFiche.h"
#include "EnvironnementTest.h"
#include "FenetreSimulee.h"
#include "SimulateursTest.h"
#include "app/GroupeRadio.h"
#include "app/Messages.h"
#include "app/TFicheGVAttenteDeclAcq.h"
#include "app/TFicheGVMixte.h"
#include "app/TFicheGVMixteOptions.h"
#include "display/Couleurs.h"
#include "model/TCentrale.h"
#include "model/UniteBaseChaines.h"
#include "platform/PompeMessages.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <filesystem>
#include <functional>

using testgv::ui;

namespace fs = std::filesystem;

namespace {

std::string racineTest;

// Follows the frames through the message box: each frame starts with
// "Acquisition en attente..." (or "Attente du déclenchement"), and its first
// block shows "Acquisition en cours...". Records which half each frame went
// to, and runs a test's action at a frame's start or first block.
class TSuiviTrames : public QObject {
public:
    explicit TSuiviTrames(TFicheGVMixte& fiche) : QObject(&fiche), fiche_(fiche)
    {
        connect(ui(fiche).EditMessageX, &QLineEdit::textChanged, this, [this](const QString& t) {
            if (t == QStringLiteral("Acquisition en attente...") || t == QStringLiteral("Attente du déclenchement")) {
                ++trames;
                debutee_ = true;
                moities.push_back(fiche_.trames.trameX);
                longueurs.push_back(fiche_.mesures.tv2.empty() ? 0 : int64_t(fiche_.mesures.tv2.back().size()));
                if (auDebut)
                    auDebut(trames);
            } else if (t == QStringLiteral("Acquisition en cours...") && debutee_) {
                // (The same text when the mode starts is no frame's.)
                debutee_ = false;
                if (auPremierBloc)
                    auPremierBloc(trames);
            }
        });
    }

    int trames = 0;
    std::vector<int> moities;       // trameX of each frame
    std::vector<int64_t> longueurs; // length of the run's curves at each frame's start
    std::function<void(int)> auDebut;
    std::function<void(int)> auPremierBloc;

private:
    TFicheGVMixte& fiche_;
    bool debutee_ = false; // a frame started and has had no block yet
};

// True when the colour of curve `couleur` is within a pixel of (x, y).
bool courbeVers(const QImage& image, int x, int y, QRgb couleur)
{
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (image.rect().contains(x + dx, y + dy) && (image.pixel(x + dx, y + dy) & 0xFFFFFF) == (couleur & 0xFFFFFF))
                return true;
    return false;
}

} // namespace

class TestPermanent : public QObject {
    Q_OBJECT

    testgv::TFenetreSimulee fenetre;
    std::vector<gv::TMessage> messages;
    std::function<QMessageBox::StandardButton(const gv::TMessage&)> reponse;

    std::unique_ptr<TFicheGVMixte> ouvre(int32_t type = kSysamSP5, int64_t debutRuns = 0)
    {
        testgv::pointEntree<void (*)(int64_t)>("SP5SIM.DLL", "SimSP5_FixeDebutRuns")(debutRuns);
        auto fiche = fenetre.ouvre(racineTest, type);
        testgv::fixeDebutRunsDesSimulateurs(debutRuns);
        fiche->activateWindow();
        if (!QTest::qWaitForWindowActive(fiche.get()))
            qWarning("window not active");
        messages.clear(); // the V6 beside the CAMPUS is warned of at start
        return fiche;
    }

    // Input 0 only, the duration and points given, the mode checked.
    static void prepare(TFicheGVMixte& fiche, const char* duree, const char* points)
    {
        if (duree) {
            fiche.controleur().ChangeDureeTotale(duree);
            fiche.controleur().changeNbPts(points);
        }
        testgv::cliqueBouton(ui(fiche).CBModePermanent);
        QVERIFY(fiche.controleur().modePermanent);
        QCOMPARE(fiche.modeGeneral(), TModeGeneral::permanentArrete);
        QCOMPARE(ui(fiche).GBDeclenchement->title(), QStringLiteral("Synchronisation"));
        QCOMPARE(ui(fiche).CBTypeDeclenchement->itemText(0), QStringLiteral("aucune"));
    }

    static void demarre(TFicheGVMixte& fiche)
    {
        QVERIFY(ui(fiche).BAcquisition->isEnabled());
        QTest::mouseClick(ui(fiche).BAcquisition, Qt::LeftButton);
    }

    static void arrete(TFicheGVMixte& fiche)
    {
        QCOMPARE(ui(fiche).BAcquisition->text(), QStringLiteral("Arrêter"));
        QTest::mouseClick(ui(fiche).BAcquisition, Qt::LeftButton);
    }

    // The points k0 .. k1 - 1 of curve c follow input `entree` of unit
    // `type` for a run whose first sample was at instant t0.
    static bool suitLeSignal(const TFicheGVMixte& fiche, int32_t type, std::size_t c, int entree, double t0,
                             int64_t k0, int64_t k1, double tolerance = 0.05)
    {
        const std::vector<float>& u = fiche.mesures.tv2[c];
        for (int64_t k = k0; k < k1; ++k) {
            const double attendu = testgv::tensionSimulee(type, entree, t0 + double(k) * fiche.SP5->dt0X);
            if (std::fabs(u[std::size_t(k)] - attendu) > tolerance) {
                qWarning("point %lld: %g V instead of %g V", static_cast<long long>(k), double(u[std::size_t(k)]),
                         attendu);
                return false;
            }
        }
        return true;
    }

    // Instant of the last run's first sample on the simulated SP5's clock.
    static double debutDernierRun()
    {
        return double(testgv::pointEntree<int64_t (*)()>("SP5SIM.DLL", "SimSP5_DebutRun")()) * 1e-7;
    }

    // Pixels of the graph, right of column x, where the screen differs from
    // the blank screen the frames start from.
    static int differencesADroite(const TFicheGVMixte& fiche, int x)
    {
        const TEcran& e = const_cast<TFicheGVMixte&>(fiche).ecran();
        const TGeometrieEcran& g = e.geometrie;
        int n = 0;
        for (int y = g.mSup + 2; y < g.mSup + g.hauG - 2; ++y)
            for (int xx = std::max(x, g.gaucheGraphe() + 2); xx < g.droiteGraphe() - 2; ++xx)
                n += e.iEcranX.pixel(xx, y) != e.bmEcran0.pixel(xx, y);
        return n;
    }

    // Column just past the erasing front of the frame in progress.
    static int apresLeFront(TFicheGVMixte& fiche)
    {
        return fiche.ecran().geometrie.xe(double(fiche.ptFront + 1) * fiche.SP5->dt0X) + 4;
    }

    // Index after which every value of curve c is 0.
    static int64_t finDesDonnees(const TFicheGVMixte& fiche, std::size_t c)
    {
        const std::vector<float>& u = fiche.mesures.tv2[c];
        int64_t n = int64_t(u.size());
        while (n > 0 && u[std::size_t(n - 1)] == 0.0f)
            --n;
        return n;
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
        reponse = nullptr;
        gv::installeIntercepteurMessages([this](const gv::TMessage& m) {
            messages.push_back(m);
            return reponse ? reponse(m) : QMessageBox::Ok;
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

    // Fast frames (within the unit's persistence): Stop pressed during a
    // frame lets it complete and be shown before the mode stops.
    void arretPendantLesTramesRapides()
    {
        auto fiche = ouvre(kSysamSP5, -1);
        prepare(*fiche, "0.1", "1001");
        QCOMPARE(fiche->controleur().modeBalayage, 1);
        fiche->transfertREG->numFichierTR = 3;
        TSuiviTrames suivi(*fiche);
        suivi.auPremierBloc = [&](int trame) {
            if (trame == 3)
                arrete(*fiche);
        };
        QImage ecranALaFin;
        connect(ui(*fiche).EditMessageX, &QLineEdit::textChanged, fiche.get(), [&](const QString& t) {
            if (t == QStringLiteral(" 1 série acquise"))
                ecranALaFin = fiche->ecran().iEcranX.copy();
        });
        demarre(*fiche);
        QCOMPARE(suivi.trames, 3);
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::permanentArrete);
        QVERIFY(ui(*fiche).CBModePermanent->isChecked());
        QCOMPARE(ui(*fiche).BAcquisition->text(), QStringLiteral("Démarrer l'acquisition"));
        TCentrale& c = *fiche->SP5;
        QCOMPARE(int64_t(fiche->mesures.tv2[0].size()), c.nbPts0X);
        // The third frame, whole: the signal from its own first instant.
        QVERIFY(suitLeSignal(*fiche, kSysamSP5, 0, 0, debutDernierRun(), 0, c.nbPts0X));
        // Shown before the mode ended.
        QVERIFY(!ecranALaFin.isNull());
        const TGeometrieEcran& g = fiche->ecran().geometrie;
        const QRgb couleur = qrgbDe(TColor(fiche->reglages.clsVX[0]));
        for (int64_t k : {int64_t(10), c.nbPts0X / 2, c.nbPts0X - 20})
            QVERIFY2(courbeVers(ecranALaFin, g.xe(double(k) * c.dt0X), g.ye(0, fiche->mesures.tv2[0][std::size_t(k)]),
                                couleur),
                     qPrintable(QString::number(k)));
        // And drawn again once the mode has ended.
        for (int64_t k : {int64_t(10), c.nbPts0X / 2, c.nbPts0X - 20})
            QVERIFY2(courbeVers(fiche->ecran().iEcranX, g.xe(double(k) * c.dt0X),
                                g.ye(0, fiche->mesures.tv2[0][std::size_t(k)]), couleur),
                     qPrintable(QString::number(k)));
        const TVoieMesuree& vm = fiche->mesures.voiesMesurees[0];
        QCOMPARE(fiche->mesures.nbVoiesMesurees, 1);
        QCOMPARE(vm.sEnteteVM, c.getCapVM(0));
        QCOMPARE(vm.sUniteVM, std::string("V"));
        QVERIFY(fiche->TimerAcqDir.isActive());
        QVERIFY(ui(*fiche).SBenregistrerRW3->isEnabled());
        QVERIFY(messages.empty());
        // The next REGRESSI hand-over starts a new numbering.
        QCOMPARE(fiche->transfertREG->numFichierTR, -1);
    }

    // Slow frames without the erasing option: the arrays hold two frames,
    // which go to the two halves in turn from the first; the old frame
    // stays ahead of the erasing front. Stop during a frame of the first
    // half: the previous frame, whole, takes its place.
    void tramesLentesSansEffacement_data()
    {
        QTest::addColumn<int>("type");
        QTest::newRow("SP5") << int(kSysamSP5);
        QTest::newRow("V6") << int(kSysamV6);
        QTest::newRow("CAMPUS") << int(kSysamCampus);
    }

    void tramesLentesSansEffacement()
    {
        QFETCH(int, type);
        auto fiche = ouvre(type);
        prepare(*fiche, "0.2", "201");
        QCOMPARE(fiche->controleur().modeBalayage, 0);
        TCentrale& c = *fiche->SP5;
        TSuiviTrames suivi(*fiche);
        int ancienneTrameDevant = -1;
        suivi.auPremierBloc = [&](int trame) {
            if (trame == 2)
                QTimer::singleShot(0, fiche.get(), [&] { ancienneTrameDevant = differencesADroite(*fiche, apresLeFront(*fiche)); });
            if (trame == 3)
                arrete(*fiche);
        };
        demarre(*fiche);
        QCOMPARE(suivi.trames, 3);
        QCOMPARE(suivi.moities, (std::vector<int> {0, 1, 0}));
        for (int64_t n : suivi.longueurs)
            QCOMPARE(n, 2 * c.nbPts0X);
        QCOMPARE(fiche->trames.nbTramesAcq, 2);
        QVERIFY2(ancienneTrameDevant > 50, qPrintable(QString::number(ancienneTrameDevant)));
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::permanentArrete);
        QCOMPARE(int64_t(fiche->mesures.tv2[0].size()), 2 * c.nbPts0X);
        // Every run starts at the signals' phase 0 here: both halves show it.
        QVERIFY(suitLeSignal(*fiche, type, 0, 0, 0.0, 0, c.nbPts0X));
        for (int64_t k = 0; k < c.nbPts0X; k += 10)
            QCOMPARE(fiche->mesures.tv2[0][std::size_t(c.nbPts0X + k)], fiche->mesures.tv2[0][std::size_t(k)]);
        QCOMPARE(fiche->mesures.voiesMesurees[0].sUniteVM, std::string("V"));
        QCOMPARE(ui(*fiche).EditMessageX->text(), QStringLiteral(" 1 série acquise"));
        QVERIFY(ui(*fiche).CBModePermanent->isChecked());
        QVERIFY(messages.empty());
    }

    // Stop during the first slow frame: no frame is complete, nothing is
    // copied, and what the unit had not sent yet stays as it was (zero).
    void arretPendantLaPremiereTrameLente()
    {
        auto fiche = ouvre();
        // A long frame: its end, had the loop waited for it, is far off.
        prepare(*fiche, "2", "1001");
        TSuiviTrames suivi(*fiche);
        suivi.auPremierBloc = [&](int) { arrete(*fiche); };
        QElapsedTimer chrono;
        chrono.start();
        demarre(*fiche);
        QVERIFY2(chrono.elapsed() < 1000, qPrintable(QString::number(chrono.elapsed())));
        QCOMPARE(suivi.trames, 1);
        QCOMPARE(fiche->trames.nbTramesAcq, 0);
        const int64_t n = finDesDonnees(*fiche, 0);
        QVERIFY2(n > 10 && n < fiche->SP5->nbPts0X / 2, qPrintable(QString::number(n)));
        QVERIFY(suitLeSignal(*fiche, kSysamSP5, 0, 0, 0.0, 0, n));
        QCOMPARE(int64_t(fiche->mesures.tv2[0].size()), 2 * fiche->SP5->nbPts0X);
    }

    // The duration changed during slow frames: the frame ends at once, the
    // new duration applies, and the sweep starts again from the left edge
    // in the first half.
    void changementDeDureePendantLesTramesLentes()
    {
        auto fiche = ouvre();
        prepare(*fiche, "0.5", "1001");
        TCentrale& c = *fiche->SP5;
        TSuiviTrames suivi(*fiche);
        QElapsedTimer chrono;
        qint64 clic = -1, suivante = -1;
        double dureeALaTroisieme = 0;
        int64_t frontALaTroisieme = -1;
        suivi.auPremierBloc = [&](int trame) {
            if (trame == 2) {
                chrono.start();
                clic = 0;
                QTest::mouseClick(ui(*fiche).SBDureeTotalePlus, Qt::LeftButton);
            } else if (trame == 3) {
                arrete(*fiche);
            }
        };
        suivi.auDebut = [&](int trame) {
            if (trame == 3) {
                suivante = chrono.elapsed();
                dureeALaTroisieme = c.dureeTotale0X;
                frontALaTroisieme = fiche->ecran().progres().ptFront;
            }
        };
        demarre(*fiche);
        QCOMPARE(suivi.trames, 3);
        QVERIFY(clic == 0);
        QVERIFY2(suivante >= 0 && suivante < 250, qPrintable(QString::number(suivante)));
        QVERIFY2(std::fabs(dureeALaTroisieme - 1.0) < 1e-6, qPrintable(QString::number(dureeALaTroisieme)));
        QCOMPARE(suivi.moities, (std::vector<int> {0, 1, 0}));
        QCOMPARE(frontALaTroisieme, int64_t(0));
        QCOMPARE(suivi.longueurs[2], 2 * c.nbPts0X);
        QCOMPARE(fiche->mesures.dtAX, c.dt0X);
        QCOMPARE(ui(*fiche).CBDureeTotale->currentText(), QString::fromStdString(formatValeur(3, styleIngenieur, 1.0L) + "s"));
    }

    // "Mode permanent" unchecked during fast frames: the mode leaves once
    // the frame in progress is complete, and the box reads off.
    void decocheePendantLesTramesRapides()
    {
        auto fiche = ouvre(kSysamSP5, -1);
        prepare(*fiche, "0.1", "1001");
        TSuiviTrames suivi(*fiche);
        suivi.auPremierBloc = [&](int trame) {
            if (trame == 2)
                testgv::cliqueBouton(ui(*fiche).CBModePermanent);
        };
        demarre(*fiche);
        QCOMPARE(suivi.trames, 2);
        QVERIFY(!ui(*fiche).CBModePermanent->isChecked());
        QVERIFY(!fiche->controleur().modePermanent);
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::permanentArrete);
        QCOMPARE(ui(*fiche).GBDeclenchement->title(), QStringLiteral("Déclenchement"));
        QCOMPARE(ui(*fiche).CBTypeDeclenchement->itemText(0), QStringLiteral("manuel"));
        QVERIFY(suitLeSignal(*fiche, kSysamSP5, 0, 0, debutDernierRun(), 0, fiche->SP5->nbPts0X));
        // The next Start runs a single acquisition.
        demarre(*fiche);
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::acquisitionFinie);
    }

    // The erasing option, chosen in the options dialog: each slow frame
    // starts on a blank screen, and the arrays hold one frame.
    void optionEffacement()
    {
        auto fiche = ouvre(kSysamSP5, -1);
        gv::installeIntercepteurDialogues([](QDialog& d) {
            auto* options = qobject_cast<TFicheGVMixteOptions*>(&d);
            if (!options)
                return int(QDialog::Rejected);
            options->show();
            QTest::mouseClick(options->RBEffacerTrame, Qt::LeftButton, {}, QPoint(4, options->RBEffacerTrame->height() / 2));
            QTest::mouseClick(options->BAppliquer, Qt::LeftButton);
            return options->result();
        });
        QTest::mouseClick(ui(*fiche).SBOptions, Qt::LeftButton);
        gv::installeIntercepteurDialogues({});
        QVERIFY(fiche->reglages.optionEffaceTrame);
        prepare(*fiche, "0.3", "1001");
        TCentrale& c = *fiche->SP5;
        TSuiviTrames suivi(*fiche);
        std::vector<int> restesDevant;
        suivi.auPremierBloc = [&](int trame) {
            if (trame <= 2)
                QTimer::singleShot(0, fiche.get(), [&] { restesDevant.push_back(differencesADroite(*fiche, apresLeFront(*fiche))); });
            else
                arrete(*fiche);
        };
        demarre(*fiche);
        QCOMPARE(suivi.trames, 3);
        QCOMPARE(restesDevant, (std::vector<int> {0, 0}));
        QCOMPARE(suivi.moities, (std::vector<int> {0, 0, 0}));
        for (int64_t n : suivi.longueurs)
            QCOMPARE(n, c.nbPts0X);
        QVERIFY(!fiche->trames.modeDoubleTrameX);
        // The third frame, cut short, has no older end behind it.
        const int64_t n = finDesDonnees(*fiche, 0);
        QVERIFY2(n > 10 && n < c.nbPts0X / 2, qPrintable(QString::number(n)));
        QVERIFY(suitLeSignal(*fiche, kSysamSP5, 0, 0, debutDernierRun(), 0, n));
    }

    // Quit during the mode: the mode ends normally, records filled, then the
    // closing question; "Non" keeps the window. The window's close box does
    // the same; "Oui" then closes it.
    void quitterPendantLeMode()
    {
        auto fiche = ouvre();
        prepare(*fiche, "0.1", "1001");
        TModeGeneral etatALaQuestion = TModeGeneral::rienAcquis;
        int courbesALaQuestion = -1;
        QMessageBox::StandardButton quitter = QMessageBox::No;
        reponse = [&](const gv::TMessage& m) {
            if (m.texte.startsWith(QStringLiteral("Désirez-vous vraiment quitter"))) {
                etatALaQuestion = fiche->modeGeneral();
                courbesALaQuestion = fiche->mesures.nbVoiesMesurees;
                return quitter;
            }
            return QMessageBox::No;
        };
        TSuiviTrames suivi(*fiche);
        suivi.auPremierBloc = [&](int trame) {
            if (trame == 2)
                QTest::mouseClick(ui(*fiche).SBQuitter, Qt::LeftButton);
            if (trame == 4)
                fiche->close();
        };
        demarre(*fiche);
        QVERIFY(message(QStringLiteral("Désirez-vous vraiment quitter")));
        QCOMPARE(etatALaQuestion, TModeGeneral::permanentArrete);
        QCOMPARE(courbesALaQuestion, 1);
        QVERIFY(fiche->isVisible());
        QCOMPARE(suivi.trames, 2);

        messages.clear();
        quitter = QMessageBox::Yes;
        courbesALaQuestion = -1;
        demarre(*fiche);
        QCOMPARE(suivi.trames, 4);
        QCOMPARE(courbesALaQuestion, 1);
        QVERIFY(message(QStringLiteral("Désirez-vous enregistrer les mesures ?")));
        QVERIFY(!fiche->isVisible());
    }

    // The unit unplugged during a frame: the mode ends with the warning, and
    // the presence poll runs again.
    void debranchementPendantLeMode()
    {
        auto branche = testgv::pointEntree<void (*)(int32_t)>("SP5SIM.DLL", "SimSP5_Branche");
        QVERIFY(branche);
        auto fiche = ouvre();
        prepare(*fiche, "0.5", "1001");
        TSuiviTrames suivi(*fiche);
        suivi.auPremierBloc = [&](int trame) {
            if (trame == 2)
                branche(0);
        };
        QElapsedTimer chrono;
        chrono.start();
        demarre(*fiche);
        branche(1);
        QVERIFY(chrono.elapsed() < 3000);
        QCOMPARE(suivi.trames, 2);
        const gv::TMessage* avertissement = message(QStringLiteral("Acquisition interrompue car probable débranchement"));
        QVERIFY(avertissement);
        QCOMPARE(avertissement->icone, gv::TIconeMessage::Avertissement);
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::permanentArrete);
        QVERIFY(fiche->TimerPresenceSP5.isActive());
        QCOMPARE(fiche->drapeaux.typeSortieMP, TTypeSortieMP::aucune);
    }

    // A trigger that never comes keeps the frame waiting; the wait dialog
    // shows after tAttenteMaxDecl; Stop ends the mode at once.
    void declenchementQuiNeVientPas()
    {
        auto fiche = ouvre();
        prepare(*fiche, "0.1", "1001");
        TCentrale& c = *fiche->SP5;
        testgv::cliqueBouton(ui(*fiche).voies[6].active);
        testgv::cliqueBouton(ui(*fiche).voies[0].active);
        testgv::choisitDansListe(ui(*fiche).CBTypeDeclenchement, kDeclSeuil);
        ui(*fiche).EditUSeuilDecl->setFocus();
        ui(*fiche).EditUSeuilDecl->selectAll();
        QTest::keyClicks(ui(*fiche).EditUSeuilDecl, QStringLiteral("5"));
        QTest::keyClick(ui(*fiche).EditUSeuilDecl, Qt::Key_Return);
        QCOMPARE(c.modeDecl, int(kDeclSeuil));
        QCOMPARE(c.USeuilDecl, 5.0f);
        c.tAttenteMaxDecl = 0.1f;
        QString messagePendant;
        bool dialogueVisible = false;
        qint64 arret = -1;
        QElapsedTimer chrono;
        QTimer::singleShot(500, fiche.get(), [&] {
            messagePendant = ui(*fiche).EditMessageX->text();
            dialogueVisible = fiche->FicheAttenteDecl && fiche->FicheAttenteDecl->isVisible();
            chrono.start();
            arrete(*fiche);
        });
        demarre(*fiche);
        arret = chrono.elapsed();
        QCOMPARE(messagePendant, QStringLiteral("Attente du déclenchement"));
        QVERIFY(dialogueVisible);
        QVERIFY2(arret < 200, qPrintable(QString::number(arret)));
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::permanentArrete);
    }

    // Settings changed while fast frames run: each change waits for the end
    // of the frame and the mode goes on. The trigger switched to a threshold
    // on the sine: from then on every frame starts at the threshold, rising.
    void changementsPendantLeMode()
    {
        auto fiche = ouvre(kSysamSP5, -1);
        prepare(*fiche, "0.1", "1001");
        TCentrale& c = *fiche->SP5;
        TSuiviTrames suivi(*fiche);
        std::vector<int> calibres, declenchements;
        suivi.auDebut = [&](int) {
            calibres.push_back(c.VoiesX[0].idxCalibreUt);
            declenchements.push_back(c.modeDecl);
        };
        suivi.auPremierBloc = [&](int trame) {
            if (trame == 2)
                QTest::mouseClick(ui(*fiche).voies[0].calibre->bouton(1), Qt::LeftButton, {},
                                  QPoint(4, ui(*fiche).voies[0].calibre->bouton(1)->height() / 2));
            else if (trame == 4)
                testgv::choisitDansListe(ui(*fiche).CBTypeDeclenchement, kDeclSeuil);
            else if (trame == 6)
                arrete(*fiche);
        };
        demarre(*fiche);
        QCOMPARE(suivi.trames, 6);
        QCOMPARE(calibres, (std::vector<int> {0, 0, 1, 1, 1, 1}));
        QCOMPARE(declenchements, (std::vector<int> {0, 0, 0, 0, int(kDeclSeuil), int(kDeclSeuil)}));
        QCOMPARE(c.nbPts0X, c.nbPtsAffX + 1);
        const std::vector<float>& u = fiche->mesures.tv2[0];
        QVERIFY2(std::fabs(u[0] - c.USeuilDecl) < 0.05f, qPrintable(QString::number(u[0])));
        QVERIFY(u[10] > u[0] + 0.5f);
        QCOMPARE(int64_t(u.size()), c.nbPts0X);
        QCOMPARE(fiche->mesures.voiesMesurees[0].calVM, 1);
    }
};

int main(int argc, char* argv[])
{
    racineTest = testgv::prepareEnvironnement("permanent");
    QApplication application(argc, argv);
    plateforme::installePompeMessages([] { QCoreApplication::processEvents(); });
    TestPermanent test;
    const int resultat = QTest::qExec(&test, argc, argv);
    plateforme::installePompeMessages(nullptr);
    fs::remove_all(racineTest);
    return resultat;
}

#include "test_permanent.moc"
