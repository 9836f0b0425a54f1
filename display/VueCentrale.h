#pragma once
// What the screen reads from the active unit, copied at each preparation of
// the axes so that the geometry can be computed (and tested) without a
// driver. Filled from a TCentrale by vueDe (VueCentraleDe.h).
#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct TVueCentrale {
    bool presente = false;     // an active unit exists
    int32_t nbEAU = 0;
    int32_t nbCalEAGV = 0;
    std::array<int32_t, 8> calibresDispo{-1, -1, -1, -1, -1, -1, -1, -1}; // whole volts
    std::array<float, 8> calibresR{-1, -1, -1, -1, -1, -1, -1, -1};     // real full scale, V
    std::vector<std::string> twCals_;
    int32_t nbVoiesActivesX = 0;
    int32_t nbVoiesSignaux = 0;
    std::vector<int32_t> VoiesActivesSignaux;
    std::array<int32_t, 8> idxCalibreUt{};
    std::array<bool, 8> actives{};
    double dureeTotale0X = 0.002;
    double dt0X = 0;
    int64_t nbPts0X = 0;
    int64_t nbPtsAffX = 0;
    int32_t modeDecl = 0;
    double tPretrig = 0;

    // Full scale of a calibre in volts. The whole-volt value is what the
    // axes use; a calibre below one volt (0.2 V) rounds to 0 there, so its
    // real full scale is taken instead and its curves fill the graph too.
    double pleineEchelle(int32_t c) const;
};
