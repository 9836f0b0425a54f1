#include "export/RegressiRW3.h"

#include "export/FichierTexteWindows.h"
#include "model/UniteBaseChaines.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

TVoieMesuree courbe(const char* nom, const char* entree, int calibre)
{
    TVoieMesuree vm;
    vm.sEnteteVM = nom;
    vm.capCommRegvoie1VM = entree;
    vm.calVM = calibre;
    vm.clVM = 0x020000FF;
    return vm;
}

// Two curves of an SP5, 5 points at 2.5 ms, ended 08/12/2025 at 14:03:27.
struct ExempleFrancais : ::testing::Test {
    TMesures mesures;
    TSourceRegressi source;

    void SetUp() override
    {
        setSeparateurDecimal(',');
        mesures.tv2 = { { 0, 0.5f, 1, 1.5f, 2 }, { -1.25f, -1.25f, -1.25f, -1.25f, -1.25f } };
        mesures.voiesMesurees = { courbe("u[EA0]", "EA0", 0), courbe("u[EA1]", "EA1", 1) };
        mesures.nbVoiesMesurees = 2;
        mesures.dtAX = 0.0025;
        mesures.nbPtsAX = 5;
        mesures.dureeTotaleAX = 0.01;
        source.mesures = &mesures;
        source.nomCentrale = QStringLiteral("SYSAM SP5");
        source.calibresEAStandard = { 10, 5, 1, 0.2f };
        mesures.t0 = 0;
        mesures.tFin = 0.01;
        source.heureAcq = QDateTime(QDate(2025, 12, 8), QTime(14, 3, 27));
        source.maintenant = QDateTime(QDate(2025, 12, 9), QTime(9, 5, 0));
        source.cheminProgramme = QStringLiteral("/usr/bin/galvora");
        source.locale = QLocale(QLocale::French, QLocale::France);
    }
    void TearDown() override { setSeparateurDecimal('.'); }
};

} // namespace

TEST_F(ExempleFrancais, WholeFileLineForLine)
{
    const QStringList attendu = {
        "EVARISTE REGRESSI WINDOWS 1.0", "£3 NOM VAR", "t", "uEA0", "uEA1",
        "£3 GENRE VAR", "0", "0", "0", "£3 UNITE VAR", "s", "V", "V",
        "£3 FORMAT VAR", "0", "0", "0", "£3 PRECISION VAR", "6", "4", "4",
        "£3 SIGNIF VAR", "Temps", "Tension entre l'entrée EA0 et la masse", "Tension entre l'entrée EA1 et la masse",
        // One converter step over each calibre: 2 × 10 V / 4096 and 2 × 5 V / 4096.
        "£3 INCERTITUDE", "2.5E-03", "0.00488", "0.00244",
        "£1 TRIGO", "0", "£1 uniteSI", "0", "£2 DATETIME", "dd/MM/yy", "hh:mm:ss", "£1 LOGBOX", "0",
        "£2 MEMO GRANDEURS", "'Mesures réalisées avec l'interface SYSAM SP5 le 08/12/2025 à 14:03:27",
        "'5 points répartis sur 10,00 ms   2 séries mesurées ",
        "£2 ACQUISITION", "EXTERNE", "/usr/bin/galvora",
        "£0 GRAPHE VAR", "&2 X", "t", "t", "&2 Y", "uEA0", "uEA1", "&2 TRACE", "1", "1", "&2 MONDE", "1", "1",
        "&3 GRADUATION", "0", "0", "0", "&3 ZERO", "1", "1", "1",
        "&12 OPTIONS", "8", "2", "1", "3", "3", "0", "0", "0", "0", "0", "0", "0",
        "&2 ANIMATION temporelle", "1", "FALSE", "&1 COM PERSO", "Acquisition Galvora",
        "£1 PAGE COMMENT", "Mesures réalisées avec l'interface SYSAM SP5 le 09/12/2025 à 09:05:00",
        "&5 VALEUR VAR", "0 0 -1.25", "0.0025 0.5 -1.25", "0.005 1 -1.25", "0.0075 1.5 -1.25", "0.01 2 -1.25",
        "&2 OPTIONS", "1", "1",
        "&10 VALEUR PARAM", "1E-26", "1E-26", "1E-26", "1E-26", "1E-26", "1E-26", "1E-26", "1E-26", "1E-26", "1E-26",
        "&10 INCERT PARAM", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0",
        "&1 ORIGINE TEMPS", "08/12/2025",
    };
    const TTexteRegressi texte = prepareSL(source, true);
    ASSERT_EQ(texte.SL.size(), attendu.size());
    for (int i = 0; i < attendu.size(); ++i)
        EXPECT_EQ(texte.SL[i], attendu[i]) << "line " << i + 1;
    // The bytes of the file begin as REGRESSI expects them.
    EXPECT_TRUE(octetsWindows1252(texte.SL).startsWith("EVARISTE REGRESSI WINDOWS 1.0\r\n\xA3" "3 NOM VAR\r\nt\r\n"));
}

TEST_F(ExempleFrancais, ColoursCursorAndSmallNumbers)
{
    source.OptionCouleursRegressi = 1;
    mesures.t0 = 0.0025;
    mesures.tv2[1][2] = -0.0000123f;
    mesures.voiesMesurees[0].sEnteteVM = "U{1}";
    const QStringList sl = prepareSL(source, true).SL;
    const int couleur = sl.indexOf(QStringLiteral("&2 COULEUR"));
    ASSERT_GE(couleur, 0);
    EXPECT_EQ(sl[couleur + 1], QString::number(0x020000FF));
    EXPECT_EQ(sl[couleur + 3], QStringLiteral("&2 X"));
    EXPECT_EQ(sl[2 + 1], QStringLiteral("U1"));
    const int valeurs = sl.indexOf(QStringLiteral("&4 VALEUR VAR"));
    ASSERT_GE(valeurs, 0);
    EXPECT_EQ(sl[valeurs + 1], QStringLiteral("0 0.5 -1.25"));
    EXPECT_EQ(sl[valeurs + 2], QStringLiteral("0.0025 1 -1.23E-005"));
    EXPECT_EQ(sl[valeurs + 4], QStringLiteral("0.0075 2 -1.25"));
    EXPECT_EQ(sl[valeurs + 5], QStringLiteral("&2 OPTIONS"));
}

// "t = 0" left a hair off a sample (a cursor kept in single precision, or
// dragged at a zoom that does not fall on whole pixels): that sample is
// still written at exactly 0, in every variant of the text.
TEST_F(ExempleFrancais, TheSampleUnderTheCursorIsAtZero)
{
    const struct {
        double dt;
        double t0;
        const char* premiere;
    } cas[] = {
        {0.0025, double(0.0025f), "0 0.5 -1.25"},
        {0.001, double(0.007f), "0 0 0"},
    };
    for (const auto& c : cas) {
        mesures.dtAX = c.dt;
        mesures.nbPtsAX = 40;
        mesures.tv2 = {std::vector<float>(40), std::vector<float>(40)};
        mesures.tv2[0][1] = 0.5f;
        mesures.tv2[1][1] = -1.25f;
        mesures.t0 = c.t0;
        mesures.tFin = 39 * c.dt;
        const TTexteRegressi texte = prepareSL(source, true);
        const int valeurs = texte.SL.indexOf(QRegularExpression(QStringLiteral("^&\\d+ VALEUR VAR$")));
        ASSERT_GE(valeurs, 0);
        EXPECT_EQ(texte.SL[valeurs + 1].toStdString(), c.premiere) << c.dt;
        EXPECT_EQ(prepareSLPage(source)[3].toStdString(), c.premiere) << c.dt;
    }
}

TEST_F(ExempleFrancais, SevenCurvesWriteSix)
{
    for (int i = 2; i < 7; ++i) {
        mesures.tv2.push_back(std::vector<float>(5, float(i)));
        mesures.voiesMesurees.push_back(courbe("u[EA2]", "EA2", 0));
    }
    mesures.nbVoiesMesurees = 7;
    const QStringList sl = prepareSL(source, true).SL;
    EXPECT_EQ(sl[1], QStringLiteral("£7 NOM VAR"));
    EXPECT_EQ(sl[9], QStringLiteral("£7 GENRE VAR"));
    EXPECT_TRUE(sl.contains(QStringLiteral("&6 Y")));
    EXPECT_TRUE(sl.contains(QStringLiteral("'5 points répartis sur 10,00 ms   6 séries mesurées ")));
    EXPECT_TRUE(sl.contains(QStringLiteral("0.01 2 -1.25 2 3 4 5")));
}

TEST_F(ExempleFrancais, HeldBackLinesAndPage)
{
    mesures.tv2 = { std::vector<float>(40), std::vector<float>(40, 1.5f) };
    mesures.nbPtsAX = 40;
    mesures.tFin = 39 * 0.0025;
    const TTexteRegressi texte = prepareSL(source, false);
    const int valeurs = texte.SL.indexOf(QStringLiteral("&15 VALEUR VAR"));
    ASSERT_GE(valeurs, 0);
    EXPECT_EQ(texte.SL[valeurs + 15], QStringLiteral("0.035 0 1.5"));
    EXPECT_EQ(texte.SL[valeurs + 16], QStringLiteral("&2 OPTIONS"));
    EXPECT_EQ(texte.sDerniereLigne[0], QStringLiteral("3.75000E-002\t0\t1.5\t"));
    EXPECT_EQ(texte.sDerniereLigne[24], QStringLiteral("9.75000E-002\t0\t1.5\t"));

    const QStringList page = prepareSLPage(source);
    EXPECT_EQ(page[0], QStringLiteral("£1 PAGE COMMENT"));
    EXPECT_EQ(page[2], QStringLiteral("&40 VALEUR VAR"));
    EXPECT_EQ(page.size(), 3 + 40 + 3);
    EXPECT_EQ(page.last(), QStringLiteral("1"));

    // A record shorter than what is held back holds back only what exists.
    mesures.tv2 = { std::vector<float>(10), std::vector<float>(10) };
    mesures.nbPtsAX = 10;
    const TTexteRegressi court = prepareSL(source, false);
    EXPECT_TRUE(court.SL.contains(QStringLiteral("&0 VALEUR VAR")));
    EXPECT_FALSE(court.sDerniereLigne[9].isEmpty());
    EXPECT_TRUE(court.sDerniereLigne[10].isEmpty());
}

TEST(NomFichierRegressi, ExtensionRuleAndProposal)
{
    EXPECT_EQ(nomFichierRegressi("/home/prof/essai.old.txt"), "/home/prof/essai.rw3");
    EXPECT_EQ(nomFichierRegressi("/home/prof/mesure"), "/home/prof/mesure.rw3");
    EXPECT_EQ(nomFichierRegressi("/home/prof/TP.2024/mesure"), "/home/prof/TP.2024/mesure.rw3");
    EXPECT_EQ(nomFichierRegressi("/home/prof/TP.2024/m.rw3"), "/home/prof/TP.2024/m.rw3");
    EXPECT_EQ(nomPropose(1), "Galvora 001");
    EXPECT_EQ(nomPropose(1234), "Galvora 1234");
}
