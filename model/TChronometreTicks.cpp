#include "model/TChronometreTicks.h"

#include "platform/Temps.h"

TChronometreTicks::TChronometreTicks()
{
    Frequence = plateforme::frequencePerformance();
    HauteResolution = Frequence > 0;
    if (!HauteResolution)
        Frequence = 1000;
    Declenche();
}

void TChronometreTicks::MesureTick(int64_t& lInt) const
{
    lInt = HauteResolution ? plateforme::compteurPerformance() : int64_t(plateforme::compteurTicks());
}

void TChronometreTicks::Declenche()
{
    MesureTick(TickDeDebut);
    TickDeMesure = TickDeDebut;
}

long double TChronometreTicks::Mesure()
{
    MesureTick(TickDeMesure);
    IntervalleTemps = 1000.0L * (TickDeMesure - TickDeDebut) / Frequence;
    return IntervalleTemps;
}
