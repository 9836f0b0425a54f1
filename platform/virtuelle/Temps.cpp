#include "platform/HorlogeVirtuelle.h"
#include "platform/Temps.h"

namespace plateforme {

namespace {
uint64_t g_nanosecondes = 0;
constexpr uint64_t kMilliseconde = 1'000'000;
constexpr uint64_t kMicroseconde = 1'000;
// Time taken by one reading of the tick counter.
constexpr uint64_t kPasTicks = 10 * kMilliseconde;
} // namespace

void fixeTempsVirtuel(uint64_t nanosecondes)
{
    g_nanosecondes = nanosecondes;
}

uint64_t tempsVirtuel()
{
    return g_nanosecondes;
}

uint32_t compteurTicks()
{
    g_nanosecondes += kPasTicks;
    return static_cast<uint32_t>(g_nanosecondes / kMilliseconde);
}

int64_t compteurPerformance()
{
    g_nanosecondes += kMicroseconde;
    return static_cast<int64_t>(g_nanosecondes);
}

int64_t frequencePerformance()
{
    return 1'000'000'000;
}

double secondesMonotones()
{
    g_nanosecondes += kMicroseconde;
    return double(g_nanosecondes) * 1e-9;
}

void dors(uint32_t millisecondes)
{
    g_nanosecondes += uint64_t(millisecondes) * kMilliseconde;
}

} // namespace plateforme
