#include "model/TChronometreTicks.h"
#include "platform/Temps.h"

#include <gtest/gtest.h>

TEST(TChronometreTicks, ReadsZeroAfterStartThenMilliseconds)
{
    TChronometreTicks chrono;
    EXPECT_TRUE(chrono.HauteResolution);
    chrono.Declenche();
    EXPECT_LT(chrono.Mesure(), 1.0L);
    plateforme::dors(20);
    const long double ms = chrono.Mesure();
    EXPECT_GE(ms, 19.0L);
    EXPECT_LT(ms, 300.0L);
    EXPECT_EQ(chrono.IntervalleTemps, ms);
    chrono.Declenche();
    EXPECT_LT(chrono.Mesure(), ms);
}
