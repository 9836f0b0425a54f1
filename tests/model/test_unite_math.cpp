#include "model/UniteMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

TEST(ArrondiSup, RoundsAxisBoundsUpToSimpleValues)
{
    struct Cas {
        float tolerance, x, attendu;
    };
    const std::vector<Cas> cas = {
        {10, 0.83f, 0.9f},    // 9 is 7.8 % away from 8.3
        {5, 0.83f, 0.83f},    // too far, and 8.3 already has one decimal
        {5, 0.834f, 0.84f},   // too far: next tenth
        {10, 0.02f, 0.02f},
        {10, 8.0f, 8.0f},
        {10, 9.5f, 10.0f},
        {10, 1234.0f, 1300.0f},
        {10, 0.0f, 0.0f},
        {10, 1e-3f, 1e-3f},
        // Negative bounds go toward zero.
        {10, -0.83f, -0.8f},
        {5, -0.834f, -0.8f},
        {2, -0.834f, -0.83f},
        {2, -0.83f, -0.83f},
    };
    for (const Cas& c : cas)
        EXPECT_FLOAT_EQ(arrondiSup(c.tolerance, c.x), c.attendu) << c.tolerance << " " << c.x;
}

TEST(DecomposeMantisse, MantissaBetweenOneAndTen)
{
    struct Cas {
        long double x, mantisse, puissance;
    };
    const std::vector<Cas> cas = {
        {0.83L, 8.3L, 0.1L},   {1000.0L, 1.0L, 1000.0L}, {999.0L, 9.99L, 100.0L},
        {-0.05L, -5.0L, 0.01L}, {1.0L, 1.0L, 1.0L},       {1e-300L, 1.0L, 1e-300L},
        {0.0L, 0.0L, 1.0L},
    };
    for (const Cas& c : cas) {
        long double m = 99, p = 99;
        decomposeMantisse(m, p, c.x);
        EXPECT_NEAR(static_cast<double>(m), static_cast<double>(c.mantisse), 1e-15) << static_cast<double>(c.x);
        EXPECT_NEAR(static_cast<double>(p / c.puissance), 1.0, 1e-15) << static_cast<double>(c.x);
    }
    // The extremes of long double neither hang nor leave the range.
    for (long double x : {1e4000L, -1e-4000L, std::numeric_limits<long double>::denorm_min(),
                          std::numeric_limits<long double>::max()}) {
        long double m, p;
        decomposeMantisse(m, p, x);
        EXPECT_GE(std::fabs(m), 1.0L);
        EXPECT_LT(std::fabs(m), 10.0L);
    }
}

TEST(ChiffresSignificatifs, RoundsToNearestTiesToEven)
{
    struct Cas {
        long double x;
        int n;
        long double attendu;
    };
    const std::vector<Cas> cas = {
        {1234.5678L, 3, 1230.0L}, {1234.5678L, 6, 1234.57L}, {0.0012345L, 3, 0.00123L},
        {-0.0012345L, 2, -0.0012L}, {9.9999L, 3, 10.0L},    {2.5L, 1, 2.0L},
        {3.5L, 1, 4.0L},          {0.125L, 2, 0.12L},      {0.0L, 5, 0.0L},
        {123456.0L, 0, 100000.0L},
    };
    for (const Cas& c : cas) {
        long double x = c.x;
        chiffresSignificatifs(x, c.n);
        EXPECT_EQ(x, c.attendu) << static_cast<double>(c.x) << " " << c.n;
    }
    // Times of samples: 3 × 1e-4 to 6 digits is 3e-4 written exactly.
    long double t = 3 * 1e-4L;
    chiffresSignificatifs(t, 6);
    EXPECT_EQ(t, 3e-4L);
}

TEST(ArrondiMultiple, NearestMultipleTiesToEven)
{
    struct Cas {
        float x, pas, attendu;
    };
    const std::vector<Cas> cas = {
        {7.3f, 0.5f, 7.5f}, {7.2f, 0.5f, 7.0f}, {1.25f, 0.5f, 1.0f},
        {-7.3f, 0.5f, -7.5f}, {12.0f, 5.0f, 10.0f}, {3.3f, 0.0f, 3.3f},
    };
    for (const Cas& c : cas) {
        float x = c.x;
        arrondiMultiple(x, c.pas);
        EXPECT_FLOAT_EQ(x, c.attendu) << c.x << " " << c.pas;
    }
}

TEST(PetitesFonctions, SignMaxMinAndRoundedIntegers)
{
    EXPECT_EQ(signe(-0.1f), -1);
    EXPECT_EQ(signe(0.0f), 0);
    EXPECT_EQ(signe(-0.0f), 0);
    EXPECT_EQ(signe(3e-30f), 1);
    EXPECT_EQ(maxDouble(2.0, -3.0), 2.0);
    EXPECT_EQ(minDouble(2.0, -3.0), -3.0);

    EXPECT_EQ(maxEntier(2.5L, 1.0L), 2);
    EXPECT_EQ(maxEntier(3.5L, 1.0L), 4);
    EXPECT_EQ(minEntier(-3.5L, 0.0L), -4);
    EXPECT_EQ(minEntier(7, 9), 7);
    EXPECT_EQ(maxEntier64(1e12L + 0.4L, 0.0L), INT64_C(1000000000000));
    EXPECT_EQ(minEntier64(-5e12L - 0.6L, 0.0L), INT64_C(-5000000000001));

    EXPECT_EQ(arrondiEntier(1e20L), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(arrondiEntier(-1e20L), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(arrondiEntier(std::nanl("")), 0);
    EXPECT_EQ(arrondiEntier64(1e30L), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(arrondiEntier(-0.5L), 0);
}

} // namespace
