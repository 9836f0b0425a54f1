#include "model/UniteBaseChaines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// Runs each test once with "." and once with "," as the user's separator.
class AvecSeparateur : public ::testing::TestWithParam<char> {
protected:
    void SetUp() override
    {
        precedent_ = separateurDecimal();
        setSeparateurDecimal(GetParam());
    }
    void TearDown() override { setSeparateurDecimal(precedent_); }

    // '#' in an expected text stands for the user's separator.
    static std::string avecSeparateur(std::string t)
    {
        for (char& c : t)
            if (c == '#')
                c = separateurDecimal();
        return t;
    }

private:
    char precedent_ = '.';
};

INSTANTIATE_TEST_SUITE_P(Separateurs, AvecSeparateur, ::testing::Values('.', ','),
                         [](const auto& info) { return info.param == '.' ? "point" : "virgule"; });

struct CasLecture {
    std::string texte;
    long double attendu;
};

TEST_P(AvecSeparateur, ReadsPrefixesPowersAndUnits)
{
    const std::vector<CasLecture> cas = {
        {"5 ms", 0.005L},
        {"1 \xC2\xB5s", 1e-6L},     // µ (U+00B5)
        {"1 \xCE\xBCs", 1e-6L},     // Greek mu
        {"1 us", 1e-6L},
        {"3 f", 3e-15L},
        {"3 p", 3e-12L},
        {"3 ns", 3e-9L},
        {"3 kV", 3000.0L},
        {"4 G", 4e9L},
        {"7 T", 7e12L},
        {"1000 s", 1000.0L},
        {"-2.5 V", -2.5L},
        {"+2.5", 2.5L},
        {".5", 0.5L},
        {"2x10-3", 0.002L},
        {"2.10-3", 0.002L},
        {"2.10+3", 2000.0L},
        {"2x103", 2000.0L},
        {"2x10-3 ms", 2e-6L},
        {"1e-3", 0.001L},
        {"1E-3 s", 0.001L},
        {"2.5e3", 2500.0L},
        {"1.5e+2", 150.0L},
        {"1 000 s", 1000.0L},
        {"1\xC2\xA0" "000 s", 1000.0L}, // no-break space
        {"5 Hertz", 5.0L},
        // The first prefix of the list found anywhere wins, even in the unit.
        {"2 Mohm", 0.002L},
        {"2 min", 2e-9L},
        // Plain decimals, even with ".10" inside, stay decimals.
        {"0.105", 0.105L},
        {"0.10", 0.1L},
        {"1.100 ms", 0.0011L},
        {"2.10e3", 2100.0L},
    };
    for (const CasLecture& c : cas) {
        long double v = -99.0L;
        EXPECT_EQ(valeurDeTexte(c.texte, v), valeurLue) << c.texte;
        EXPECT_NEAR(static_cast<double>(v), static_cast<double>(c.attendu),
                    std::fabs(static_cast<double>(c.attendu)) * 1e-15)
            << c.texte;
    }
}

TEST_P(AvecSeparateur, ReadingErrorsLeaveTheValueAlone)
{
    const std::vector<std::pair<std::string, int>> cas = {
        {"3e", erreurExposantVide},
        {"2x10", erreurExposantVide},
        {"3 e ms", erreurExposantVide},
        {"3eX", erreurExposantIncorrect},
        {"3e-", erreurExposantIncorrect},
        {"3e1.5", erreurExposantIncorrect},
        {"3e+-2", erreurExposantIncorrect},
        {"1e99999999999", erreurExposantIncorrect},
        {"1e999999", erreurExposantIncorrect}, // beyond any long double
        {"abc", erreurMantisseIncorrecte},
        {"e3", erreurMantisseIncorrecte},
        {"1.2.3", erreurMantisseIncorrecte},
        {"--2", erreurMantisseIncorrecte},
        {"m", erreurTexteVide},
        {"  ", erreurTexteVide},
    };
    for (const auto& [texte, code] : cas) {
        long double v = 42.0L;
        EXPECT_EQ(valeurDeTexte(texte, v), code) << texte;
        EXPECT_EQ(v, 42.0L) << texte;
    }
    long double v = 42.0L;
    EXPECT_EQ(valeurDeTexte("", v), valeurLue);
    EXPECT_EQ(v, 42.0L);
}

TEST(ValeurDeTexte, CommaIsTheDecimalSeparatorOnlyWhenTheUserHasIt)
{
    const char precedent = separateurDecimal();
    long double v = 0;
    setSeparateurDecimal(',');
    EXPECT_EQ(valeurDeTexte("2,5", v), valeurLue);
    EXPECT_EQ(v, 2.5L);
    EXPECT_EQ(valeurDeTexte("10,00 ms", v), valeurLue);
    EXPECT_NEAR(static_cast<double>(v), 0.01, 1e-17);
    EXPECT_EQ(valeurDeTexte("1,5.2", v), erreurMantisseIncorrecte);

    setSeparateurDecimal('.');
    v = 7;
    EXPECT_EQ(valeurDeTexte("2,5", v), erreurMantisseIncorrecte);
    EXPECT_EQ(v, 7.0L);
    setSeparateurDecimal(precedent);
}

TEST(SeparateurDecimal, RefusesCharactersThatBelongToNumbers)
{
    const char precedent = separateurDecimal();
    for (char c : {'5', '-', '+', 'e', 'E', ' ', '\0'}) {
        setSeparateurDecimal(c);
        EXPECT_EQ(separateurDecimal(), '.') << int(c);
    }
    setSeparateurDecimal(',');
    EXPECT_EQ(separateurDecimal(), ',');
    setSeparateurDecimal(precedent);
}

struct CasEcriture {
    int chiffres;
    int style;
    long double x;
    std::string attendu; // '#' = the user's separator
};

TEST_P(AvecSeparateur, WritesEngineeringNotation)
{
    const std::vector<CasEcriture> cas = {
        {3, styleIngenieur, 1e-6L, "1#00 \xC2\xB5"},
        {3, styleIngenieur, 1e-5L, "10#0 \xC2\xB5"},
        {3, styleIngenieur, 1e-4L, "100 \xC2\xB5"},
        {3, styleIngenieur, 0.0125L, "12#5 m"},
        {3, styleIngenieur, -0.0125L, "-12#5 m"},
        {3, styleIngenieur, 1234.0L, "1#23 k"},
        {3, styleIngenieur, 1500.0L, "1#50 k"},
        {3, styleIngenieur, 100.0L, "100 "},
        {3, styleIngenieur, 10.0L, "10#0 "},
        {3, styleIngenieur, 2.0L, "2#00 "},
        {3, styleIngenieur, 3600.0L, "3#60 k"},
        {4, styleIngenieur, 0.005L, "5#000 m"},
        {4, styleIngenieur, 0.0021L, "2#100 m"},
        {4, styleIngenieur, 12.345678L, "12#35 "},
        {3, styleIngenieur, 2e-15L, "2#00 f"},
        {3, styleIngenieur, 5e-13L, "500 f"},   // f stops at -5
        {3, styleIngenieur, 2e15L, "2000 T"},   // and at 4
        {3, styleIngenieur, 2e9L, "2#00 G"},
        {3, styleIngenieur, 7e6L, "7#00 M"},
        {3, styleIngenieur, 4e-9L, "4#00 n"},
        {3, styleIngenieur, 4e-12L, "4#00 p"},
        // Rounding that reaches the next thousand moves to the next prefix.
        {3, styleIngenieur, 999.7L, "1#00 k"},
        {3, styleIngenieur, 999.996L, "1#00 k"},
        {3, styleIngenieur, 0.9999996L, "1#00 "},
        // Zero, and what is too small to tell from it, unsigned.
        {3, styleIngenieur, 0.0L, "0#00 "},
        {3, styleIngenieur, 5e-16L, "0#00 "},
        {3, styleIngenieur, -5e-16L, "0#00 "},
        {3, styleIngenieurCourt, 0.0L, "0#0 "},
        {3, styleIngenieurCourt, 0.0125L, "12#5 m"},
        {1, styleIngenieur, 5.0L, "5 "},
        {2, styleIngenieur, 150.0L, "150 "},
    };
    for (const CasEcriture& c : cas) {
        std::string texte = "ancien";
        formatValeur(c.chiffres, c.style, texte, c.x);
        EXPECT_EQ(texte, avecSeparateur(c.attendu)) << static_cast<double>(c.x);
    }
}

TEST_P(AvecSeparateur, WritesPowersOfTenForTheLabels)
{
    const std::vector<CasEcriture> cas = {
        {4, stylePuissanceDix, 1.234567e-5L, "1#234.10\t-5\n"},
        {3, stylePuissanceDix, 9.9999e-5L, "9#99.10\t-5\n"}, // cut, not rounded
        {4, stylePuissanceDix, 2500.0L, "2#500.10\t3\n"},
        {4, stylePuissanceDix, -1e-5L, "-1#000.10\t-5\n"},
        {1, stylePuissanceDix, 2e-7L, "2.10\t-7\n"},
        {4, stylePuissanceDix, 1e12L, "1#000.10\t12\n"},
    };
    for (const CasEcriture& c : cas)
        EXPECT_EQ(formatValeur(c.chiffres, c.style, c.x), avecSeparateur(c.attendu))
            << static_cast<double>(c.x);
}

// What the program writes in its boxes must read back as the same value.
TEST_P(AvecSeparateur, WrittenValuesReadBack)
{
    for (long double v : {1e-6L, 2.1e-3L, 1.1e-3L, 0.0105L, 0.105L, 1.10L, 10.1L, 101.0L, 3600.0L,
                          -0.0125L, 2.5e-9L, 7.77e10L}) {
        for (int chiffres : {3, 4}) {
            const std::string texte = formatValeur(chiffres, styleIngenieur, v) + "s";
            long double lu = 0;
            ASSERT_EQ(valeurDeTexte(texte, lu), valeurLue) << texte;
            long double attendu = v;
            EXPECT_NEAR(static_cast<double>(lu), static_cast<double>(attendu),
                        std::fabs(static_cast<double>(v)) * 1e-12)
                << texte;
        }
    }
}

TEST(FormatValeur, PrefixSymbols)
{
    const std::vector<std::pair<int, std::string>> cas = {
        {-5, "f"}, {-4, "p"}, {-3, "n"}, {-2, "\xC2\xB5"}, {-1, "m"},
        {0, ""},   {1, "k"},  {2, "M"},  {3, "G"},         {4, "T"},
        {5, ""},   {-6, ""},
    };
    for (const auto& [puissance, symbole] : cas)
        EXPECT_EQ(prefixeSI(puissance), symbole) << puissance;
}

TEST(Lettres, BijectiveBase26)
{
    const std::vector<std::pair<int, std::string>> cas = {
        {0, "A"},    {1, "B"},     {25, "Z"}, {26, "AA"}, {27, "AB"},
        {51, "AZ"},  {52, "BA"},   {701, "ZZ"}, {702, "AAA"}, {16383, "XFD"},
        {-1, ""},
    };
    for (const auto& [n, lettres] : cas) {
        EXPECT_EQ(lettresColonne(n), lettres) << n;
        EXPECT_EQ(majusculesASCII(lettresIndice(n)), lettres) << n;
    }
    EXPECT_EQ(lettresIndice(0), "a");
    EXPECT_EQ(lettresIndice(26), "aa");
    EXPECT_EQ(lettresIndice(-1), "");
}

TEST(MajusculesASCII, OnlyLettersAToZ)
{
    EXPECT_EQ(majusculesASCII("c:\\program files\\galvora.exe"), "C:\\PROGRAM FILES\\GALVORA.EXE");
    // Accented letters and "µ" keep their bytes.
    EXPECT_EQ(majusculesASCII("\xC3\xA9t\xC3\xA9 1 \xC2\xB5s"), "\xC3\xA9T\xC3\xA9 1 \xC2\xB5S");
    EXPECT_EQ(majusculesASCII(""), "");
}

} // namespace
