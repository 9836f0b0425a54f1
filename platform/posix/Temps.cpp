#include "platform/Temps.h"

#include <ctime>

namespace plateforme {

namespace {
int64_t nanosecondesMonotones()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return int64_t(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}
} // namespace

uint32_t compteurTicks()
{
    return static_cast<uint32_t>(nanosecondesMonotones() / 1'000'000);
}

int64_t compteurPerformance()
{
    return nanosecondesMonotones();
}

int64_t frequencePerformance()
{
    return 1'000'000'000;
}

double secondesMonotones()
{
    return double(nanosecondesMonotones()) * 1e-9;
}

void dors(uint32_t millisecondes)
{
    timespec attente {};
    attente.tv_sec = millisecondes / 1000;
    attente.tv_nsec = long(millisecondes % 1000) * 1'000'000;
    while (nanosleep(&attente, &attente) != 0) {
    }
}

} // namespace plateforme
