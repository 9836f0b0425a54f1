// The transfer to REGRESSI's questions as the window shows them: the open
// dialog ODCheminRegressi, the message boxes, the hourglass.
#include "app/Messages.h"
#include "app/TransfertREGFenetre.h"

#include "EnvironnementTest.h"

#include <QApplication>
#include <QFileDialog>
#include <QListView>
#include <QLineEdit>
#include <QtTest>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

std::string racineTest;

class TRegistreVide : public plateforme::TRegistreUtilisateur {
public:
    std::optional<TValeurs> litCle(const std::string&) override { return std::nullopt; }
    bool ecritTexte(const std::string&, const std::string&, const std::string&) override { return false; }
};

const QString kFiltre = QStringLiteral("'Regressi.exe'|Regressi.exe");
const QString kTitre = QStringLiteral("Recherche du programme REGRESSI");

} // namespace

class TestTransfertFenetre : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        gv::installeIntercepteurDialogues({});
        gv::installeIntercepteurMessages({});
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    }

    void leFiltreIgnoreLaCasse()
    {
        QCOMPARE(filtreSansCasse(kFiltre),
                 QStringLiteral("'Regressi.exe' ([rR][eE][gG][rR][eE][sS][sS][iI].[eE][xX][eE])"));
        QCOMPARE(filtreSansCasse(QStringLiteral("Tout|*")), QStringLiteral("Tout (*)"));
    }

    // The dialog lists REGRESSI's executable whatever its case, and nothing
    // else; its answer is the chosen file, or nothing.
    void leDialogueDeRechercheDeRegressi()
    {
        const std::string dossier = racineTest + "/Regressi";
        fs::create_directories(dossier + "/Sous-dossier");
        for (const char* nom : {"REGRESSI.EXE", "regressi.exe", "lisez-moi.txt", "regressi.exe.bak"})
            std::ofstream(dossier + "/" + nom) << "";
        QStringList listes;
        QString nomObjet, titre, dossierVu;
        bool sansMotif = false;
        QFileDialog::FileMode mode = QFileDialog::AnyFile;
        QFileDialog::AcceptMode acceptation = QFileDialog::AcceptSave;
        gv::installeIntercepteurDialogues([&](QDialog& dialogue) {
            auto* vu = qobject_cast<QFileDialog*>(&dialogue);
            auto* liste = dialogue.findChild<QListView*>(QStringLiteral("listView"));
            if (!vu || !liste)
                return int(QDialog::Rejected);
            dialogue.show();
            [[maybe_unused]] const bool rempli =
                QTest::qWaitFor([&] { return liste->model()->rowCount(liste->rootIndex()) >= 3; }, 5000);
            for (int i = 0; i < liste->model()->rowCount(liste->rootIndex()); ++i)
                listes << liste->model()->index(i, 0, liste->rootIndex()).data().toString();
            nomObjet = vu->objectName();
            titre = vu->windowTitle();
            dossierVu = vu->directory().absolutePath();
            sansMotif = vu->testOption(QFileDialog::HideNameFilterDetails);
            mode = vu->fileMode();
            acceptation = vu->acceptMode();
            // The user types the name and confirms.
            auto* nom = vu->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (!nom)
                return int(QDialog::Rejected);
            nom->clear();
            QTest::keyClicks(nom, QStringLiteral("REGRESSI.EXE"));
            dialogue.accept();
            return int(QDialog::Accepted);
        });
        TInterfaceTransfertREGFenetre ui(nullptr, nullptr, nullptr);
        const QString choisi = ui.demandeProgrammeRegressi(kFiltre, kTitre, QString::fromStdString(dossier));
        QCOMPARE(nomObjet, QStringLiteral("ODCheminRegressi"));
        QCOMPARE(titre, kTitre);
        QCOMPARE(dossierVu, QString::fromStdString(dossier));
        QVERIFY(sansMotif);
        QCOMPARE(mode, QFileDialog::ExistingFile);
        QCOMPARE(acceptation, QFileDialog::AcceptOpen);
        listes.sort();
        QCOMPARE(listes, (QStringList {QStringLiteral("REGRESSI.EXE"), QStringLiteral("Sous-dossier"),
                                       QStringLiteral("regressi.exe")}));
        QCOMPARE(choisi, QString::fromStdString(dossier + "/REGRESSI.EXE"));

        gv::installeIntercepteurDialogues([](QDialog&) { return int(QDialog::Rejected); });
        QCOMPARE(ui.demandeProgrammeRegressi(kFiltre, kTitre, QString::fromStdString(dossier)), QString());
    }

    // The hourglass for the work, the normal pointer over a question.
    void lesCurseurs()
    {
        TInterfaceTransfertREGFenetre ui(nullptr, nullptr, nullptr);
        QList<Qt::CursorShape> pendant;
        gv::installeIntercepteurMessages([&](const gv::TMessage&) {
            pendant << QApplication::overrideCursor()->shape();
            return QMessageBox::Ok;
        });
        gv::installeIntercepteurDialogues([&](QDialog&) {
            pendant << QApplication::overrideCursor()->shape();
            return int(QDialog::Rejected);
        });
        ui.curseurAttente(true);
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        ui.information(QStringLiteral("a"));
        ui.avertissement(QStringLiteral("b"));
        ui.demandeProgrammeRegressi(kFiltre, kTitre, QString());
        QCOMPARE(pendant, (QList<Qt::CursorShape> {Qt::ArrowCursor, Qt::ArrowCursor, Qt::ArrowCursor}));
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        ui.curseurAttente(false);
        QVERIFY(!QApplication::overrideCursor());
    }

    // A chosen program that cannot start: the window's message box and its
    // button, through the window's own answers.
    void unProgrammeQuiNeDemarrePasParLaFenetre()
    {
        bool versionDefaut = true;
        std::string nonDefaut;
        const int option = 0;
        const std::string documents = racineTest + "/home/Documents";
        std::vector<std::string> aSupprimer;
        TTransfertRegressi transfert({versionDefaut, nonDefaut, option, documents, aSupprimer},
                                     std::make_unique<TRegistreVide>());
        transfert.chercheRegressi();
        std::ofstream(racineTest + "/pas-un-programme") << "texte";
        gv::installeIntercepteurDialogues([&](QDialog& dialogue) {
            auto* fichier = qobject_cast<QFileDialog*>(&dialogue);
            if (!fichier)
                return int(QDialog::Rejected);
            fichier->selectFile(QString::fromStdString(racineTest + "/pas-un-programme"));
            return int(QDialog::Accepted);
        });
        std::vector<gv::TMessage> messages;
        gv::installeIntercepteurMessages([&](const gv::TMessage& m) {
            messages.push_back(m);
            return QMessageBox::Ok;
        });
        int desactivations = 0;
        int choix = 0;
        TInterfaceTransfertREGFenetre ui(
            nullptr,
            [&] {
                ++choix;
                return TChoixTransfertREG::Annuler;
            },
            [&] { ++desactivations; });

        TMesures courbes;
        courbes.tv2 = {{0, 1, 2}};
        courbes.voiesMesurees.resize(1);
        courbes.voiesMesurees[0].sEnteteVM = "u[0_M]";
        courbes.nbVoiesMesurees = 1;
        courbes.dtAX = 0.5;
        courbes.nbPtsAX = 3;
        courbes.dureeTotaleAX = 1.0;
        TSourceRegressi source;
        courbes.tFin = 1.0;
        source.mesures = &courbes;
        source.locale = QLocale(QLocale::French, QLocale::France);
        transfert.TransfertRegressiFichier(source, "date", ui);

        QCOMPARE(messages.size(), std::size_t(1));
        QCOMPARE(messages[0].icone, gv::TIconeMessage::Information);
        QCOMPARE(messages[0].boutons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(gv::texteAffichable(messages[0].texte),
                 QStringLiteral("Le programme REGRESSI n'a pas été trouvé. \nImpossible de passer directement à "
                                "REGRESSI. \nInstallez ou réinstallez REGRESSI"));
        QCOMPARE(desactivations, 1);
        QCOMPARE(choix, 0);
        QVERIFY(!transfert.transfertPossible());
        QVERIFY(!QApplication::overrideCursor());
    }
};

int main(int argc, char* argv[])
{
    racineTest = testgv::prepareEnvironnement("transfert-fenetre");
    ::unsetenv("WINEPREFIX");
    QApplication application(argc, argv);
    TestTransfertFenetre test;
    const int resultat = QTest::qExec(&test, argc, argv);
    fs::remove_all(racineTest);
    return resultat;
}

#include "test_transfert_fenetre.moc"
