// Painting the colour circle when the chooser opens: for a 600-pixel radius
// it should take at most 50 ms, so that the dialog opens without a visible wait.
#include "widgets/CercleChromatique.h"

#include <benchmark/benchmark.h>

static void BM_PeintCercleChromatique(benchmark::State& state)
{
    const int rayon = static_cast<int>(state.range(0));
    for (auto _ : state) {
        QImage image = gv::peintCercleChromatique(rayon);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetLabel(std::to_string(rayon) + " px");
}
BENCHMARK(BM_PeintCercleChromatique)->Arg(227)->Arg(600)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
