// The channel, time-base and trigger panels on each simulated unit, driven
// as a user drives them: typed boxes, "+" and "-", calibre and edge radio
// items, the differential box, the trigger lists, the live values, and what
// the panels do while a run or the permanent mode goes on.
#include "ControlesFiche.h"
#include "EnvironnementTest.h"
#include "FenetreSimulee.h"
#include "app/GroupeRadio.h"
#include "app/ListesTemporelles.h"
#include "app/Messages.h"
#include "app/TFicheGVChoixCentrale.h"
#include "app/TFicheGVMixte.h"
#include "app/TFicheGVMixteTitre.h"
#include "display/DessinEcran.h"
#include "display/ParametresTemps.h"
#include "model/TCentrale.h"
#include "model/UniteBaseChaines.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <algorithm>
#include <QWheelEvent>
#include <QHelpEvent>
#include <QToolTip>
#include <QScrollBar>
#include <cmath>
#include <dlfcn.h>
#include <filesystem>

using testgv::ui;

namespace fs = std::filesystem;

namespace {
std::string racineTest;
const std::string dossierSimulateurs = GALVORA_SIM_DIR;

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

const char* const nomsUnites[] = {"", "SP5", "V6", "CAMPUS"};

// The three simulated units.
QList<int32_t> unitesSimulees()
{
    return {kSysamSP5, kSysamV6, kSysamCampus};
}

void lignesParUnite()
{
    QTest::addColumn<int32_t>("type");
    for (int32_t type : unitesSimulees())
        QTest::newRow(nomsUnites[type]) << type;
}
} // namespace

class TestPanneaux : public QObject {
    Q_OBJECT

    testgv::TFenetreSimulee fenetre;
    std::vector<gv::TMessage> messages;

    // The window on the simulated units, `type` chosen.
    std::unique_ptr<TFicheGVMixte> ouvre(int32_t type)
    {
        auto fiche = fenetre.ouvre(racineTest, type);
        QApplication::setActiveWindow(fiche.get());
        // The live values and the presence poll would talk to the unit
        // between the steps of a test.
        fiche->TimerAcqDir.stop();
        fiche->TimerPresenceSP5.stop();
        // The CAMPUS chosen with the simulated V6 present warns at start.
        messages.clear();
        return fiche;
    }

    // Types a text into a box the way a user does: focus, select all, keys.
    static void tape(QWidget* boite, const QString& texte)
    {
        auto* ligne = qobject_cast<QLineEdit*>(boite);
        if (auto* liste = qobject_cast<QComboBox*>(boite))
            ligne = liste->lineEdit();
        QVERIFY(ligne);
        ligne->setFocus(Qt::MouseFocusReason);
        QVERIFY(ligne->hasFocus());
        ligne->selectAll();
        if (texte.isEmpty())
            QTest::keyClick(ligne, Qt::Key_Backspace);
        QTest::keyClicks(ligne, texte);
    }

    // Leaves the typed box for another control.
    static void quitte(TFicheGVMixte& fiche)
    {
        ui(fiche).BAcquisition->setFocus(Qt::MouseFocusReason);
        QVERIFY(ui(fiche).BAcquisition->hasFocus());
    }

    // A check box clicked on its label, as a user aims.
    static void clique(QAbstractButton* bouton)
    {
        QVERIFY(bouton->isVisible());
        QTest::mouseClick(bouton, Qt::LeftButton, {}, QPoint(8, bouton->height() / 2));
    }

    static void choisitDansListe(QComboBox* liste, int index) { testgv::choisitDansListe(liste, index); }

    static void cliqueItem(TGroupeRadio* groupe, int index)
    {
        QVERIFY(groupe->bouton(index));
        QTest::mouseClick(groupe->bouton(index), Qt::LeftButton, {}, QPoint(4, groupe->bouton(index)->height() / 2));
        QCOMPARE(groupe->itemIndex(), index);
    }

    // The duration box shows the driver's duration, as a list item or as text.
    static QString texteDureeAttendu(const TFicheGVMixte& fiche)
    {
        const int index = indexDureeDansListe(fiche.controleur().listeDureesTotales(), fiche.SP5->dureeTotale0X);
        return index >= 0 ? qs(fiche.controleur().listeDureesTotales()[size_t(index)]) : qs(texteDureeTotale(fiche.SP5->dureeTotale0X));
    }

    static QString texteSeuil(float u) { return qs(texteGeneral(u, 6)); }

    const gv::TMessage* message(const QString& texte) const
    {
        for (const gv::TMessage& m : messages)
            if (m.texte == texte)
                return &m;
        return nullptr;
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
        fenetre.ferme();
    }

    void remplissageDepuisLaCentrale_data() { lignesParUnite(); }
    void remplissageDepuisLaCentrale()
    {
        QFETCH(int32_t, type);
        auto fiche = ouvre(type);
        TCentrale& c = *fiche->SP5;
        QCOMPARE(c.typeCentrale == kSimulationSP5 ? kSysamSP5 : c.typeCentrale, type);
        // The duration list spans the unit's range of the 30 texts; the
        // points list stops at the unit's largest count.
        QCOMPARE(ui(*fiche).CBDureeTotale->count(), c.idxDureeTotaleMaxGV - c.idxDureeTotaleMinGV + 1);
        QCOMPARE(ui(*fiche).CBDureeTotale->itemText(0), qs(fiche->controleur().listeDureesTotales()[size_t(c.idxDureeTotaleMinGV)]));
        QCOMPARE(ui(*fiche).CBNbPoints->itemText(ui(*fiche).CBNbPoints->count() - 1), QString::number(c.nbPts0XMax));
        for (int i = 0; i + 1 < ui(*fiche).CBNbPoints->count(); ++i)
            QVERIFY(ui(*fiche).CBNbPoints->itemText(i).toLongLong() < c.nbPts0XMax);
        // Default state: input 0 alone, calibre 0, manual trigger.
        QCOMPARE(ui(*fiche).CBDureeTotale->currentText(), texteDureeAttendu(*fiche));
        QCOMPARE(ui(*fiche).CBNbPoints->currentText(), QString::number(c.nbPtsAffX));
        QVERIFY(ui(*fiche).voies[0].active->isChecked());
        QVERIFY(ui(*fiche).voies[0].calibre->isEnabled());
        QCOMPARE(ui(*fiche).voies[0].calibre->itemIndex(), 0);
        QCOMPARE(ui(*fiche).voies[0].calibre->count(), c.nbCalEAGV);
        QVERIFY(!ui(*fiche).voies[1].active->isChecked());
        QVERIFY(!ui(*fiche).voies[1].calibre->isEnabled());
        QCOMPARE(ui(*fiche).CBTypeDeclenchement->currentText(), QStringLiteral("manuel"));
        QVERIFY(!ui(*fiche).RGSensDeclenchement->isEnabled());
        QVERIFY(!ui(*fiche).CBVoieSynchro->isEnabled());
        QVERIFY(!ui(*fiche).EditUSeuilDecl->isEnabled());
        QVERIFY(!ui(*fiche).CBPretrigX->isEnabled());
        QVERIFY(!ui(*fiche).BAcquisitionPrecedente->isEnabled());
        QVERIFY(!ui(*fiche).CBAjouterCourbes->isEnabled());
        QVERIFY(!ui(*fiche).iTe->pixmap().isNull());
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::rienAcquis);
    }

    void dureeTapeePuisPlus_data() { lignesParUnite(); }
    void dureeTapeePuisPlus()
    {
        QFETCH(int32_t, type);
        auto fiche = ouvre(type);
        tape(ui(*fiche).CBDureeTotale, QStringLiteral("7 ms"));
        QTest::mouseClick(ui(*fiche).SBDureeTotalePlus, Qt::LeftButton);
        // The first list value above 7 ms, as the driver rounds it.
        QVERIFY2(std::fabs(fiche->SP5->dureeTotale0X - 0.01) < 0.01 * 0.002,
                 qPrintable(QString::number(fiche->SP5->dureeTotale0X)));
        QCOMPARE(ui(*fiche).CBDureeTotale->currentText(), qs(formatValeur(3, styleIngenieur, 0.01L) + "s"));
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::reglageModifie);
        QVERIFY(ui(*fiche).SBNouveau->isEnabled());
        // Leaving the box afterwards changes nothing more.
        const double duree = fiche->SP5->dureeTotale0X;
        quitte(*fiche);
        QCOMPARE(fiche->SP5->dureeTotale0X, duree);
        QVERIFY(messages.empty());

        // With an item selected, "+" and "-" step through the list and stop
        // at its ends.
        const int dernier = ui(*fiche).CBDureeTotale->count() - 1;
        choisitDansListe(ui(*fiche).CBDureeTotale, dernier - 1);
        QTest::mouseClick(ui(*fiche).SBDureeTotalePlus, Qt::LeftButton);
        QCOMPARE(ui(*fiche).CBDureeTotale->currentIndex(), dernier);
        QTest::mouseClick(ui(*fiche).SBDureeTotalePlus, Qt::LeftButton);
        QCOMPARE(ui(*fiche).CBDureeTotale->currentIndex(), dernier);
        QCOMPARE(ui(*fiche).CBDureeTotale->currentText(), texteDureeAttendu(*fiche));
        choisitDansListe(ui(*fiche).CBDureeTotale, 1);
        QTest::mouseClick(ui(*fiche).SBDureeTotaleMoins, Qt::LeftButton);
        QTest::mouseClick(ui(*fiche).SBDureeTotaleMoins, Qt::LeftButton);
        // The shortest durations need more than the unit's fastest interval
        // with 1001 points: the list shows what the driver made of them.
        QCOMPARE(ui(*fiche).CBDureeTotale->currentText(), texteDureeAttendu(*fiche));
        if (type == kSysamSP5)
            QCOMPARE(ui(*fiche).CBDureeTotale->currentIndex(), 0);

        // Points: a typed 1500 and "-" give the list value below.
        choisitDansListe(ui(*fiche).CBDureeTotale, ui(*fiche).CBDureeTotale->findText(qs(formatValeur(3, styleIngenieur, 0.1L) + "s")));
        tape(ui(*fiche).CBNbPoints, QStringLiteral("1500"));
        QTest::mouseClick(ui(*fiche).SBNbPointsMoins, Qt::LeftButton);
        QCOMPARE(fiche->SP5->nbPtsAffX, int64_t(1001));
        QCOMPARE(ui(*fiche).CBNbPoints->currentText(), QStringLiteral("1001"));
        QVERIFY(messages.empty());
    }

    void dureeTropLongueBornee_data() { lignesParUnite(); }
    void dureeTropLongueBornee()
    {
        QFETCH(int32_t, type);
        auto fiche = ouvre(type);
        tape(ui(*fiche).CBDureeTotale, QStringLiteral("5000 s"));
        quitte(*fiche);
        QVERIFY(messages.empty());
        // 3600 s asked of the driver, as it rounds it.
        QVERIFY2(std::fabs(fiche->SP5->dureeTotale0X - 3600) < 3600 * 0.002,
                 qPrintable(QString::number(fiche->SP5->dureeTotale0X)));
        // The box mirrors what the driver made of it.
        QCOMPARE(ui(*fiche).CBDureeTotale->currentText(), texteDureeAttendu(*fiche));
        QCOMPARE(ui(*fiche).CBNbPoints->currentText(), QString::number(fiche->SP5->nbPtsAffX));
    }

    void saisiesIllisibles_data() { lignesParUnite(); }
    void saisiesIllisibles()
    {
        QFETCH(int32_t, type);
        auto fiche = ouvre(type);
        TCentrale& c = *fiche->SP5;
        const double duree = c.dureeTotale0X;
        const int64_t points = c.nbPtsAffX;
        const int64_t acquis = c.nbPts0X;
        const QString texteDuree = ui(*fiche).CBDureeTotale->currentText();

        tape(ui(*fiche).CBDureeTotale, QStringLiteral("abc"));
        quitte(*fiche);
        QCOMPARE(messages.size(), size_t(1));
        QCOMPARE(messages[0].icone, gv::TIconeMessage::Information);
        QCOMPARE(messages[0].texte, QStringLiteral("Valeur de durée totale incorrecte. Veuillez rectifier."));
        QCOMPARE(c.dureeTotale0X, duree);
        QCOMPARE(ui(*fiche).CBDureeTotale->currentText(), texteDuree);

        for (const QString& texte : {QStringLiteral("12a"), QStringLiteral("1,5"), QString()}) {
            messages.clear();
            tape(ui(*fiche).CBNbPoints, texte);
            quitte(*fiche);
            QCOMPARE(messages.size(), size_t(1));
            QCOMPARE(messages[0].texte, QStringLiteral("Le nombre de points saisi est incorrect. Veuillez rectifier."));
            QCOMPARE(c.nbPtsAffX, points);
            QCOMPARE(c.nbPts0X, acquis);
            QCOMPARE(ui(*fiche).CBNbPoints->currentText(), QString::number(points));
        }

        // The threshold box, usable with the threshold trigger.
        choisitDansListe(ui(*fiche).CBTypeDeclenchement, kDeclSeuil);
        QVERIFY(ui(*fiche).EditUSeuilDecl->isEnabled());
        tape(ui(*fiche).EditUSeuilDecl, QStringLiteral("1"));
        quitte(*fiche);
        messages.clear();
        tape(ui(*fiche).EditUSeuilDecl, QStringLiteral("v1"));
        quitte(*fiche);
        QCOMPARE(messages.size(), size_t(1));
        QCOMPARE(messages[0].texte, QStringLiteral("La valeur du seuil de déclenchement comporte une erreur de saisie."));
        QCOMPARE(c.USeuilDecl, 1.0f);
        QCOMPARE(ui(*fiche).EditUSeuilDecl->text(), texteSeuil(1.0f));
        // Enter applies a typed threshold too.
        tape(ui(*fiche).EditUSeuilDecl, QStringLiteral("500m"));
        QTest::keyClick(ui(*fiche).EditUSeuilDecl, Qt::Key_Return);
        quitte(*fiche);
        QVERIFY(std::fabs(c.USeuilDecl - 0.5f) < 1e-6f);
    }

    void seuilSuitLeCalibre_data()
    {
        QTest::addColumn<int32_t>("type");
        QTest::addColumn<int>("calibre");   // of the trigger input
        QTest::addColumn<QString>("tape");
        QTest::addColumn<float>("seuil");   // 90 % of that calibre
        QTest::addColumn<int>("calibrePlusGrand");
        for (int32_t type : unitesSimulees()) {
            switch (type) {
            case kSysamSP5: // ±10, ±5, ±1, ±0.2 V
                QTest::newRow("SP5 5 V") << type << 1 << QStringLiteral("9") << 4.5f << 0;
                QTest::newRow("SP5 0,2 V") << type << 3 << QStringLiteral("-1") << -0.18f << 2;
                break;
            case kSysamV6: // ±25, ±10, ±5, ±1 V
                QTest::newRow("V6 5 V") << type << 2 << QStringLiteral("9") << 4.5f << 1;
                break;
            default: // ±30, ±15, ±10, ±1 V
                QTest::newRow("CAMPUS 10 V") << type << 2 << QStringLiteral("12") << 9.0f << 0;
                break;
            }
        }
    }
    void seuilSuitLeCalibre()
    {
        QFETCH(int32_t, type);
        QFETCH(int, calibre);
        QFETCH(QString, tape);
        QFETCH(float, seuil);
        QFETCH(int, calibrePlusGrand);
        auto fiche = ouvre(type);
        TCentrale& c = *fiche->SP5;
        cliqueItem(ui(*fiche).voies[0].calibre, calibre);
        QCOMPARE(c.VoiesX[0].idxCalibreUt, calibre);
        choisitDansListe(ui(*fiche).CBTypeDeclenchement, kDeclSeuil);
        TestPanneaux::tape(ui(*fiche).EditUSeuilDecl, tape);
        quitte(*fiche);
        QVERIFY(messages.empty());
        QCOMPARE(c.USeuilDecl, seuil);
        QCOMPARE(ui(*fiche).EditUSeuilDecl->text(), texteSeuil(seuil));
        // A larger calibre keeps the threshold.
        cliqueItem(ui(*fiche).voies[0].calibre, calibrePlusGrand);
        QCOMPARE(c.USeuilDecl, seuil);
        QCOMPARE(ui(*fiche).EditUSeuilDecl->text(), texteSeuil(seuil));
        // The smallest one limits it again.
        const int plusPetit = c.nbCalEAGV - 1;
        cliqueItem(ui(*fiche).voies[0].calibre, plusPetit);
        const float limite = 0.9f * c.calibresEAStandard[size_t(plusPetit)];
        QCOMPARE(c.USeuilDecl, std::copysign(std::min(std::fabs(seuil), limite), seuil));
        QCOMPARE(ui(*fiche).EditUSeuilDecl->text(), texteSeuil(c.USeuilDecl));
    }

    void modeDifferentielCanal0()
    {
        auto fiche = ouvre(kSysamSP5);
        TCentrale& c = *fiche->SP5;
        QVERIFY(ui(*fiche).CBModeDiff[0]->isVisibleTo(ui(*fiche).ContenuVoies));
        clique(ui(*fiche).voies[4].active);
        QVERIFY(c.VoiesX[4].active);
        QVERIFY(ui(*fiche).voies[4].calibre->isEnabled());
        choisitDansListe(ui(*fiche).CBTypeDeclenchement, kDeclSeuil);
        QCOMPARE(ui(*fiche).CBVoieSynchro->count(), 2);
        QVERIFY(ui(*fiche).CBVoieSynchro->isEnabled());
        // Input 4 the trigger channel, then the channel made differential.
        choisitDansListe(ui(*fiche).CBVoieSynchro, 1);
        QCOMPARE(c.voieSynchro, 4);
        clique(ui(*fiche).CBModeDiff[0]);
        QVERIFY(c.canauxDiff[0]);
        QVERIFY(!ui(*fiche).voies[4].active->isEnabled());
        QVERIFY(!ui(*fiche).voies[4].calibre->isEnabled());
        QCOMPARE(ui(*fiche).CBVoieSynchro->count(), 1);
        QCOMPARE(ui(*fiche).CBVoieSynchro->itemText(0), qs(c.sEntrees[0]));
        QVERIFY(!ui(*fiche).CBVoieSynchro->isEnabled());
        QCOMPARE(c.voieSynchro, 0);
        QCOMPARE(ui(*fiche).CBVoieSynchro->currentIndex(), 0);
        // The end of a run keeps the partner disabled.
        fiche->controleur().desactiveComposantsAcqSimple();
        fiche->controleur().activeComposantsAcqSimple();
        QVERIFY(!ui(*fiche).voies[4].active->isEnabled());
        QVERIFY(ui(*fiche).voies[0].active->isEnabled());
        // Back to single-ended: input 4 is usable and listed again.
        clique(ui(*fiche).CBModeDiff[0]);
        QVERIFY(!c.canauxDiff[0]);
        QVERIFY(ui(*fiche).voies[4].active->isEnabled());
        QCOMPARE(ui(*fiche).CBVoieSynchro->count(), 2);
    }

    void listeDeVoieSynchroDansLOrdreDesEntrees_data() { lignesParUnite(); }
    void listeDeVoieSynchroDansLOrdreDesEntrees()
    {
        QFETCH(int32_t, type);
        auto fiche = ouvre(type);
        TCentrale& c = *fiche->SP5;
        clique(ui(*fiche).voies[0].active);
        clique(ui(*fiche).voies[1].active);
        clique(ui(*fiche).voies[2].active);
        choisitDansListe(ui(*fiche).CBTypeDeclenchement, kDeclSeuil);
        QCOMPARE(ui(*fiche).CBVoieSynchro->count(), 2);
        QCOMPARE(ui(*fiche).CBVoieSynchro->itemText(1), qs(c.sEntrees[2]));
        choisitDansListe(ui(*fiche).CBVoieSynchro, 1);
        QCOMPARE(c.voieSynchro, 2);
        QCOMPARE(ui(*fiche).CBVoieSynchro->currentIndex(), 1);
        // The trigger input switched off: the first one left takes over.
        clique(ui(*fiche).voies[2].active);
        QCOMPARE(ui(*fiche).CBVoieSynchro->count(), 1);
        QCOMPARE(c.voieSynchro, 1);
    }

    void manuelPuisSeuilUnPointDePlus_data() { lignesParUnite(); }
    void manuelPuisSeuilUnPointDePlus()
    {
        QFETCH(int32_t, type);
        auto fiche = ouvre(type);
        TCentrale& c = *fiche->SP5;
        const int64_t affiches = c.nbPtsAffX;
        QCOMPARE(c.nbPts0X, affiches);
        choisitDansListe(ui(*fiche).CBTypeDeclenchement, kDeclSeuil);
        QCOMPARE(c.modeDecl, int32_t(kDeclSeuil));
        QCOMPARE(c.nbPtsAffX, affiches);
        QCOMPARE(c.nbPts0X, affiches + 1);
        QCOMPARE(fiche->mesures.tv2.at(size_t(fiche->mesures.nbVoiesMesurees)).size(), size_t(affiches + 1));
        QVERIFY(ui(*fiche).RGSensDeclenchement->isEnabled());
        QVERIFY(ui(*fiche).EditUSeuilDecl->isEnabled());
        QVERIFY(ui(*fiche).CBPretrigX->isEnabled());
        cliqueItem(ui(*fiche).RGSensDeclenchement, 1);
        QCOMPARE(c.sensDeclSeuil, 1);
        choisitDansListe(ui(*fiche).CBTypeDeclenchement, kDeclImmediat);
        QCOMPARE(c.nbPts0X, affiches);
        QVERIFY(!ui(*fiche).RGSensDeclenchement->isEnabled());
        QVERIFY(!ui(*fiche).CBPretrigX->isEnabled());
        // The external trigger: its edge only where the unit can choose it.
        choisitDansListe(ui(*fiche).CBTypeDeclenchement, kDeclExterne);
        QCOMPARE(ui(*fiche).RGSensDeclenchement->isEnabled(), c.chxSensDeclExterne);
        QVERIFY(!ui(*fiche).EditUSeuilDecl->isEnabled());
        QVERIFY(!ui(*fiche).CBVoieSynchro->isEnabled());
    }

    void pretrigAuDelaDeLaLimite_data() { lignesParUnite(); }
    void pretrigAuDelaDeLaLimite()
    {
        QFETCH(int32_t, type);
        auto fiche = ouvre(type);
        TCentrale& c = *fiche->SP5;
        QCOMPARE(double(fiche->reglages.tMaxPretrigDispo), 5.0);
        choisitDansListe(ui(*fiche).CBTypeDeclenchement, kDeclSeuil);
        choisitDansListe(ui(*fiche).CBPretrigX, 2);
        QCOMPARE(c.idxPretrig, 2);
        tape(ui(*fiche).CBDureeTotale, QStringLiteral("10 s"));
        quitte(*fiche);
        QVERIFY(c.dureeTotale0X > 5.0);
        QVERIFY(!ui(*fiche).CBPretrigX->isEnabled());
        QCOMPARE(ui(*fiche).CBPretrigX->currentIndex(), 0);
        QCOMPARE(ui(*fiche).CBPretrigX->currentText(), QStringLiteral("0 %"));
        QCOMPARE(c.idxPretrig, 0);
        tape(ui(*fiche).CBDureeTotale, QStringLiteral("1 s"));
        quitte(*fiche);
        QVERIFY(ui(*fiche).CBPretrigX->isEnabled());
    }

    // A number of points the unit refuses (below its minimum): the box, the
    // screen and the measurements all keep the unit's own count.
    void pointsRefusesParLaCentrale()
    {
        auto fiche = ouvre(kSysamSP5);
        TCentrale& c = *fiche->SP5;
        tape(ui(*fiche).CBNbPoints, QStringLiteral("10"));
        // The list completes "10" into "1001": the user deletes the rest.
        QTest::keyClick(ui(*fiche).CBNbPoints->lineEdit(), Qt::Key_Delete);
        QCOMPARE(ui(*fiche).CBNbPoints->currentText(), QStringLiteral("10"));
        quitte(*fiche);
        QVERIFY(messages.empty());
        QCOMPARE(ui(*fiche).CBNbPoints->currentText(), QString::number(c.nbPtsAffX));
        QCOMPARE(c.nbPtsAffX, c.nbPts0X); // manual trigger: every point acquired is shown
        QCOMPARE(fiche->ecran().geometrie.vue.nbPtsAffX, c.nbPtsAffX);
        QTest::mouseClick(ui(*fiche).BAcquisition, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(fiche->modeGeneral(), TModeGeneral::acquisitionFinie, 3000);
        QCOMPARE(fiche->mesures.nbPtsAX, c.nbPtsAffX);
        QCOMPARE(int64_t(fiche->mesures.tv2[0].size()), c.nbPtsAffX);
    }

    // A zero or negative duration is the unit's shortest one, without a message.
    void dureeNulleOuNegativeBornee()
    {
        auto fiche = ouvre(kSysamSP5);
        TCentrale& c = *fiche->SP5;
        // Below the shortest duration: the shortest, as the driver makes it.
        tape(ui(*fiche).CBDureeTotale, QStringLiteral("1 ns"));
        quitte(*fiche);
        const double plusCourte = c.dureeTotale0X;
        QVERIFY(plusCourte >= c.dureeMin && plusCourte < 1e-3);
        for (const QString& texte : {QStringLiteral("0"), QStringLiteral("-5 ms")}) {
            tape(ui(*fiche).CBDureeTotale, QStringLiteral("1 s"));
            quitte(*fiche);
            tape(ui(*fiche).CBDureeTotale, texte);
            quitte(*fiche);
            QVERIFY2(messages.empty(), qPrintable(texte));
            QCOMPARE(c.dureeTotale0X, plusCourte);
            QCOMPARE(ui(*fiche).CBDureeTotale->currentText(), texteDureeAttendu(*fiche));
        }
    }

    // Switching to a trigger draws the pre-trigger mark at once.
    void repereDuPretrigAuChangementDeDeclenchement_data()
    {
        QTest::addColumn<int>("typeDecl");
        QTest::newRow("sur seuil") << int(kDeclSeuil);
        QTest::newRow("externe") << int(kDeclExterne);
    }
    void repereDuPretrigAuChangementDeDeclenchement()
    {
        QFETCH(int, typeDecl);
        auto fiche = ouvre(kSysamSP5);
        fiche->resize(1060, 725);
        fiche->redimensionnement();
        const TGeometrieEcran& g = fiche->ecran().geometrie;
        // Red pixels of the screen's graph in the column of the mark.
        auto rouges = [&] {
            const QImage& image = fiche->ecran().iEcranX;
            const int x = g.xe(fiche->SP5->tPretrig);
            int n = 0;
            for (int y = g.mSup; y < g.mSup + g.hauG; ++y)
                n += image.pixelColor(x, y) == QColor(255, 0, 0);
            return n;
        };
        const int avant = rouges();
        choisitDansListe(ui(*fiche).CBTypeDeclenchement, typeDecl);
        QCOMPARE(fiche->SP5->modeDecl, typeDecl);
        QVERIFY2(rouges() > avant + g.hauG / 4, qPrintable(QStringLiteral("%1 -> %2").arg(avant).arg(rouges())));
    }

    // The wheel over the channel panel scrolls it by its height div 20 per step.
    void moletteSurLePanneauDesVoies()
    {
        auto fiche = ouvre(kSysamSP5);
        fiche->resize(1060, 725);
        fiche->redimensionnement();
        // Controls taller than the panel (large fonts, say): the box scrolls.
        ui(*fiche).ContenuVoies->setMinimumHeight(3 * ui(*fiche).PanelVoies->height());
        QScrollArea* boite = ui(*fiche).ScrollBoxVoies;
        QScrollBar* barre = boite->verticalScrollBar();
        QVERIFY2(barre->maximum() > 0, "the channel panel does not scroll at this size");
        const int pas = ui(*fiche).PanelVoies->height() / 20;
        barre->setValue(barre->maximum());
        const QPoint point(10, 10);
        for (int crans : {1, -1, 2}) {
            const int avant = barre->value();
            QWheelEvent molette(point, boite->viewport()->mapToGlobal(point), QPoint(), QPoint(0, 120 * crans),
                                Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(boite->viewport(), &molette);
            QCOMPARE(barre->value(), std::clamp(avant - crans * pas, 0, barre->maximum()));
        }
    }

    // The channel panel's caption lies behind its controls; it is no hint
    // that pops up over every control without one of its own.
    void legendeDuPanneauDesVoies()
    {
        auto fiche = ouvre(kSysamSP5);
        const QString patience = QStringLiteral("La patience est la clé du paradis...");
        QFrame* panneau = ui(*fiche).PanelVoies;
        QVERIFY(panneau->toolTip().isEmpty());
        QLabel* egal = nullptr;
        for (QLabel* l : panneau->findChildren<QLabel*>())
            if (l->text() == QStringLiteral("=") && l->isVisible())
                egal = l;
        QVERIFY(egal && egal->toolTip().isEmpty());
        QHelpEvent aide(QEvent::ToolTip, QPoint(1, 1), egal->mapToGlobal(QPoint(1, 1)));
        QApplication::sendEvent(egal, &aide);
        QVERIFY(QToolTip::text() != patience);
        QToolTip::hideText();
        auto* legende = panneau->findChild<QLabel*>(QStringLiteral("LPatience"));
        QVERIFY(legende);
        QCOMPARE(legende->text(), patience);
    }

    void derniereEntreeDesactiveePendantUneAcquisition()
    {
        auto fiche = ouvre(kSysamSP5);
        tape(ui(*fiche).CBDureeTotale, QStringLiteral("2 s"));
        quitte(*fiche);
        bool pendantLaMesure = false;
        QTimer::singleShot(200, fiche.get(), [&] {
            pendantLaMesure = fiche->modeGeneral() == TModeGeneral::acquisitionEnCours;
            // The activation boxes are disabled during a run; the panel's
            // operation is what the pending change would run.
            QVERIFY(!ui(*fiche).voies[0].active->isEnabled());
            fiche->controleur().activationVoie(0, false);
        });
        QElapsedTimer chrono;
        chrono.start();
        QTest::mouseClick(ui(*fiche).BAcquisition, Qt::LeftButton);
        QVERIFY(pendantLaMesure);
        QVERIFY(chrono.elapsed() < 1500);
        // Ended the normal way: state 2, the window usable again, no warning.
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::acquisitionFinie);
        QCOMPARE(ui(*fiche).BAcquisition->text(), QStringLiteral("Démarrer l'acquisition"));
        QVERIFY(ui(*fiche).CBDureeTotale->isEnabled());
        QVERIFY(ui(*fiche).voies[0].active->isEnabled());
        QVERIFY(!ui(*fiche).voies[0].active->isChecked());
        QVERIFY(messages.empty());
    }

    void acquisitionPrecedente()
    {
        auto fiche = ouvre(kSysamSP5);
        TCentrale& c = *fiche->SP5;
        tape(ui(*fiche).CBDureeTotale, QStringLiteral("50 ms"));
        quitte(*fiche);
        QTest::mouseClick(ui(*fiche).BAcquisition, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(fiche->modeGeneral(), TModeGeneral::acquisitionFinie, 3000);
        QVERIFY(fiche->mesures.nbVoiesMesurees > 0);
        QVERIFY(!ui(*fiche).BAcquisitionPrecedente->isEnabled());
        QVERIFY(ui(*fiche).CBAjouterCourbes->isEnabled());
        const int mesurees = fiche->mesures.nbVoiesMesurees;
        const std::vector<float> courbe = fiche->mesures.tv2[0];
        QTest::mouseClick(ui(*fiche).SBDureeTotalePlus, Qt::LeftButton);
        QVERIFY(c.dureeTotale0X > 0.06);
        // The measurement stays until a run that does not add to it.
        QCOMPARE(fiche->mesures.nbVoiesMesurees, mesurees);
        QVERIFY(fiche->mesures.tv2[0] == courbe);
        QVERIFY(ui(*fiche).BAcquisitionPrecedente->isEnabled());
        QVERIFY(!ui(*fiche).CBAjouterCourbes->isEnabled());
        QTest::mouseClick(ui(*fiche).BAcquisitionPrecedente, Qt::LeftButton);
        QVERIFY(std::fabs(c.dureeTotale0X - 0.05) < 1e-9);
        QCOMPARE(ui(*fiche).CBDureeTotale->currentText(), texteDureeAttendu(*fiche));
        QVERIFY(!ui(*fiche).BAcquisitionPrecedente->isEnabled());
        QVERIFY(ui(*fiche).CBAjouterCourbes->isEnabled());
    }

    // After a threshold-triggered run, "Acquisition précédente" gives back
    // the displayed count and its interval, so curves can be added again.
    void acquisitionPrecedenteApresUnDeclenchementSurSeuil_data() { lignesParUnite(); }
    void acquisitionPrecedenteApresUnDeclenchementSurSeuil()
    {
        QFETCH(int32_t, type);
        auto fiche = ouvre(type);
        TCentrale& c = *fiche->SP5;
        tape(ui(*fiche).CBDureeTotale, QStringLiteral("50 ms"));
        quitte(*fiche);
        choisitDansListe(ui(*fiche).CBTypeDeclenchement, kDeclSeuil);
        const int64_t affiches = c.nbPtsAffX;
        const double dt = c.dt0X;
        QCOMPARE(c.nbPts0X, affiches + 1);
        QTest::mouseClick(ui(*fiche).BAcquisition, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(fiche->modeGeneral(), TModeGeneral::acquisitionFinie, 3000);
        QVERIFY(ui(*fiche).CBAjouterCourbes->isEnabled());
        QTest::mouseClick(ui(*fiche).SBDureeTotalePlus, Qt::LeftButton);
        QVERIFY(ui(*fiche).BAcquisitionPrecedente->isEnabled());
        QTest::mouseClick(ui(*fiche).BAcquisitionPrecedente, Qt::LeftButton);
        QCOMPARE(c.nbPtsAffX, affiches);
        QCOMPARE(c.nbPts0X, affiches + 1);
        QCOMPARE(c.dt0X, dt);
        QCOMPARE(ui(*fiche).CBNbPoints->currentText(), QString::number(affiches));
        QVERIFY(ui(*fiche).CBAjouterCourbes->isEnabled());
        QVERIFY(!ui(*fiche).BAcquisitionPrecedente->isEnabled());
    }

    void changementDeCentrale()
    {
        auto fiche = ouvre(kSysamV6);
        choisitDansListe(ui(*fiche).CBTypeDeclenchement, kDeclSeuil);
        tape(ui(*fiche).EditUSeuilDecl, QStringLiteral("3"));
        quitte(*fiche);
        choisitDansListe(ui(*fiche).CBTypeDeclenchement, kDeclImmediat);
        QTest::mouseClick(ui(*fiche).BAcquisition, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(fiche->modeGeneral(), TModeGeneral::acquisitionFinie, 3000);
        QVERIFY(fiche->mesures.nbVoiesMesurees > 0);
        QCOMPARE(ui(*fiche).SBCentrales_.size(), size_t(3));
        QTest::mouseClick(ui(*fiche).SBCentrales_[0], Qt::LeftButton);
        QCOMPARE(fiche->typeCentraleActive, int32_t(kSysamSP5));
        // The V6's curves, threshold and trigger channel are gone; the panels
        // show the SP5's default state.
        QCOMPARE(fiche->mesures.nbVoiesMesurees, 0);
        QCOMPARE(ui(*fiche).EditUSeuilDecl->text(), texteSeuil(fiche->SP5->USeuilDecl));
        QCOMPARE(ui(*fiche).CBVoieSynchro->count(), 1);
        QCOMPARE(ui(*fiche).CBVoieSynchro->itemText(0), qs(fiche->SP5->sEntrees[0]));
        QCOMPARE(ui(*fiche).voies[0].calibre->count(), fiche->SP5->nbCalEAGV);
        QVERIFY(ui(*fiche).CBModeDiff[0]->isVisibleTo(ui(*fiche).ContenuVoies));
        QCOMPARE(ui(*fiche).CBDureeTotale->currentText(), texteDureeAttendu(*fiche));
    }

    // While the permanent mode runs, each change of a setting waits: it is
    // recorded, the read loop is asked to end its frame, nothing reaches the
    // driver; between two frames the frame loop applies it.
    void modePermanentEnregistreLesChangements()
    {
        auto fiche = ouvre(kSysamSP5);
        TCentrale& c = *fiche->SP5;
        clique(ui(*fiche).CBModePermanent);
        QVERIFY(fiche->controleur().modePermanent);
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::permanentArrete);
        QCOMPARE(ui(*fiche).GBDeclenchement->title(), QStringLiteral("Synchronisation"));
        QCOMPARE(ui(*fiche).CBTypeDeclenchement->itemText(0), QStringLiteral("aucune"));
        // Running: each change is recorded, nothing reaches the driver.
        fiche->setModeGeneral(TModeGeneral::permanentEnCours);
        const double duree = c.dureeTotale0X;
        const int64_t points = c.nbPtsAffX;
        struct Cas {
            std::function<void()> geste;
            TTypeSortieMP code;
            std::function<bool()> applique; // the change has reached the driver
        };
        const Cas cas[] = {
            {[&] { clique(ui(*fiche).voies[1].active); }, TTypeSortieMP::activationVoie,
             [&] { return c.VoiesX[1].active; }},
            {[&] { cliqueItem(ui(*fiche).voies[0].calibre, 2); }, TTypeSortieMP::calibre,
             [&] { return c.VoiesX[0].idxCalibreUt == 2; }},
            {[&] { QTest::mouseClick(ui(*fiche).SBNbPointsPlus, Qt::LeftButton); }, TTypeSortieMP::nbPoints,
             [&] { return c.nbPtsAffX > points; }},
            {[&] { QTest::mouseClick(ui(*fiche).SBDureeTotalePlus, Qt::LeftButton); }, TTypeSortieMP::dureeTotale,
             [&] { return c.dureeTotale0X > duree; }},
            {[&] { clique(ui(*fiche).CBModeDiff[1]); }, TTypeSortieMP::modeDiff, [&] { return c.canauxDiff[1]; }},
            {[&] { choisitDansListe(ui(*fiche).CBTypeDeclenchement, 1); }, TTypeSortieMP::typeDeclenchement,
             [&] { return c.modeDecl == kDeclSeuil; }},
        };
        for (const Cas& k : cas) {
            fiche->drapeaux.nouveauxParametres = false;
            k.geste();
            QCOMPARE(fiche->drapeaux.typeSortieMP, k.code);
            QVERIFY(fiche->drapeaux.nouveauxParametres);
            QVERIFY(!k.applique());
            fiche->controleur().appliqueEnAttente();
            QVERIFY(k.applique());
        }
        QCOMPARE(c.VoiesX[0].idxCalibreUt, 2);
        QVERIFY(c.VoiesX[1].active);
        // The box unchecked while slow frames run: the mode ends now.
        fiche->controleur().modeBalayage = 0;
        clique(ui(*fiche).CBModePermanent);
        QCOMPARE(fiche->drapeaux.typeSortieMP, TTypeSortieMP::arretUtilisateur);
        QCOMPARE(fiche->modeGeneral(), TModeGeneral::permanentArrete);
        QVERIFY(!fiche->controleur().modePermanent);
        QCOMPARE(ui(*fiche).GBDeclenchement->title(), QStringLiteral("Déclenchement"));
        fiche->setModeGeneral(TModeGeneral::acquisitionFinie);
    }

    void valeursDirectes()
    {
        auto fiche = ouvre(kSysamSP5);
        clique(ui(*fiche).voies[2].active);
        fiche->controleur().TimerAcqDirTimer();
        const QRegularExpression forme(QStringLiteral("^  -?[0-9]+([.,][0-9]+)? [mµ]?V$"));
        for (int v : {0, 2})
            QVERIFY2(forme.match(ui(*fiche).voies[size_t(v)].valeur->text()).hasMatch(),
                     qPrintable(ui(*fiche).voies[size_t(v)].valeur->text()));
        QVERIFY(ui(*fiche).voies[1].valeur->text().isEmpty());
        // Deactivated: its box is cleared.
        clique(ui(*fiche).voies[2].active);
        QVERIFY(ui(*fiche).voies[2].valeur->text().isEmpty());

        // Unplugged: the boxes are cleared and the presence poll restarts.
        void* bibliotheque = ::dlopen(fiche->cheminsDLLCentrales[0].c_str(), RTLD_NOW);
        QVERIFY(bibliotheque);
        auto branche = reinterpret_cast<void (*)(int32_t)>(::dlsym(bibliotheque, "SimSP5_Branche"));
        QVERIFY(branche);
        branche(0);
        fiche->controleur().TimerAcqDirTimer();
        QVERIFY(ui(*fiche).voies[0].valeur->text().isEmpty());
        QVERIFY(fiche->TimerPresenceSP5.isActive());
        branche(1);
        fiche.reset();
        ::dlclose(bibliotheque);
    }

    void reductionDesPanneaux()
    {
        auto fiche = ouvre(kSysamSP5);
        fiche->resize(1060, 725);
        fiche->redimensionnement();
        const int hauteur = ui(*fiche).PanelVoies->height();
        const int largeur = ui(*fiche).panelParametres->width();
        QTest::mouseClick(ui(*fiche).SBReduirePVoies, Qt::LeftButton);
        QVERIFY(ui(*fiche).PanelVoies->height() < hauteur / 5);
        QVERIFY(!ui(*fiche).ScrollBoxVoies->isVisible());
        QTest::mouseClick(ui(*fiche).SBReduirePParametres, Qt::LeftButton);
        QVERIFY(ui(*fiche).panelParametres->width() < largeur / 5);
        QVERIFY(!ui(*fiche).ScrollBoxParametres->isVisible());
        QTest::mouseClick(ui(*fiche).SBReduirePVoies, Qt::LeftButton);
        QTest::mouseClick(ui(*fiche).SBReduirePParametres, Qt::LeftButton);
        QCOMPARE(ui(*fiche).PanelVoies->height(), hauteur);
        QCOMPARE(ui(*fiche).panelParametres->width(), largeur);
        QVERIFY(ui(*fiche).ScrollBoxVoies->isVisible());
        // A resize is laid out once, after the user stops.
        fiche->resize(900, 650);
        QVERIFY(fiche->TimerRedimGene.isActive());
        QTRY_VERIFY(!fiche->TimerRedimGene.isActive());
        QCOMPARE(ui(*fiche).PanelVoies->width(), fiche->width() - ui(*fiche).panelParametres->width() - 6);
    }
};

int main(int argc, char* argv[])
{
    racineTest = testgv::prepareEnvironnement("panneaux");
    QApplication application(argc, argv);
    TestPanneaux test;
    const int resultat = QTest::qExec(&test, argc, argv);
    fs::remove_all(racineTest);
    return resultat;
}

#include "test_panneaux.moc"
