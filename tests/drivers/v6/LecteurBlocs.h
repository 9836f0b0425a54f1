#pragma once
// Reads a run the way the acquisition control does: LireFifo block after
// block, words shifted right by 4, frames of nbVoiesSignaux words placed by
// idxTraitGV, carried samples kept for the next block.
#include "drivers/v6/TSYSAMV6.h"
#include "platform/Temps.h"

#include <vector>

struct AcquisitionLue {
    std::vector<int32_t> tailleBlocs;
    // Codes per signal input, in the order of VoiesActivesSignaux.
    std::vector<std::vector<int32_t>> codes;
    int64_t pointsRecus = 0;
};

inline AcquisitionLue lisAcquisition(TSYSAMV6& v6, uint32_t delaiMaxMs)
{
    AcquisitionLue lue;
    const int nbSignaux = v6.nbVoiesSignaux;
    lue.codes.assign(std::size_t(nbSignaux), std::vector<int32_t>(std::size_t(v6.nbPts0X), 0));
    TFifoSP5 bloc {};
    std::vector<uint16_t> travail(264, 0);
    int report = 0;
    const uint32_t debut = plateforme::compteurTicks();
    while (lue.pointsRecus <= v6.nbPts0X - 1 && plateforme::compteurTicks() - debut < delaiMaxMs) {
        const int n = v6.LireFifo(&bloc);
        if (!v6.acqPeriodiqueEnCours)
            break;
        if (n <= 0) {
            plateforme::dors(1);
            continue;
        }
        lue.tailleBlocs.push_back(n);
        for (int i = 0; i < n; ++i)
            travail[std::size_t(report + i)] = uint16_t(bloc[std::size_t(i)] >> 4);
        const int groupes = (n + report) / nbSignaux;
        for (int k = 0; k < groupes; ++k) {
            const int64_t point = lue.pointsRecus + k;
            if (point >= v6.nbPts0X)
                break;
            for (int s = 0; s < nbSignaux; ++s)
                lue.codes[std::size_t(s)][std::size_t(point)] = travail[std::size_t(k * nbSignaux + v6.idxTraitGV[std::size_t(s)])];
        }
        const int reste = (n + report) % nbSignaux;
        for (int i = 0; i < reste; ++i)
            travail[std::size_t(i)] = travail[std::size_t(groupes * nbSignaux + i)];
        report = reste;
        lue.pointsRecus += groupes;
    }
    v6.arreteAcq();
    return lue;
}
