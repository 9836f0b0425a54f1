// Where a threshold trigger lies among the rows read around it.
#include "drivers/campus/AlignementCampus.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Two words per row, the trigger input second; code 2000 is 0 V, one code 10 mV.
constexpr ConversionSeuil kConversion { 0.01, -20.0 };
constexpr double kDt = 1e-3;

std::vector<uint16_t> rangees(const std::vector<int>& codesSeuil)
{
    std::vector<uint16_t> mots;
    for (int code : codesSeuil) {
        mots.push_back(uint16_t(123 << 4));
        mots.push_back(uint16_t(code << 4));
    }
    return mots;
}

struct CasAlignement {
    const char* nom;
    std::vector<int> codes;
    int64_t nbPtsPretrig;
    int32_t sens;
    int64_t rangsSupprimes;
    double dtPretrig;
};

} // namespace

TEST(AlignementCampus, PlaceLeFranchissementApresLaRangeeDePretrig)
{
    const CasAlignement cas[] = {
        { "montant", { 1900, 1900, 1900, 1900, 1900, 1900, 2100, 2200, 2300, 2400 }, 3, 0, 2, 0.5 * kDt },
        { "montant_au_quart", { 1900, 1900, 1900, 1900, 1990, 2030, 2100, 2200 }, 3, 0, 1, 0.25 * kDt },
        { "descendant", { 2300, 2200, 2100, 2100, 2050, 1850, 1800, 1700 }, 2, 1, 2, kDt / 4.0 },
        // The rising crossing does not count for a falling trigger: the walk
        // stops at the pre-trigger row and nothing is dropped.
        { "pas_de_franchissement_dans_le_sens", { 1900, 1900, 1900, 1900, 1900, 1900, 2100, 2200 }, 3, 1, 0, 0.0 },
        // A value exactly at the threshold is on neither side.
        { "valeur_au_seuil", { 1900, 1900, 1900, 1900, 1900, 2000, 2100, 2200 }, 3, 0, 0, 0.0 },
        // Walking back, the last crossing of the rows is the one found.
        { "deux_franchissements", { 1900, 1900, 2100, 2100, 1900, 1900, 2100, 2100, 2100 }, 2, 0, 3, 0.5 * kDt },
        // Equal codes on both sides of the pre-trigger row: no delay.
        { "codes_egaux", { 2100, 2100, 2100, 2100, 2100, 2100 }, 2, 0, 0, 0.0 },
    };
    for (const CasAlignement& c : cas) {
        SCOPED_TRACE(c.nom);
        const std::vector<uint16_t> mots = rangees(c.codes);
        const AlignementSeuil a = aligneDeclenchementSeuil(mots.data(), int64_t(c.codes.size()), 2, 1,
                                                           c.nbPtsPretrig, 0.0, c.sens, kDt, kConversion);
        EXPECT_EQ(a.rangsSupprimes, c.rangsSupprimes);
        EXPECT_NEAR(a.dtPretrig, c.dtPretrig, 1e-12);
        const size_t rangPre = size_t(c.nbPtsPretrig + a.rangsSupprimes);
        EXPECT_EQ(a.vPre, c.codes[rangPre]);
        EXPECT_EQ(a.vPost, c.codes[rangPre + 1]);
    }
}

TEST(AlignementCampus, LeRetardResteDansLIntervalle)
{
    // Both samples beyond the threshold, or a crossing past the next sample.
    EXPECT_EQ(dtPretrigEntre(2100, 2200, 0.0, kDt, kConversion), 0.0);
    EXPECT_EQ(dtPretrigEntre(1900, 1950, 0.0, kDt, kConversion), kDt);
    EXPECT_EQ(dtPretrigEntre(2000, 2000, 0.0, kDt, kConversion), 0.0);
    EXPECT_NEAR(dtPretrigEntre(1900, 2300, 0.0, kDt, kConversion), 0.25 * kDt, 1e-15);
}

TEST(AlignementCampus, TropPeuDeRangeesNeDeplacentRien)
{
    const std::vector<uint16_t> mots = rangees({ 1900 });
    const AlignementSeuil a = aligneDeclenchementSeuil(mots.data(), 1, 2, 1, 0, 0.0, 0, kDt, kConversion);
    EXPECT_EQ(a.rangsSupprimes, 0);
    EXPECT_EQ(a.dtPretrig, 0.0);
}
