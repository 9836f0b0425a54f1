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
#include "display/Couleurs.h"
#include "model/TCentrale.h"
#include "platform/PompeMessages.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
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
                moities.push_back(fiche_.trames.trameX);
                longueurs.push_back(fiche_.mesures.tv2.empty() ? 0 : int64_t(fiche_.mesures.tv2.back().size()));
                if (auDebut)
                    auDebut(trames);
            } else if (t == QStringLiteral("Acquisition en cours...") && trames > 0) {
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
