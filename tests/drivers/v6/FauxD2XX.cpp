#include "FauxD2XX.h"

#include "drivers/v6/D2XX.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <string>
#include <type_traits>

using namespace d2xx;

namespace {

constexpr FT_STATUS kOk = FT_OK;
constexpr FT_STATUS kHandleInvalide = FT_INVALID_HANDLE;
constexpr FT_STATUS kPeripheriqueAbsent = FT_DEVICE_NOT_FOUND;

struct Etape {
    std::string declencheur;
    std::string octets;
};

struct Faux {
    bool branche = true;
    bool ouvert = false;
    int32_t echosRestants = -1; // -1: always
    std::deque<char> reception;
    std::string ecrits;
    std::deque<Etape> script;
    std::string journal;
    FT_STATUS statutErreur = kOk;
    int32_t erreursRestantes = 0;
    int poignee = 0;
};

Faux& faux()
{
    static Faux f;
    return f;
}

bool poigneeValide(FT_HANDLE h)
{
    return faux().ouvert && h == &faux().poignee;
}

void note(const std::string& appel)
{
    faux().journal += appel + ";";
}

void recoitOctet(char octet)
{
    Faux& f = faux();
    f.ecrits += octet;
    if (f.echosRestants != 0) {
        f.reception.push_back(octet);
        if (f.echosRestants > 0)
            --f.echosRestants;
    }
    if (!f.script.empty()) {
        const std::string& d = f.script.front().declencheur;
        if (f.ecrits.size() >= d.size() && f.ecrits.compare(f.ecrits.size() - d.size(), d.size(), d) == 0) {
            const std::string octets = f.script.front().octets;
            f.script.pop_front();
            f.reception.insert(f.reception.end(), octets.begin(), octets.end());
        }
    }
}

} // namespace

FAUX_D2XX_EXPORTE void FauxD2XX_Reinitialise()
{
    faux() = Faux {};
}

FAUX_D2XX_EXPORTE void FauxD2XX_Branche(int32_t branche)
{
    faux().branche = branche != 0;
}

FAUX_D2XX_EXPORTE void FauxD2XX_Echo(int32_t actif)
{
    faux().echosRestants = actif ? -1 : 0;
}

FAUX_D2XX_EXPORTE void FauxD2XX_EchoLimite(int32_t nombre)
{
    faux().echosRestants = std::max(0, nombre);
}

FAUX_D2XX_EXPORTE void FauxD2XX_AjouteEntree(const char* octets, int32_t nombre)
{
    faux().reception.insert(faux().reception.end(), octets, octets + nombre);
}

FAUX_D2XX_EXPORTE void FauxD2XX_Reponse(const char* declencheur, int32_t nbDeclencheur, const char* octets,
                                        int32_t nombre)
{
    faux().script.push_back({ std::string(declencheur, std::size_t(nbDeclencheur)), std::string(octets, std::size_t(nombre)) });
}

FAUX_D2XX_EXPORTE int32_t FauxD2XX_Ecrits(char* tampon, int32_t taille)
{
    const std::string& e = faux().ecrits;
    const auto n = std::min<std::size_t>(e.size(), std::size_t(std::max(taille, 0)));
    std::memcpy(tampon, e.data(), n);
    return int32_t(e.size());
}

FAUX_D2XX_EXPORTE int32_t FauxD2XX_EnAttente()
{
    return int32_t(faux().reception.size());
}

FAUX_D2XX_EXPORTE int32_t FauxD2XX_Journal(char* tampon, int32_t taille)
{
    const std::string& j = faux().journal;
    const auto n = std::min<std::size_t>(j.size(), std::size_t(std::max(taille, 0)));
    std::memcpy(tampon, j.data(), n);
    return int32_t(j.size());
}

FAUX_D2XX_EXPORTE void FauxD2XX_ErreursEcriture(uint32_t statut, int32_t nombre)
{
    faux().statutErreur = statut;
    faux().erreursRestantes = nombre;
}

// The D2XX entry points.

FAUX_D2XX_EXPORTE FT_STATUS FT_OpenEx(void* pArg1, DWORD Flags, FT_HANDLE* pHandle)
{
    note("OpenEx(" + std::string(static_cast<const char*>(pArg1)) + "," + std::to_string(Flags) + ")");
    Faux& f = faux();
    if (!f.branche || f.ouvert)
        return kPeripheriqueAbsent;
    f.ouvert = true;
    *pHandle = &f.poignee;
    return kOk;
}

FAUX_D2XX_EXPORTE FT_STATUS FT_Close(FT_HANDLE h)
{
    note("Close");
    if (!poigneeValide(h))
        return kHandleInvalide;
    faux().ouvert = false;
    return kOk;
}

FAUX_D2XX_EXPORTE FT_STATUS FT_Read(FT_HANDLE h, void* tampon, DWORD aLire, DWORD* lus)
{
    *lus = 0;
    if (!poigneeValide(h))
        return kHandleInvalide;
    auto& r = faux().reception;
    const DWORD n = std::min<DWORD>(aLire, DWORD(r.size()));
    std::copy_n(r.begin(), n, static_cast<char*>(tampon));
    r.erase(r.begin(), r.begin() + n);
    *lus = n;
    return kOk;
}

FAUX_D2XX_EXPORTE FT_STATUS FT_Write(FT_HANDLE h, void* tampon, DWORD aEcrire, DWORD* ecrits)
{
    *ecrits = 0;
    Faux& f = faux();
    if (f.erreursRestantes > 0) {
        --f.erreursRestantes;
        note("WriteErreur(" + std::to_string(f.statutErreur) + ")");
        return f.statutErreur;
    }
    if (!poigneeValide(h))
        return kHandleInvalide;
    const char* octets = static_cast<const char*>(tampon);
    for (DWORD i = 0; i < aEcrire; ++i)
        recoitOctet(octets[i]);
    *ecrits = aEcrire;
    return kOk;
}

FAUX_D2XX_EXPORTE FT_STATUS FT_SetBaudRate(FT_HANDLE h, uint32_t vitesse)
{
    note("SetBaudRate(" + std::to_string(vitesse) + ")");
    return poigneeValide(h) ? kOk : kHandleInvalide;
}

FAUX_D2XX_EXPORTE FT_STATUS FT_SetDataCharacteristics(FT_HANDLE h, uint8_t bits, uint8_t arret, uint8_t parite)
{
    note("SetDataCharacteristics(" + std::to_string(bits) + "," + std::to_string(arret) + "," + std::to_string(parite) + ")");
    return poigneeValide(h) ? kOk : kHandleInvalide;
}

FAUX_D2XX_EXPORTE FT_STATUS FT_SetFlowControl(FT_HANDLE h, uint16_t controle, uint8_t xon, uint8_t xoff)
{
    note("SetFlowControl(" + std::to_string(controle) + "," + std::to_string(xon) + "," + std::to_string(xoff) + ")");
    return poigneeValide(h) ? kOk : kHandleInvalide;
}

FAUX_D2XX_EXPORTE FT_STATUS FT_SetRts(FT_HANDLE h)
{
    note("SetRts");
    return poigneeValide(h) ? kOk : kHandleInvalide;
}

FAUX_D2XX_EXPORTE FT_STATUS FT_SetChars(FT_HANDLE h, uint8_t evt, uint8_t evtActif, uint8_t err, uint8_t errActif)
{
    note("SetChars(" + std::to_string(evt) + "," + std::to_string(evtActif) + "," + std::to_string(err) + ","
         + std::to_string(errActif) + ")");
    return poigneeValide(h) ? kOk : kHandleInvalide;
}

FAUX_D2XX_EXPORTE FT_STATUS FT_Purge(FT_HANDLE h, uint32_t masque)
{
    note("Purge(" + std::to_string(masque) + ")");
    if (!poigneeValide(h))
        return kHandleInvalide;
    if (masque & 1)
        faux().reception.clear();
    return kOk;
}

FAUX_D2XX_EXPORTE FT_STATUS FT_SetTimeouts(FT_HANDLE h, uint32_t lecture, uint32_t ecriture)
{
    note("SetTimeouts(" + std::to_string(lecture) + "," + std::to_string(ecriture) + ")");
    return poigneeValide(h) ? kOk : kHandleInvalide;
}

FAUX_D2XX_EXPORTE FT_STATUS FT_GetQueueStatus(FT_HANDLE h, DWORD* enAttente)
{
    *enAttente = 0;
    if (!poigneeValide(h))
        return kHandleInvalide;
    *enAttente = DWORD(faux().reception.size());
    return kOk;
}

// The stand-in offers exactly the types the driver resolves.
#define FAUX_D2XX_MEME_TYPE(x) \
    static_assert(std::is_same_v<decltype(&FT_##x), PFT_##x>, "FT_" #x " differs from its declared type");
D2XX_ENTREES(FAUX_D2XX_MEME_TYPE)
#undef FAUX_D2XX_MEME_TYPE
