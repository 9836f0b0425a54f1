// What every writer exports: the range between the green cursors and the
// times counted from "t = 0".
#include "export/SourceExport.h"

#include <gtest/gtest.h>

namespace {

TMesures mesures(double dt, int64_t nbPts, double t0, double tFin)
{
    TMesures m;
    m.dtAX = dt;
    m.nbPtsAX = nbPts;
    m.dureeTotaleAX = dt * double(nbPts - 1);
    m.t0 = t0;
    m.tFin = tFin;
    return m;
}

} // namespace

TEST(SourceExport, RangeBetweenTheCursors)
{
    const struct {
        double t0, tFin;
        int64_t retenue;
        int64_t k0, k1;
    } cas[] = {
        {0, 0.01, 0, 0, 4},        // the whole record
        {0.0025, 0.01, 0, 1, 4},   // "t = 0" on the second point
        {-0.003, 0.5, 0, 0, 4},    // cursors beyond both ends
        {0.00125, 0.00625, 0, 0, 2}, // halves go to even
        {0, 0.01, 2, 0, 2},        // points held back
    };
    for (const auto& c : cas) {
        const TPlageExport p = plageExport(mesures(0.0025, 5, c.t0, c.tFin), c.retenue);
        EXPECT_EQ(p.k0, c.k0) << c.t0 << " " << c.tFin;
        EXPECT_EQ(p.k1, c.k1) << c.t0 << " " << c.tFin;
    }
    EXPECT_EQ(plageExportJusquA(mesures(0.0025, 5, 0, 0.01), 2).k1, 2);
    EXPECT_TRUE(plageExport(mesures(0.0025, 0, 0, 0.01)).vide());
}

TEST(SourceExport, TimesCountFromTheCursor)
{
    TMesures m = mesures(0.001, 11, 0.003, 0.01);
    EXPECT_EQ(tempsExporte(m, 3), 0.0);
    EXPECT_DOUBLE_EQ(tempsExporte(m, 5), 0.002);
    EXPECT_DOUBLE_EQ(tempsExporte(m, 0), -0.003);
    // A cursor a little off the sample still puts that sample at 0.
    m.t0 = 0.0034;
    EXPECT_EQ(tempsExporte(m, 3), 0.0);
    EXPECT_DOUBLE_EQ(tempsExporte(m, 4), 0.0006);
}

TEST(SourceExport, NothingBetweenTheCursors)
{
    EXPECT_FALSE(intervalleVide(mesures(0.0025, 5, 0.0075, 0.01)));
    EXPECT_TRUE(intervalleVide(mesures(0.0025, 5, 0.01, 0.01)));
}
