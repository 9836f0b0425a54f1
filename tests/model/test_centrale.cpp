#include "model/TCentrale.h"

#include <gtest/gtest.h>

TEST(TCentrale, BaseCreateSetsItsDefaults)
{
    TCentrale c(1);
    EXPECT_EQ(c.LogiUtilisateur, 1);
    EXPECT_FALSE(c.CentralePCI);
    EXPECT_TRUE(c.pretrigDispo);
    EXPECT_FALSE(c.synchroExterneDispo);
    EXPECT_DOUBLE_EQ(c.tAcqRecup, -1.0);
    EXPECT_FLOAT_EQ(c.tAttenteMaxDecl, 31557599232.0f);
    EXPECT_FALSE(c.acqPeriodiqueEnCours);
    EXPECT_EQ(c.NbProcessus, 0);
    ASSERT_NE(c.uPer[0], nullptr);
    ASSERT_NE(c.UBodeZ, nullptr);
}

TEST(TCentrale, CreateAgainReinitialisesEverySetting)
{
    TCentrale c(1);
    c.modeDecl = kDeclSeuil;
    c.dureeTotale0X = 3.0;
    c.VoiesX.resize(3);
    c.numeroSerie = "X";
    c.Create("autre.so", 0);
    EXPECT_EQ(c.modeDecl, kDeclImmediat);
    EXPECT_EQ(c.dureeTotale0X, 0.0);
    EXPECT_TRUE(c.VoiesX.empty());
    EXPECT_TRUE(c.numeroSerie.empty());
    EXPECT_EQ(c.LogiUtilisateur, 0);
}

TEST(TCentrale, BaseOperationsAreNeutral)
{
    TCentrale c(1);
    TFifoSP5 bloc {};
    EXPECT_FALSE(c.Presente());
    EXPECT_EQ(c.presentePendantAcq(), 0);
    EXPECT_EQ(c.LireFifo(&bloc), 0);
    EXPECT_EQ(c.filtreNbPts(123), 123);
    EXPECT_FLOAT_EQ(c.filtreUSeuilAuto(), 0.2f);
    EXPECT_TRUE(c.synchroDisponible());
    EXPECT_FALSE(c.RisqueAliasing());
    EXPECT_FALSE(c.ElimineAliasing());
    EXPECT_EQ(c.GetCapU(0), "");
    c.modeAcq = 5;
    c.setDurees(0.1, 1001, true);
    EXPECT_EQ(c.modeAcq, -1);
    EXPECT_EQ(c.Capteur(2), 0);
}

TEST(TCentrale, BaseTimingComparisonUsesPointsAndInterval)
{
    TCentrale c(1);
    c.nbPts0X = 1001;
    c.dt0X = 1e-4;
    EXPECT_FALSE(c.memesParametresTemporels()); // nothing remembered yet
    c.memoriseParametresTemporels();
    EXPECT_TRUE(c.memesParametresTemporels());
    c.dt0X = 0.1 / 1000; // the same interval, computed another way
    EXPECT_TRUE(c.memesParametresTemporels());
    c.dt0X = 2e-4;
    EXPECT_FALSE(c.memesParametresTemporels());
    c.dt0X = 1e-4;
    c.nbPts0X = 1002;
    EXPECT_FALSE(c.memesParametresTemporels());
}

TEST(TCentrale, ReleaseDeletesAndClearsTheReference)
{
    struct Espion : TCentrale {
        bool* libere;
        explicit Espion(bool* l) : TCentrale(1), libere(l) {}
        void free(bool libererDLL) override { *libere = libererDLL; }
    };
    bool libere = false;
    TCentrale* c = new Espion(&libere);
    libereCentrale(c, true);
    EXPECT_TRUE(libere);
    EXPECT_EQ(c, nullptr);
    libereCentrale(c, true); // harmless on an empty reference
}

TEST(TypesCentrale, BareInputAndShortTexts)
{
    const TCapteur cap = capteurTensionNue();
    EXPECT_EQ(cap.sSymboleGrandeur, "u");
    EXPECT_EQ(cap.sUnite, "V");
    EXPECT_EQ(cap.sTypeGrandeur, "Tension");
    EXPECT_EQ(cap.a[0], 1.0);
    EXPECT_EQ(cap.b[1], 0.0);
    EXPECT_EQ(texteCourt("SPSIMUL-123456789", 12), "SPSIMUL-1234");
    EXPECT_EQ(texteCourt("abc", 12), "abc");
}
