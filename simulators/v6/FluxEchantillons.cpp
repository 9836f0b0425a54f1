#include "simulators/v6/FluxEchantillons.h"

#include "simulators/v6/SignauxV6Sim.h"

uint8_t LecteurFlux::octet(const DescriptionFlux& flux, uint64_t index)
{
    const uint64_t parLigne = static_cast<uint64_t>(flux.octetsParLigne());
    const int64_t ligne = static_cast<int64_t>(index / parLigne);
    if (runEnCache_ != flux.numeroRun || ligneEnCache_ != ligne) {
        const double t = v6simInstant(flux.debutNs, flux.premierEchantillon + ligne, flux.dtNs);
        for (int w = 0; w < flux.nbEntrees; ++w)
            codes_[w] = v6simCode(flux.entrees[w], t);
        runEnCache_ = flux.numeroRun;
        ligneEnCache_ = ligne;
    }
    const uint64_t dansLigne = index % parLigne;
    const uint16_t code = codes_[dansLigne / 2];
    // Low byte first.
    return static_cast<uint8_t>(dansLigne % 2 == 0 ? code & 0xFF : code >> 8);
}
