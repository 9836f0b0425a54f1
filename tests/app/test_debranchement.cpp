// Each simulated unit unplugged at each stage of a run started with
// "Démarrer l'acquisition": the run ends by itself, the points received stay,
// the disconnection warning is shown and the presence poll runs again. How
// long the user waits from the unplug to the window given back is written to
// a table (unit × stage), which the test command prints.
//
// Between two frames of the permanent mode, the unit is unplugged when the
// loop programs it for the second frame: the first one was received whole.
#include "ControlesFiche.h"
#include "SimulateursTest.h"
#include "EnvironnementTest.h"
#include "FenetreSimulee.h"
#include "app/Messages.h"
#include "app/TFicheGVMixte.h"
#include "drivers/campus/TSYSAMCAMPUS.h"
#include "drivers/sp5/TSP5.h"
#include "drivers/v6/TSYSAMV6.h"
#include "platform/PompeMessages.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>

using testgv::pointEntree;
using testgv::tensionSimulee;
using testgv::ui;

namespace fs = std::filesystem;

namespace {
std::string racineTest;

// Called when the run programs the unit (the Start button's prepareTousPRX)
// after g_programmationsAvant earlier programmings, then forgotten.
std::function<void()> g_auProgramme;
int g_programmationsAvant = 0;

// A driver that lets a test act at the moment the run programs the unit.
template <class Pilote>
class TPiloteEpie : public Pilote {
public:
    using Pilote::Pilote;
    void prepareTousPRX(bool applique) override
    {
        if (applique && g_auProgramme && g_programmationsAvant-- == 0)
            std::exchange(g_auProgramme, nullptr)();
        Pilote::prepareTousPRX(applique);
    }
};

TCentrale* fabriqueEpiee(int32_t type, const std::string& chemin)
{
    switch (type) {
    case kSysamSP5:
    case kSimulationSP5:
        return new TPiloteEpie<TSP5>(chemin, 1);
    case kSysamV6:
        return new TPiloteEpie<TSYSAMV6>(chemin, 1);
    case kSysamCampus:
        return new TPiloteEpie<TSYSAMCAMPUS>(chemin, 1);
    default:
        return nullptr;
    }
}

struct TUnite {
    int32_t type;
    int32_t typeDuPilote; // the simulated SP5 shows as "SIMULATION SP5"
    const char* nom;
    const char* bibliotheque;
    const char* crochet; // its unplug entry point
    int limiteMs;        // the longest a user may wait
};
const TUnite kUnites[] = {
    {kSysamSP5, kSimulationSP5, "SP5", "SP5SIM.DLL", "SimSP5_Branche", 2000},
    {kSysamV6, kSysamV6, "V6", "FTD2XX-V6.DLL", "SimV6_Branche", 5000},
    {kSysamCampus, kSysamCampus, "CAMPUS", "Campus.DLL", "SimCampus_Branche", 2000},
};

enum class TEtape { programmation, attenteDeclenchement, lectureBlocs, entreDeuxTrames };
struct TEtapeNommee {
    TEtape etape;
    const char* nom;
};
const TEtapeNommee kEtapes[] = {
    {TEtape::programmation, "programmation"},
    {TEtape::attenteDeclenchement, "attente du déclenchement"},
    {TEtape::lectureBlocs, "lecture des blocs"},
    {TEtape::entreDeuxTrames, "entre deux trames"},
};

// Past this the test presses "Arrêter" for the user.
constexpr qint64 kAbandonMs = 20000;

struct TLigne {
    QString unite, etape;
    qint64 ms = -1;
    bool finPropre = false;
};
std::vector<TLigne> g_table;

} // namespace

class TestDebranchement : public QObject {
    Q_OBJECT

    testgv::TFenetreSimulee fenetre;
    std::vector<gv::TMessage> messages;
    std::function<void()> surMessage;

    // Threshold trigger on input 0 at a level its 5 V sine never reaches.
    static void declenchementQuiNeVientPas(TFicheGVMixte& fiche)
    {
        testgv::choisitDansListe(ui(fiche).CBTypeDeclenchement, kDeclSeuil);
        ui(fiche).EditUSeuilDecl->setFocus();
        ui(fiche).EditUSeuilDecl->selectAll();
        QTest::keyClicks(ui(fiche).EditUSeuilDecl, QStringLiteral("8"));
        QTest::keyClick(ui(fiche).EditUSeuilDecl, Qt::Key_Return);
        QCOMPARE(fiche.SP5->modeDecl, int(kDeclSeuil));
        QCOMPARE(fiche.SP5->USeuilDecl, 8.0f);
    }

private slots:
    void init()
    {
        messages.clear();
        surMessage = nullptr;
        g_auProgramme = nullptr;
        g_programmationsAvant = 0;
        gv::installeIntercepteurMessages([this](const gv::TMessage& m) {
            messages.push_back(m);
            if (surMessage)
                surMessage();
            return QMessageBox::Ok;
        });
        fs::remove_all(racineTest + "/data/Galvora");
        fs::remove_all(racineTest + "/config");
        fs::create_directories(racineTest + "/config");
    }

    void cleanup()
    {
        g_auProgramme = nullptr;
        gv::installeIntercepteurDialogues({});
        fenetre.ferme();
    }

    void debranchement_data()
    {
        QTest::addColumn<int>("unite");
        QTest::addColumn<int>("etape");
        for (int u = 0; u < int(std::size(kUnites)); ++u)
            for (int e = 0; e < int(std::size(kEtapes)); ++e)
                QTest::newRow((std::string(kUnites[u].nom) + " " + kEtapes[e].nom).c_str()) << u << e;
    }

    void debranchement()
    {
        QFETCH(int, unite);
        QFETCH(int, etape);
        const TUnite& u = kUnites[unite];
        const TEtape quand = kEtapes[etape].etape;
        TLigne& ligne = g_table.emplace_back();
        ligne.unite = QString::fromLatin1(u.nom);
        ligne.etape = QString::fromUtf8(kEtapes[etape].nom);

        auto fiche = fenetre.ouvre(racineTest, u.type, fabriqueEpiee);
        testgv::fixeDebutRunsDesSimulateurs();
        QVERIFY(fiche->SP5);
        QCOMPARE(fiche->SP5->typeCentrale, u.typeDuPilote);
        const auto branche = pointEntree<void (*)(int32_t)>(u.bibliotheque, u.crochet);
        QVERIFY(branche);
        TCentrale& c = *fiche->SP5;
        if (quand == TEtape::entreDeuxTrames) {
            // Frames of 50 ms, programmed once for the mode, then before
            // each frame.
            fiche->controleur().ChangeDureeTotale("50 ms");
            testgv::cliqueBouton(ui(*fiche).CBModePermanent);
            QVERIFY(fiche->controleur().modePermanent);
            g_programmationsAvant = 2;
        } else {
            c.setDurees(2.0, 1001, false);
        }
        if (quand == TEtape::attenteDeclenchement)
            declenchementQuiNeVientPas(*fiche);
        messages.clear();

        QElapsedTimer depuis;
        const auto debranche = [&] {
            branche(0);
            depuis.start();
        };
        if (quand == TEtape::programmation || quand == TEtape::entreDeuxTrames)
            g_auProgramme = debranche;
        else
            QTimer::singleShot(300, fiche.get(), debranche);
        // The user gives up at last.
        bool arretee = false;
        QTimer abandon;
        abandon.setInterval(100);
        connect(&abandon, &QTimer::timeout, fiche.get(), [&] {
            if (depuis.isValid() && depuis.elapsed() > kAbandonMs && !arretee
                && (fiche->modeGeneral() == TModeGeneral::acquisitionEnCours
                    || fiche->modeGeneral() == TModeGeneral::permanentEnCours)) {
                arretee = true;
                QTest::mouseClick(ui(*fiche).BAcquisition, Qt::LeftButton);
            }
        });
        abandon.start();
        TTypeSortieMP typeVu = TTypeSortieMP::aucune;
        surMessage = [&] { typeVu = fiche->drapeaux.typeSortieMP; };

        QTest::mouseClick(ui(*fiche).BAcquisition, Qt::LeftButton);
        abandon.stop();
        QVERIFY(depuis.isValid());
        ligne.ms = depuis.elapsed();
        branche(1);

        QCOMPARE(fiche->modeGeneral(), quand == TEtape::entreDeuxTrames ? TModeGeneral::permanentArrete
                                                                        : TModeGeneral::acquisitionFinie);
        QVERIFY(!arretee);
        const gv::TMessage* avertissement = nullptr;
        for (const gv::TMessage& m : messages)
            if (m.texte.startsWith(QStringLiteral("Acquisition interrompue")))
                avertissement = &m;
        QVERIFY(avertissement);
        QCOMPARE(avertissement->icone, gv::TIconeMessage::Avertissement);
        QCOMPARE(avertissement->texte,
                 QStringLiteral("Acquisition interrompue car probable débranchement\n\rde la centrale. Il est conseillé "
                                "de vérifier le \n\rbranchement et l'alimentation puis de recommencer."));
        QCOMPARE(typeVu, TTypeSortieMP::centralePerdue);
        QVERIFY(fiche->TimerPresenceSP5.isActive());
        const std::vector<float>& courbe = fiche->mesures.tv2.at(0);
        if (quand == TEtape::entreDeuxTrames) {
            // The whole first frame is kept.
            for (int i : {10, 500, 990})
                QVERIFY(courbe[std::size_t(i)] != 0.0f);
        } else if (quand == TEtape::lectureBlocs) {
            // What came before the unplug is kept, the rest stays 0.
            QVERIFY(std::fabs(courbe[10] - tensionSimulee(u.type, 0, 10 * c.dt0X)) < 0.05);
            QCOMPARE(courbe[1000], 0.0f);
        } else {
            for (float v : courbe)
                QCOMPARE(v, 0.0f);
        }
        ligne.finPropre = true;
        QVERIFY2(ligne.ms < u.limiteMs, qPrintable(QStringLiteral("%1 ms").arg(ligne.ms)));
    }

    // The table, for the test command's output.
    void cleanupTestCase()
    {
        QString texte = QStringLiteral("Unit unplugged during a run: time to the window given back\n");
        for (const TLigne& l : g_table)
            texte += QStringLiteral("  %1 %2 %3\n")
                         .arg(l.unite, -7)
                         .arg(l.etape, -26)
                         .arg(l.ms < 0 ? QStringLiteral("no end")
                                       : QStringLiteral("%1 s%2").arg(double(l.ms) / 1000.0, 0, 'f', 2)
                                             .arg(l.finPropre ? QString() : QStringLiteral(", not clean")));
        qInfo().noquote() << texte;
        std::ofstream(GALVORA_TABLE_DEBRANCHEMENTS) << texte.toStdString();
    }
};

int main(int argc, char* argv[])
{
    racineTest = testgv::prepareEnvironnement("debranchement");
    QApplication application(argc, argv);
    // As the program does: driver waits keep the window alive.
    plateforme::installePompeMessages([] { QCoreApplication::processEvents(); });
    TestDebranchement test;
    const int resultat = QTest::qExec(&test, argc, argv);
    plateforme::installePompeMessages(nullptr);
    fs::remove_all(racineTest);
    return resultat;
}

#include "test_debranchement.moc"
