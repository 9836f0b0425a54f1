// The SYLK blocks and the target rules, without an office.
#include "export/calc/BlocSYLK.h"
#include "export/calc/CibleCalc.h"

#include "model/UniteBaseChaines.h"

#include <gtest/gtest.h>

namespace {

TVoieMesuree courbe(const char* nom)
{
    TVoieMesuree vm;
    vm.sEnteteVM = nom;
    return vm;
}

TMesures deuxCourbes()
{
    TMesures m;
    m.tv2 = {{0.125f, 0.25f, 0.5f}, {-1.5f, -1.25f, 3e-7f}};
    m.voiesMesurees = {courbe("u[EA0]"), courbe("u{EA1}")};
    m.nbVoiesMesurees = 2;
    m.dtAX = 0.0001;
    m.nbPtsAX = 3;
    m.dureeTotaleAX = 0.0003;
    m.t0 = 0;
    m.tFin = 0.0002;
    return m;
}

} // namespace

TEST(BlocSYLK, ExampleOfTwoCurvesAndTwoPointsByteForByte)
{
    const TMesures m = deuxCourbes();
    std::string sT;
    ajouteEnregistrementsPoint(sT, m, 0, 1, 2);
    ajouteEnregistrementsPoint(sT, m, 1, 2, 2);
    const std::string attendu = std::string("ID;PSCALC3\r\n"
                                            "C;X1;Y1;K0\r\n"
                                            "C;X2;Y1;K0.125\r\n"
                                            "C;X3;Y1;K-1.5\r\n"
                                            "C;X1;Y2;K0.0001\r\n"
                                            "C;X2;Y2;K0.25\r\n"
                                            "C;X3;Y2;K-1.25\r\n"
                                            "\"\"\"\"\"\"\"\"\xEE\xFE")
        + std::string(1, '\0');
    EXPECT_EQ(blocPressePapiers(sT), attendu);
    EXPECT_EQ(blocPressePapiers(sT).size(), 12 + sT.size() + 11);
}

TEST(BlocSYLK, SmallSamplesInTheExponentFormAndAPointNextToTZeroAtZero)
{
    TMesures m = deuxCourbes();
    m.t0 = 0.4 * m.dtAX; // point 0 lies 0.4 × dtAX before "t = 0"
    std::string sT;
    ajouteEnregistrementsPoint(sT, m, 0, 1, 2);
    ajouteEnregistrementsPoint(sT, m, 2, 2, 2);
    EXPECT_EQ(sT, "C;X1;Y1;K0\r\nC;X2;Y1;K0.125\r\nC;X3;Y1;K-1.5\r\n"
                  "C;X1;Y2;K0.00016\r\nC;X2;Y2;K0.5\r\nC;X3;Y2;K3E-007\r\n");
}

TEST(BlocSYLK, BlocksHoldAboutFiveHundredCells)
{
    const std::pair<int, int64_t> cas[] = {{0, 501}, {1, 251}, {2, 167}, {3, 126}, {8, 56}, {499, 2}, {500, 1}, {600, 1}};
    for (auto [courbes, points] : cas)
        EXPECT_EQ(tailleBlocCalc(courbes), points) << courbes << " curves";
}

TEST(BlocSYLK, HeaderRecordsInTheUsersFormatsWithNamesWithoutBrackets)
{
    setSeparateurDecimal(',');
    const TMesures m = deuxCourbes();
    TSourceCalc source{&m, "SYSAM SP5", QDateTime(QDate(2025, 12, 8), QTime(14, 3, 27)),
                       QLocale(QLocale::French, QLocale::France)};
    const std::string enTete = enregistrementsEnTete(source, plageExport(m));
    setSeparateurDecimal('.');
    EXPECT_EQ(enTete, "C;X1;Y1;K\"Mesures réalisées avec l'interface SYSAM SP5 le 08/12/2025 à 14:03:27\"\r\n"
                      "C;X1;Y2;K\"3 points répartis sur 200,0 µs   2 séries mesurées \"\r\n"
                      "C;X1;Y3;K\"t\"\r\nC;X2;Y3;K\"uEA0\"\r\nC;X3;Y3;K\"uEA1\"\r\n"
                      "C;X1;Y4;K\"s\"\r\nC;X2;Y4;K\"V\"\r\nC;X3;Y4;K\"V\"\r\n");
}

TEST(BlocSYLK, OneCurveSentenceAndADurationInSeconds)
{
    TMesures m = deuxCourbes();
    m.nbVoiesMesurees = 1;
    m.dtAX = 0.25;
    m.tFin = 0.5;
    m.dureeTotaleAX = 0.75;
    TSourceCalc source{&m, "SYSAM V6", QDateTime(QDate(2025, 1, 2), QTime(3, 4, 5)), QLocale(QLocale::French)};
    const std::string enTete = enregistrementsEnTete(source, plageExport(m));
    EXPECT_NE(enTete.find("C;X1;Y2;K\"3 points répartis sur 0,5 s   1 série mesurée \"\r\n"), std::string::npos) << enTete;
    EXPECT_EQ(enTete.find("C;X3;"), std::string::npos);
}

TEST(BlocSYLK, TextsReachTheSystemCodePage)
{
    EXPECT_EQ(versPageCodeSysteme("C;X1;Y3;K\"t\""), "C;X1;Y3;K\"t\"");
    // The tests run in a UTF-8 locale, the one the office reads clipboard SYLK in.
    EXPECT_EQ(versPageCodeSysteme("réalisées à"), "réalisées à");
}

TEST(CibleCalc, FirstConnectionAndClosedDocumentAlwaysGiveANewDocument)
{
    struct Cas {
        int option;
        bool nouvelleConnexion;
        bool ouvert;
        TCibleCalc attendu;
    };
    const Cas cas[] = {
        {1, true, true, TCibleCalc::nouveauClasseur},   {3, true, false, TCibleCalc::nouveauClasseur},
        {0, false, true, TCibleCalc::nouveauClasseur},  {1, false, true, TCibleCalc::nouvelleFeuille},
        {1, false, false, TCibleCalc::nouveauClasseur}, {3, false, true, TCibleCalc::demander},
        {3, false, false, TCibleCalc::nouveauClasseur}, {2, false, true, TCibleCalc::nouveauClasseur},
        {-1, false, true, TCibleCalc::nouveauClasseur},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(cibleTransfertCalc(c.option, c.nouvelleConnexion, c.ouvert), c.attendu)
            << c.option << " " << c.nouvelleConnexion << " " << c.ouvert;
}

TEST(CibleCalc, NewSheetNamesAvoidEveryNameInUpperCase)
{
    EXPECT_EQ(nomNouvelleFeuille(3, {"Transfert", "Transfert2"}), "Transfert3");
    EXPECT_EQ(nomNouvelleFeuille(2, {"Transfert", "TRANSFERT2"}), "Transfert2a");
    EXPECT_EQ(nomNouvelleFeuille(2, {"transfert2", "Transfert2A", "Transfert2b"}), "Transfert2c");
    std::vector<std::string> pris = {"Transfert12"};
    for (int i = 0; i < 26; ++i)
        pris.push_back("Transfert12" + lettresIndice(i));
    EXPECT_EQ(nomNouvelleFeuille(12, pris), "Transfert12aa");
}
