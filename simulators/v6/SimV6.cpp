// The test entry points: a hand on the simulated unit.
#include "simulators/v6/SimV6.h"

#include "simulators/v6/PontUsbV6.h"

extern "C" {

void SimV6_Branche(int32_t branche)
{
    PontUsbV6::instance().branche(branche != 0);
}

void SimV6_PerdEcho(int32_t nombre)
{
    PontUsbV6::instance().perdEchos(nombre);
}

void SimV6_Reinitialise(void)
{
    PontUsbV6::instance().reinitialise();
}

void SimV6_OctetsParasites(const char* octets, int32_t nombre)
{
    PontUsbV6::instance().ajouteParasites(octets, nombre);
}

void SimV6_FixeDebutRuns(int64_t ns)
{
    PontUsbV6::instance().fixeDebutRuns(ns);
}

int64_t SimV6_DebutRun(void)
{
    return PontUsbV6::instance().debutRun();
}

} // extern "C"
