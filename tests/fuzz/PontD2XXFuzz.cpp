// A D2XX library whose device says whatever the fuzz input says.
#include "drivers/v6/D2XX.h"
#include "tests/fuzz/BibliothequesFuzz.h"

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <vector>

using namespace d2xx;

namespace {

struct Pont {
    std::vector<uint8_t> flux;
    size_t lu = 0;
    std::vector<uint8_t> echos; // bytes written, coming back before the stream
    size_t echosLus = 0;
    uint32_t comportement = 0;
    bool ouvert = false;
    int ouvertures = 0;
    uint32_t ecritures = 0;
    int poignee = 0;
};

Pont& pont()
{
    static Pont p;
    return p;
}

bool valide(FT_HANDLE h)
{
    return pont().ouvert && h == &pont().poignee;
}

size_t enAttente()
{
    const Pont& p = pont();
    return (p.echos.size() - p.echosLus) + (p.flux.size() - p.lu);
}

uint8_t prendOctet()
{
    Pont& p = pont();
    if (p.echosLus < p.echos.size())
        return p.echos[p.echosLus++];
    return p.flux[p.lu++];
}

} // namespace

FUZZ_EXPORTE void PontFuzz_Donne(const uint8_t* flux, size_t taille, uint32_t comportement)
{
    Pont& p = pont();
    p = Pont {};
    p.flux.assign(flux, flux + taille);
    p.comportement = comportement;
}

FUZZ_EXPORTE FT_STATUS FT_OpenEx(void* description, DWORD drapeaux, FT_HANDLE* poignee)
{
    Pont& p = pont();
    if (description == nullptr || drapeaux != FT_OPEN_BY_DESCRIPTION || poignee == nullptr || p.ouvert)
        return FT_DEVICE_NOT_FOUND;
    if ((p.comportement & kPontOuvertureRefusee) && p.ouvertures > 0)
        return FT_DEVICE_NOT_FOUND;
    ++p.ouvertures;
    p.ouvert = true;
    *poignee = &p.poignee;
    return FT_OK;
}

FUZZ_EXPORTE FT_STATUS FT_Close(FT_HANDLE h)
{
    if (!valide(h))
        return FT_INVALID_HANDLE;
    pont().ouvert = false;
    return FT_OK;
}

FUZZ_EXPORTE FT_STATUS FT_Read(FT_HANDLE h, void* tampon, DWORD aLire, DWORD* lus)
{
    *lus = 0;
    if (!valide(h))
        return FT_INVALID_HANDLE;
    const auto n = DWORD(std::min<size_t>(aLire, enAttente()));
    auto* octets = static_cast<uint8_t*>(tampon);
    for (DWORD i = 0; i < n; ++i)
        octets[i] = prendOctet();
    *lus = n;
    return FT_OK;
}

FUZZ_EXPORTE FT_STATUS FT_Write(FT_HANDLE h, void* tampon, DWORD aEcrire, DWORD* ecrits)
{
    *ecrits = 0;
    Pont& p = pont();
    if (!valide(h))
        return FT_INVALID_HANDLE;
    if ((p.comportement & kPontEcrituresPerdues) && ++p.ecritures % 7 == 0)
        return FT_IO_ERROR;
    if (p.comportement & kPontEcho) {
        const auto* octets = static_cast<const uint8_t*>(tampon);
        p.echos.insert(p.echos.end(), octets, octets + aEcrire);
    }
    *ecrits = aEcrire;
    return FT_OK;
}

FUZZ_EXPORTE FT_STATUS FT_SetBaudRate(FT_HANDLE h, ULONG) { return valide(h) ? FT_OK : FT_INVALID_HANDLE; }
FUZZ_EXPORTE FT_STATUS FT_SetDataCharacteristics(FT_HANDLE h, UCHAR, UCHAR, UCHAR)
{
    return valide(h) ? FT_OK : FT_INVALID_HANDLE;
}
FUZZ_EXPORTE FT_STATUS FT_SetFlowControl(FT_HANDLE h, USHORT, UCHAR, UCHAR)
{
    return valide(h) ? FT_OK : FT_INVALID_HANDLE;
}
FUZZ_EXPORTE FT_STATUS FT_SetRts(FT_HANDLE h) { return valide(h) ? FT_OK : FT_INVALID_HANDLE; }
FUZZ_EXPORTE FT_STATUS FT_SetChars(FT_HANDLE h, UCHAR, UCHAR, UCHAR, UCHAR)
{
    return valide(h) ? FT_OK : FT_INVALID_HANDLE;
}
FUZZ_EXPORTE FT_STATUS FT_SetTimeouts(FT_HANDLE h, ULONG, ULONG) { return valide(h) ? FT_OK : FT_INVALID_HANDLE; }

// Purging drops the echoes waiting; the unit's stream is what it sends
// afterwards.
FUZZ_EXPORTE FT_STATUS FT_Purge(FT_HANDLE h, ULONG masque)
{
    if (!valide(h))
        return FT_INVALID_HANDLE;
    Pont& p = pont();
    if (masque & FT_PURGE_RX) {
        p.echos.clear();
        p.echosLus = 0;
    }
    return FT_OK;
}

FUZZ_EXPORTE FT_STATUS FT_GetQueueStatus(FT_HANDLE h, DWORD* nombre)
{
    *nombre = 0;
    if (!valide(h))
        return FT_INVALID_HANDLE;
    size_t n = enAttente();
    const uint32_t c = pont().comportement;
    if ((c & kPontParPetitsBouts) && n > 3)
        n = 3;
    if ((c & kPontCompteFaux) && n > 0)
        n += 64;
    *nombre = DWORD(n);
    return FT_OK;
}

#define PONT_MEME_TYPE(x) \
    static_assert(std::is_same_v<decltype(&FT_##x), PFT_##x>, "FT_" #x " differs from its declared type");
D2XX_ENTREES(PONT_MEME_TYPE)
#undef PONT_MEME_TYPE
