// Cost of taking the samples of a finished run the way the driver does: one
// queue-status call and one 1-byte read per byte.
#include "drivers/v6/D2XX.h"
#include "platform/Bibliotheque.h"
#include "simulators/v6/SimV6.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <thread>

using namespace d2xx;

namespace {

struct Api {
    PFT_OpenEx openEx;
    PFT_Close close;
    PFT_Read read;
    PFT_Write write;
    PFT_SetBaudRate setBaudRate;
    PFT_GetQueueStatus getQueueStatus;
    PtrSimV6_Reinitialise reinitialise;
};

const Api& api()
{
    static const Api a = [] {
        auto* h = plateforme::chargeBibliotheque(GALVORA_SIM_DIR "/FTD2XX-V6.DLL");
        return Api{plateforme::procedure<PFT_OpenEx>(h, "FT_OpenEx"),
                   plateforme::procedure<PFT_Close>(h, "FT_Close"),
                   plateforme::procedure<PFT_Read>(h, "FT_Read"),
                   plateforme::procedure<PFT_Write>(h, "FT_Write"),
                   plateforme::procedure<PFT_SetBaudRate>(h, "FT_SetBaudRate"),
                   plateforme::procedure<PFT_GetQueueStatus>(h, "FT_GetQueueStatus"),
                   plateforme::procedure<PtrSimV6_Reinitialise>(h, "SimV6_Reinitialise")};
    }();
    return a;
}

void ecrit(FT_HANDLE h, std::string texte)
{
    DWORD n = 0;
    api().write(h, texte.data(), static_cast<DWORD>(texte.size()), &n);
}

// Three inputs, 2000 rows of 30 µs (the fastest), ready to be read.
FT_HANDLE runTermine()
{
    api().reinitialise();
    char description[50] = "Sysam-V6";
    FT_HANDLE h = nullptr;
    api().openEx(description, FT_OPEN_BY_DESCRIPTION, &h);
    api().setBaudRate(h, 1'250'000);
    ecrit(h, "V00020F040F");
    ecrit(h, "PFF38N07D0E0000000O0000F");
    std::this_thread::sleep_for(std::chrono::milliseconds(80));
    ecrit(h, "D");
    return h;
}

void BM_LectureOctetParOctet(benchmark::State& etat)
{
    FT_HANDLE h = runTermine();
    uint8_t octet = 0;
    int64_t octets = 0;
    for (auto _ : etat) {
        DWORD attente = 0;
        api().getQueueStatus(h, &attente);
        if (attente == 0) {
            etat.PauseTiming();
            api().close(h);
            h = runTermine();
            etat.ResumeTiming();
            continue;
        }
        DWORD lus = 0;
        api().read(h, &octet, 1, &lus);
        octets += lus;
    }
    etat.SetItemsProcessed(octets);
    api().close(h);
}
BENCHMARK(BM_LectureOctetParOctet);

} // namespace

BENCHMARK_MAIN();
