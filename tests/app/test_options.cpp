// The options without their dialog: editing the defaults, the REGRESSI
// version, the colours and the five steps of "Appliquer", on an SP5.
#include "EnvironnementTest.h"
#include "OutilsOptions.h"
#include "app/OptionsGV.h"
#include "app/ReglagesGV.h"
#include "drivers/sp5/TSP5.h"
#include "export/CheminREGRESSI.h"
#include "platform/Systeme.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

namespace fs = std::filesystem;
using namespace gv;

namespace {

using testgv::creeFichier;
using testgv::kSansBibliotheque;

class Options : public ::testing::Test {
protected:
    void SetUp() override
    {
        racine = testgv::prepareEnvironnement("options");
        reglages.clsV0 = couleursDefaut();
        reglages.clsVX = reglages.clsV0;
        options.FormShow();
    }
    void TearDown() override { fs::remove_all(racine); }
    fs::path wine() const { return fs::path(racine) / "home/.wine/drive_c"; }

    std::string racine;
    TSP5 unite {kSansBibliotheque, 1};
    TReglagesGV reglages;
    TOptionsGV options {reglages, unite};
    THoteOptionsEspion hote;
};

TEST_F(Options, ListesDeLaCentrale)
{
    ASSERT_EQ(options.dureeTotale.items.size(), 30u);
    EXPECT_EQ(options.dureeTotale.items.front(), "1.00 µs");
    EXPECT_EQ(options.dureeTotale.items.back(), "3600 s");
    EXPECT_EQ(options.nbPoints.items.front(), "11");
    EXPECT_EQ(options.nbPoints.items.back(), "50001");
    // The pre-trigger limits are the durations from 1 s on.
    ASSERT_EQ(options.seuilPretrig.items.size(), 12u);
    EXPECT_EQ(options.seuilPretrig.items.front(), "1.00 s");
    EXPECT_EQ(options.seuilPretrig.items[2], "5.00 s");
    // The defaults 0.02 s, 1001 points and 5 s are list items.
    EXPECT_EQ(options.dureeTotale.texte, "20.0 ms");
    EXPECT_EQ(options.dureeTotale.index, 13);
    EXPECT_EQ(options.nbPoints.texte, "1001");
    EXPECT_EQ(options.seuilPretrig.index, 2);
    EXPECT_TRUE(options.pretrigVisible);
    unite.pretrigDispo = false;
    options.FormShow();
    EXPECT_FALSE(options.pretrigVisible);
}

TEST_F(Options, ErreursDeSaisieDeLaDuree)
{
    const struct {
        const char* texte;
        const char* message;
    } cas[] = {
        {"0.5 µs", "Valeur minimale admise: 1 µs"},
        {"0,5 µs", "Saisie incorrecte de la durée totale par défaut"},
        {"4000", "Valeur maximale admise: 3600 s"},
        {"-4000 s", "Valeur maximale admise: 3600 s"},
        {"-5 ms", "Valeur minimale admise: 1 µs"},
        {"0", "Valeur minimale admise: 1 µs"},
        {"abc", "Saisie incorrecte de la durée totale par défaut"},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(options.CBDureeTotaledftExit(c.texte), c.message) << c.texte;
        // The box returns to the current default, which did not change.
        EXPECT_DOUBLE_EQ(reglages.DureeTotaleDFT, 0.02) << c.texte;
        EXPECT_EQ(options.dureeTotale.texte, "20.00 ms") << c.texte;
        EXPECT_EQ(options.dureeTotale.index, -1) << c.texte;
    }
    // At the limits (the unit's fastest quantum is a single-precision 100 ns).
    EXPECT_EQ(options.CBDureeTotaledftExit("3600.0005"), "");
    EXPECT_NEAR(reglages.DureeTotaleDFT, 3600, 3600 * 1e-7);
    EXPECT_EQ(options.CBDureeTotaledftExit("1 µs"), "");
    EXPECT_NEAR(reglages.DureeTotaleDFT, 1e-6, 1e-6 * 1e-7);
}

TEST_F(Options, DureeEtPointsArrondisParLaCentrale)
{
    EXPECT_EQ(options.CBDureeTotaledftExit("7 ms"), "");
    EXPECT_NEAR(reglages.DureeTotaleDFT, 0.007, 0.007 * 1e-7);
    EXPECT_EQ(options.dureeTotale.index, -1);
    EXPECT_EQ(options.dureeTotale.texte, "7.000 ms");
    EXPECT_EQ(options.CBDureeTotaledftExit("50 ms"), "");
    EXPECT_EQ(options.dureeTotale.texte, "50.0 ms");
    // 1 µs in 1001 points cannot be: one point every 100 ns, 11 points.
    EXPECT_EQ(options.CBDureeTotaledftExit("1 µs"), "");
    EXPECT_NEAR(reglages.DureeTotaleDFT, 1e-6, 1e-6 * 1e-7);
    EXPECT_EQ(reglages.NbPtsDFT, 11);
    EXPECT_EQ(options.nbPoints.texte, "11");
    EXPECT_EQ(options.nbPoints.index, 0);

    EXPECT_EQ(options.CBDureeTotaledftExit("1 s"), "");
    EXPECT_EQ(options.CBNbPointsdftExit("100000"), "");
    EXPECT_EQ(reglages.NbPtsDFT, 50001);
    EXPECT_EQ(options.CBNbPointsdftExit("1000.5"), "");
    EXPECT_EQ(reglages.NbPtsDFT, 1000); // halves to even
    EXPECT_EQ(options.nbPoints.texte, "1000");
    EXPECT_EQ(options.nbPoints.index, -1);
    // An unreadable number changes nothing; an absurd one is limited.
    EXPECT_EQ(options.CBNbPointsdftExit("mille"), "Saisie incorrecte du nombre de points par défaut");
    EXPECT_EQ(reglages.NbPtsDFT, 1000);
    EXPECT_EQ(options.CBNbPointsdftExit("1e300"), "");
    EXPECT_EQ(reglages.NbPtsDFT, 50001);
}

TEST_F(Options, LeNombreDePointsParDefautResteCeluiAffiche)
{
    // With a threshold trigger one more point is acquired than displayed:
    // the default keeps the displayed count, typed again or not.
    unite.modeDecl = kDeclSeuil;
    for (int fois = 0; fois < 3; ++fois) {
        EXPECT_EQ(options.CBNbPointsdftExit("1001"), "");
        EXPECT_EQ(reglages.NbPtsDFT, 1001);
    }
    options.CBSeuilPretrigExit("2 s");
    EXPECT_EQ(reglages.NbPtsDFT, 1001);
}

TEST_F(Options, SeuilDuPretrig)
{
    options.CBSeuilPretrigExit("2 s");
    EXPECT_EQ(reglages.tMaxPretrigDispo, 2.0L);
    EXPECT_EQ(options.seuilPretrig.index, 1);
    options.CBSeuilPretrigExit("1,5 s ?");
    EXPECT_EQ(reglages.tMaxPretrigDispo, 2.0L);
    options.CBSeuilPretrigExit("30 s");
    EXPECT_EQ(options.seuilPretrig.index, -1);
    EXPECT_EQ(options.seuilPretrig.texte, "30.00 s");
    // Within 5 %: the list item.
    reglages.tMaxPretrigDispo = 5.2L;
    options.prepareIndexs();
    EXPECT_EQ(options.seuilPretrig.texte, "5.00 s");
    // "Valeur par défaut" takes 5 s, in the settings as well as in the box.
    options.CBSeuilPretrigExit("100 s");
    options.BtSeuilPretrigDefautClick();
    EXPECT_EQ(options.seuilPretrig.index, 2);
    EXPECT_EQ(reglages.tMaxPretrigDispo, 5.0L);
}

TEST_F(Options, PositionDesListes)
{
    reglages.DureeTotaleDFT = 0.0200000001;
    reglages.NbPtsDFT = 2001;
    options.prepareIndexs();
    EXPECT_EQ(options.dureeTotale.texte, "20.0 ms");
    EXPECT_EQ(options.nbPoints.texte, "2001");
    EXPECT_EQ(options.nbPoints.index, 7);
    reglages.DureeTotaleDFT = 0.0201;
    options.prepareIndexs();
    EXPECT_EQ(options.dureeTotale.index, -1);
    EXPECT_EQ(options.dureeTotale.texte, "20.10 ms");
}

TEST_F(Options, ParametresActuelsPuisAnnuler)
{
    unite.setDurees(0.05, 501, false);
    options.BParametresActuelsClick();
    EXPECT_DOUBLE_EQ(reglages.DureeTotaleDFT, unite.dureeTotale0X);
    EXPECT_DOUBLE_EQ(reglages.DureeTotaleDFT, 0.05);
    EXPECT_EQ(reglages.NbPtsDFT, 501);
    EXPECT_EQ(options.dureeTotale.texte, "50.0 ms");
    EXPECT_EQ(options.nbPoints.texte, "501");
    // The displayed count, also with a threshold trigger.
    unite.setModeDeclenchement(kDeclSeuil, false);
    unite.setDurees(0.05, 501, false);
    ASSERT_EQ(unite.nbPts0X, 502);
    options.BParametresActuelsClick();
    EXPECT_EQ(reglages.NbPtsDFT, 501);

    options.CBSeuilPretrigExit("10 s");
    options.BAnnulerClick();
    EXPECT_DOUBLE_EQ(reglages.DureeTotaleDFT, 0.02);
    EXPECT_EQ(reglages.NbPtsDFT, 1001);
    EXPECT_EQ(reglages.tMaxPretrigDispo, 5.0L);
}

TEST_F(Options, VersionDeREGRESSI)
{
    // Unchecking "par défaut" directly is refused.
    options.CBREGDEfautClick(false);
    EXPECT_TRUE(options.versionParDefaut);
    // A file chosen with "Changer" that does not exist puts "par défaut" back.
    options.BVersionRegressiClick((fs::path(racine) / "absent/REGRESSI.EXE").string());
    EXPECT_TRUE(options.versionParDefaut);
    EXPECT_EQ(options.cheminVersionREG, "");
    // An existing one is shown.
    const fs::path autre = fs::path(racine) / "REGRESSI 4/regressi.exe";
    creeFichier(autre);
    options.BVersionRegressiClick(autre.string());
    EXPECT_FALSE(options.versionParDefaut);
    EXPECT_EQ(options.cheminVersionREG, autre.string());
    // Nothing chosen: the file shown stays.
    options.BVersionRegressiClick("");
    EXPECT_EQ(options.cheminVersionREG, autre.string());
    options.CBREGDEfautClick(false);
    EXPECT_TRUE(options.versionParDefaut);
    // Checking "par défaut" clears the path.
    options.BVersionRegressiClick(autre.string());
    options.CBREGDEfautClick(true);
    EXPECT_TRUE(options.versionParDefaut);
    EXPECT_EQ(options.cheminVersionREG, "");
    // Nothing of this reached the settings.
    EXPECT_TRUE(reglages.versionRegressiDefaut);
    EXPECT_EQ(reglages.cheminREGRESSINonDefautX, "");
}

TEST_F(Options, VersionParDefautSeulementQuandREGRESSIEstInstalle)
{
    EXPECT_FALSE(options.versionParDefautActive);
    creeFichier(wine() / "Program Files (x86)/Evariste/Regressi/regressi.exe");
    options.FormShow();
    EXPECT_TRUE(options.versionParDefautActive);
    EXPECT_EQ(reglages.cheminOfficielREGRESSI_, (wine() / "Program Files (x86)/Evariste/Regressi/regressi.exe").string());
    // "Program Files" comes first.
    creeFichier(wine() / "Program Files/Evariste/Regressi/regressi.exe");
    EXPECT_EQ(cheminOfficielREGRESSI(), (wine() / "Program Files/Evariste/Regressi/regressi.exe").string());
    // WINEPREFIX chooses the prefix.
    ::setenv("WINEPREFIX", (fs::path(racine) / "prefixe").c_str(), 1);
    EXPECT_EQ(cheminOfficielREGRESSI(), "");
    EXPECT_EQ(cheminsStandardREGRESSI().front(),
              (fs::path(racine) / "prefixe/drive_c/Program Files/Evariste/Regressi/regressi.exe").string());
    ::unsetenv("WINEPREFIX");
}

TEST_F(Options, AppliquerREGRESSI)
{
    const fs::path officiel = wine() / "Program Files/Evariste/Regressi/regressi.exe";
    creeFichier(officiel);
    const fs::path autre = fs::path(racine) / "autre/Regressi.EXE";
    creeFichier(autre);
    const fs::path mauvais = fs::path(racine) / "autre/REGRESSI2.EXE";
    creeFichier(mauvais);
    options.FormShow();
    reglages.cheminRegressiUt = officiel.string();

    options.BVersionRegressiClick(autre.string());
    options.applique(hote);
    EXPECT_FALSE(reglages.versionRegressiDefaut);
    EXPECT_EQ(reglages.cheminREGRESSINonDefautX, autre.string());
    EXPECT_EQ(reglages.cheminRegressiUt, autre.string());

    // A file that is not named REGRESSI.EXE: the standard one is used.
    options.FormShow();
    EXPECT_EQ(options.cheminVersionREG, autre.string());
    options.BVersionRegressiClick(mauvais.string());
    options.applique(hote);
    EXPECT_TRUE(reglages.versionRegressiDefaut);
    EXPECT_EQ(reglages.cheminRegressiUt, officiel.string());
    // No REGRESSI ran, none was closed.
    EXPECT_EQ(std::count(hote.appels.begin(), hote.appels.end(), "fermeREGRESSI"), 0);
}

TEST_F(Options, LeREGRESSIQuiTourneEstFermeQuandLaVersionChange)
{
    const fs::path autre = fs::path(racine) / "autre/REGRESSI.EXE";
    creeFichier(autre);
    // A running program named REGRESSI.EXE.
    pid_t pid = 0;
    char nom[] = "REGRESSI.EXE";
    char duree[] = "30";
    char* argv[] = {nom, duree, nullptr};
    ASSERT_EQ(posix_spawn(&pid, "/bin/sleep", nullptr, nullptr, argv, environ), 0);
    for (int i = 0; i < 100 && !plateforme::processusActif("REGRESSI.EXE"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));

    reglages.cheminRegressiUt = autre.string();
    options.FormShow();
    // Same REGRESSI, written with other capitals: nothing to close.
    options.BVersionRegressiClick(fs::path(racine).string() + "/autre/REGRESSI.EXE");
    reglages.cheminRegressiUt = fs::path(racine).string() + "/AUTRE/regressi.exe";
    options.applique(hote);
    EXPECT_EQ(std::count(hote.appels.begin(), hote.appels.end(), "fermeREGRESSI"), 0);
    // Back to the default (none installed): the running one is closed.
    options.CBREGDEfautClick(true);
    options.applique(hote);
    EXPECT_EQ(std::count(hote.appels.begin(), hote.appels.end(), "fermeREGRESSI"), 1);
    EXPECT_EQ(reglages.cheminRegressiUt, "");

    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

TEST_F(Options, AppliquerLesChoixEtLesCouleurs)
{
    const TCouleursVoies anciennes = reglages.clsVX;
    hote.courbes = {anciennes[0], anciennes[4], anciennes[1], 0x123456u};
    options.CBDureeTotaledftExit("0.5 s");
    options.effacerTrame = true;
    options.transfertREGRESSI = kTransfertNouvellePage;
    options.transfertEXCEL = kTransfertDemander;
    options.transfertOOo = 2; // none checked
    reglages.optionTransfertOOo = 1;
    options.couleursRegressi = false;
    options.enregistrerCouleurs = true;
    options.couleurs[0] = 0x0000FFu;
    options.couleurs[4] = 0x00FF00u;
    options.applique(hote);

    EXPECT_DOUBLE_EQ(reglages.DureeTotaleDFT, 0.5);
    EXPECT_TRUE(reglages.optionEffaceTrame);
    EXPECT_EQ(reglages.optionTransfertREGRESSI, 1);
    EXPECT_EQ(reglages.optionTransfertEXCEL, 3);
    EXPECT_EQ(reglages.optionTransfertOOo, 1);
    EXPECT_EQ(reglages.OptionCouleursRegressi, 0);
    EXPECT_TRUE(reglages.enregistrerCouleurs);
    // Curves in an input's old colour take its new one; the others keep theirs.
    EXPECT_EQ(hote.courbes, (std::vector<TCouleurGV>{0x0000FFu, 0x00FF00u, anciennes[1], 0x123456u}));
    EXPECT_EQ(reglages.clsVX[0], 0x0000FFu);
    EXPECT_EQ(reglages.clsVX[4], 0x00FF00u);
    EXPECT_EQ(reglages.clsVX[1], anciennes[1]);
    EXPECT_EQ(hote.appels, (std::vector<std::string>{"activeNouveau", "prepareComposantsDeclenchement",
                                                     "redessineLegendesEtEcran"}));

    // "Réinitialiser": the default colours, applied as well.
    options.FormShow();
    options.BReinitialiserCouleursClick();
    options.applique(hote);
    EXPECT_EQ(reglages.clsVX, reglages.clsV0);
    EXPECT_EQ(hote.courbes[0], reglages.clsV0[0]);
}

TEST_F(Options, DeuxVoiesDeMemeCouleurLaPremiereDecide)
{
    reglages.clsVX[2] = reglages.clsVX[1];
    options.FormShow();
    hote.courbes = {reglages.clsVX[1]};
    options.couleurs[1] = 0x111111u;
    options.couleurs[2] = 0x222222u;
    options.applique(hote);
    EXPECT_EQ(hote.courbes[0], 0x111111u);
}

TEST_F(Options, SeulesLesVoiesDeLaCentralePrennentLeursCouleurs)
{
    unite.nbEAU = 4;
    options.FormShow();
    EXPECT_EQ(options.nbVoiesUnite, 4);
    const TCouleursVoies anciennes = reglages.clsVX;
    options.couleurs[3] = 0x333333u;
    options.couleurs[6] = 0x666666u;
    options.applique(hote);
    EXPECT_EQ(reglages.clsVX[3], 0x333333u);
    EXPECT_EQ(reglages.clsVX[6], anciennes[6]);
}

TEST_F(Options, UnChangementAppliqueSurvitAuRedemarrage)
{
    const fs::path autre = fs::path(racine) / "autre/REGRESSI.EXE";
    creeFichier(autre);
    options.CBDureeTotaledftExit("200 ms");
    options.CBNbPointsdftExit("2001");
    options.CBSeuilPretrigExit("2 s");
    options.transfertEXCEL = kTransfertNouvellePage;
    options.BVersionRegressiClick(autre.string());
    options.enregistrerCouleurs = true;
    options.couleurs[5] = 0x00ABCDEFu;
    options.applique(hote);

    const TReglagesGV relus =
        testgv::apresRedemarrage(reglages, QString::fromStdString(racine + "/config/Galvora.conf"));
    EXPECT_DOUBLE_EQ(relus.DureeTotaleDFT, 0.2);
    EXPECT_EQ(relus.NbPtsDFT, 2001);
    EXPECT_EQ(relus.tMaxPretrigDispo, 2.0L);
    EXPECT_EQ(relus.optionTransfertEXCEL, 1);
    EXPECT_FALSE(relus.versionRegressiDefaut);
    EXPECT_EQ(relus.cheminREGRESSINonDefautX, autre.string());
    EXPECT_EQ(relus.clsVX[5], 0x00ABCDEFu);
}

} // namespace
