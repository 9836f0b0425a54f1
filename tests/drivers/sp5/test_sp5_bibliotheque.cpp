// The SP5 driver against a fake library that records what it is asked.
#include "drivers/sp5/TSP5.h"

#include "FauxSP5Client.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <dlfcn.h>
#include <unistd.h>

using faux_sp5::Crochets;

namespace {

std::string messageDe(const std::function<void()>& action)
{
    try {
        action();
    } catch (const ErreurBibliothequeSP5& e) {
        return e.what();
    }
    return "(aucune erreur)";
}

// Whether the process has the library at `chemin` loaded (asking does not load it).
bool estChargee(const std::string& chemin)
{
    void* h = ::dlopen(chemin.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (h != nullptr)
        ::dlclose(h);
    return h != nullptr;
}

class SP5FauxTest : public testing::Test {
protected:
    Crochets faux { faux_sp5::complet() };
    void SetUp() override { ASSERT_TRUE(faux.charge()); }
};

} // namespace

TEST_F(SP5FauxTest, LoadsAndDecodesTheCalibrationRecord)
{
    TSP5 sp5(faux_sp5::complet(), 1);
    EXPECT_TRUE(sp5.CentraleInstallee);
    EXPECT_TRUE(sp5.CentralePresente);
    EXPECT_NE(sp5.HandleDLL, 0);
    EXPECT_EQ(sp5.FNomDLL, faux_sp5::complet());
    EXPECT_EQ(sp5.typeCentrale, kSysamSP5);
    EXPECT_EQ(sp5.numeroSerie, "FAUX0042");
    EXPECT_EQ(sp5.SP5_AfficheInfos, nullptr);

    const TCalibrageSP5& c = sp5.fCalibrageSP5;
    EXPECT_EQ(c.Reserved, 0xEE);
    EXPECT_FLOAT_EQ(c.Ampli_SA[1], 0.0026f);
    EXPECT_FLOAT_EQ(c.Offset_SA[1], -5.5f);
    EXPECT_DOUBLE_EQ(c.DateEtalonnage, 40000.5);
    EXPECT_DOUBLE_EQ(c.DateCablage, 39000.25);
    EXPECT_EQ(c.NumeroSerieCablage, "C12");

    // Both inputs of a channel share its gain; differential offsets exist for
    // the first inputs only.
    for (int i = 0; i < 8; ++i) {
        for (int k = 0; k < 4; ++k) {
            SCOPED_TRACE(testing::Message() << "input " << i << " calibre " << k);
            EXPECT_DOUBLE_EQ(sp5.a1[i][k], double(0.001f * float(i % 4 + 1) + 0.0001f * float(k)));
            EXPECT_DOUBLE_EQ(sp5.b1[i][k], double(-float(i + 1) - 0.1f * float(k)));
            EXPECT_DOUBLE_EQ(sp5.b1diff[i][k], i < 4 ? double(0.5f + float(i) + 0.01f * float(k)) : 0.0);
        }
    }
    EXPECT_DOUBLE_EQ(sp5.a1S[0], double(0.0025f));
    EXPECT_DOUBLE_EQ(sp5.b1S[0], -5.0);

    // The record survives the round trip through its own encoding.
    const TOctetsCalibrageSP5 octets = c.encode();
    const TCalibrageSP5 relu = TCalibrageSP5::decode(octets);
    EXPECT_EQ(relu.NumeroSerie, "FAUX0042");
    EXPECT_EQ(relu.Offset_EA, c.Offset_EA);
    EXPECT_EQ(octets[calibrage_sp5::kNumeroSerie], 8);
}

TEST_F(SP5FauxTest, WritesTheImageInTheUnitsOrder)
{
    TSP5 sp5(faux_sp5::complet(), 1);
    sp5.activeVoieA(4, false);
    sp5.setModeDeclenchement(kDeclSeuil, false);
    sp5.setSeuilDecl(1.0f);
    sp5.setPretrig(int32_t(1), false);
    faux.oublieEcritures();
    sp5.prepareTousPRX(true);
    const std::vector<uint32_t> ordre { 0, 3, 2, 1, 8, 7, 6, 5, 4, 11, 10, 9, 12, 29, 31, 30, 34, 33, 32, 35 };
    const auto ecritures = faux.ecritures();
    ASSERT_EQ(ecritures.size(), ordre.size());
    for (std::size_t r = 0; r < ordre.size(); ++r) {
        EXPECT_EQ(ecritures[r].first, ordre[r]);
        EXPECT_EQ(ecritures[r].second, sp5.imageRegistre(uint8_t(ordre[r]))) << "register " << ordre[r];
    }
    // Calibrated conversion of the threshold: (1 V - (-1 V)) / 0.001 V = 2000.
    EXPECT_EQ(sp5.imageRegistre(30) | sp5.imageRegistre(31) << 8, 2000);
    EXPECT_TRUE(sp5.CentralePretePourAcq);
    // A ready unit is not written again.
    faux.oublieEcritures();
    sp5.prepareInterfacePourAcq(false);
    EXPECT_TRUE(faux.ecritures().empty());
    // A setter applied at once writes again; one left for later does not.
    sp5.setCal(0, 1, false);
    EXPECT_TRUE(faux.ecritures().empty());
    EXPECT_FALSE(sp5.CentralePretePourAcq);
    sp5.setCal(0, 1, true);
    EXPECT_EQ(faux.ecritures().size(), ordre.size());
}

TEST_F(SP5FauxTest, ControlRegisterIsReadModifiedWritten)
{
    TSP5 sp5(faux_sp5::complet(), 1);
    faux.poseRegistre(36, 0x40);
    faux.oublieEcritures();
    sp5.declencheAcq();
    EXPECT_TRUE(sp5.acqPeriodiqueEnCours);
    EXPECT_EQ(sp5.tSleepFifo, 26);  // 256 words at 100 us each, plus 1 ms
    EXPECT_EQ(sp5.tSleepTrame, 31);
    sp5.tAcqAttDecl = 0.0;
    sp5.arreteAcq();
    EXPECT_FALSE(sp5.acqPeriodiqueEnCours);
    EXPECT_GE(sp5.tAcqTotal, 0.0);
    EXPECT_DOUBLE_EQ(sp5.tAcqTotal1, sp5.tAcqTotal);
    EXPECT_DOUBLE_EQ(sp5.tAcqRecup1, sp5.tAcqTotal);

    sp5.MesureDirecte();
    sp5.declencheAcqContinue();
    sp5.arreteAcqContinue();
    std::vector<uint32_t> controle;
    for (auto [adresse, valeur] : faux.ecritures())
        if (adresse == 36)
            controle.push_back(valeur);
    EXPECT_EQ(controle, (std::vector<uint32_t> { 0x41, 0x40, 0x50, 0x51, 0x41, 0x40, 0xC0, 0xC1, 0xC0, 0x40 }));

    // A short interval still polls no faster than every 10 ms.
    sp5.setDurees(1e-3, 1001, false);
    sp5.declencheAcq();
    EXPECT_EQ(sp5.tSleepFifo, 10);
    sp5.arreteAcq();
}

TEST_F(SP5FauxTest, DirectMeasurementReadsTheLastSamples)
{
    TSP5 sp5(faux_sp5::complet(), 1);
    sp5.activeVoieA(6, false);
    faux.poseRegistre(83, 0xC5); // input 0: code 0xABC
    faux.poseRegistre(84, 0xAB);
    faux.poseRegistre(95, 0x10); // input 6: code 0x7D1
    faux.poseRegistre(96, 0x7D);
    sp5.MesureDirecte();
    EXPECT_EQ(sp5.VoiesX[0].mesDir, 0xABC);
    EXPECT_EQ(sp5.VoiesX[6].mesDir, 0x7D1);
    // 2748 x 0.001 - 1 V
    EXPECT_NEAR(sp5.VoiesX[0].mesDirR, 1.748f, 1e-5);
    EXPECT_NEAR(sp5.VoiesX[6].mesDirR, 2001 * 0.003 - 7.0, 1e-5);
}

TEST_F(SP5FauxTest, ConversionBothWays)
{
    TSP5 sp5(faux_sp5::complet(), 1);
    sp5.setCal(0, 2, false); // +-1 V: gain 0.0012, offset -1.2
    struct Cas {
        int code;
        double volts;
    };
    for (Cas c : { Cas { 1000, 0.0 }, Cas { 1500, 0.6 }, Cas { 0, -1.0 }, Cas { 4095, 1.0 } })
        EXPECT_NEAR(sp5.Ux(0, c.code), c.volts, 1e-6) << c.code;
    EXPECT_EQ(sp5.ValUx(0, 0.6f), 1500);
    EXPECT_EQ(sp5.ValUx(0, -5.0f), 0);
    EXPECT_EQ(sp5.ValUx(0, 50.0f), 4095);
    // Differential channel: its own offset.
    sp5.setModeDiff(0, true, false);
    EXPECT_NEAR(sp5.Ux(0, 100), 100 * double(0.0012f) + double(0.52f), 1e-6);
    EXPECT_EQ(sp5.ValUx(0, 0.64f), 100);
}

// A calibration record whose coefficients are not numbers (a damaged memory)
// converts with the calibre's nominal scale, both ways, instead of turning
// every sample into one; the other inputs keep their calibration.
TEST_F(SP5FauxTest, DamagedCalibrationRecordConvertsNominally)
{
    const float nan = std::nanf("");
    struct Cas {
        const char* nom;
        float gain;
        float offset;
    };
    for (Cas c : { Cas { "gain not a number", nan, -1.2f }, Cas { "offset not a number", 0.0012f, nan },
                   Cas { "gain infinite", INFINITY, -1.2f } }) {
        SCOPED_TRACE(c.nom);
        TSP5 sp5(faux_sp5::complet(), 1);
        sp5.setCal(0, 2, false); // +-1 V
        sp5.setCal(1, 2, false);
        sp5.fCalibrageSP5.Ampli_EA[0][2] = c.gain;
        sp5.fCalibrageSP5.Offset_EA[0][2] = c.offset;
        sp5.MAJCalibrage();
        // Nominal +-1 V: 2 V over 4096 codes from -1 V.
        EXPECT_NEAR(sp5.Ux(0, 0), -1.0, 1e-9);
        EXPECT_NEAR(sp5.Ux(0, 2048), 0.0, 1e-9);
        EXPECT_NEAR(sp5.Ux(0, 3072), 0.5, 1e-9);
        EXPECT_EQ(sp5.ValUx(0, 0.5f), 3072);
        // Input 1 keeps the record's gain 0.0022 and offset -2.2.
        EXPECT_NEAR(sp5.Ux(1, 1000), 1000 * double(0.002f + 0.0002f) + double(-2.0f - 0.2f), 1e-5);
    }
}

TEST_F(SP5FauxTest, TriggerInstantAndPretriggerReadBack)
{
    TSP5 sp5(faux_sp5::complet(), 1); // input 0, +-10 V: 0.001 V per code, offset -1 V
    sp5.setModeDeclenchement(kDeclSeuil, false);
    sp5.setSeuilDecl(1.0f);
    auto poseEchantillons = [&](int avant, int apres) {
        faux.poseRegistre(107, (avant * 16) & 0xFF);
        faux.poseRegistre(108, (avant * 16) >> 8);
        faux.poseRegistre(109, (apres * 16) & 0xFF);
        faux.poseRegistre(110, (apres * 16) >> 8);
    };
    struct Cas {
        int avant, apres;
        double fraction; // of dt0X
    };
    const Cas cas[] = {
        { 1990, 2010, 0.5 },  // 0.99 V then 1.01 V
        { 1995, 2015, 0.25 },
        { 2000, 2000, 0.0 },  // equal samples: no crossing instant
        { 2005, 2010, 0.0 },  // threshold before both samples
        { 1980, 1990, 1.0 },  // threshold after both samples
        { 2010, 1990, 0.5 },  // falling
    };
    for (const Cas& c : cas) {
        poseEchantillons(c.avant, c.apres);
        sp5.getDTPretrig();
        EXPECT_EQ(sp5.vPre, c.avant);
        EXPECT_EQ(sp5.vPost, c.apres);
        EXPECT_NEAR(sp5.dtPretrig, c.fraction * sp5.dt0X, 1e-9) << c.avant << " -> " << c.apres;
    }

    sp5.setModeDeclenchement(kDeclExterne, false);
    faux.poseRegistre(111, 0xA0); // 4000 ticks of 80 MHz: 50 us
    faux.poseRegistre(112, 0x0F);
    sp5.getDTPretrig();
    EXPECT_NEAR(sp5.dtPretrig, 50e-6, 1e-12);
    sp5.setModeDeclenchement(kDeclImmediat, false);
    sp5.getDTPretrig();
    EXPECT_EQ(sp5.dtPretrig, 0.0);

    faux.poseRegistre(32, 0x03);
    faux.poseRegistre(33, 0x01);
    sp5.getNbPtsPretrig();
    EXPECT_EQ(sp5.nbPtsPretrig, 0);
    sp5.setModeDeclenchement(kDeclExterne, false);
    faux.poseRegistre(32, 0x03);
    faux.poseRegistre(33, 0x01);
    faux.poseRegistre(34, 0x00);
    sp5.getNbPtsPretrig();
    EXPECT_EQ(sp5.nbPtsPretrig, 256);
    EXPECT_FLOAT_EQ(sp5.tPretrig, 256 * 1e-4f);
    faux.poseRegistre(32, 0x01);
    faux.poseRegistre(33, 0x00);
    sp5.getNbPtsPretrig();
    EXPECT_EQ(sp5.nbPtsPretrig, 0);
}

TEST_F(SP5FauxTest, FifoAndPresence)
{
    TSP5 sp5(faux_sp5::complet(), 1);
    EXPECT_EQ(sp5.TailleTransfertFifo(128), 128);
    EXPECT_EQ(faux.tailleBloc(), 128);
    sp5.ViderFifo();
    EXPECT_EQ(faux.nbViderFifo(), 1);

    TFifoSP5 bloc {};
    EXPECT_EQ(sp5.LireFifo(&bloc), 0);
    faux.poseBloc({ 0x1230, 0x4560, 0x7890 });
    EXPECT_EQ(sp5.LireFifo(&bloc), 3);
    EXPECT_EQ(bloc[2], 0x7890);
    EXPECT_EQ(sp5.presentePendantAcq(), 1);

    faux.poseBloc({ 1, 2 });
    faux.branche(false);
    EXPECT_EQ(sp5.LireFifo(&bloc), 0);
    EXPECT_EQ(sp5.presentePendantAcq(), -1);
    EXPECT_FALSE(sp5.Presente());
    sp5.RecupereCalibration();
    EXPECT_EQ(sp5.numeroSerie, "SP5Absente");
    faux.branche(true);
    EXPECT_EQ(sp5.LireFifo(&bloc), 2);
    sp5.RecupereCalibration();
    EXPECT_EQ(sp5.numeroSerie, "FAUX0042");
}

TEST_F(SP5FauxTest, AbsentUnitAtCreation)
{
    faux.branche(false);
    TSP5 sp5(faux_sp5::complet(), 1);
    EXPECT_TRUE(sp5.CentraleInstallee);
    EXPECT_FALSE(sp5.CentralePresente);
    EXPECT_EQ(sp5.numeroSerie, "SP5Absente");
    EXPECT_EQ(sp5.a1[0][0], 0.0);
}

TEST_F(SP5FauxTest, ReleaseResetsAndUnloadsOnlyWhenAsked)
{
    auto* sp5 = new TSP5(faux_sp5::complet(), 1);
    const int resets = faux.nbReset();
    sp5->free(false);
    EXPECT_EQ(faux.nbReset(), resets);
    EXPECT_NE(sp5->HandleDLL, 0);
    sp5->free(true);
    EXPECT_EQ(faux.nbReset(), resets + 1);
    EXPECT_EQ(sp5->HandleDLL, 0);
    // Installed but unloaded: the wrappers say so.
    EXPECT_EQ(messageDe([&] { sp5->Reset(); }), faux_sp5::complet() + " n'est pas chargé");
    EXPECT_EQ(messageDe([&] { sp5->SetRegistre(0, 1); }), faux_sp5::complet() + " n'est pas chargé");
    delete sp5;
}

TEST_F(SP5FauxTest, CreateAgainReinitialisesEverything)
{
    TSP5 sp5("/chemin/inexistant/SP5.DLL", 1);
    EXPECT_FALSE(sp5.CentraleInstallee);
    sp5.setModeDeclenchement(kDeclSeuil, false);
    sp5.activeVoieA(3, false);
    sp5.setCal(0, 3, false);
    sp5.setModeDiff(1, true, false);
    sp5.setDurees(2.0, 101, false);
    sp5.Create(faux_sp5::complet(), 1);
    EXPECT_TRUE(sp5.CentraleInstallee);
    EXPECT_EQ(sp5.numeroSerie, "FAUX0042");
    EXPECT_EQ(sp5.modeDecl, kDeclImmediat);
    EXPECT_FALSE(sp5.VoiesX[3].active);
    EXPECT_EQ(sp5.VoiesX[0].idxCalibreEA, 0);
    EXPECT_FALSE(sp5.canauxDiff[1]);
    EXPECT_DOUBLE_EQ(sp5.dureeTotale0X, 0.1);
    EXPECT_EQ(sp5.nbPts0X, 1001);
    EXPECT_EQ(sp5.nbVoiesActivesX, 1);
}

TEST(SP5Bibliotheque, MissingEntryPointRaisesItsName)
{
    Crochets incomplet(faux_sp5::sansLireFifo());
    ASSERT_TRUE(incomplet.charge());
    EXPECT_EQ(messageDe([] { TSP5 sp5(faux_sp5::sansLireFifo(), 1); }), "Erreur lors du chargement de LireFifo");

    // On an existing object: the entry points found before stay, the library
    // stays loaded, and the missing one is never called.
    TSP5 sp5("/chemin/inexistant/SP5.DLL", 1);
    EXPECT_EQ(messageDe([&] { sp5.Create(faux_sp5::sansLireFifo(), 1); }), "Erreur lors du chargement de LireFifo");
    EXPECT_NE(sp5.HandleDLL, 0);
    EXPECT_TRUE(sp5.CentraleInstallee);
    EXPECT_NE(sp5.SP5_RecupereCalibration, nullptr);
    EXPECT_EQ(sp5.SP5_LireFifo, nullptr);
    EXPECT_TRUE(sp5.Presente());
    TFifoSP5 bloc {};
    EXPECT_EQ(messageDe([&] { sp5.LireFifo(&bloc); }), "Erreur lors du chargement de LireFifo");
}

TEST(SP5Bibliotheque, TheLibraryGoesWithTheObjectItsFailedConstructionOrItsNextCreate)
{
    // No hooks here: nothing but the driver holds the libraries.
    ASSERT_FALSE(estChargee(faux_sp5::complet()));
    {
        TSP5 sp5(faux_sp5::complet(), 1);
        EXPECT_TRUE(estChargee(faux_sp5::complet()));
    }
    EXPECT_FALSE(estChargee(faux_sp5::complet()));

    EXPECT_EQ(messageDe([] { TSP5 sp5(faux_sp5::sansLireFifo(), 1); }), "Erreur lors du chargement de LireFifo");
    EXPECT_FALSE(estChargee(faux_sp5::sansLireFifo()));

    TSP5 sp5(faux_sp5::complet(), 1);
    sp5.Create(faux_sp5::simComplet(), 1);
    EXPECT_FALSE(estChargee(faux_sp5::complet()));
    EXPECT_TRUE(estChargee(faux_sp5::simComplet()));
    sp5.free(true);
    EXPECT_FALSE(estChargee(faux_sp5::simComplet()));
    EXPECT_EQ(sp5.HandleDLL, 0);
}

TEST(SP5Bibliotheque, InformationEntryPointOnlyRequiredFromTheSimulator)
{
    Crochets sim(faux_sp5::simSansAfficheInfos());
    ASSERT_TRUE(sim.charge());
    EXPECT_EQ(messageDe([] { TSP5 sp5(faux_sp5::simSansAfficheInfos(), 1); }),
        "Erreur lors du chargement de AfficheInfos");

    Crochets complet(faux_sp5::simComplet());
    ASSERT_TRUE(complet.charge());
    TSP5 sp5(faux_sp5::simComplet(), 1);
    EXPECT_EQ(sp5.typeCentrale, kSimulationSP5);
    EXPECT_EQ(sp5.nomCentrale, "SIMULATION SP5");
    EXPECT_NE(sp5.SP5_AfficheInfos, nullptr);
    EXPECT_NO_THROW(sp5.AfficheInfos());

    // The simulator's record is read even with no unit plugged in.
    complet.branche(false);
    sp5.numeroSerie.clear();
    sp5.RecupereCalibration();
    EXPECT_EQ(sp5.numeroSerie, "FAUX0042");
}

TEST(SP5Bibliotheque, LowerCaseFileNameIsNotTheVendorLibrary)
{
    Crochets minuscules(faux_sp5::minuscules());
    ASSERT_TRUE(minuscules.charge()); // the file is there...
    TSP5 sp5(faux_sp5::minuscules(), 1);
    EXPECT_EQ(sp5.FNomDLL, "SP5.DLL"); // ...but the bare vendor name is loaded instead
    EXPECT_EQ(sp5.typeCentrale, kSysamSP5);
}

TEST(SP5Bibliotheque, MissingLibraryStaysUsable)
{
    TSP5 sp5("/chemin/inexistant/SP5SIM.DLL", 1);
    EXPECT_FALSE(sp5.CentraleInstallee);
    EXPECT_EQ(sp5.HandleDLL, 0);
    EXPECT_EQ(sp5.numeroSerie, "SP5Absente");
    EXPECT_FALSE(sp5.Presente());
    EXPECT_EQ(sp5.GetRegistre(36), 0);
    EXPECT_EQ(sp5.TailleTransfertFifo(64), 0);
    EXPECT_NO_THROW(sp5.AfficheInfos());
    EXPECT_NO_THROW(sp5.prepareTousPRX(true));
    EXPECT_NO_THROW(sp5.free(true));
}

TEST(SP5Bibliotheque, MemoOfCoefficients)
{
    Crochets faux(faux_sp5::complet());
    TSP5 sp5(faux_sp5::complet(), 1);
    TMemoCalibrage memo;
    sp5.prepareTMemoCalibrage(memo);
    ASSERT_EQ(memo.a1m.size(), 8u);
    EXPECT_EQ(memo.a1m[0].size(), 6u);
    EXPECT_FALSE(memo.b1diffmCorr[7][5]);
    sp5.MemoriseCalibrage(memo);
    EXPECT_FLOAT_EQ(memo.a1m[5][2], 0.0022f);
    const double ancien = sp5.b1[3][1];
    sp5.b1[3][1] = 99.0;
    sp5.RestitueCalibrage(memo);
    EXPECT_DOUBLE_EQ(sp5.b1[3][1], ancien);
}

TEST(SP5Bibliotheque, PresenceRetriesALibraryMissingAtStart)
{
    namespace fs = std::filesystem;
    const fs::path dossier = fs::temp_directory_path() / ("galvora-sp5-" + std::to_string(::getpid()));
    fs::create_directories(dossier);
    const std::string chemin = (dossier / "SP5.DLL").string();
    {
        TSP5 sp5(chemin, 1);
        EXPECT_FALSE(sp5.CentraleInstallee);
        EXPECT_FALSE(sp5.Presente());
        fs::copy_file(faux_sp5::complet(), chemin);
        Crochets faux(chemin);
        EXPECT_TRUE(sp5.Presente());
        EXPECT_TRUE(sp5.CentraleInstallee);
        sp5.RecupereCalibration();
        sp5.MAJCalibrage();
        EXPECT_EQ(sp5.numeroSerie, "FAUX0042");
        EXPECT_GT(sp5.a1[0][0], 0.0);
    }
    fs::remove_all(dossier);
}
