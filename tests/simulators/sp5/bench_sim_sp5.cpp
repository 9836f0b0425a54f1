// Cost of handing over FIFO blocks and of searching a threshold crossing in
// the simulated SP5, at its fastest sampling (100 ns, eight inputs).
#include "platform/Bibliotheque.h"
#include "simulators/sp5/SimSP5.h"

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <thread>

namespace {

struct Bibliotheque {
    plateforme::HandleBibliotheque h = plateforme::chargeBibliotheque(GALVORA_SIM_DIR "/SP5SIM.DLL");
    TSP5_EcrireRegistre ecrire = plateforme::procedure<TSP5_EcrireRegistre>(h, "EcrireRegistre");
    TSP5_LireFifo lireFifo = plateforme::procedure<TSP5_LireFifo>(h, "LireFifo");
    TSP5_TailleTransfertFifo taille = plateforme::procedure<TSP5_TailleTransfertFifo>(h, "TailleTransfertFifo");
    TSimSP5Reinitialise reinitialise = plateforme::procedure<TSimSP5Reinitialise>(h, "SimSP5_Reinitialise");
    ~Bibliotheque() { plateforme::libereBibliotheque(h); }

    // All eight inputs, interval count 0, the longest record.
    void programme(uint8_t declenchement)
    {
        reinitialise();
        ecrire(0, 0xFF);
        for (int a : { 9, 10, 11 })
            ecrire(a, 0xFF);
        ecrire(29, declenchement);
        taille(256);
    }
};

void BM_BlocsFifo(benchmark::State& state)
{
    Bibliotheque b;
    if (b.h == nullptr) {
        state.SkipWithError("SP5SIM.DLL not found");
        return;
    }
    b.programme(0);
    b.ecrire(36, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    std::array<uint16_t, 256> bloc {};
    int64_t mots = 0;
    for (auto _ : state) {
        mots += b.lireFifo(bloc.data());
        benchmark::DoNotOptimize(bloc.data());
    }
    state.SetItemsProcessed(mots);
}
BENCHMARK(BM_BlocsFifo);

// A threshold that input 6 (2.5 V) never crosses: every read examines the
// samples taken since the previous one.
void BM_RechercheSeuil(benchmark::State& state)
{
    Bibliotheque b;
    if (b.h == nullptr) {
        state.SkipWithError("SP5SIM.DLL not found");
        return;
    }
    b.programme(0x02 | 0x04 | (6 << 4));
    b.ecrire(30, 0xFF);
    b.ecrire(31, 0x0F); // code 4095
    b.ecrire(36, 1);
    std::array<uint16_t, 256> bloc {};
    for (auto _ : state) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        benchmark::DoNotOptimize(b.lireFifo(bloc.data()));
    }
    state.SetLabel("one read every 10 ms at 10 MS/s");
}
BENCHMARK(BM_RechercheSeuil)->UseRealTime()->Iterations(20);

} // namespace

BENCHMARK_MAIN();
