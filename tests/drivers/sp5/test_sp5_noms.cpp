// Names of the SP5's inputs, calibres, channels and curves.
#include "drivers/sp5/TSP5.h"

#include <gtest/gtest.h>

namespace {
const char* const kSansBibliotheque = "/chemin/inexistant/SP5.DLL";
}

TEST(TSP5Noms, Tables)
{
    TSP5 sp5(kSansBibliotheque, 1);
    EXPECT_EQ(sp5.sEntrees, (TArrayOfString { "EA0", "EA1", "EA2", "EA3", "EA4", "EA5", "EA6", "EA7" }));
    EXPECT_EQ(sp5.sCalibres, (TArrayOfString { "-10V/+10V", "-5V/+5V", "-1V/+1V", "-0.2V/+0.2V" }));
    EXPECT_EQ(sp5.sCalibresSIMPL, (TArrayOfString { "10 V", "5 V", "1 V", "0.2 V" }));
    EXPECT_EQ(sp5.twCals_, (TArrayOfString { " +10.0 ", " +5.00 ", " +1.00 ", " +0.200 " }));
    EXPECT_EQ(sp5.GBCanauxCaption, (TArrayOfString { "Canal 0", "Canal 1", "Canal 2", "Canal 3" }));
    EXPECT_EQ(sp5.calibresEAStandard, (TArrayOfSingle { 10.0f, 5.0f, 1.0f, 0.2f }));
    EXPECT_EQ(sp5.VoiesX[3].CalsVoie[3], 0);
    EXPECT_EQ(sp5.VoiesX[3].CalsVoie[4], -1);
    EXPECT_FLOAT_EQ(sp5.VoiesX[3].calsVoieR[3], 0.2f);
    EXPECT_EQ(sp5.ChxModeDiff, 1);
    EXPECT_NE(sp5.ITeHINT.find("multiple entier de 100 ns"), std::string::npos);
    EXPECT_NE(sp5.ITeHINT.find("multiple de 2 µs"), std::string::npos);
}

struct CasNom {
    int32_t entree;
    bool canalDiff; // mode of the input's channel
    const char* capUInd;
    const char* capVM;
    const char* capEA;
    const char* intitule;
};

TEST(TSP5Noms, CurveNamesFollowTheChannelMode)
{
    const CasNom cas[] = {
        { 0, false, "0_M", "u[0_M]", "EA0", "u[EA0_M]" },
        { 2, true, "2_6", "u[2_6]", "EA2", "u[EA2_EA6]" },
        { 3, false, "3_M", "u[3_M]", "EA3", "u[EA3_M]" },
        { 5, false, "5_M", "u[5_M]", "EA5", "u[EA5]" },
        { 5, true, "5_M", "u[5_M]", "EA5", "u[EA5]" },
        { 7, true, "7_M", "u[7_M]", "EA7", "u[EA7]" },
    };
    for (const CasNom& c : cas) {
        SCOPED_TRACE(testing::Message() << "input " << c.entree << (c.canalDiff ? " differential" : ""));
        TSP5 sp5(kSansBibliotheque, 1);
        sp5.setModeDiff(c.entree % 4, c.canalDiff, false);
        EXPECT_EQ(sp5.GetCapU(c.entree), "u");
        EXPECT_EQ(sp5.GetCapUInd(c.entree), c.capUInd);
        EXPECT_EQ(sp5.getCapVM(c.entree), c.capVM);
        EXPECT_EQ(sp5.getCapEA(c.entree), c.capEA);
        EXPECT_EQ(sp5.getIntituleVoie(c.entree), c.intitule);
        EXPECT_EQ(sp5.getIntituleVoieSimplifie(c.entree), c.intitule);
        EXPECT_EQ(sp5.getIntituleVoieTresSimplifie(c.entree), sp5.sEntrees[c.entree]);
        EXPECT_EQ(sp5.idxAffVoies(c.entree), c.entree);
    }
}

TEST(TSP5Noms, SimulatorAndRealNamesComeFromTheLibraryFileName)
{
    EXPECT_EQ(TSP5("/nulle/part/SP5SIM.DLL", 1).nomCentrale, "SIMULATION SP5");
    EXPECT_EQ(TSP5("/nulle/part/SP5SIM.DLL", 1).typeCentrale, kSimulationSP5);
    EXPECT_EQ(TSP5("C:\\Windows\\system32\\SP5.DLL", 1).nomCentrale, "SYSAM SP5");
    EXPECT_EQ(TSP5("C:\\Windows\\system32\\SP5.DLL", 1).FNomDLL, "C:\\Windows\\system32\\SP5.DLL");
    EXPECT_EQ(TSP5("/nulle/part/sp5sim.dll", 1).typeCentrale, kSysamSP5);
    EXPECT_EQ(TSP5("/nulle/part/sp5sim.dll", 1).FNomDLL, "SP5.DLL");
    EXPECT_EQ(TSP5("", 1).FNomDLL, "SP5.DLL");
}
