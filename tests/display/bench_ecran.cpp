// A full redraw of the screen with 8 curves of 50 001 points, and a cursor
// redraw from the copy picture.
#include "Fixtures.h"
#include "display/Ecran.h"

#include <benchmark/benchmark.h>
#include <cmath>

namespace {

struct Montage {
    bool application = (assureApplication(), true);
    TVueCentrale vue;
    TMesures mesures;
    TEcran ecran;

    Montage()
    {
        vue = vueSP5({{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 0}, {5, 1}, {6, 2}, {7, 3}}, 1, 50001);
        mesures = courbesDe(
            1, 50001, {0, 1, 2, 3, 0, 1, 2, 3}, [](double t) { return 9 * std::sin(20 * t) + 0.3 * std::sin(9000 * t); },
            [](double t) { return std::fmod(t * 7, 1.0) < 0.5 ? 4.0 : -4.0; },
            [](double t) { return 0.9 * std::sin(60 * t); }, [](double t) { return 0.15 * std::cos(30 * t); },
            [](double t) { return 5 * std::sin(3 * t); }, [](double t) { return 3 * std::sin(200 * t); },
            [](double t) { return 0.5 * std::sin(700 * t); }, [](double t) { return 0.1 * std::sin(5 * t); });
        ecran.setVue(vue);
        ecran.setMesures(&mesures);
        etatGeneral(ecran.geometrie, 2);
        ecran.geometrie.mesures->tFin = 1;
        ecran.redimensionnementEcran(1000, 600);
    }
};

void BM_RedessinCompletHuitCourbes(benchmark::State& state)
{
    Montage m;
    for (auto _ : state) {
        m.ecran.dessineEcranN(true);
        benchmark::DoNotOptimize(m.ecran.iEcranX.constBits());
    }
    state.SetItemsProcessed(state.iterations() * 8 * 50001);
}
BENCHMARK(BM_RedessinCompletHuitCourbes)->Unit(benchmark::kMillisecond);

void BM_RedessinCurseurDepuisCopie(benchmark::State& state)
{
    Montage m;
    for (auto _ : state) {
        m.ecran.dessineEcranRCu();
        benchmark::DoNotOptimize(m.ecran.iEcranX.constBits());
    }
}
BENCHMARK(BM_RedessinCurseurDepuisCopie)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
