// The toolbar's commands pressed in the main window on the simulated SP5, as
// a user presses them: the text file, the workbook, REGRESSI (the stand-in
// of the test suite, started through the stand-in Wine), the options, the
// title window, and the questions of closing.
#include "ControlesFiche.h"
#include "EnvironnementTest.h"
#include "Factices.h"
#include "FenetreSimulee.h"
#include "RegistreFichier.h"
#include "app/Messages.h"
#include "app/ReglagesGV.h"
#include "app/TFicheGVMixte.h"
#include "app/TFicheGVMixteOptions.h"
#include "app/TFicheGVMixteTitre.h"
#include "display/PanelMesuresSurEcran.h"
#include "app/TFicheGVChoixCentrale.h"
#include "export/TFicheGVMixteChoixTE.h"
#include "export/TFicheGVMixteChoixTOO.h"
#include "export/TFicheGVMixteChoixTR.h"
#include "export/TransfertRegressi.h"
#include "model/TCentrale.h"
#include "platform/PompeMessages.h"
#include "platform/ProgrammesWindows.h"
#include "platform/Systeme.h"
#include "widgets/TFicheChoixCouleurCercleChro.h"

#include <QAccessible>
#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;
using testgv::TFactices;
using testgv::ui;

namespace {

std::string racineTest;

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

// The desktop's opening of a workbook, recorded.
class TOuvreurEnregistre : public TOuvreurDocuments {
public:
    QStringList ouverts;
    bool reponse = true;
    bool ouvre(const QString& chemin) override
    {
        ouverts << chemin;
        return reponse;
    }
};

// The web addresses the program asks the desktop to open.
class TNavigateur : public QObject {
    Q_OBJECT
public:
    QList<QUrl> ouvertes;
public slots:
    void ouvre(const QUrl& adresse) { ouvertes << adresse; }
};

// The settings a previous run of the program left.
void reglagesPrecedents(const std::function<void(gv::TReglagesGV&)>& change)
{
    gv::TReglagesGV reglages;
    reglages.clsV0 = gv::couleursDefaut();
    reglages.clsVX = reglages.clsV0;
    change(reglages);
    const std::unique_ptr<QSettings> stockage(gv::ouvreReglagesGV());
    gv::ecritReglages(*stockage, reglages);
}

QStringList lignesCRLF(const QString& chemin)
{
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n"));
}

// The spec'd hints as the window shows them: "\n\r" is one line break.
QString affichable(const char* texte)
{
    return gv::texteAffichable(QString::fromUtf8(texte));
}

} // namespace

class TestCommandes : public QObject {
    Q_OBJECT

    testgv::TFenetreSimulee fenetre;
    TOuvreurEnregistre ouvreur;
    std::vector<gv::TMessage> messages;
    // The answer to each box; Ok when none is given.
    std::function<QMessageBox::StandardButton(const gv::TMessage&)> reponse;

    std::unique_ptr<TFicheGVMixte> ouvre()
    {
        fenetre.ouvreurDocuments = &ouvreur;
        auto fiche = fenetre.ouvre(racineTest, kSysamSP5);
        fiche->activateWindow();
        if (!QTest::qWaitForWindowActive(fiche.get()))
            qWarning("window not active");
        return fiche;
    }

    // A short run on input 0, started with the Start button.
    static void acquiert(TFicheGVMixte& fiche, int64_t points = 101)
    {
        fiche.SP5->setDurees(0.02, points, false);
        QVERIFY(ui(fiche).BAcquisition->isEnabled());
        QTest::mouseClick(ui(fiche).BAcquisition, Qt::LeftButton);
        QCOMPARE(fiche.modeGeneral(), TModeGeneral::acquisitionFinie);
    }

    bool aVu(const QString& debut) const
    {
        for (const gv::TMessage& m : messages)
            if (m.texte.startsWith(debut))
                return true;
        return false;
    }

    QString documents() const { return qs(racineTest + "/home/Documents"); }

private slots:
    void initTestCase() { fs::create_directories(racineTest + "/home/Documents"); }

    void init()
    {
        messages.clear();
        reponse = nullptr;
        ouvreur.ouverts.clear();
        ouvreur.reponse = true;
        gv::installeIntercepteurMessages([this](const gv::TMessage& m) {
            messages.push_back(m);
            return reponse ? reponse(m) : QMessageBox::Ok;
        });
        fs::remove_all(racineTest + "/config");
        fs::create_directories(racineTest + "/config");
        fs::remove_all(racineTest + "/home/.wine");
        // What the stand-ins recorded for an earlier case.
        for (const char* journal : {"/demarrages-regressi.txt", "/appels-wine.txt", "/registre.txt"})
            fs::remove(racineTest + journal);
    }

    void cleanup()
    {
        gv::installeIntercepteurDialogues({});
        fenetre.ferme();
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    }

    // Every picture button of the toolbar runs its command, carries its
    // hint, is named for assistive technology by its hint's first line, and
    // is reached with Tab and pressed with Space.
    void laBarreDOutils()
    {
        auto fiche = ouvre();
        const std::pair<const char*, const char*> bulles[] = {
            {"SBNouveau", "Commencer une nouvelle expérience \n\r(effacement des données acquises et \n\r"
                          "réinitialisation des réglages)."},
            {"SBenregistrerRW3", "Enregistrer les mesures dans un \n\rfichier au format REGRESSI (*.rw3)"},
            {"SBenregistrerTXT", "Enregistrer les mesures dans un \n\rfichier au format texte standard (*.txt)"},
            {"SBTransfertDirectREG", "Transférer directement les mesures dans REGRESSI \n\r(en ouvrant REGRESSI, si "
                                     "les paramètres sont corrects)"},
            {"SBTransfertDirectExcel", "Transférer directement les mesures dans Microsoft EXCEL \n\r(si Microsoft EXCEL "
                                       "est installé)"},
            {"SBtransfertDirectOOLO", "Transférer directement les mesures dans OpenOffice \n\rou LibreOffice (suivant "
                                      "celui qui est installé)"},
            {"SBMesures", "Ouvrir la boite de dialogue de mesures sur le graphique"},
            {"SBVoirTableau", "Afficher le tableau de mesures"},
            {"SBOptions", "Choisir les paramètres de configuration"},
            {"SBAproposDe", "Informations générales"},
            {"SBQuitter", "Sysam, ferme-toi !"},
        };
        QList<QToolButton*> barre;
        for (const auto& [nom, bulle] : bulles) {
            auto* b = testgv::controle<QToolButton>(*fiche, QString::fromUtf8(nom));
            QVERIFY2(fiche->aUneCommande(b), nom);
            QCOMPARE(b->toolTip(), affichable(bulle));
            QCOMPARE(b->accessibleName(), affichable(bulle).section(QLatin1Char('\n'), 0, 0).trimmed());
            QVERIFY2(b->focusPolicy() & Qt::TabFocus, nom);
            QVERIFY(b->isVisible());
            barre << b;
        }
        // Nothing else visible on the bar is a picture button without its row.
        for (QToolButton* b : ui(*fiche).PBoutons->findChildren<QToolButton*>())
            if (b->isVisible() && !b->objectName().startsWith(QStringLiteral("SBCentrale")))
                QVERIFY2(barre.contains(b), qPrintable(b->objectName()));
        QVERIFY(!testgv::controle<QToolButton>(*fiche, QStringLiteral("SBGuide"))->isVisible());

        // After a run every command but Calc (no office suite here) can be
        // reached with Tab alone.
        acquiert(*fiche);
        barre[0]->setFocus(Qt::TabFocusReason);
        QSet<QWidget*> atteints;
        for (int i = 0; i < 200 && QApplication::focusWidget(); ++i) {
            atteints << QApplication::focusWidget();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        for (QToolButton* b : barre)
            if (b->isEnabled())
                QVERIFY2(atteints.contains(b), qPrintable(b->objectName()));
        QVERIFY(!ui(*fiche).SBtransfertDirectOOLO->isEnabled());
        for (QToolButton* b : barre)
            if (b != ui(*fiche).SBtransfertDirectOOLO)
                QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
        // Space presses the button that has the focus.
        ui(*fiche).SBAproposDe->setFocus(Qt::TabFocusReason);
        QTest::keyClick(ui(*fiche).SBAproposDe, Qt::Key_Space);
        QVERIFY(fenetre.titre()->isVisible());
    }

    // Every control the keyboard reaches tells assistive technology its name.
    void chaqueControleANom()
    {
        auto fiche = ouvre();
        acquiert(*fiche);
        QStringList sansNom;
        for (QWidget* w : fiche->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(fiche.get()) || !(w->focusPolicy() & Qt::TabFocus) || w->focusProxy())
                continue;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            if (!a || a->text(QAccessible::Name).trimmed().isEmpty())
                sansNom << QStringLiteral("%1 (%2)").arg(w->objectName(), QString::fromLatin1(w->metaObject()->className()));
        }
        QVERIFY2(sansNom.isEmpty(), qPrintable(sansNom.join(QStringLiteral(", "))));
    }

    // Each dialog answers Enter with its default button and Escape as its
    // cancel button does.
    void dialoguesAuClavier()
    {
        auto fiche = ouvre();
        TFicheGVChoixCentrale choixCentrale;
        TFicheGVMixteChoixTE choixTE;
        TFicheGVMixteChoixTR choixTR;
        TFicheGVMixteChoixTOO choixTOO;
        TFicheGVMixteOptions options(*fiche->SP5, fiche->reglages);
        TFicheChoixCouleurCercleChro couleur;
        const std::pair<QDialog*, QPushButton*> dialogues[] = {
            {&choixCentrale, choixCentrale.BOK}, {&choixTE, choixTE.BChoixTEOK},
            {&choixTR, choixTR.BChoixTROK},      {&choixTOO, choixTOO.BChoixTOOOK},
            {&options, options.BAppliquer},       {&couleur, couleur.ButtonOK},
        };
        for (const auto& [dialogue, defaut] : dialogues) {
            QVERIFY2(defaut->isDefault(), qPrintable(dialogue->windowTitle()));
            dialogue->show();
            QVERIFY(QTest::qWaitForWindowActive(dialogue));
            QTest::keyClick(dialogue, Qt::Key_Escape);
            QVERIFY2(!dialogue->isVisible(), qPrintable(dialogue->windowTitle()));
            QCOMPARE(dialogue->result(), int(QDialog::Rejected));
        }
        // The unit choice left with Escape is abandoned, as with "Abandonner".
        QVERIFY(choixCentrale.result() != TFicheGVChoixCentrale::resultatOK);

        // A transfer choice made with the keyboard: Space on a choice, then Enter.
        gv::installeIntercepteurDialogues([](QDialog& d) {
            auto* choix = qobject_cast<TFicheGVMixteChoixTE*>(&d);
            if (!choix)
                return int(QDialog::Rejected);
            d.show();
            if (!QTest::qWaitForWindowActive(&d))
                return int(QDialog::Rejected);
            QTest::keyClick(&d, Qt::Key_Return); // nothing chosen: OK cannot be pressed
            if (!d.isVisible())
                return int(QDialog::Accepted);
            choix->RBNouvelleFeuille->setFocus(Qt::TabFocusReason);
            QTest::keyClick(choix->RBNouvelleFeuille, Qt::Key_Space);
            QTest::keyClick(choix->RBNouvelleFeuille, Qt::Key_Return);
            return d.result();
        });
        QCOMPARE(TFicheGVMixteChoixTE::demande(fiche.get()), int(TFicheChoixTransfert::choixSecond));
    }

    // The hints of the window's other controls.
    void lesBullesDeLaFenetre()
    {
        auto fiche = ouvre();
        const std::pair<const char*, const char*> bulles[] = {
            {"EditMessageX", "Donne quelques indications sur les opérations en cours."},
            {"EditPresence", "Indique si l'interface est installée et connectée."},
            {"EditSerieP", "Indique la série de mesures correspondant à la courbe pointée par la souris sur le "
                           "graphique."},
            {"EditPointP", "Indique les coordonnées du point de la courbe pointé par la souris sur le graphique."},
            {"CBDureeTotale", "Sélectionnez une durée\n\rtotale pour la série\n\rde mesures. Vous pouvez\n\rsaisir "
                              "d'autres valeurs\n\rque celles de la liste"},
            {"CBNbPoints", "Sélectionnez le\n\rnombre de mesures\n\rsouhaité. Vous pouvez\n\rsaisir d'autres "
                           "valeurs\n\rque celles de la liste"},
            {"BAcquisitionPrecedente", "Permet de revenir \n\raux réglages de l'acquisition\n\rprécédente et donc "
                                       "d'ajouter\n\rles courbes"},
            {"SBReduirePParametres", "Réduire/Restaurer le panneau des réglages temporels"},
            {"SBReduirePVoies", "Réduire/Restaurer le panneau de réglage des voies"},
            {"EditT0M", "Indique l'instant correspondant à la position\n\rdu curseur vertical de gauche"},
            {"EditTFM", "Indique l'instant correspondant à la position\n\rdu curseur vertical de droite"},
            {"EditDTM", "Indique l'intervalle de temps entre les deux\n\rcurseurs verticaux"},
            {"EditUmaxM", "Indique la valeur correspondant à la position\n\rdu curseur horizontal du haut"},
            {"EditUMinM", "Indique la valeur correspondant à la position\n\rdu curseur horizontal du bas"},
            {"EditDUM", "Indique l'intervalle de tension entre les \n\rdeux curseurs horizontaux"},
            {"CBAxes", "Sélection de l'axe vertical sur lequel  \n\rportent les mesures de tension"},
            {"SBZoomPlusH", "Augmenter le zoom horizontal"},
            {"SBZoomMoinsH", "Reduire le zoom horizontal"},
            {"SBZoomPlusV", "Augmenter le zoom vertical"},
            {"SBZoomMoinsV", "Reduire le zoom vertical "},
        };
        for (const auto& [nom, bulle] : bulles)
            QCOMPARE(testgv::controle(*fiche, QString::fromUtf8(nom))->toolTip(), affichable(bulle));
        QVERIFY(ui(*fiche).PEcran->toolTip().isEmpty());
    }

    // The text file after a run: the dialog's title, the file's lines.
    void fichierTexte()
    {
        auto fiche = ouvre();
        acquiert(*fiche);
        const QString nom = documents() + QStringLiteral("/essai.txt");
        QString titre;
        gv::installeIntercepteurDialogues([&](QDialog& d) {
            auto* f = qobject_cast<QFileDialog*>(&d);
            if (!f)
                return int(QDialog::Rejected);
            titre = f->windowTitle();
            f->selectFile(nom);
            return int(QDialog::Accepted);
        });
        QTest::mouseClick(ui(*fiche).SBenregistrerTXT, Qt::LeftButton);
        QCOMPARE(titre, QStringLiteral("Enregistrement au format texte"));
        QCOMPARE(fiche->etatEnregistrement.nomfichierTXT, nom);
        const QStringList lignes = lignesCRLF(nom);
        QVERIFY(lignes.size() > 7);
        QCOMPARE(lignes[0], QStringLiteral("Galvora - 0.1.0.0"));
        QVERIFY2(lignes[2].startsWith(QStringLiteral("Mesures réalisées avec l'interface ") + qs(fiche->SP5->nomCentrale) +
                                      QStringLiteral(" le ")),
                 qPrintable(lignes[2]));
        QCOMPARE(lignes[4], QStringLiteral("t(s)").leftJustified(15) +
                                (qs(fiche->mesures.voiesMesurees[0].sEnteteVM) + QStringLiteral("(V)")).leftJustified(15));
        // One line per point, then the last line break.
        QCOMPARE(lignes.size(), 6 + int(fiche->mesures.tv2[0].size()) + 1);
        QCOMPARE(lignes[6].section(QLatin1Char(' '), 0, 0), QStringLiteral("0"));
        QVERIFY(lignes.last().isEmpty());
    }

    // The workbook: state 7 while it is written, closing refused then (by
    // the Quit button and by the close box, with only the refusal), the
    // window as before afterwards, the workbook opened and listed for
    // deletion; at exit an untouched workbook is deleted.
    void classeurExcel()
    {
        auto fiche = ouvre();
        acquiert(*fiche);
        QVERIFY(ui(*fiche).SBTransfertDirectExcel->isEnabled());
        struct TPendant {
            TModeGeneral mode = TModeGeneral::rienAcquis;
            bool demarrer = true, nouveau = true, options = true, progression = false, presence = true;
            bool visibleApres = false;
        } pendant;
        QTimer::singleShot(0, this, [&] {
            pendant.mode = fiche->modeGeneral();
            pendant.demarrer = ui(*fiche).BAcquisition->isEnabled();
            pendant.nouveau = ui(*fiche).SBNouveau->isEnabled();
            pendant.options = ui(*fiche).SBOptions->isEnabled();
            pendant.progression = testgv::controle<QProgressBar>(*fiche, QStringLiteral("PBarExcel"))->isVisible();
            pendant.presence = ui(*fiche).EditPresence->isVisible();
            QTest::mouseClick(ui(*fiche).SBQuitter, Qt::LeftButton);
            fiche->close();
            pendant.visibleApres = fiche->isVisible();
        });
        QTest::mouseClick(ui(*fiche).SBTransfertDirectExcel, Qt::LeftButton);
        QCOMPARE(pendant.mode, TModeGeneral::transfertExcel);
        QVERIFY(!pendant.demarrer);
        QVERIFY(!pendant.nouveau);
        QVERIFY(!pendant.options);
        QVERIFY(pendant.progression);
        QVERIFY(!pendant.presence);
        QVERIFY(pendant.visibleApres);
        const QString refus =
            QStringLiteral("Transfert vers Excel en cours; impossible de quitter: attendez la fin du transfert !");
        QCOMPARE(messages.size(), size_t(2));
        for (const gv::TMessage& m : messages) {
            QCOMPARE(m.texte, refus);
            QCOMPARE(m.icone, gv::TIconeMessage::Avertissement);
        }
        // Afterwards: the window as it was, the workbook opened.
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::acquisitionFinie);
        QVERIFY(ui(*fiche).BAcquisition->isEnabled());
        QVERIFY(ui(*fiche).SBOptions->isEnabled());
        QVERIFY(ui(*fiche).EditPresence->isVisible());
        QCOMPARE(ui(*fiche).EditMessageX->text(), QStringLiteral("Transfert vers EXCEL terminé "));
        QVERIFY(fiche->TimerAcqDir.isActive());
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(ouvreur.ouverts.size(), 1);
        const QString classeur = ouvreur.ouverts[0];
        QCOMPARE(classeur, documents() + QStringLiteral("/Acquisition GV vers EXCEL") + qs(fiche->sdateAcqX) +
                               QStringLiteral("-1.xlsx"));
        QFile f(classeur);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.read(2) == "PK");
        f.close();
        QCOMPARE(fiche->aSupprimer.size(), size_t(1));
        QVERIFY(qs(fiche->aSupprimer[0]).startsWith(classeur + QStringLiteral("||")));
        // The sheet is named after the acquisition, the first cell says which unit.
        QProcess lecteur;
        lecteur.start(QStringLiteral(GALVORA_PYTHON3), {QStringLiteral(GALVORA_LIT_CLASSEUR), classeur});
        QVERIFY(lecteur.waitForFinished(60000));
        const QByteArray json = lecteur.readAllStandardOutput();
        QVERIFY2(json.contains(("\"nom\": \"" + (QStringLiteral("Mesures du ") + qs(fiche->sDateAcq0)).left(31)).toUtf8()),
                 json.left(300).constData());
        QVERIFY(json.contains(("Mesures réalisées avec l'interface " + fiche->SP5->nomCentrale + " le ").c_str()));

        // Nothing opens it: the message says where it is.
        ouvreur.reponse = false;
        messages.clear();
        QTest::mouseClick(ui(*fiche).SBTransfertDirectExcel, Qt::LeftButton);
        QCOMPARE(messages.size(), size_t(1));
        QVERIFY(messages[0].texte.contains(ouvreur.ouverts.last()));

        // Quit, measurements saved or not: No. The untouched workbooks go at exit.
        reponse = [](const gv::TMessage& m) {
            return m.boutons & QMessageBox::Cancel ? QMessageBox::No : QMessageBox::Yes;
        };
        QTest::mouseClick(ui(*fiche).SBQuitter, Qt::LeftButton);
        QVERIFY(!fiche->isVisible());
        fiche.reset();
        QVERIFY(!QFile::exists(classeur));
        QVERIFY(!QFile::exists(ouvreur.ouverts.last()));
    }

    // Quit with unsaved measurements, Yes then Yes: the REGRESSI save dialog
    // opens while the window is still there, then the window closes; its
    // destruction writes the settings.
    void quitterEnEnregistrant()
    {
        auto fiche = ouvre();
        acquiert(*fiche);
        QVERIFY(fiche->enregistrerX);
        bool visibleAuDialogue = false;
        QString titre;
        const QString nom = documents() + QStringLiteral("/avant de quitter.rw3");
        gv::installeIntercepteurDialogues([&](QDialog& d) {
            auto* f = qobject_cast<QFileDialog*>(&d);
            if (!f)
                return int(QDialog::Rejected);
            visibleAuDialogue = fiche->isVisible();
            titre = f->windowTitle();
            f->selectFile(nom);
            return int(QDialog::Accepted);
        });
        reponse = [](const gv::TMessage&) { return QMessageBox::Yes; };
        QTest::mouseClick(ui(*fiche).SBQuitter, Qt::LeftButton);
        QCOMPARE(messages.size(), size_t(2));
        QCOMPARE(messages[0].texte, QStringLiteral("Désirez-vous vraiment quitter \"Galvora\" ?"));
        QCOMPARE(messages[0].boutons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(messages[0].icone, gv::TIconeMessage::Question);
        QCOMPARE(messages[1].texte, QStringLiteral("Désirez-vous enregistrer les mesures ?"));
        QCOMPARE(messages[1].boutons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QVERIFY(visibleAuDialogue);
        QCOMPARE(titre, QStringLiteral("Enregistrement au format Regressi Win"));
        QVERIFY(lignesCRLF(nom).value(0).startsWith(QStringLiteral("EVARISTE REGRESSI WINDOWS")));
        QVERIFY(!fiche->isVisible());
        fiche.reset();
        const std::unique_ptr<QSettings> stockage(gv::ouvreReglagesGV());
        QCOMPARE(stockage->value(QStringLiteral("Nombre d'utilisations")).toInt(), 1);
    }

    // The other answers keep the window, with its live values going on; the
    // close box asks the same.
    void quitterPuisRester_data()
    {
        QTest::addColumn<bool>("parLaCase");
        QTest::addColumn<int>("quitter");
        QTest::addColumn<int>("enregistrer");
        QTest::addColumn<int>("questions");
        QTest::newRow("Quit, No") << false << int(QMessageBox::No) << 0 << 1;
        QTest::newRow("Quit, Yes, Cancel") << false << int(QMessageBox::Yes) << int(QMessageBox::Cancel) << 2;
        QTest::newRow("close box, No") << true << int(QMessageBox::No) << 0 << 1;
        QTest::newRow("close box, Yes, Cancel") << true << int(QMessageBox::Yes) << int(QMessageBox::Cancel) << 2;
    }

    void quitterPuisRester()
    {
        QFETCH(bool, parLaCase);
        QFETCH(int, quitter);
        QFETCH(int, enregistrer);
        QFETCH(int, questions);
        auto fiche = ouvre();
        acquiert(*fiche);
        QVERIFY(fiche->TimerAcqDir.isActive());
        int dialogues = 0;
        gv::installeIntercepteurDialogues([&](QDialog&) {
            ++dialogues;
            return int(QDialog::Rejected);
        });
        reponse = [&](const gv::TMessage& m) {
            return QMessageBox::StandardButton(m.boutons & QMessageBox::Cancel ? enregistrer : quitter);
        };
        if (parLaCase)
            fiche->close();
        else
            QTest::mouseClick(ui(*fiche).SBQuitter, Qt::LeftButton);
        QCOMPARE(int(messages.size()), questions);
        QCOMPARE(dialogues, 0);
        QVERIFY(fiche->isVisible());
        QCOMPARE(fiche->mesures.nbVoiesMesurees, 1);
        QVERIFY(fiche->enregistrerX);
        QVERIFY(fiche->TimerAcqDir.isActive());
        QVERIFY(!fiche->bloqueTimerAcqDirecte);
    }

    // While the permanent mode runs, Quit and the close box only ask the
    // frame loop to end the mode; the questions come with the closing that
    // follows.
    void quitterPendantLeModePermanent()
    {
        auto fiche = ouvre();
        acquiert(*fiche);
        fiche->setModeGeneral(TModeGeneral::permanentEnCours);
        fiche->SP5->acqPeriodiqueEnCours = true;
        for (bool parLaCase : {false, true}) {
            fiche->drapeaux = TDrapeauxAcquisition{};
            fiche->SP5->acqPeriodiqueEnCours = true;
            if (parLaCase)
                fiche->close();
            else
                QTest::mouseClick(ui(*fiche).SBQuitter, Qt::LeftButton);
            QVERIFY(messages.empty());
            QVERIFY(fiche->isVisible());
            QCOMPARE(fiche->drapeaux.typeSortieMP, TTypeSortieMP::quitter);
            QVERIFY(fiche->drapeaux.nouveauxParametres);
            QVERIFY(!fiche->SP5->acqPeriodiqueEnCours);
        }
        // The mode ended: the frame loop closes the window, which asks.
        fiche->setModeGeneral(TModeGeneral::permanentArrete);
        reponse = [](const gv::TMessage&) { return QMessageBox::No; };
        fiche->close();
        QCOMPARE(messages.size(), size_t(1));
        QCOMPARE(messages[0].texte, QStringLiteral("Désirez-vous vraiment quitter \"Galvora\" ?"));
        QVERIFY(fiche->isVisible());
    }

    // The title window after start-up: the fade ends with the memo gone and
    // the window smaller; "about" brings it back whole with "Sysam,
    // ferme-toi !", which fades it out twice as fast.
    void titreEtAPropos()
    {
        auto fiche = ouvre();
        TFicheGVMixteTitre* titre = fenetre.titre();
        titre->show();
        QVERIFY(QTest::qWaitForWindowExposed(titre));
        const int hauteurAvant = titre->height();
        const int memoAvant = titre->MemoDemarrage->height();
        const int pagesAvant = titre->PageControl1->height();
        QVERIFY(!titre->ButtonFermerFicheTitre->isVisible());
        titre->demarreFondu();
        QCOMPARE(titre->TimerFicheTitre.interval(), 10);
        // Each tick takes 5 off the opacity; the memo goes under 180.
        QTRY_VERIFY(titre->alpha() < 180);
        QVERIFY(!titre->MemoDemarrage->isVisible());
        QCOMPARE(titre->PageControl1->height(), pagesAvant - memoAvant);
        QTRY_VERIFY_WITH_TIMEOUT(!titre->isVisible(), 5000);
        QCOMPARE(titre->alpha(), 255);
        QVERIFY(!titre->premiereFois);
        QCOMPARE(titre->height(), hauteurAvant - (memoAvant / 3 + 35));
        QCOMPARE(titre->MemoDemarrage->height(), memoAvant - 35);

        QTest::mouseClick(ui(*fiche).SBAproposDe, Qt::LeftButton);
        QVERIFY(titre->isVisible());
        QCOMPARE(titre->alpha(), 255);
        QPushButton* fermer = titre->ButtonFermerFicheTitre;
        QVERIFY(fermer->isVisible());
        QCOMPARE(fermer->text(), QStringLiteral("Sysam, ferme-toi !"));
        // Centred under the pages.
        const int basPages = titre->PageControl1->geometry().bottom() + 1;
        QVERIFY(std::abs((fermer->geometry().top() - basPages) - (titre->height() - 1 - fermer->geometry().bottom())) <= 1);
        QVERIFY(std::abs(fermer->geometry().center().x() - titre->width() / 2) <= 1);
        // Not modal: the main window still answers.
        QVERIFY(!titre->isModal());
        QVERIFY(!QApplication::activeModalWidget());
        QTest::mouseClick(fermer, Qt::LeftButton);
        QCOMPARE(titre->TimerFicheTitre.interval(), 5);
        QTRY_VERIFY(titre->alpha() < 255);
        QTRY_VERIFY_WITH_TIMEOUT(!titre->isVisible(), 5000);
        QCOMPARE(titre->alpha(), 255);
        // Shown again: the same size, nothing shrinks a second time.
        const int hauteur = titre->height();
        QTest::mouseClick(ui(*fiche).SBAproposDe, Qt::LeftButton);
        QCOMPARE(titre->height(), hauteur);
        // Escape closes it too.
        QTest::keyClick(titre, Qt::Key_Escape);
        QTRY_VERIFY_WITH_TIMEOUT(!titre->isVisible(), 5000);
    }

    // The unit page and the maker's link.
    void pageCentraleEtLien()
    {
        auto fiche = ouvre();
        TFicheGVMixteTitre* titre = fenetre.titre();
        QTest::mouseClick(ui(*fiche).SBAproposDe, Qt::LeftButton);
        QVERIFY(titre->PageControl1->isTabVisible(1));
        titre->PageControl1->setCurrentIndex(1);
        QCOMPARE(titre->EditNumeroSerie->text(), qs(fiche->SP5->numeroSerie));
        QVERIFY(!titre->LabelNonDisponible->isVisibleTo(titre->TSInterface));
        // Changing to that page stops a fade.
        titre->ButtonFermerFicheTitreClick();
        titre->PageControl1->setCurrentIndex(0);
        titre->PageControl1->setCurrentIndex(1);
        QVERIFY(!titre->TimerFicheTitre.isActive());

        QLabel* lien = titre->LVorelia;
        QVERIFY(!lien->accessibleName().isEmpty());
        const QColor normale = lien->palette().color(QPalette::WindowText);
        QEvent entree(QEvent::Enter);
        QApplication::sendEvent(lien, &entree);
        QCOMPARE(lien->palette().color(QPalette::WindowText), QColor(Qt::blue));
        QEvent sortie(QEvent::Leave);
        QApplication::sendEvent(lien, &sortie);
        QCOMPARE(lien->palette().color(QPalette::WindowText), normale);
        TNavigateur navigateur;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &navigateur, "ouvre");
        titre->PageControl1->setCurrentIndex(0);
        QTest::mouseClick(lien, Qt::LeftButton);
        lien->setFocus(Qt::TabFocusReason);
        QTest::keyClick(lien, Qt::Key_Return);
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(navigateur.ouvertes.size(), 2);
        QCOMPARE(navigateur.ouvertes[0].toString(), lien->text());
    }

    // REGRESSI at its standard place in the Wine prefix: the program is
    // declared at start-up, a transfer starts REGRESSI through Wine on the
    // file in the documents folder; a second transfer of the same series
    // while REGRESSI runs, with the new-page option, adds a page to it.
    void transfertREGRESSI()
    {
        TFactices factices(racineTest);
        const std::string regressi = TFactices::copieRegressi(
            racineTest + "/home/.wine/drive_c/Program Files/Evariste/Regressi/regressi.exe");
        std::ofstream(racineTest + "/home/.wine/system.reg") << "WINE REGISTRY Version 2\n";
        testgv::ecritRegistre(factices.registre, {{kCleAcquisitionRegressi, {{"0", "C:\\Autre\\prog.exe"}}}});
        reglagesPrecedents([](gv::TReglagesGV& r) { r.optionTransfertREGRESSI = 1; });
        auto fiche = ouvre();
        // Declared in the first free place, under the name REGRESSI gives it.
        const auto declares = testgv::litRegistre(factices.registre).at(kCleAcquisitionRegressi);
        QCOMPARE(qs(declares.at("1")),
                 qs(plateforme::cheminPourWindows(QCoreApplication::applicationFilePath().toStdString())));
        QCOMPARE(fiche->transfertREG->cheminRegressiUt, regressi);
        QVERIFY(!ui(*fiche).SBTransfertDirectREG->isEnabled());
        acquiert(*fiche);
        QVERIFY(ui(*fiche).SBTransfertDirectREG->isEnabled());
        QTest::mouseClick(ui(*fiche).SBTransfertDirectREG, Qt::LeftButton);
        QVERIFY(factices.attendsDemarrages(1));
        const std::string fichier = fiche->transfertREG->nfRegAC;
        QCOMPARE(qs(fichier), documents() + QStringLiteral("/Acquisition GV") + qs(fiche->sdateAcqX) +
                                  QStringLiteral("-1.rw3"));
        const std::vector<std::string> attendu = {documents().toStdString(), plateforme::cheminPourWindows(fichier)};
        QCOMPARE(factices.demarrages()[0], attendu);
        QCOMPARE(factices.appelsWine().back()[0], regressi);
        QCOMPARE(fiche->aSupprimer.size(), size_t(1));
        QVERIFY(messages.empty());
        const qint64 taille = QFileInfo(qs(fichier)).size();
        QVERIFY(taille > 0);
        QTRY_VERIFY(plateforme::processusActif("REGRESSI.EXE"));

        // The same series again: a page added to the same file.
        acquiert(*fiche);
        QTest::mouseClick(ui(*fiche).SBTransfertDirectREG, Qt::LeftButton);
        QVERIFY(factices.attendsDemarrages(2));
        QCOMPARE(fiche->transfertREG->nfRegAC, fichier);
        QVERIFY(QFileInfo(qs(fichier)).size() > taille);
        QCOMPARE(factices.demarrages()[1], attendu);
        QVERIFY(!QApplication::overrideCursor());
    }

    // No REGRESSI anywhere: the open dialog asks for one; a file that cannot
    // be started gives the message and disables the button, which stays so
    // after further runs until the options choose a REGRESSI again.
    void regressiIntrouvablePuisChoisi()
    {
        TFactices factices(racineTest);
        auto fiche = ouvre();
        QVERIFY(fiche->transfertREG->cheminRegressiUt.empty());
        acquiert(*fiche);
        const QString pasUnProgramme = qs(racineTest + "/home/regressi");
        std::ofstream(pasUnProgramme.toStdString()) << "pas un programme";
        QString titre;
        gv::installeIntercepteurDialogues([&](QDialog& d) {
            auto* f = qobject_cast<QFileDialog*>(&d);
            if (!f)
                return int(QDialog::Rejected);
            titre = f->windowTitle();
            f->selectFile(pasUnProgramme);
            return int(QDialog::Accepted);
        });
        QTest::mouseClick(ui(*fiche).SBTransfertDirectREG, Qt::LeftButton);
        QCOMPARE(titre, QStringLiteral("Recherche du programme REGRESSI"));
        QVERIFY(aVu(QStringLiteral("Le programme REGRESSI n'a pas été trouvé.")));
        QVERIFY(!ui(*fiche).SBTransfertDirectREG->isEnabled());
        acquiert(*fiche);
        QVERIFY(!ui(*fiche).SBTransfertDirectREG->isEnabled());
        QVERIFY(ui(*fiche).SBenregistrerRW3->isEnabled());

        // "Changer" in the options: a REGRESSI chosen, applied.
        const std::string choisi = TFactices::copieRegressi(racineTest + "/home/Programmes/REGRESSI.EXE");
        int fichiers = 0;
        gv::installeIntercepteurDialogues([&](QDialog& d) {
            if (auto* f = qobject_cast<QFileDialog*>(&d)) {
                ++fichiers;
                f->selectFile(qs(choisi));
                return int(QDialog::Accepted);
            }
            auto* options = qobject_cast<TFicheGVMixteOptions*>(&d);
            if (!options)
                return int(QDialog::Rejected);
            options->show();
            QTest::mouseClick(options->BVersionRegressi, Qt::LeftButton);
            QTest::mouseClick(options->BAppliquer, Qt::LeftButton);
            return options->result();
        });
        QTest::mouseClick(ui(*fiche).SBOptions, Qt::LeftButton);
        QCOMPARE(fichiers, 1);
        QCOMPARE(fiche->transfertREG->cheminRegressiUt, choisi);
        QCOMPARE(fiche->reglages.cheminREGRESSINonDefautX, choisi);
        QVERIFY(!fiche->reglages.versionRegressiDefaut);
        QVERIFY(ui(*fiche).SBTransfertDirectREG->isEnabled());
        gv::installeIntercepteurDialogues({});
        QTest::mouseClick(ui(*fiche).SBTransfertDirectREG, Qt::LeftButton);
        QVERIFY(factices.attendsDemarrages(1));
        QCOMPARE(factices.appelsWine().back()[0], choisi);
    }

    // The options applied from the toolbar: the presence poll stopped, a
    // colour changed recolours the curve drawn in the old one, and New is
    // offered even before any run.
    void optionsAppliquees()
    {
        auto fiche = ouvre();
        QVERIFY(!ui(*fiche).SBNouveau->isEnabled());
        QVERIFY(fiche->TimerPresenceSP5.isActive());
        acquiert(*fiche);
        fiche->TimerPresenceSP5.start();
        const gv::TCouleurGV ancienne = fiche->reglages.clsVX[0];
        QCOMPARE(gv::TCouleurGV(fiche->mesures.voiesMesurees[0].clVM), ancienne);
        QString titreChoix;
        gv::installeIntercepteurDialogues([&](QDialog& d) {
            if (auto* c = qobject_cast<TFicheChoixCouleurCercleChro*>(&d)) {
                titreChoix = c->windowTitle();
                c->SERouge->setValue(10);
                c->SEVert->setValue(20);
                c->SEBleu->setValue(30);
                QTest::mouseClick(c->ButtonOK, Qt::LeftButton);
                return c->result();
            }
            auto* options = qobject_cast<TFicheGVMixteOptions*>(&d);
            if (!options)
                return int(QDialog::Rejected);
            options->show();
            QTest::mouseClick(options->pCVoies[0], Qt::LeftButton);
            QTest::mouseClick(options->BAppliquer, Qt::LeftButton);
            return options->result();
        });
        QTest::mouseClick(ui(*fiche).SBOptions, Qt::LeftButton);
        QCOMPARE(titreChoix, QStringLiteral("Couleur de la courbe de la voie EA0"));
        QVERIFY(!fiche->TimerPresenceSP5.isActive());
        const gv::TCouleurGV nouvelle = 10 + 256 * 20 + 65536 * 30;
        QCOMPARE(fiche->reglages.clsVX[0], nouvelle);
        QCOMPARE(gv::TCouleurGV(fiche->mesures.voiesMesurees[0].clVM), nouvelle);
        QVERIFY(ui(*fiche).SBNouveau->isEnabled());

        // Before any run: New offered once the options are applied.
        fiche.reset();
        fenetre.ferme();
        fiche = ouvre();
        gv::installeIntercepteurDialogues([&](QDialog& d) {
            auto* options = qobject_cast<TFicheGVMixteOptions*>(&d);
            if (!options)
                return int(QDialog::Rejected);
            options->show();
            QTest::mouseClick(options->BAppliquer, Qt::LeftButton);
            return options->result();
        });
        QTest::mouseClick(ui(*fiche).SBOptions, Qt::LeftButton);
        QVERIFY(ui(*fiche).SBNouveau->isEnabled());
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::reglageModifie);
    }
};

int main(int argc, char* argv[])
{
    racineTest = testgv::prepareEnvironnement("commandes");
    QApplication application(argc, argv);
    plateforme::installePompeMessages([] { QCoreApplication::processEvents(); });
    TestCommandes test;
    const int resultat = QTest::qExec(&test, argc, argv);
    plateforme::installePompeMessages(nullptr);
    fs::remove_all(racineTest);
    return resultat;
}

#include "test_commandes.moc"
