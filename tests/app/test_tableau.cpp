// The measurement table in the main window on the simulated SP5: opened from
// its button, compared cell by cell with the REGRESSI file of the same
// curves, refreshed when the curves or the cursors change, a series deleted
// from its header, and a new experiment.
#include "ControlesFiche.h"
#include "EnvironnementTest.h"
#include "FenetreSimulee.h"
#include "app/Messages.h"
#include "app/TFicheGVMixte.h"
#include "display/EnteteTableau.h"
#include "display/ModeleTableau.h"
#include "display/VueTableau.h"
#include "model/TCentrale.h"
#include "model/UniteBaseChaines.h"
#include "platform/PompeMessages.h"

#include <QAccessible>
#include <QApplication>
#include <QFileDialog>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSplitter>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <dlfcn.h>
#include <filesystem>

using testgv::ui;

namespace fs = std::filesystem;

namespace {

std::string racineTest;

// Every run of the simulated SP5 starts at its signals' phase 0.
void fixeDebutRuns()
{
    const std::string chemin = std::string(GALVORA_SIM_DIR) + "/SP5SIM.DLL";
    void* bibliotheque = ::dlopen(chemin.c_str(), RTLD_NOW);
    if (auto fixe = bibliotheque ? reinterpret_cast<void (*)(int64_t)>(::dlsym(bibliotheque, "SimSP5_FixeDebutRuns"))
                                 : nullptr)
        fixe(0);
}

// A number the table shows, in the user's decimal separator.
double nombre(const QString& texte)
{
    QString t = texte;
    t.replace(QLatin1Char(separateurDecimal()), QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok)
        qFatal("not a number: %s", qPrintable(texte));
    return v;
}

// Half a unit of the last of `chiffres` significant digits of v.
double demiUnite(double v, int chiffres)
{
    if (v == 0)
        return 0;
    return 0.5 * std::pow(10.0, std::floor(std::log10(std::fabs(v))) - (chiffres - 1));
}

} // namespace

class TestTableau : public QObject {
    Q_OBJECT

    testgv::TFenetreSimulee fenetre;
    std::vector<gv::TMessage> messages;
    QMessageBox::StandardButton reponse = QMessageBox::Yes;

    std::unique_ptr<TFicheGVMixte> ouvre()
    {
        fixeDebutRuns();
        auto fiche = fenetre.ouvre(racineTest, kSysamSP5);
        fiche->activateWindow();
        if (!QTest::qWaitForWindowActive(fiche.get()))
            qWarning("window not active");
        return fiche;
    }

    // A run of these inputs, n points over `duree`.
    static void acquiert(TFicheGVMixte& fiche, std::initializer_list<int> actives, double duree, int64_t n)
    {
        const std::vector<int> voulues(actives);
        for (bool activer : {true, false})
            for (int v = 0; v < fiche.SP5->nbEAU; ++v) {
                QCheckBox* boite = ui(fiche).voies[std::size_t(v)].active;
                const bool voulue = std::find(voulues.begin(), voulues.end(), v) != voulues.end();
                if (voulue == activer && boite->isChecked() != voulue)
                    testgv::cliqueBouton(boite);
            }
        fiche.SP5->setDurees(duree, n, false);
        QVERIFY(ui(fiche).BAcquisition->isEnabled());
        QTest::mouseClick(ui(fiche).BAcquisition, Qt::LeftButton);
        QCOMPARE(fiche.modeGeneral(), TModeGeneral::acquisitionFinie);
    }

    static TPanneauTableau& panneau(TFicheGVMixte& fiche)
    {
        auto* p = qobject_cast<TPanneauTableau*>(ui(fiche).PTableau);
        if (!p)
            qFatal("PTableau is not the table");
        return *p;
    }

    static TModeleTableau& modele(TFicheGVMixte& fiche) { return *panneau(fiche).modele(); }

    static void montreTableau(TFicheGVMixte& fiche)
    {
        QToolButton* b = ui(fiche).SBVoirTableau;
        QVERIFY(b->isEnabled());
        if (!b->isChecked())
            QTest::mouseClick(b, Qt::LeftButton);
        QVERIFY(b->isChecked());
        QTRY_VERIFY(ui(fiche).PTableau->isVisible());
    }

    // A click on the delete mark of a column of the table's header.
    static void cliqueMarque(TFicheGVMixte& fiche, int colonne)
    {
        TEnteteTableau& e = *panneau(fiche).entete();
        const auto& h = e.hauteurs();
        const QPoint point(e.sectionViewportPosition(colonne) + e.sectionSize(colonne) / 2, h[0] + h[1] + h[2] / 2);
        QTest::mouseClick(e.viewport(), Qt::LeftButton, {}, point);
    }

    QStringList titres(TFicheGVMixte& fiche)
    {
        QStringList t;
        for (int c = 2; c < modele(fiche).columnCount(); ++c)
            t << modele(fiche).texteTitre(c);
        return t;
    }

    const gv::TMessage* message(const QString& debut) const
    {
        for (const gv::TMessage& m : messages)
            if (m.texte.startsWith(debut))
                return &m;
        return nullptr;
    }

    // The REGRESSI file of the curves, saved with the save button.
    QStringList enregistreRW3(TFicheGVMixte& fiche, const QString& nom)
    {
        gv::installeIntercepteurDialogues([&](QDialog& dialogue) {
            auto* fichier = qobject_cast<QFileDialog*>(&dialogue);
            if (!fichier)
                return 0;
            fichier->selectFile(nom);
            dialogue.accept();
            return int(QDialog::Accepted);
        });
        QTest::mouseClick(ui(fiche).SBenregistrerRW3, Qt::LeftButton);
        gv::installeIntercepteurDialogues({});
        QFile f(nom);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n"));
    }

private slots:
    void init()
    {
        messages.clear();
        reponse = QMessageBox::Yes;
        gv::installeIntercepteurMessages([this](const gv::TMessage& m) {
            messages.push_back(m);
            return reponse;
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

    // 1001 points on inputs 0 (a 5 V sine), 2 (a 0 to 5 V square) and 7
    // (0.02 V + a 0.15 V sine, shown in mV): every cell of the table holds
    // what the REGRESSI file of the same curves holds, to the table's digits.
    void chaqueCelluleCommeLeFichierREGRESSI()
    {
        auto fiche = ouvre();
        acquiert(*fiche, {0, 2, 7}, 0.1, 1001);
        montreTableau(*fiche);
        const TMesures& m = fiche->mesures;
        TModeleTableau& t = modele(*fiche);
        QCOMPARE(t.rowCount(), 1001);
        QCOMPARE(t.columnCount(), 5);
        QCOMPARE(t.texteUnite(1), QStringLiteral("ms"));
        QCOMPARE(t.texteUnite(2), QStringLiteral("V"));
        QCOMPARE(t.texteUnite(3), QStringLiteral("V"));
        QCOMPARE(t.texteUnite(4), QStringLiteral("mV"));

        fs::create_directories(racineTest + "/home/mesures");
        const QStringList lignes =
            enregistreRW3(*fiche, QString::fromStdString(racineTest + "/home/mesures/tableau.rw3"));
        QVERIFY(!lignes.isEmpty());
        // The file's names are the table's without brackets.
        const int noms = lignes.indexOf(QStringLiteral("t"));
        QVERIFY(noms > 0);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(lignes[noms + 1 + i], QString::fromStdString(sansCrochets(t.texteTitre(2 + i).toStdString())));
        const int debut = lignes.indexOf(QRegularExpression(QStringLiteral("^&\\d+ VALEUR VAR$")));
        QCOMPARE(lignes.value(debut), QStringLiteral("&1001 VALEUR VAR"));
        const double mult[3] = {1, 1, 1000};
        for (int k = 0; k < 1001; ++k) {
            const QStringList champs = lignes[debut + 1 + k].split(QLatin1Char(' '));
            QCOMPARE(champs.size(), 4);
            QCOMPARE(t.texteCellule(0, k), QString::number(k));
            const double tFichier = champs[0].toDouble() * 1000;
            const double tTableau = nombre(t.texteCellule(1, k));
            if (std::fabs(tTableau - tFichier) > demiUnite(tTableau, 5) + 1e-9)
                QFAIL(qPrintable(QStringLiteral("point %1: t %2 ms in the table, %3 s in the file")
                                     .arg(k).arg(t.texteCellule(1, k), champs[0])));
            for (int i = 0; i < 3; ++i) {
                const double y = champs[1 + i].toDouble() * mult[i];
                const QString cellule = t.texteCellule(2 + i, k);
                const double tolerance = demiUnite(y, 6);
                bool juste;
                if (cellule == QStringLiteral("0")) {
                    juste = std::fabs(y) / m.dtAX < 0.01 + tolerance / m.dtAX;
                } else {
                    const double v = nombre(cellule);
                    juste = std::fabs(y) / m.dtAX >= 0.01 - tolerance / m.dtAX &&
                            std::fabs(v - y) <= demiUnite(v, 4) * 1.0001 + tolerance;
                }
                if (!juste)
                    QFAIL(qPrintable(QStringLiteral("point %1, curve %2: %3 in the table, %4 in the file")
                                         .arg(k).arg(i).arg(cellule, champs[1 + i])));
            }
        }
    }

    // The button shows and hides the panel with its two hints; the panel is
    // no wider than its columns, whatever the splitter is dragged to.
    void boutonEtLargeurDuTableau()
    {
        auto fiche = ouvre();
        QToolButton* b = ui(*fiche).SBVoirTableau;
        QCOMPARE(b->toolTip(), QStringLiteral("Afficher le tableau de mesures"));
        acquiert(*fiche, {0}, 0.02, 101);
        QVERIFY(b->isEnabled());
        QVERIFY(!ui(*fiche).PTableau->isVisible());
        montreTableau(*fiche);
        QVERIFY(fiche->PTableauVisible);
        QCOMPARE(b->toolTip(), QStringLiteral("Masquer le tableau de mesures"));
        TPanneauTableau& p = panneau(*fiche);
        QVERIFY(p.MAJTableauFaite);
        const TDimensionsTableau& d = p.dimensions();
        const int largeurColonnes = d.largeurColonne0 + d.largeurColonne1 + (d.w + 6) + 50;
        QCOMPARE(p.maximumWidth(), std::min({largeurColonnes, 3 * 64 + 60, ui(*fiche).PanelEcranTab->width() - 150}));
        // Opened at the width of its columns.
        QCOMPARE(p.width(), p.maximumWidth());
        // The splitter dragged far to the left: the table stops at its limit.
        auto* separateur = fiche->findChild<QSplitter*>(QStringLiteral("Splitter1"));
        QVERIFY(separateur);
        separateur->setSizes({50, separateur->width() - 50});
        QApplication::processEvents();
        QVERIFY(p.width() <= p.maximumWidth());
        QVERIFY(ui(*fiche).PEcran->width() > 150);
        QAccessibleInterface* acc = QAccessible::queryAccessibleInterface(p.SGMesures);
        QCOMPARE(acc->text(QAccessible::Name), QStringLiteral("Tableau de mesures"));
        QTest::mouseClick(b, Qt::LeftButton);
        QVERIFY(!fiche->PTableauVisible);
        QVERIFY(!ui(*fiche).PTableau->isVisible());
        QCOMPARE(b->toolTip(), QStringLiteral("Afficher le tableau de mesures"));
    }

    // Eight curves are wider than the panel: it opens on its first columns,
    // the point numbers in view.
    void huitCourbesOuvertesSurLaPremiereColonne()
    {
        auto fiche = ouvre();
        acquiert(*fiche, {0, 1, 2, 3, 4, 5, 6, 7}, 0.1, 1001);
        montreTableau(*fiche);
        QApplication::processEvents();
        TVueTableau& v = *panneau(*fiche).SGMesures;
        QCOMPARE(modele(*fiche).columnCount(), 10);
        QCOMPARE(v.horizontalScrollBar()->value(), 0);
        QCOMPARE(v.columnViewportPosition(0), 0);
        QCOMPARE(v.rowViewportPosition(0), 0);
        // Hidden and shown again after a run: still at the start.
        QTest::mouseClick(ui(*fiche).SBVoirTableau, Qt::LeftButton);
        acquiert(*fiche, {0, 1, 2, 3, 4, 5, 6, 7}, 0.1, 1001);
        montreTableau(*fiche);
        QApplication::processEvents();
        QCOMPARE(v.horizontalScrollBar()->value(), 0);
    }

    // The end of a run refreshes a table that is shown; a hidden one is
    // filled when it is shown again.
    void finDeRunRafraichitLeTableau()
    {
        auto fiche = ouvre();
        acquiert(*fiche, {0}, 0.02, 101);
        montreTableau(*fiche);
        QCOMPARE(modele(*fiche).columnCount(), 3);
        acquiert(*fiche, {0, 1}, 0.5, 51);
        QCOMPARE(modele(*fiche).columnCount(), 4);
        QCOMPARE(modele(*fiche).rowCount(), 51);
        QCOMPARE(modele(*fiche).texteUnite(1), QStringLiteral("ms"));
        QCOMPARE(modele(*fiche).texteCellule(1, 1), QStringLiteral("10"));
        QTest::mouseClick(ui(*fiche).SBVoirTableau, Qt::LeftButton);
        acquiert(*fiche, {1}, 2.0, 201);
        QVERIFY(!panneau(*fiche).MAJTableauFaite);
        montreTableau(*fiche);
        QCOMPARE(modele(*fiche).columnCount(), 3);
        QCOMPARE(modele(*fiche).texteUnite(1), QStringLiteral("s"));
        QCOMPARE(modele(*fiche).texteCellule(1, 1), QStringLiteral("0.01"));
        QCOMPARE(modele(*fiche).texteTitre(2), QStringLiteral("u[1_M]"));
    }

    // "t = 0" dragged on the screen to 5 ms: once released, the times start
    // at -5 ms and the tinted band starts at the point under the cursor.
    void curseurT0AmeneA5ms()
    {
        auto fiche = ouvre();
        acquiert(*fiche, {0}, 0.02, 101);
        montreTableau(*fiche);
        QCOMPARE(modele(*fiche).texteCellule(1, 0), QStringLiteral("0"));
        TGeometrieEcran& g = fiche->ecran().geometrie;
        QWidget* image = fiche->widgetEcran->iEcranX();
        const int y = g.mSup + g.hauG / 2;
        QTest::mousePress(image, Qt::LeftButton, {}, QPoint(g.xeT0X, y));
        QCOMPARE(g.modeS, 3);
        QTest::mouseMove(image, QPoint(g.xe(0.005), y));
        QVERIFY2(std::fabs(fiche->mesures.t0 - 0.005) < 1e-12, qPrintable(QString::number(fiche->mesures.t0)));
        // Not released yet: the table keeps its times.
        QCOMPARE(modele(*fiche).texteCellule(1, 0), QStringLiteral("0"));
        QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(g.xe(0.005), y));
        QCOMPARE(modele(*fiche).texteCellule(1, 0), QStringLiteral("-5"));
        QCOMPARE(modele(*fiche).texteCellule(1, 25), QStringLiteral("0"));
        QCOMPARE(modele(*fiche).texteCellule(1, 100), QStringLiteral("15"));
        // The band, as drawn.
        TVueTableau& v = *panneau(*fiche).SGMesures;
        v.scrollTo(modele(*fiche).index(26, 1));
        QApplication::processEvents();
        const QImage im = v.viewport()->grab().toImage();
        const auto fond = [&](int k) {
            const QRect r = v.visualRect(modele(*fiche).index(k, 2));
            return im.pixelColor(r.left() + 2, r.center().y());
        };
        QCOMPARE(fond(24), QColor(255, 255, 255));
        QCOMPARE(fond(25), QColor(228, 233, 239));
        QCOMPARE(fond(26), QColor(228, 233, 239));
    }

    // Deleting the only series: asked first (No changes nothing), then the
    // table is hidden, its button disabled, "Ajouter les courbes" unchecked
    // and disabled, the screen empty and "0 séries acquises" shown.
    void suppressionDeLaSeuleSerie()
    {
        auto fiche = ouvre();
        acquiert(*fiche, {0}, 0.02, 101);
        QCheckBox* ajouter = ui(*fiche).CBAjouterCourbes;
        testgv::cliqueBouton(ajouter);
        QVERIFY(ajouter->isChecked());
        montreTableau(*fiche);
        reponse = QMessageBox::No;
        cliqueMarque(*fiche, 2);
        QCOMPARE(messages.size(), size_t(1));
        QCOMPARE(messages[0].texte, QStringLiteral("Supprimer effectivement la série de mesures u[0_M] ?"));
        QCOMPARE(messages[0].icone, gv::TIconeMessage::Question);
        QCOMPARE(messages[0].boutons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(fiche->mesures.nbVoiesMesurees, 1);
        QVERIFY(ui(*fiche).PTableau->isVisible());
        reponse = QMessageBox::Yes;
        cliqueMarque(*fiche, 2);
        QCOMPARE(fiche->mesures.nbVoiesMesurees, 0);
        QCOMPARE(fiche->mesures.nbPtsAX, int64_t(0));
        QVERIFY(!ui(*fiche).PTableau->isVisible());
        QVERIFY(!fiche->PTableauVisible);
        QVERIFY(!ui(*fiche).SBVoirTableau->isChecked());
        QVERIFY(!ui(*fiche).SBVoirTableau->isEnabled());
        QVERIFY(!ajouter->isChecked());
        QVERIFY(!ajouter->isEnabled());
        QCOMPARE(ui(*fiche).EditMessageX->text(), QStringLiteral("0 séries acquises"));
        // No curve left on the screen.
        const QImage apres = fiche->ecran().iEcranX.copy();
        fiche->ecran().dessineEcranN(false);
        QCOMPARE(fiche->ecran().iEcranX, apres);
    }

    // The table left open during a run that adds its curves: its delete
    // mark does nothing until the run has ended (the run writes the arrays).
    void pasDeSuppressionPendantUneRun()
    {
        auto fiche = ouvre();
        acquiert(*fiche, {0}, 0.6, 601);
        testgv::cliqueBouton(ui(*fiche).CBAjouterCourbes);
        montreTableau(*fiche);
        TModeGeneral modePendant = TModeGeneral::rienAcquis;
        QTimer::singleShot(200, fiche.get(), [&] {
            modePendant = fiche->modeGeneral();
            cliqueMarque(*fiche, 2);
        });
        acquiert(*fiche, {0}, 0.6, 601);
        QCOMPARE(modePendant, TModeGeneral::acquisitionEnCours);
        QVERIFY(messages.empty());
        QCOMPARE(fiche->mesures.nbVoiesMesurees, 2);
        QCOMPARE(titres(*fiche), QStringList({"u[0_M]a", "u[0_M]b"}));
        cliqueMarque(*fiche, 2);
        QVERIFY(message(QStringLiteral("Supprimer effectivement la série de mesures u[0_M]a ?")));
        QCOMPARE(fiche->mesures.nbVoiesMesurees, 1);
    }

    // The table left open while the permanent mode runs: its delete mark
    // does nothing until the mode has ended (the frames write the arrays),
    // and the mode's end shows the frame kept.
    void tableauPendantLeModePermanent()
    {
        auto fiche = ouvre();
        acquiert(*fiche, {0}, 0.6, 601);
        montreTableau(*fiche);
        testgv::cliqueBouton(ui(*fiche).CBModePermanent);
        fiche->controleur().ChangeDureeTotale("0.1");
        fiche->controleur().changeNbPts("1001");
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::permanentArrete);
        TModeGeneral modePendant = TModeGeneral::rienAcquis;
        QTimer::singleShot(300, fiche.get(), [&] {
            modePendant = fiche->modeGeneral();
            cliqueMarque(*fiche, 2);
            QTimer::singleShot(200, fiche.get(), [&] { QTest::mouseClick(ui(*fiche).BAcquisition, Qt::LeftButton); });
        });
        QTest::mouseClick(ui(*fiche).BAcquisition, Qt::LeftButton);
        QCOMPARE(modePendant, TModeGeneral::permanentEnCours);
        QVERIFY(messages.empty());
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::permanentArrete);
        QCOMPARE(fiche->mesures.nbVoiesMesurees, 1);
        QCOMPARE(titres(*fiche), QStringList({"u[0_M]"}));
        TModeleTableau& t = modele(*fiche);
        QCOMPARE(t.rowCount(), 1001);
        for (int k : {0, 100, 500, 1000}) {
            QVERIFY(std::fabs(nombre(t.texteCellule(1, k)) - k * 0.1) <= demiUnite(k * 0.1, 5) + 1e-9);
            const double v = fiche->mesures.tv2[0][std::size_t(k)];
            const double cellule = nombre(t.texteCellule(2, k));
            QVERIFY2(std::fabs(cellule - v) <= demiUnite(v, 4) * 1.0001 + 1e-9,
                     qPrintable(QStringLiteral("point %1: %2 in the table, %3 V").arg(k).arg(t.texteCellule(2, k)).arg(v)));
        }
    }

    // Three runs of input 0 added together, the second deleted: the others
    // keep their names and the third's samples move into the second column.
    void suppressionDeLaDeuxiemeDeTrois()
    {
        auto fiche = ouvre();
        acquiert(*fiche, {0}, 0.02, 101);
        testgv::cliqueBouton(ui(*fiche).CBAjouterCourbes);
        acquiert(*fiche, {0}, 0.02, 101);
        acquiert(*fiche, {0}, 0.02, 101);
        montreTableau(*fiche);
        QCOMPARE(titres(*fiche), QStringList({"u[0_M]a", "u[0_M]b", "u[0_M]c"}));
        const std::vector<float> troisieme = fiche->mesures.tv2[2];
        cliqueMarque(*fiche, 3);
        QVERIFY(message(QStringLiteral("Supprimer effectivement la série de mesures u[0_M]b ?")));
        QCOMPARE(titres(*fiche), QStringList({"u[0_M]a", "u[0_M]c"}));
        QCOMPARE(fiche->mesures.voiesMesurees[1].sEnteteVM, std::string("u[0_M]c"));
        QCOMPARE(fiche->mesures.tv2[1], troisieme);
        const float u = troisieme[40];
        QCOMPARE(modele(*fiche).texteCellule(3, 40),
                 QString::fromStdString(texteValeur(u, fiche->mesures.voiesMesurees[1].multVM, fiche->mesures.dtAX)));
        QCOMPARE(ui(*fiche).EditMessageX->text(), QStringLiteral("2 séries acquises"));
        QVERIFY(ui(*fiche).PTableau->isVisible());
        QVERIFY(ui(*fiche).CBAjouterCourbes->isChecked());
        cliqueMarque(*fiche, 3);
        QCOMPARE(ui(*fiche).EditMessageX->text(), QStringLiteral(" 1 série acquise"));
    }

    // A new experiment after saving: the curves and the table are gone, the
    // settings back to their defaults, and the file name and the counter of
    // proposed names are kept.
    void nouvelleExperienceGardeLesNomsDeFichiers()
    {
        auto fiche = ouvre();
        acquiert(*fiche, {0, 1}, 0.02, 101);
        fs::create_directories(racineTest + "/home/mesures");
        const QString nom = QString::fromStdString(racineTest + "/home/mesures/essai.rw3");
        QVERIFY(!enregistreRW3(*fiche, nom).isEmpty());
        const int numAcqDef = fiche->etatEnregistrement.numAcqDef;
        QCOMPARE(numAcqDef, 1);
        montreTableau(*fiche);
        testgv::cliqueBouton(ui(*fiche).CBModePermanent);
        messages.clear();
        reponse = QMessageBox::No;
        QTest::mouseClick(ui(*fiche).SBNouveau, Qt::LeftButton);
        QCOMPARE(messages.size(), size_t(1));
        QCOMPARE(messages[0].texte, QStringLiteral("Désirez-vous enregistrer les mesures ?"));
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::rienAcquis);
        QCOMPARE(fiche->mesures.nbVoiesMesurees, 0);
        QVERIFY(!ui(*fiche).PTableau->isVisible());
        QVERIFY(!ui(*fiche).SBVoirTableau->isChecked());
        QVERIFY(!ui(*fiche).SBVoirTableau->isEnabled());
        QCOMPARE(ui(*fiche).SBVoirTableau->toolTip(), QStringLiteral("Afficher le tableau de mesures"));
        QVERIFY(!ui(*fiche).CBModePermanent->isChecked());
        QVERIFY(!ui(*fiche).CBAjouterCourbes->isEnabled());
        QVERIFY(!ui(*fiche).BAcquisitionPrecedente->isEnabled());
        QCOMPARE(fiche->SP5->modeDecl, int(kDeclImmediat));
        QCOMPARE(fiche->mesures.t0, 0.0);
        QCOMPARE(fiche->mesures.tFin, fiche->SP5->dureeTotale0X);
        QVERIFY(!fiche->enregistrerX);
        QCOMPARE(fiche->etatEnregistrement.numAcqDef, numAcqDef);
        QCOMPARE(fiche->etatEnregistrement.nomFichierREG, nom);
        // Nothing unsaved: New asks nothing.
        acquiert(*fiche, {0}, 0.02, 101);
        fiche->enregistrerX = false;
        messages.clear();
        QTest::mouseClick(ui(*fiche).SBNouveau, Qt::LeftButton);
        QVERIFY(messages.empty());
        QCOMPARE(fiche->mesures.nbVoiesMesurees, 0);
    }

    // The delayed layout after a resize fills the table again when it is
    // out of date (and at the window's new scale).
    void redimensionnementRafraichitLeTableau()
    {
        auto fiche = ouvre();
        acquiert(*fiche, {0}, 0.02, 101);
        montreTableau(*fiche);
        TPanneauTableau& p = panneau(*fiche);
        p.MAJTableauFaite = false;
        fiche->resize(fiche->width() - 40, fiche->height() - 30);
        QVERIFY(fiche->TimerRedimGene.isActive());
        QTRY_VERIFY(p.MAJTableauFaite);
        const float K = fiche->disposition.coDimV;
        QCOMPARE(p.SGMesures->rowHeight(0), int(std::nearbyint(18 * K)));
        QCOMPARE(p.SGMesures->horizontalHeader()->height(),
                 int(std::nearbyint(20 * K)) + 2 * int(std::nearbyint(18 * K)));
    }
};

int main(int argc, char* argv[])
{
    racineTest = testgv::prepareEnvironnement("tableau");
    QApplication application(argc, argv);
    plateforme::installePompeMessages([] { QCoreApplication::processEvents(); });
    TestTableau test;
    const int resultat = QTest::qExec(&test, argc, argv);
    plateforme::installePompeMessages(nullptr);
    fs::remove_all(racineTest);
    return resultat;
}

#include "test_tableau.moc"
