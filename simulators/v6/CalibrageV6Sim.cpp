#include "simulators/v6/CalibrageV6Sim.h"

#include "simulators/v6/SignauxV6Sim.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

// Block layout: byte offsets of the fields the unit fills.
constexpr int offsetAmpliCan = 0;
constexpr int offsetOffsetCan = 16;
constexpr int offsetAmpliDac = 32;
constexpr int offsetOffsetDac = 36;
constexpr int offsetReglageZeroDac = 40;
constexpr int offsetStNs = 42;
constexpr int offsetStOk = 46;
constexpr int offsetNumeroSerie = 64;
constexpr int offsetDateCalibration = 80;
constexpr int longueurTexte = 16;

using Bloc = std::array<uint8_t, tailleBlocCalibrageV6>;

void ecritEntier(Bloc& bloc, int offset, uint32_t valeur, int octets)
{
    for (int i = 0; i < octets; ++i)
        bloc[offset + i] = static_cast<uint8_t>(valeur >> (8 * i));
}

void ecritReel(Bloc& bloc, int offset, float valeur)
{
    ecritEntier(bloc, offset, std::bit_cast<uint32_t>(valeur), 4);
}

// Texts shorter than the field end with NUL bytes.
void ecritTexte(Bloc& bloc, int offset, const char* texte)
{
    std::memcpy(&bloc[offset], texte, std::min<size_t>(std::strlen(texte), longueurTexte));
}

} // namespace

Bloc blocCalibrageV6Sim()
{
    Bloc bloc{};
    for (int k = 0; k < 4; ++k) {
        ecritReel(bloc, offsetAmpliCan + 4 * k, v6simAmpliCan[k]);
        ecritReel(bloc, offsetOffsetCan + 4 * k, v6simOffsetCan[k]);
    }
    ecritReel(bloc, offsetAmpliDac, v6simAmpliDac);
    ecritReel(bloc, offsetOffsetDac, v6simOffsetDac);
    ecritEntier(bloc, offsetReglageZeroDac, v6simReglageZeroDac, 2);
    ecritEntier(bloc, offsetStNs, 0x00C0FFEEu, 4);
    bloc[offsetStOk] = 1;
    ecritTexte(bloc, offsetNumeroSerie, v6simNumeroSerie);
    ecritTexte(bloc, offsetDateCalibration, v6simDateCalibration);
    return bloc;
}
