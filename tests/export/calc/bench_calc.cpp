// 50 001 points of 8 curves into a real (headless) office, through the
// clipboard block by block: the time a user waits for a long acquisition.
#include "OfficeTest.h"

#include <benchmark/benchmark.h>

using namespace officetest;

static void BM_TransfertCalc50001x8(benchmark::State& state)
{
    const TMesures m = mesures(8, 50001, 1e-5);
    TSourceCalc source{&m, "SYSAM SP5", QDateTime::currentDateTime(), QLocale::system()};
    TTransfertCalc transfert(parametres());
    {
        // The office's start is not what is measured.
        TVueEnregistree vue;
        TMesures petite = mesures(1, 10, 0.01);
        transfert.TransfertOOCalcPP(TSourceCalc{&petite, "SYSAM SP5", QDateTime::currentDateTime(), QLocale::system()},
                                    0, vue);
        retiensOffice(transfert);
    }
    std::size_t blocs = 0;
    for (auto _ : state) {
        TVueEnregistree vue;
        transfert.TransfertOOCalcPP(source, 0, vue);
        blocs = vue.progressions.size() - 2;
        if (vue.progressions.size() < 3 || vue.progressions[vue.progressions.size() - 2] != 100)
            state.SkipWithError("the transfer did not reach the last block");
    }
    state.counters["blocs"] = double(blocs);
    state.counters["cellules"] = double(m.nbPtsAX * 9);
}
BENCHMARK(BM_TransfertCalc50001x8)->Unit(benchmark::kSecond)->Iterations(2)->UseRealTime();

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    termine();
    return 0;
}
