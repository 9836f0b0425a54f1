// The Calc button of the main window on the simulated SP5, with a real
// office (headless, private profile): the run's values reach the sheet, the
// window is in state 8 meanwhile and refuses to close, then is given back;
// the office outlives the window.
#include "ControlesFiche.h"
#include "EnvironnementTest.h"
#include "FenetreSimulee.h"
#include "OfficeTest.h"
#include "app/Messages.h"
#include "app/TFicheGVMixte.h"
#include "model/TCentrale.h"
#include "platform/PompeMessages.h"
#include "platform/Processus.h"

#include <QApplication>
#include <QTimer>
#include <QtTest>

#include <cmath>
#include <filesystem>

namespace fs = std::filesystem;
using testgv::ui;

namespace {
std::string racineTest;
}

class TestFicheCalc : public QObject {
    Q_OBJECT

private slots:
    void boutonCalc()
    {
        // The office is installed for this user's desktop.
        fs::create_directories(racineTest + "/donnees-systeme/applications");
        fs::copy_file("/usr/share/applications/libreoffice-calc.desktop",
                      racineTest + "/donnees-systeme/applications/libreoffice-calc.desktop");
        std::vector<gv::TMessage> messages;
        gv::installeIntercepteurMessages([&](const gv::TMessage& m) {
            messages.push_back(m);
            return QMessageBox::Ok;
        });
        testgv::TFenetreSimulee fenetre;
        TTransfertCalc* transfert = nullptr;
        fenetre.fabriqueCalc = [&] {
            auto t = std::make_unique<TTransfertCalc>(officetest::parametres());
            transfert = t.get();
            return t;
        };
        auto fiche = fenetre.ouvre(racineTest, kSysamSP5);
        QVERIFY(transfert);
        QVERIFY(!ui(*fiche).SBtransfertDirectOOLO->isEnabled());
        fiche->SP5->setDurees(0.02, 101, false);
        QTest::mouseClick(ui(*fiche).BAcquisition, Qt::LeftButton);
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::acquisitionFinie);
        QVERIFY(ui(*fiche).SBtransfertDirectOOLO->isEnabled());

        TModeGeneral pendant = TModeGeneral::rienAcquis;
        bool demarrerPendant = true, visibleApres = false;
        QTimer::singleShot(0, this, [&] {
            pendant = fiche->modeGeneral();
            demarrerPendant = ui(*fiche).BAcquisition->isEnabled();
            fiche->close();
            visibleApres = fiche->isVisible();
        });
        QTest::mouseClick(ui(*fiche).SBtransfertDirectOOLO, Qt::LeftButton);
        officetest::retiensOffice(*transfert);
        QCOMPARE(pendant, TModeGeneral::transfertCalc);
        QVERIFY(!demarrerPendant);
        QVERIFY(visibleApres);
        QCOMPARE(messages.size(), size_t(1));
        QCOMPARE(messages[0].texte, QStringLiteral("Transfert vers OpenOffice.Org Calc en cours; impossible de "
                                                   "quitter: attendez la fin du transfert !"));
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::acquisitionFinie);
        QVERIFY(ui(*fiche).BAcquisition->isEnabled());
        QVERIFY(ui(*fiche).EditPresence->isVisible());
        QCOMPARE(ui(*fiche).EditMessageX->text(), QStringLiteral("Transfert vers OO/LO terminé. "));
        QCOMPARE(transfert->numTransfertOOO_CC(), 1);

        const auto documents = officetest::documents();
        QVERIFY(!documents.empty());
        QCOMPARE(officetest::nomsFeuilles(documents.back()), std::vector<std::string>{"Transfert"});
        const auto f = officetest::feuille(documents.back(), "Transfert");
        const std::string titre = officetest::contenu(f, "A1")[0][0].texte;
        QVERIFY2(titre.rfind("Mesures réalisées avec l'interface " + fiche->SP5->nomCentrale + " le ", 0) == 0, titre.c_str());
        const std::vector<float>& u = fiche->mesures.tv2[0];
        const auto lignes = officetest::contenu(f, "A5:B" + std::to_string(4 + u.size()));
        QCOMPARE(lignes.size(), u.size());
        for (std::size_t k = 0; k < u.size(); ++k) {
            QVERIFY(lignes[k][1].nombre);
            QVERIFY2(std::fabs(lignes[k][1].valeur - u[k]) <= 1e-5 * std::max(1.0f, std::fabs(u[k])),
                     qPrintable(QString::number(k)));
        }
        // The last block stays on the office's clipboard while the window
        // lives; the office is given it back empty when the window goes,
        // and runs on.
        QVERIFY(!officetest::typesPressePapiers().empty());
        const int64_t office = transfert->processusOffice();
        gv::installeIntercepteurMessages({});
        fiche.reset();
        fenetre.ferme();
        QVERIFY(officetest::typesPressePapiers().empty());
        QVERIFY(office <= 0 || plateforme::processusExiste(office));
        QCOMPARE(officetest::documents().size(), documents.size());
    }
};

int main(int argc, char* argv[])
{
    racineTest = testgv::prepareEnvironnement("fiche-calc");
    QApplication application(argc, argv);
    plateforme::installePompeMessages([] { QCoreApplication::processEvents(); });
    TestFicheCalc test;
    const int resultat = QTest::qExec(&test, argc, argv);
    plateforme::installePompeMessages(nullptr);
    officetest::termine();
    fs::remove_all(racineTest);
    return resultat;
}

#include "test_fiche_calc.moc"
