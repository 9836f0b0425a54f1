#include "simulators/sp5/ConvertisseurSP5Sim.h"

#include "simulators/sp5/CalibrageSP5Sim.h"
#include "simulators/sp5/SignauxSP5Sim.h"

namespace sp5sim {

int codeEntree(const Entrees& entrees, int entree, double t)
{
    const CoefficientsCalibrage& c = coefficientsCalibrage();
    const int canal = entree % sp5::kNbCanaux;
    const int calibre = calibreDuCodeGain(entrees.motGains >> (3 * entree));
    const double ampli = c.ampli[canal][calibre];
    if (entree < sp5::kNbCanaux && (entrees.modeDiff >> canal & 1u)) {
        const double u = sp5simTension(canal, t) - sp5simTension(canal + sp5::kNbCanaux, t);
        return codeConverti(u, ampli, c.offsetDiff[canal][calibre]);
    }
    return codeConverti(sp5simTension(entree, t), ampli, c.offset[entree][calibre]);
}

} // namespace sp5sim
