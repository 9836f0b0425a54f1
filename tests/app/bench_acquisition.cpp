// Host cost of one FIFO block during a run: conversion to volts through the
// SP5 driver's calibration, storing in the curve arrays, and live drawing on
// the screen image. Reported per sample, to compare with the unit's fastest
// sampling interval.
#include "app/acquisition/TraitementBlocs.h"
#include "BancAcquisition.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {

// range(0): signals; range(1): points per curve (the drawing style follows
// the points per pixel: lines below about 3, vertical segments above);
// range(2): 0 converts and stores only, 1 also draws.
void BM_BlocConvertiStockeDessine(benchmark::State& state)
{
    const int nbSignaux = int(state.range(0));
    const int64_t nbPts = state.range(1);
    TSP5 centrale(banc::kSimulateur, 1);
    banc::activeVoies(centrale, nbSignaux);
    centrale.setDurees(double(nbPts - 1) * 1e-5, nbPts, false);
    centrale.prepareTousPRX(false);
    TMesures mesures;
    mesures.tv2.assign(std::size_t(nbSignaux), std::vector<float>(std::size_t(centrale.nbPts0X)));
    mesures.voiesMesurees.assign(std::size_t(nbSignaux), TVoieMesuree {});
    TEcran ecran;
    const TModeGeneral enCours = TModeGeneral::acquisitionEnCours;
    banc::prepareEcran(ecran, centrale, mesures, &enCours);
    ecran.preparePourAcquisition();
    TTraitementBlocs traitement;
    traitement.debut(0);
    TFifoSP5 bloc {};
    for (std::size_t j = 0; j < bloc.size(); ++j)
        bloc[j] = uint16_t(((j * 37) % 4096) << 4);
    const int32_t mots = 256 - 256 % nbSignaux;
    int64_t echantillons = 0;
    for (auto _ : state) {
        if (traitement.recus() + mots / nbSignaux > centrale.nbPts0X) {
            state.PauseTiming();
            traitement.debut(0);
            ecran.reinitialiseTraces();
            state.ResumeTiming();
        }
        const TPointsRecus recus = traitement.traite(centrale, mesures, bloc, mots);
        if (state.range(2))
            for (int i = 0; i < nbSignaux; ++i)
                ecran.dessinePointsAcquis(i, recus.premier, recus.dernier);
        benchmark::DoNotOptimize(ecran.iEcranX.constBits());
        echantillons += mots;
    }
    state.SetItemsProcessed(echantillons);
    state.counters["points"] = double(centrale.nbPts0X);
    state.counters["pts/pixel"] = double(centrale.nbPts0X) / ecran.geometrie.larG;
    state.counters["ns/echantillon"] =
        benchmark::Counter(double(echantillons), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_BlocConvertiStockeDessine)
    ->Args({1, 1001, 1})
    ->Args({2, 100001, 0})
    ->Args({2, 100001, 1})
    ->Args({4, 1000001, 1})
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
