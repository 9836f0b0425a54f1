// Loading the library, texts, construction, LEDs, names, direct reading.
#include "drivers/campus/BibliothequeCampus.h"
#include "tests/drivers/campus/SimulateurCampus.h"

#include <cstdio>
#include <fstream>

TEST(BibliothequeCampus, UnFichierAbsentDonneLeTexteDErreurDuFichier)
{
    const std::string chemin = std::string(GALVORA_SIM_DIR) + "/absente/Campus.DLL";
    try {
        TSYSAMCAMPUS centrale(chemin, 1);
        FAIL() << "no exception";
    } catch (const ErreurBibliothequeCampus& e) {
        EXPECT_EQ(std::string(e.what()), "Erreur DLL " + chemin + " inexistante");
    }
}

TEST(BibliothequeCampus, UnFichierQuiNEstPasUneBibliothequeDonneLeTexteDeChargement)
{
    const std::string chemin = ::testing::TempDir() + "/PasUneDLL-campus.DLL";
    {
        std::ofstream fichier(chemin);
        fichier << "ceci n'est pas une bibliothèque";
    }
    try {
        TSYSAMCAMPUS centrale(chemin, 1);
        FAIL() << "no exception";
    } catch (const ErreurBibliothequeCampus& e) {
        EXPECT_EQ(std::string(e.what()), "Erreur de Chargement de la DLL \r" + chemin);
    }
    std::remove(chemin.c_str());
}

// A bare name is the system's library search's to find (the test program
// looks in the simulators' folder, see CMakeLists.txt); one that it does not
// find cannot be loaded.
TEST(BibliothequeCampus, UnNomSeulEstCherchePartoutOuLesBibliothequesSeTrouvent)
{
    TSYSAMCAMPUS centrale("Campus.DLL", 1);
    EXPECT_TRUE(centrale.CentraleInstallee);
    EXPECT_TRUE(centrale.Presente());
    try {
        TSYSAMCAMPUS absente("libcampus-absente.so", 1);
        FAIL() << "no exception";
    } catch (const ErreurBibliothequeCampus& e) {
        EXPECT_EQ(std::string(e.what()), "Erreur de Chargement de la DLL \rlibcampus-absente.so");
    }
}

TEST(BibliothequeCampus, ToutesLesEntreesDuSimulateurSontResolues)
{
    TPointsEntreeCampus points;
    plateforme::HandleBibliotheque handle = ChargeDLLCampus(cheminSimulateurCampus(), points);
    ASSERT_NE(handle, nullptr);
    int resolues = 0;
#define CAMPUS_COMPTE_RESOLU(nom) resolues += points.nom != nullptr ? 1 : 0;
    CAMPUS_ENTREES_APPELEES(CAMPUS_COMPTE_RESOLU)
    CAMPUS_ENTREES_NON_APPELEES(CAMPUS_COMPTE_RESOLU)
#undef CAMPUS_COMPTE_RESOLU
    EXPECT_EQ(resolues, nbPointsEntreeCampus());
    EXPECT_EQ(nbPointsEntreeCampus(), 53);
    plateforme::libereBibliotheque(handle);
}

TEST(BibliothequeCampus, LesTextesUtf16SontCopiesEnUtf8)
{
    struct Cas {
        const char16_t* texte;
        std::string attendu;
    };
    const Cas cas[] = {
        { nullptr, "" },
        { u"", "" },
        { u"%", "%" },
        { u"Centrale non connectée", "Centrale non connect\xC3\xA9" "e" },
        { u"\u20AC", "\xE2\x82\xAC" },
        { u"\U0001F600", "\xF0\x9F\x98\x80" },
        { u"a\xD800" "b", "a\xEF\xBF\xBD" "b" },
    };
    for (const Cas& c : cas)
        EXPECT_EQ(texteCampus(c.texte), c.attendu);
}

using ConstructionCampus = AvecSimulateurCampus;

TEST_F(ConstructionCampus, DecritLaCentraleEtAllumeLesLedsEnBleu)
{
    TSYSAMCAMPUS& c = *centrale;
    EXPECT_TRUE(c.CentraleInstallee);
    EXPECT_TRUE(c.DLL_Chargee);
    EXPECT_NE(c.HandleDLL, 0);
    EXPECT_EQ(c.typeCentrale, 3);
    EXPECT_EQ(c.nomCentrale, "SYSAM CAMPUS");
    EXPECT_EQ(c.nbEAU, 4);
    EXPECT_EQ(c.nbCalEAGV, 4);
    EXPECT_EQ(c.ChxModeDiff, 2);
    EXPECT_TRUE(c.synchroExterneDispo);
    EXPECT_FALSE(c.chxSensDeclExterne);
    EXPECT_EQ(c.sCalibres, (TArrayOfString { "-30V/+30V", "-15V/+15V", "-10V/+10V", "-1V/+1V" }));
    EXPECT_EQ(c.twCals_, (TArrayOfString { " +30.0 ", " +15.00 ", " +10.00 ", " +1.00 " }));
    EXPECT_EQ(c.sEntrees, (TArrayOfString { "V1", "V2", "V3", "V4" }));
    EXPECT_EQ(c.GBCanauxCaption, (TArrayOfString { "V1", "V2", "V3", "V4" }));
    EXPECT_EQ(c.idxNbPointsMaxGV, 7);
    EXPECT_EQ(c.nbPts0XMax, 4000);
    EXPECT_DOUBLE_EQ(c.tRemanence, 0.15);
    EXPECT_EQ(c.VoiesX[2].cap.sGrandeur, "u[2M]");
    EXPECT_FLOAT_EQ(c.VoiesX[1].calibreR, 30.0f);
    // The unit answered while the time base was set: 100 us, 1001 points.
    EXPECT_NEAR(c.dt0X, 1e-4, 1e-12);
    EXPECT_EQ(c.nbPts0X, 1001);
    EXPECT_EQ(c.modeRecuperation, 1);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(sim.EtatLed(k), LED_BLEU) << k;
}

TEST_F(ConstructionCampus, LesLedsSuiventLActivationDesEntrees)
{
    centrale->activeVoieA(2, false);
    EXPECT_EQ(sim.EtatLed(2), LED_ROUGE);
    EXPECT_TRUE(centrale->VoiesX[2].active);
    centrale->desactiveVoieA(2, false);
    EXPECT_EQ(sim.EtatLed(2), LED_BLEU);
    EXPECT_EQ(centrale->nbVoiesActivesX, 0);

    centrale->activeVoieA(1, false);
    centrale->free(true);
    EXPECT_EQ(sim.EtatLed(1), LED_BLEU);
    EXPECT_EQ(centrale->HandleDLL, 0);
    EXPECT_FALSE(centrale->Presente()); // no library: no unit
}

TEST_F(ConstructionCampus, CreateReinitialiseToutAvecLaNouvelleBibliotheque)
{
    centrale->activeVoieA(1, false);
    centrale->setModeDeclenchement(kDeclSeuil, false);
    centrale->calibrageFait = true;
    centrale->Create(cheminSimulateurCampus(), 1);
    EXPECT_FALSE(centrale->VoiesX[1].active);
    EXPECT_EQ(centrale->modeDecl, kDeclImmediat);
    EXPECT_FALSE(centrale->calibrageFait);
    EXPECT_EQ(centrale->nbPts0X, 1001);
    EXPECT_TRUE(centrale->Presente());
    EXPECT_EQ(centrale->numeroSerie, "SIMCAMPUS-0001");
}

TEST_F(ConstructionCampus, PresenteSuitLeBranchement)
{
    EXPECT_TRUE(centrale->Presente());
    sim.Branche(0);
    EXPECT_FALSE(centrale->Presente());
    EXPECT_EQ(centrale->numeroSerie, "");
    sim.Branche(1);
    EXPECT_TRUE(centrale->Presente());
}

TEST_F(ConstructionCampus, NommeLesEntreesEtLesCourbes)
{
    TSYSAMCAMPUS& c = *centrale;
    EXPECT_EQ(c.GetCapU(2), "u");
    EXPECT_EQ(c.GetCapUInd(0), "1");
    EXPECT_EQ(c.getCapVM(2), "u[3]");
    EXPECT_EQ(c.getCapEA(3), "V4");
    EXPECT_EQ(c.getIntituleVoie(1), "V[2]");
    EXPECT_EQ(c.getIntituleVoieSimplifie(4), "");
    EXPECT_EQ(c.getIntituleVoieTresSimplifie(0), "V1");
    EXPECT_EQ(c.idxAffVoies(3), 4);

    c.activeVoieA(1, false);
    c.activeVoieA(3, false);
    c.prepareTousPRX(false);
    EXPECT_EQ(c.VoiesActivesSignaux, (TArrayOfInteger { 1, 3, -1, -1, -1 }));
    EXPECT_EQ(c.nbVoiesSignaux, 2);
    EXPECT_EQ(c.idxTraitGV, (TArrayOfInteger { 0, 1, -1, -1 }));
}

TEST_F(ConstructionCampus, LaVoieDeSynchroEstUneEntreeActive)
{
    TSYSAMCAMPUS& c = *centrale;
    EXPECT_EQ(c.setVoieSynchro(2, false), 0); // no active input
    c.activeVoieA(1, false);
    c.activeVoieA(3, false);
    EXPECT_EQ(c.setVoieSynchro(3, false), 3);
    EXPECT_EQ(c.voieSynchroVA, 1);
    EXPECT_EQ(c.setVoieSynchro(2, false), 1); // inactive: the first active one
    EXPECT_EQ(c.voieSynchroVA, 0);
    EXPECT_EQ(c.unitevSeuil, "V");

    c.setCal(1, 3, false); // 1 V
    c.setSeuilDecl(5.0f);
    EXPECT_FLOAT_EQ(c.USeuilDecl, 0.9f);
    c.setSeuilDecl(-0.5f);
    EXPECT_FLOAT_EQ(c.USeuilDecl, -0.5f);
}

TEST_F(ConstructionCampus, MesureDirecteLitLesEntreesActives)
{
    installeLignesSimulateur();
    TSYSAMCAMPUS& c = *centrale;
    c.activeVoieA(3, false);
    c.setCal(3, 3, false); // 1 V: V4 is a steady 0.5 V
    c.MesureDirecte();
    const LigneCampusSim ligne = campussimLigne(3, 3);
    EXPECT_EQ(c.VoiesX[3].mesDir, campussimCode(0.5, ligne));
    EXPECT_NEAR(c.VoiesX[3].mesDirR, 0.5, ligne.gain);

    // Unplugged, the library answers no code: the last reading stays.
    const uint16_t precedent = c.VoiesX[3].mesDir;
    sim.Branche(0);
    c.MesureDirecte();
    EXPECT_EQ(c.VoiesX[3].mesDir, precedent);
}
