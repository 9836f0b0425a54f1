// A stand-in for the SP5 library that records what the driver does with it:
// every register write in order, the calls to Reset and ViderFifo, the block
// size asked for. Registers are plain memory; FIFO blocks are queued by the
// test. Built in several variants (see CMakeLists.txt) to exercise the
// library's file name and missing entry points.
#include <cstdint>
#include <cstring>
#include <deque>
#include <utility>
#include <vector>

#define EXPORTE extern "C" __attribute__((visibility("default")))

namespace {

struct Etat {
    uint8_t registres[256] {};
    std::vector<std::pair<uint32_t, uint32_t>> ecritures;
    std::deque<std::vector<uint16_t>> blocs;
    bool branche = true;
    int nbReset = 0;
    int nbViderFifo = 0;
    int32_t tailleBloc = 256;
};

Etat& etat()
{
    static Etat e;
    return e;
}

void ecrisSingle(uint8_t* o, int position, float v)
{
    std::memcpy(o + position, &v, 4); // x86-64: little-endian like the record
}

} // namespace

EXPORTE void Reset() { ++etat().nbReset; }
EXPORTE uint8_t Present() { return etat().branche ? 1 : 0; }
EXPORTE uint8_t LireRegistre(uint32_t adresse) { return etat().registres[adresse & 0xFF]; }
EXPORTE void EcrireRegistre(uint32_t adresse, uint32_t valeur)
{
    etat().ecritures.emplace_back(adresse, valeur);
    etat().registres[adresse & 0xFF] = uint8_t(valeur);
}
EXPORTE void EcrireFifo(const uint16_t*, int32_t) {}
EXPORTE void ViderFifo() { ++etat().nbViderFifo; }
EXPORTE int32_t TailleTransfertFifo(int32_t taille)
{
    etat().tailleBloc = taille;
    return taille;
}

// A record whose every field is told apart by its value: gain of channel c,
// calibre k = 0.001 x (c + 1) + 0.0001 x k; offset of input i = -(i + 1) - 0.1 k;
// differential offset of channel c = 0.5 + c + 0.01 k.
EXPORTE void RecupereCalibration(uint8_t* o)
{
    std::memset(o, 0, 379);
    o[0] = 0xEE;
    const char numero[] = "FAUX0042";
    o[1] = 8;
    std::memcpy(o + 2, numero, 8);
    for (int k = 0; k < 4; ++k) {
        for (int c = 0; c < 4; ++c) {
            ecrisSingle(o, 14 + 16 * c + 4 * k, 0.001f * float(c + 1) + 0.0001f * float(k));
            ecrisSingle(o, 206 + 16 * c + 4 * k, 0.5f + float(c) + 0.01f * float(k));
        }
        for (int i = 0; i < 8; ++i)
            ecrisSingle(o, 78 + 16 * i + 4 * k, -float(i + 1) - 0.1f * float(k));
    }
    std::memset(o + 270, 0xAB, 64);
    ecrisSingle(o, 334, 0.0025f);
    ecrisSingle(o, 338, 0.0026f);
    ecrisSingle(o, 342, -5.0f);
    ecrisSingle(o, 346, -5.5f);
    const double etalonnage = 40000.5, cablage = 39000.25;
    std::memcpy(o + 350, &etalonnage, 8);
    std::memcpy(o + 358, &cablage, 8);
    o[366] = 3;
    std::memcpy(o + 367, "C12", 3);
}

#ifndef FAUX_SANS_LIREFIFO
EXPORTE int32_t LireFifo(uint16_t* bloc)
{
    Etat& e = etat();
    if (!e.branche || e.blocs.empty())
        return 0;
    const std::vector<uint16_t> mots = std::move(e.blocs.front());
    e.blocs.pop_front();
    std::memcpy(bloc, mots.data(), mots.size() * 2);
    return int32_t(mots.size());
}
#endif

#ifdef FAUX_AVEC_AFFICHEINFOS
EXPORTE void AfficheInfos() {}
#endif

// Test hooks.
EXPORTE void FauxSP5_Reinitialise() { etat() = Etat {}; }
EXPORTE void FauxSP5_Branche(int32_t branche) { etat().branche = branche != 0; }
EXPORTE void FauxSP5_PoseRegistre(uint32_t adresse, uint32_t valeur) { etat().registres[adresse & 0xFF] = uint8_t(valeur); }
EXPORTE void FauxSP5_OublieEcritures() { etat().ecritures.clear(); }
EXPORTE int32_t FauxSP5_NbEcritures() { return int32_t(etat().ecritures.size()); }
EXPORTE void FauxSP5_Ecriture(int32_t rang, uint32_t* adresse, uint32_t* valeur)
{
    *adresse = etat().ecritures[rang].first;
    *valeur = etat().ecritures[rang].second;
}
EXPORTE void FauxSP5_PoseBloc(const uint16_t* mots, int32_t nb) { etat().blocs.emplace_back(mots, mots + nb); }
EXPORTE int32_t FauxSP5_NbReset() { return etat().nbReset; }
EXPORTE int32_t FauxSP5_NbViderFifo() { return etat().nbViderFifo; }
EXPORTE int32_t FauxSP5_TailleBloc() { return etat().tailleBloc; }
