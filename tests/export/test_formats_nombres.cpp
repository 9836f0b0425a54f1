#include "export/FormatsNombres.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

TEST(FormatsNombres, GeneralSixDigits)
{
    const struct {
        double x;
        const char* attendu;
    } cas[] = {
        { 0, "0" },
        { 0.0025, "0.0025" },
        { 0.5, "0.5" },
        { -1.25, "-1.25" },
        { 2, "2" },
        { 0.00001, "1E-005" },
        { -0.0000123, "-1.23E-005" },
        { 0.0001, "0.0001" },
        { 0.00009999, "9.999E-005" },
        { 2500000, "2.5E006" },
        { 999999, "999999" },
        { 999999.7, "1E006" },
        { 123.4567891, "123.457" },
        { 1.0 / 3.0, "0.333333" },
        { -0.00050000001, "-0.0005" },
    };
    for (const auto& c : cas)
        EXPECT_EQ(texteG6(c.x), c.attendu) << c.x;
}

TEST(FormatsNombres, OtherFormsAndTheUsersSeparator)
{
    EXPECT_EQ(texteE2(0.0025), "2.5E-03");
    EXPECT_EQ(texteE2(120), "1.2E+02");
    EXPECT_EQ(texteE6(0.0025), "2.50000E-003");
    EXPECT_EQ(texteE6(0), "0.00000E+000");
    EXPECT_EQ(texteE6(-12.5), "-1.25000E+001");
    EXPECT_EQ(texteG3(2.0 / 4096), "0.000488");
    EXPECT_EQ(texteG3(0.4 / 4096), "9.77E-5");
    EXPECT_EQ(texteG3(20.0 / 4096), "0.00488");
    EXPECT_EQ(texteG3(0), "0");
    EXPECT_EQ(texteG6(0.125, ','), "0,125");
    EXPECT_EQ(texteG6(1.5e-5, ','), "1,5E-005");
    EXPECT_EQ(texteE6(0.0025, ','), "2,50000E-003");
}

// The allocation-free writer of the data lines gives the very text of the
// general format, over every magnitude, for samples (floats), exact ties
// and the values that round into the next power of ten.
TEST(FormatsNombres, G6WithoutAllocationSameText)
{
    std::vector<double> valeurs = { 0, -0.0, 1, -1, 0.0001, 0.00009999995, 999999.5, 999999.4999, 1e6, 1e-300, 1e300,
                                    1234565, 1234575, 0.1234565, 2.5, 12.5e10, -9.999995e-5, 5e-324,
                                    std::numeric_limits<double>::infinity(), std::nan("") };
    std::mt19937_64 hasard(20251208);
    std::uniform_real_distribution<double> mantisse(-10.0, 10.0);
    std::uniform_int_distribution<int> exposant(-12, 12);
    for (int i = 0; i < 200000; ++i) {
        const double x = mantisse(hasard) * std::pow(10.0, exposant(hasard));
        valeurs.push_back(x);
        valeurs.push_back(double(float(x)));
    }
    // Floats next to powers of ten and to the halves of the sixth digit,
    // where rounding and the choice of exponent are decided.
    for (int e = -22; e <= 30; ++e) {
        for (double m : { 1.0, 9.999995, 9.9999949, 9.9999951, 1.000005, 1.0000049, 1.2345650, 1.2345750 }) {
            float f = float(m * std::pow(10.0, e));
            for (int pas = 0; pas < 40; ++pas) {
                valeurs.push_back(double(f));
                valeurs.push_back(-double(f));
                f = std::nextafter(f, 0.0f);
            }
        }
    }
    // One float in 61 of two whole binades, small and large.
    for (float debut : { 0.0001f, 524288.0f }) {
        uint32_t bits = 0;
        std::memcpy(&bits, &debut, sizeof bits);
        for (uint32_t i = 0; i < (1u << 23); i += 61) {
            const uint32_t b = bits + i;
            float f = 0;
            std::memcpy(&f, &b, sizeof f);
            valeurs.push_back(double(f));
        }
    }
    char tampon[kLongueurMaxG6 + 8];
    for (double x : valeurs) {
        char* fin = ecritG6(tampon, x);
        ASSERT_LE(fin - tampon, kLongueurMaxG6);
        ASSERT_EQ(std::string(tampon, fin), texteG6(x)) << std::hexfloat << x;
    }
}
