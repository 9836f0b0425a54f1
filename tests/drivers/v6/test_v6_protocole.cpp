// The link and the echoed command protocol, on a scripted byte stream.
#include "FixtureFauxD2XX.h"

#include <array>
#include <cstring>

namespace {

uint32_t maintenant()
{
    return plateforme::compteurTicks();
}

std::string blocCalibrage(const std::string& numeroSerie16)
{
    std::array<uint8_t, 128> octets {};
    const float ampli[3] = { 0.0122f, 0.0123f, 0.0124f };
    const float offset[3] = { -25.0f, -25.1f, -24.9f };
    for (int i = 0; i < 3; ++i) {
        std::memcpy(&octets[std::size_t(4 * i)], &ampli[i], 4);
        std::memcpy(&octets[std::size_t(16 + 4 * i)], &offset[i], 4);
    }
    std::memcpy(&octets[64], numeroSerie16.data(), std::min<std::size_t>(16, numeroSerie16.size()));
    return std::string(octets.begin(), octets.end());
}

} // namespace

using ProtocoleV6 = FixtureFauxD2XX;

TEST_F(ProtocoleV6, OpeningConfiguresTheBridgeInOrder)
{
    ouvre();
    const std::string attendu = "OpenEx(Sysam-V6,2);SetBaudRate(1250000);SetDataCharacteristics(8,0,0);"
                                "SetFlowControl(256,17,19);SetChars(0,0,0,0);SetTimeouts(100,1000);SetRts;"
                                "Purge(1);Purge(2);";
    const std::string j = journal();
    ASSERT_GE(j.size(), attendu.size());
    EXPECT_EQ(j.substr(j.size() - attendu.size()), attendu);
}

TEST_F(ProtocoleV6, FramedAnswerYieldsItsText)
{
    ouvre();
    reponse("V00040F0F0F", cadre("ABC"));
    EXPECT_EQ(v6->Send_V6("V00040F0F0F"), "ABC");
    EXPECT_EQ(ecrits(), "V00040F0F0F");
    EXPECT_EQ(enAttente(), 0);
}

TEST_F(ProtocoleV6, StrayBytesBeforeEchoAndAnswerAreDropped)
{
    ouvre();
    entree("xyz\x01@:");
    reponse("P", "junk");
    reponse("PD8F0", "more" + cadre("OK"));
    EXPECT_EQ(v6->Send_V6("PD8F0"), "OK");
}

TEST_F(ProtocoleV6, EmptyFrameIsAnEmptyAnswer)
{
    ouvre();
    reponse("N03F3", cadre(""));
    EXPECT_EQ(v6->Send_V6("N03F3"), "");
    EXPECT_EQ(enAttente(), 0);
}

TEST_F(ProtocoleV6, MissingEchoStopsTheCommandAfterOneSecond)
{
    ouvre();
    echoLimite(1); // the echo of "N" comes, the one of "0" does not
    reponse("N03F3", cadre("OK"));
    const uint32_t debut = maintenant();
    EXPECT_EQ(v6->Send_V6("N03F3"), "");
    const uint32_t duree = maintenant() - debut;
    EXPECT_GE(duree, 1000u);
    EXPECT_LT(duree, 1500u);
    EXPECT_EQ(ecrits(), "N0");
}

TEST_F(ProtocoleV6, EveryExchangeFailsAtOnceWithoutDevice)
{
    v6->free(true);
    branche(false);
    v6 = std::make_unique<TSYSAMV6>(FAUX_D2XX_CHEMIN, 1);
    const uint32_t debut = maintenant();
    EXPECT_FALSE(v6->Presente());
    EXPECT_EQ(v6->Send_V6("I"), "");
    EXPECT_FALSE(v6->prepareInterfacePourAcq(true));
    EXPECT_LT(maintenant() - debut, 100u);
    EXPECT_TRUE(v6->CentraleInstallee);
    EXPECT_EQ(v6->numeroSerie, "V6Absente");
    EXPECT_EQ(ecrits(), "");
}

TEST_F(ProtocoleV6, PresenceReadsTheCalibrationBlock)
{
    reponse("0", ":" + blocCalibrage("SN-0001") + "@\n\r");
    EXPECT_TRUE(v6->Presente());
    EXPECT_TRUE(v6->CentralePresente);
    EXPECT_TRUE(v6->V6TrouveeAuMoinsUneFois);
    EXPECT_EQ(ecrits(), "\x1b" "0");
    EXPECT_EQ(v6->numeroSerie, "SN-0001");
    EXPECT_FLOAT_EQ(v6->CalibrageV6.AmpliCan[1], 0.0123f);
    EXPECT_FLOAT_EQ(v6->CalibrageV6.OffsetCan[2], -24.9f);
    // Read, not applied: the conversion changes only with MAJCalibrage.
    EXPECT_EQ(v6->Ux(1, 2048), 0.0);
    v6->MAJCalibrage();
    EXPECT_NEAR(v6->Ux(1, 2048), 2048 * 0.0123 - 25.1, 1e-4);
    EXPECT_EQ(v6->numeroSerie, "SN-0001");
}

TEST_F(ProtocoleV6, SerialNumberWithoutNulHasSixteenCharacters)
{
    reponse("0", ":" + blocCalibrage("ABCDEFGHIJKLMNOP") + "@\n\r");
    ASSERT_TRUE(v6->Presente());
    EXPECT_EQ(v6->numeroSerie, "ABCDEFGHIJKLMNOP");
}

TEST_F(ProtocoleV6, SilentUnitIsAbsentAfter200msAndItsBlockIsNotAsked)
{
    echo(false);
    const uint32_t debut = maintenant();
    EXPECT_FALSE(v6->Presente());
    const uint32_t duree = maintenant() - debut;
    EXPECT_GE(duree, 200u);
    EXPECT_LT(duree, 400u);
    EXPECT_FALSE(v6->CentralePresente);
    EXPECT_EQ(ecrits(), "\x1b");
}

TEST_F(ProtocoleV6, TruncatedCalibrationBlockIsDroppedAtItsTimeLimit)
{
    ouvre();
    v6->CalibrageV6.AmpliCan[0] = 0.5f;
    v6->numeroSerie = "avant";
    reponse("0", ":" + blocCalibrage("NOUVEAU").substr(0, 100));
    const uint32_t debut = maintenant();
    v6->RecupereCalibration();
    const uint32_t duree = maintenant() - debut;
    EXPECT_GE(duree, TSYSAMV6::kDelaiOctetCalibrage);
    EXPECT_LT(duree, TSYSAMV6::kDelaiOctetCalibrage + 500);
    EXPECT_FLOAT_EQ(v6->CalibrageV6.AmpliCan[0], 0.5f);
    EXPECT_EQ(v6->numeroSerie, "avant");
}

TEST_F(ProtocoleV6, WriteIsRetriedOnceAfterReopeningOnLinkErrors)
{
    ouvre();
    const std::size_t avant = journal().size();
    erreursEcriture(4, 1);
    v6->EcrireUnCaractere('I');
    EXPECT_EQ(ecrits(), "I");
    const std::string apres = journal().substr(avant);
    EXPECT_EQ(apres.find("WriteErreur(4);Close;OpenEx(Sysam-V6,2)"), 0u) << apres;

    // Two failures in a row: no third attempt.
    erreursEcriture(1, 2);
    v6->EcrireUnCaractere('J');
    EXPECT_EQ(ecrits(), "I");

    // Other errors are not retried.
    erreursEcriture(18, 1);
    v6->EcrireUnCaractere('K');
    EXPECT_EQ(ecrits(), "I");
    v6->EcrireUnCaractere('L');
    EXPECT_EQ(ecrits(), "IL");
}

TEST_F(ProtocoleV6, ResetSendsIAndMarksEveryCommandToSend)
{
    ouvre();
    v6->ccV_VoiesAAcqMod = v6->ccP_TempsEchMod = v6->ccN_NbPointsMod = false;
    v6->ccE_SynchroMod = v6->ccO_PretrigMod = v6->ccA_VoieMod = false;
    reponse("I", cadre(""));
    v6->Reset();
    EXPECT_EQ(ecrits(), "I");
    EXPECT_TRUE(v6->ccV_VoiesAAcqMod && v6->ccP_TempsEchMod && v6->ccN_NbPointsMod);
    EXPECT_TRUE(v6->ccE_SynchroMod && v6->ccO_PretrigMod && v6->ccA_VoieMod);
}

TEST_F(ProtocoleV6, EmptyAnswerFailsThePreparationAndKeepsLaterCommandsFlagged)
{
    ouvre();
    const std::string V = v6->ccV_VoiesAAcq, P = v6->ccP_TempsEch, N = v6->ccN_NbPoints;
    const std::string E = v6->ccE_Synchro, O = v6->ccO_Pretrig;
    reponse(V, cadre("OK"));
    reponse(P, cadre(""));
    EXPECT_FALSE(v6->prepareInterfacePourAcq(true));
    EXPECT_EQ(ecrits(), V + P);
    EXPECT_FALSE(v6->ccV_VoiesAAcqMod);
    EXPECT_TRUE(v6->ccP_TempsEchMod && v6->ccN_NbPointsMod && v6->ccE_SynchroMod && v6->ccO_PretrigMod);

    // The next preparation sends what is still flagged; the trigger's answer
    // is not examined.
    reponse(P, cadre("OK"));
    reponse(N, cadre("OK"));
    reponse(E, cadre(""));
    reponse(O, cadre("OK"));
    EXPECT_TRUE(v6->prepareInterfacePourAcq(false));
    EXPECT_EQ(ecrits(), V + P + P + N + E + O);
    EXPECT_TRUE(v6->CentralePretePourAcq);
}

TEST_F(ProtocoleV6, DirectMeasurementReadsHexCodesUntilAnAnswerIsNotANumber)
{
    ouvre();
    v6->CalibrageV6.AmpliCan = { 0.01f, 0.02f, 0.03f, 0 };
    v6->CalibrageV6.OffsetCan = { -20.0f, -20.0f, -20.0f, 0 };
    v6->MAJCalibrage();
    v6->activeVoieA(1, false);
    v6->activeVoieA(2, false);
    v6->VoiesX[2].mesDir = 7;
    reponse("A0", cadre("800"));
    reponse("A2", cadre("0FF"));
    reponse("A4", cadre(""));
    v6->MesureDirecte();
    EXPECT_EQ(ecrits(), "A0A2A4");
    EXPECT_EQ(v6->VoiesX[0].mesDir, 0x800);
    EXPECT_NEAR(v6->VoiesX[0].mesDirR, 0x800 * 0.01 - 20.0, 1e-4);
    EXPECT_EQ(v6->VoiesX[1].mesDir, 0xFF);
    EXPECT_NEAR(v6->VoiesX[1].mesDirR, 0xFF * 0.02 - 20.0, 1e-4);
    EXPECT_EQ(v6->VoiesX[2].mesDir, 7);
}

TEST(BibliothequeV6, MissingLibraryLeavesTheUnitNotInstalled)
{
    TSYSAMV6 v6("/nulle/part/FTD2XX-V6.DLL", 1);
    EXPECT_FALSE(v6.CentraleInstallee);
    EXPECT_FALSE(v6.CentralePresente);
    EXPECT_EQ(v6.numeroSerie, "V6Absente");
    EXPECT_EQ(v6.typeCentrale, 2);
    EXPECT_EQ(v6.nomCentrale, "SYSAM V6");
    v6.free(true);
}

TEST(BibliothequeV6, SecondObjectSharesTheLoadedLibrary)
{
    BibliothequeTest faux(FAUX_D2XX_CHEMIN);
    faux.fonction<PtrFauxD2XX_Reinitialise>("FauxD2XX_Reinitialise")();
    faux.fonction<PtrFauxD2XX_Branche>("FauxD2XX_Branche")(0);
    TSYSAMV6 premier(FAUX_D2XX_CHEMIN, 1);
    TSYSAMV6 second(FAUX_D2XX_CHEMIN, 1);
    EXPECT_TRUE(premier.CentraleInstallee);
    EXPECT_TRUE(second.CentraleInstallee);
    // Releasing one unloads the library for both: the next open loads it again.
    second.free(true);
    faux.fonction<PtrFauxD2XX_Branche>("FauxD2XX_Branche")(1);
    EXPECT_TRUE(premier.Open_V6());
    premier.free(true);
}
