// The options dialog, operated with the mouse and the keyboard on the
// offscreen platform, and the Options command that shows and applies it.
#include "EnvironnementTest.h"
#include "OutilsOptions.h"
#include "app/Messages.h"
#include "app/ReglagesGV.h"
#include "app/TFicheGVMixteOptions.h"
#include "drivers/sp5/TSP5.h"
#include "widgets/TComposantChoixCouleurCercleChro.h"
#include "widgets/TFicheChoixCouleurCercleChro.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QStackedWidget>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;
using namespace gv;

namespace {

using testgv::creeFichier;
using testgv::kSansBibliotheque;

// A click where the user clicks: on the box of a check box or radio
// button (its empty width does not react), in the middle of anything else.
void clique(QWidget* w)
{
    if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w))
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2));
    else
        QTest::mouseClick(w, Qt::LeftButton);
}

// Every dialog shown modally is handed to the function in turn.
struct Dialogues {
    std::vector<std::function<int(QDialog&)>> suite;
    int montres = 0;
    Dialogues()
    {
        installeIntercepteurDialogues([this](QDialog& d) {
            if (montres >= int(suite.size()))
                return int(QDialog::Rejected);
            return suite[size_t(montres++)](d);
        });
    }
    ~Dialogues() { installeIntercepteurDialogues({}); }
};

struct Messages {
    QStringList textes;
    Messages()
    {
        installeIntercepteurMessages([this](const TMessage& m) {
            textes << m.texte;
            return QMessageBox::Ok;
        });
    }
    ~Messages() { installeIntercepteurMessages({}); }
};

// The chooser: picks a colour with its three boxes and closes with OK.
std::function<int(QDialog&)> choisitCouleur(int rouge, int vert, int bleu, QString* titre = nullptr)
{
    return [=](QDialog& d) {
        auto& f = static_cast<TFicheChoixCouleurCercleChro&>(d);
        if (titre)
            *titre = f.windowTitle();
        f.SERouge->setValue(rouge);
        f.SEVert->setValue(vert);
        f.SEBleu->setValue(bleu);
        clique(f.ButtonOK);
        return f.result();
    };
}

// The file dialog of "Changer": the file typed, then accepted.
std::function<int(QDialog&)> choisitFichier(const QString& chemin)
{
    return [=](QDialog& d) {
        auto* f = qobject_cast<QFileDialog*>(&d);
        if (!f)
            return int(QDialog::Rejected);
        f->selectFile(chemin);
        return int(QDialog::Accepted);
    };
}

QColor couleurPanneau(const QFrame* p)
{
    return p->palette().color(QPalette::Window);
}

} // namespace

class TestFicheOptions : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void pagesTextesEtNoms();
    void dureeRefuseeGardeLeFocus();
    void entreePasseDUneBoiteALAutre();
    void parametresActuels();
    void versionDeREGRESSI();
    void panneauxDeCouleur();
    void choixHorsDesTroisValeurs();
    void appliqueSurvitAuRedemarrage();
    void annulerNeChangeRien();

private:
    void montre(TFicheGVMixteOptions& f)
    {
        f.FormShow();
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
    }
    std::string racine;
    std::unique_ptr<TSP5> unite;
    TReglagesGV reglages;
};

void TestFicheOptions::init()
{
    racine = testgv::prepareEnvironnement("fiche-options");
    unite = std::make_unique<TSP5>(kSansBibliotheque, 1);
    reglages = TReglagesGV();
    reglages.clsV0 = couleursDefaut();
    reglages.clsVX = reglages.clsV0;
}

void TestFicheOptions::cleanup()
{
    fs::remove_all(racine);
}

void TestFicheOptions::pagesTextesEtNoms()
{
    TFicheGVMixteOptions f(*unite, reglages);
    montre(f);
    QCOMPARE(f.windowTitle(), QStringLiteral("Galvora - Préférences"));
    const QStringList onglets = {QStringLiteral("Paramètres temporels par défaut et autres"),
                                 QStringLiteral(" Transfert vers REGRESSI"), QStringLiteral("Transfert vers EXCEL"),
                                 QStringLiteral("Transfert vers Open/LibreOffice Calc"),
                                 QStringLiteral("Couleurs des courbes")};
    QCOMPARE(f.onglets->buttons().size(), 5);
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(f.onglets->button(i)->text(), onglets[i]);
        clique(f.onglets->button(i));
        QCOMPARE(f.pages->currentIndex(), i);
    }
    QCOMPARE(f.BAppliquer->text(), QStringLiteral("Appliquer"));
    QCOMPARE(f.BAnnuler->text(), QStringLiteral("Annuler"));
    QCOMPARE(f.GBPretrig->title(), QStringLiteral(" Pretrig "));
    QCOMPARE(f.GBEffacer->title(), QStringLiteral(" Effacer ...  "));
    QCOMPARE(f.BtSeuilPretrigDefaut->text(), QStringLiteral("Valeur par défaut"));
    QCOMPARE(f.BParametresActuels->text(), QStringLiteral("Paramètres actuels"));
    QCOMPARE(f.RBEffacerTrame->text().replace(QLatin1Char('\n'), QLatin1Char(' ')),
             QStringLiteral("effacer les valeurs et le graphe acquis lors du balayage précédent dès le début du "
                            "balayage courant"));
    QVERIFY(f.RBNePasEffacerTrame->isChecked());
    QCOMPARE(f.RBTransfertREGNouveauFichier->text(), QStringLiteral("un nouveau fichier"));
    QVERIFY(f.RBTransfertREGNouveauFichier->isChecked());
    QVERIFY(f.RBTransfertEXCELNouveauClasseur->isChecked());
    QVERIFY(f.RBTransfertOONouveauClasseur->isChecked());
    QCOMPARE(f.CBREGDEfaut->text(), QStringLiteral("par défaut"));
    QCOMPARE(f.GBVersionREG->title(), QStringLiteral("Version de REGRESSI "));
    QCOMPARE(f.BVersionRegressi->text(), QStringLiteral("Changer"));
    QVERIFY(f.guideREGRESSI->toPlainText().startsWith(QStringLiteral(
        "Le transfert vers REGRESSI se fait par l'intermédiaire d'un fichier placé dans le dossier \"Mes documents\"")));
    QVERIFY(f.guideREGRESSI->toPlainText().contains(QStringLiteral("Wine")));
    QVERIFY(f.guideEXCEL->toPlainText().startsWith(QStringLiteral(
        "Si la case \"une nouvelle feuille\" (ci-contre) est cochée, et si EXCEL est actif, alors les mesures seront "
        "placées dans une nouvelle feuille du classeur actif.")));
    QVERIFY(f.guideEXCEL->toPlainText().contains(QStringLiteral(".xlsx")));
    QVERIFY(f.guideOO->toPlainText().contains(QStringLiteral("UNO")));
    QVERIFY(f.guideOO->isReadOnly());
    for (int c = 0; c < 4; ++c)
        QCOMPARE(f.gbCanaux[size_t(c)]->title(), QStringLiteral(" Canal %1 ").arg(c));
    QCOMPARE(f.lbs[6]->text(), QStringLiteral("Voie EA6"));
    QCOMPARE(f.lbs[6]->parentWidget(), f.gbCanaux[2]);
    QCOMPARE(f.pCVoies[6]->toolTip(),
             QStringLiteral("Cliquez ici pour modifier la couleur des courbes des \ntensions acquises sur l'entrée EA6"));
    QCOMPARE(couleurPanneau(f.pCVoies[0]), QColor(144, 0, 0));
    QCOMPARE(f.CBEnregistrerCouleurs->text(),
             QStringLiteral("Utiliser les nouvelles couleurs au prochain démarrage de Galvora "));
    QVERIFY(f.CBCouleursRegressi->isChecked());
    QCOMPARE(f.BReinitialiserCouleurs->text(), QStringLiteral("Réinitialiser"));
    // Every control has a name for the accessibility tools.
    const QList<QWidget*> controles = f.findChildren<QWidget*>();
    int nommes = 0;
    for (QWidget* w : controles) {
        // The text box of a list speaks for the list; the lists' pop-ups are Qt's own.
        if (w->window() != &f || qobject_cast<QComboBox*>(w->parentWidget()))
            continue;
        if (w->focusPolicy() != Qt::NoFocus || qobject_cast<QAbstractButton*>(w)) {
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->metaObject()->className() + QString(" ") + w->objectName()));
            ++nommes;
        }
    }
    QVERIFY(nommes >= 40);
}

void TestFicheOptions::dureeRefuseeGardeLeFocus()
{
    Messages messages;
    TFicheGVMixteOptions f(*unite, reglages);
    montre(f);
    const struct {
        const char* texte;
        const char* message;
    } cas[] = {{"0.5 µs", "Valeur minimale admise: 1 µs"}, {"4000", "Valeur maximale admise: 3600 s"}};
    for (const auto& c : cas) {
        messages.textes.clear();
        f.CBDureeTotaledft->setFocus();
        f.CBDureeTotaledft->setEditText(QString::fromUtf8(c.texte));
        QTest::keyClick(f.CBDureeTotaledft, Qt::Key_Tab);
        QCOMPARE(messages.textes, QStringList{QString::fromUtf8(c.message)});
        QCOMPARE(f.CBDureeTotaledft->currentText(), QStringLiteral("20.00 ms"));
        QVERIFY(f.CBDureeTotaledft->hasFocus());
        QCOMPARE(reglages.DureeTotaleDFT, 0.02);
        QVERIFY(f.isVisible());
    }
    // A points box refused keeps its text for correction.
    messages.textes.clear();
    f.CBNbPointsdft->setFocus();
    f.CBNbPointsdft->setEditText(QStringLiteral("1O1"));
    QTest::keyClick(f.CBNbPointsdft, Qt::Key_Tab);
    QCOMPARE(messages.textes, QStringList{QStringLiteral("Saisie incorrecte du nombre de points par défaut")});
    QCOMPARE(f.CBNbPointsdft->currentText(), QStringLiteral("1O1"));
    QVERIFY(f.CBNbPointsdft->hasFocus());
    // "Appliquer" reached from the keyboard does not close with it.
    f.CBNbPointsdft->setEditText(QStringLiteral("1O1"));
    f.accept();
    QVERIFY(f.isVisible());
    f.CBNbPointsdft->setEditText(QStringLiteral("501"));
    f.accept();
    QCOMPARE(f.result(), int(QDialog::Accepted));
    QCOMPARE(reglages.NbPtsDFT, 501);
}

void TestFicheOptions::entreePasseDUneBoiteALAutre()
{
    Messages messages;
    TFicheGVMixteOptions f(*unite, reglages);
    montre(f);
    f.CBDureeTotaledft->setFocus();
    f.CBDureeTotaledft->setEditText(QStringLiteral("50 ms"));
    QTest::keyClick(f.CBDureeTotaledft, Qt::Key_Return);
    QVERIFY(f.CBNbPointsdft->hasFocus());
    QVERIFY(std::fabs(reglages.DureeTotaleDFT - 0.05) < 1e-9);
    QCOMPARE(f.CBDureeTotaledft->currentText(), QStringLiteral("50.0 ms"));
    f.CBNbPointsdft->setEditText(QStringLiteral("201"));
    QTest::keyClick(f.CBNbPointsdft, Qt::Key_Enter);
    QVERIFY(f.CBDureeTotaledft->hasFocus());
    QCOMPARE(reglages.NbPtsDFT, 201);
    QVERIFY(f.isVisible());
    QVERIFY(messages.textes.isEmpty());
}

void TestFicheOptions::parametresActuels()
{
    unite->setDurees(0.5, 101, false);
    TFicheGVMixteOptions f(*unite, reglages);
    montre(f);
    clique(f.BParametresActuels);
    QCOMPARE(f.CBDureeTotaledft->currentText(), QStringLiteral("500 ms"));
    QCOMPARE(f.CBNbPointsdft->currentText(), QStringLiteral("101"));
    QCOMPARE(reglages.DureeTotaleDFT, 0.5);
    QCOMPARE(reglages.NbPtsDFT, 101);
    // "Valeur par défaut" of the pre-trigger limit.
    f.CBSeuilPretrig->setCurrentIndex(5);
    clique(f.BtSeuilPretrigDefaut);
    QCOMPARE(f.CBSeuilPretrig->currentIndex(), 2);
    QCOMPARE(f.CBSeuilPretrig->currentText(), QStringLiteral("5.00 s"));
}

void TestFicheOptions::versionDeREGRESSI()
{
    creeFichier(fs::path(racine) / "home/.wine/drive_c/Program Files/Evariste/Regressi/regressi.exe");
    const fs::path autre = fs::path(racine) / "autre/REGRESSI.EXE";
    creeFichier(autre);
    Dialogues dialogues;
    TFicheGVMixteOptions f(*unite, reglages);
    montre(f);
    clique(f.onglets->button(1));
    QVERIFY(f.CBREGDEfaut->isEnabled());
    QVERIFY(f.CBREGDEfaut->isChecked());
    QVERIFY(!f.EditCheminVersionREG->isVisible());
    // Unchecking it directly is refused.
    clique(f.CBREGDEfaut);
    QVERIFY(f.CBREGDEfaut->isChecked());
    // "Changer" with a file that does not exist puts "par défaut" back.
    dialogues.suite = {choisitFichier(QString::fromStdString(racine + "/nulle-part/REGRESSI.EXE")),
                       choisitFichier(QString::fromStdString(autre.string()))};
    clique(f.BVersionRegressi);
    QCOMPARE(dialogues.montres, 1);
    QVERIFY(f.CBREGDEfaut->isChecked());
    QVERIFY(f.EditCheminVersionREG->text().isEmpty());
    // With one that exists, the path is shown.
    clique(f.BVersionRegressi);
    QVERIFY(!f.CBREGDEfaut->isChecked());
    QVERIFY(f.EditCheminVersionREG->isVisible());
    QCOMPARE(f.EditCheminVersionREG->text(), QString::fromStdString(autre.string()));
    QVERIFY(f.EditCheminVersionREG->isReadOnly());
    // Checking "par défaut" again clears it.
    clique(f.CBREGDEfaut);
    QVERIFY(f.CBREGDEfaut->isChecked());
    QVERIFY(!f.EditCheminVersionREG->isVisible());
    QVERIFY(f.EditCheminVersionREG->text().isEmpty());
}

void TestFicheOptions::panneauxDeCouleur()
{
    Dialogues dialogues;
    QString titre;
    dialogues.suite = {choisitCouleur(10, 20, 30, &titre), [](QDialog& d) {
                           auto& c = static_cast<TFicheChoixCouleurCercleChro&>(d);
                           c.SERouge->setValue(99);
                           clique(c.ButtonAnnuler);
                           return c.result();
                       },
                       choisitCouleur(1, 2, 3)};
    unite->nbEAU = 6;
    TFicheGVMixteOptions f(*unite, reglages);
    montre(f);
    clique(f.onglets->button(4));
    clique(f.pCVoies[5]);
    QCOMPARE(titre, QStringLiteral("Couleur de la courbe de la voie EA5"));
    QCOMPARE(couleurPanneau(f.pCVoies[5]), QColor(10, 20, 30));
    // Cancelled: the panel keeps its colour.
    clique(f.pCVoies[5]);
    QCOMPARE(couleurPanneau(f.pCVoies[5]), QColor(10, 20, 30));
    // From the keyboard.
    f.pCVoies[1]->setFocus();
    QTest::keyClick(f.pCVoies[1], Qt::Key_Space);
    QCOMPARE(couleurPanneau(f.pCVoies[1]), QColor(1, 2, 3));
    QCOMPARE(dialogues.montres, 3);
    // Inputs the unit does not have cannot be changed.
    QVERIFY(!f.pCVoies[6]->isEnabled());
    clique(f.pCVoies[6]);
    QCOMPARE(dialogues.montres, 3);
    clique(f.BReinitialiserCouleurs);
    QCOMPARE(couleurPanneau(f.pCVoies[5]), QColor(0, 126, 239));
}

void TestFicheOptions::choixHorsDesTroisValeurs()
{
    reglages.optionTransfertEXCEL = 2;
    reglages.optionTransfertOOo = 3;
    TFicheGVMixteOptions f(*unite, reglages);
    montre(f);
    for (QRadioButton* b : {f.RBTransfertEXCELNouvelleFeuille, f.RBTransfertEXCELNouveauClasseur,
                            f.RBTransfertEXCELDemander})
        QVERIFY(!b->isChecked());
    QVERIFY(f.RBTransfertOODemander->isChecked());
    THoteOptionsEspion hote;
    f.donnees.applique(hote);
    QCOMPARE(reglages.optionTransfertEXCEL, 2);
    QCOMPARE(reglages.optionTransfertOOo, 3);
}

void TestFicheOptions::appliqueSurvitAuRedemarrage()
{
    const fs::path autre = fs::path(racine) / "autre/regressi.exe";
    creeFichier(autre);
    Dialogues dialogues;
    Messages messages;
    THoteOptionsEspion hote;
    hote.courbes = {reglages.clsVX[2]};
    dialogues.suite = {[&](QDialog& d) {
                           auto& f = static_cast<TFicheGVMixteOptions&>(d);
                           f.show();
                           if (!QTest::qWaitForWindowActive(&f))
                               return int(QDialog::Rejected);
                           f.CBDureeTotaledft->setFocus();
                           f.CBDureeTotaledft->setEditText(QStringLiteral("2 s"));
                           QTest::keyClick(f.CBDureeTotaledft, Qt::Key_Return);
                           f.CBNbPointsdft->setEditText(QStringLiteral("5001"));
                           QTest::keyClick(f.CBNbPointsdft, Qt::Key_Tab);
                           f.CBSeuilPretrig->setCurrentIndex(3);
                           f.CBSeuilPretrig->setFocus();
                           QTest::keyClick(f.CBSeuilPretrig, Qt::Key_Tab);
                           clique(f.RBEffacerTrame);
                           clique(f.onglets->button(1));
                           clique(f.RBTransfertREGDemander);
                           clique(f.BVersionRegressi);
                           clique(f.onglets->button(2));
                           clique(f.RBTransfertEXCELNouvelleFeuille);
                           clique(f.onglets->button(3));
                           clique(f.RBTransfertOODemander);
                           clique(f.onglets->button(4));
                           clique(f.pCVoies[2]);
                           clique(f.CBCouleursRegressi);
                           clique(f.CBEnregistrerCouleurs);
                           clique(f.BAppliquer);
                           return f.result();
                       },
                       choisitFichier(QString::fromStdString(autre.string())), choisitCouleur(200, 100, 50)};
    QVERIFY(executeOptions(nullptr, *unite, reglages, hote));
    QCOMPARE(dialogues.montres, 3);
    QVERIFY(messages.textes.isEmpty());
    QCOMPARE(hote.appels, (std::vector<std::string>{"avantOptions", "activeNouveau", "prepareComposantsDeclenchement",
                                                    "redessineLegendesEtEcran"}));
    QCOMPARE(hote.courbes[0], 200u + 256u * 100 + 65536u * 50);
    QVERIFY(reglages.optionEffaceTrame);
    QCOMPARE(reglages.cheminRegressiUt, autre.string());

    // The program ends: the settings are written; it starts again from them.
    const TReglagesGV relus =
        testgv::apresRedemarrage(reglages, QString::fromStdString(racine + "/config/Galvora.conf"));
    QCOMPARE(relus.DureeTotaleDFT, 2.0);
    QCOMPARE(relus.NbPtsDFT, int64_t(5001));
    QCOMPARE(double(relus.tMaxPretrigDispo), 10.0);
    QCOMPARE(relus.optionTransfertREGRESSI, 3);
    QCOMPARE(relus.optionTransfertEXCEL, 1);
    QCOMPARE(relus.optionTransfertOOo, 3);
    QCOMPARE(relus.OptionCouleursRegressi, 0);
    QVERIFY(!relus.versionRegressiDefaut);
    QCOMPARE(relus.cheminREGRESSINonDefautX, autre.string());
    QCOMPARE(relus.clsVX[2], 200u + 256u * 100 + 65536u * 50);
    QCOMPARE(relus.clsVX[3], reglages.clsV0[3]);
}

void TestFicheOptions::annulerNeChangeRien()
{
    for (const char* fermeture : {"Annuler", "Echap"}) {
        reglages = TReglagesGV();
        reglages.clsV0 = couleursDefaut();
        reglages.clsVX = reglages.clsV0;
        const fs::path autre = fs::path(racine) / "autre/REGRESSI.EXE";
        creeFichier(autre);
        Dialogues dialogues;
        Messages messages;
        THoteOptionsEspion hote;
        dialogues.suite = {[&](QDialog& d) {
                               auto& f = static_cast<TFicheGVMixteOptions&>(d);
                               f.show();
                               if (!QTest::qWaitForWindowActive(&f))
                                   return int(QDialog::Accepted);
                               f.CBDureeTotaledft->setFocus();
                               f.CBDureeTotaledft->setEditText(QStringLiteral("2 s"));
                               QTest::keyClick(f.CBDureeTotaledft, Qt::Key_Return);
                               f.CBSeuilPretrig->setFocus();
                               f.CBSeuilPretrig->setEditText(QStringLiteral("20 s"));
                               QTest::keyClick(f.CBSeuilPretrig, Qt::Key_Tab);
                               clique(f.RBTransfertEXCELDemander);
                               clique(f.BVersionRegressi);
                               if (QByteArray(fermeture) == "Annuler")
                                   clique(f.BAnnuler);
                               else
                                   QTest::keyClick(&f, Qt::Key_Escape);
                               return f.result();
                           },
                           choisitFichier(QString::fromStdString(autre.string()))};
        QVERIFY(!executeOptions(nullptr, *unite, reglages, hote));
        QCOMPARE(dialogues.montres, 2);
        QCOMPARE(hote.appels, std::vector<std::string>{"avantOptions"});
        QCOMPARE(reglages.DureeTotaleDFT, 0.02);
        QCOMPARE(reglages.NbPtsDFT, int64_t(1001));
        QCOMPARE(double(reglages.tMaxPretrigDispo), 5.0);
        QCOMPARE(reglages.optionTransfertEXCEL, 0);
        QVERIFY(reglages.versionRegressiDefaut);
        QVERIFY(reglages.cheminREGRESSINonDefautX.empty());
    }
}

QTEST_MAIN(TestFicheOptions)
#include "test_fiche_options.moc"
