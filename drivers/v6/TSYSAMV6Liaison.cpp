// The library, the link and the byte primitives. Reads take one byte at a time
// after asking how many wait; the timed waits are busy loops on the
// millisecond tick counter, as the unit answers within microseconds.
#include "drivers/v6/LiaisonV6.h"
#include "drivers/v6/TSYSAMV6.h"
#include "platform/Temps.h"

#include <algorithm>
#include <cstring>

using namespace d2xx;

EtatLiaisonV6& liaisonV6()
{
    static EtatLiaisonV6 etat;
    return etat;
}

namespace {

template <typename F>
bool resous(plateforme::HandleBibliotheque bibliotheque, const char* nom, F& pointeur)
{
    pointeur = plateforme::procedure<F>(bibliotheque, nom);
    return pointeur != nullptr;
}

bool resousPointsEntree(plateforme::HandleBibliotheque b, PointsEntreeD2XX& p)
{
#define D2XX_RESOUS(x) && resous(b, "FT_" #x, p.FT_##x)
    return true D2XX_ENTREES(D2XX_RESOUS);
#undef D2XX_RESOUS
}

// The tick counter wraps: compare elapsed times only.
bool delaiEcoule(uint32_t debut, uint32_t delai)
{
    return plateforme::compteurTicks() - debut > delai;
}

} // namespace

bool TSYSAMV6::Load_V6(bool decharge)
{
    EtatLiaisonV6& l = liaisonV6();
    CentraleInstallee = false;
    if (decharge) {
        if (l.bibliotheque != nullptr)
            plateforme::libereBibliotheque(l.bibliotheque);
        l.bibliotheque = nullptr;
        l.d2xx = {};
        return true;
    }
    if (l.bibliotheque != nullptr) {
        CentraleInstallee = true;
        return false;
    }
    plateforme::HandleBibliotheque bibliotheque = plateforme::chargeBibliotheque(FNomDLL);
    if (bibliotheque == nullptr)
        return false;
    PointsEntreeD2XX points;
    if (!resousPointsEntree(bibliotheque, points)) {
        // Not a D2XX library: leave it as if it had never been found.
        plateforme::libereBibliotheque(bibliotheque);
        return false;
    }
    l.bibliotheque = bibliotheque;
    l.d2xx = points;
    CentraleInstallee = true;
    return true;
}

void TSYSAMV6::Close_V6()
{
    EtatLiaisonV6& l = liaisonV6();
    if (l.liaisonOuverte && l.d2xx.FT_Close != nullptr)
        l.d2xx.FT_Close(l.peripherique);
    l.peripherique = nullptr;
    Load_V6(true);
    l.liaisonOuverte = false;
    l.bibliothequeChargee = false;
}

bool TSYSAMV6::Open_V6()
{
    EtatLiaisonV6& l = liaisonV6();
    if (!l.bibliothequeChargee)
        l.bibliothequeChargee = Load_V6(false);
    else
        CentraleInstallee = true; // loaded by another V6 object of this process
    if (!l.bibliothequeChargee)
        return false;
    const PointsEntreeD2XX& f = l.d2xx;
    if (l.liaisonOuverte) {
        f.FT_Close(l.peripherique);
        l.liaisonOuverte = false;
    }
    char description[50] = {};
    std::strncpy(description, "Sysam-V6", sizeof description - 1);
    FT_HANDLE peripherique = nullptr;
    l.liaisonOuverte = f.FT_OpenEx(description, FT_OPEN_BY_DESCRIPTION, &peripherique) == FT_OK;
    l.peripherique = l.liaisonOuverte ? peripherique : nullptr;
    if (l.liaisonOuverte) {
        l.dernierStatut = FT_OK;
        f.FT_SetBaudRate(l.peripherique, 1'250'000);
        f.FT_SetDataCharacteristics(l.peripherique, FT_BITS_8, FT_STOP_BITS_1, FT_PARITY_NONE);
        f.FT_SetFlowControl(l.peripherique, FT_FLOW_RTS_CTS, 0x11, 0x13);
        f.FT_SetChars(l.peripherique, 0, 0, 0, 0);
        f.FT_SetTimeouts(l.peripherique, 100, 1000);
        f.FT_SetRts(l.peripherique);
        f.FT_Purge(l.peripherique, FT_PURGE_RX);
        f.FT_Purge(l.peripherique, FT_PURGE_TX);
    }
    return l.liaisonOuverte;
}

int32_t TSYSAMV6::Read_V6(int32_t n)
{
    EtatLiaisonV6& l = liaisonV6();
    if (!l.liaisonOuverte || n <= 0)
        return 0;
    n = std::min(n, kTailleTamponLiaisonV6);
    DWORD lus = 0;
    l.dernierStatut = l.d2xx.FT_Read(l.peripherique, l.tamponReception.data(), DWORD(n), &lus);
    if (l.dernierStatut != FT_OK)
        return 0;
    return int32_t(std::min<DWORD>(lus, DWORD(n)));
}

int32_t TSYSAMV6::Write_V6(int32_t n)
{
    EtatLiaisonV6& l = liaisonV6();
    n = std::clamp(n, 0, kTailleTamponLiaisonV6);
    DWORD ecrits = 0;
    for (int tentative = 0; tentative < 2; ++tentative) {
        if (!l.liaisonOuverte)
            break;
        ecrits = 0;
        l.dernierStatut = l.d2xx.FT_Write(l.peripherique, l.tamponEmission.data(), DWORD(n), &ecrits);
        const bool liaisonPerdue = l.dernierStatut == FT_INVALID_HANDLE || l.dernierStatut == FT_IO_ERROR;
        if (tentative > 0 || !liaisonPerdue)
            break;
        ecrits = 0;
        Open_V6();
    }
    return int32_t(ecrits);
}

void TSYSAMV6::EcrireUnCaractere(uint8_t aCaractere)
{
    EtatLiaisonV6& l = liaisonV6();
    if (!l.liaisonOuverte)
        return;
    l.tamponEmission[0] = aCaractere;
    Write_V6(1);
}

bool TSYSAMV6::LireUnOctet(uint8_t& aOctet)
{
    EtatLiaisonV6& l = liaisonV6();
    if (!l.liaisonOuverte)
        return false;
    DWORD enAttente = 0;
    l.dernierStatut = l.d2xx.FT_GetQueueStatus(l.peripherique, &enAttente);
    if (l.dernierStatut != FT_OK)
        return false;
    l.nbOctetsEnReception = enAttente;
    if (enAttente == 0)
        return false;
    if (Read_V6(1) != 1)
        return false;
    aOctet = l.tamponReception[0];
    return true;
}

bool TSYSAMV6::LireUnCaractere(char& aCaractere)
{
    uint8_t octet = 0;
    if (!LireUnOctet(octet))
        return false;
    aCaractere = static_cast<char>(octet);
    return true;
}

bool TSYSAMV6::LireUnCaractereTimeOut(char& aCaractere, uint32_t aTimeOut)
{
    const uint32_t debut = plateforme::compteurTicks();
    do {
        if (LireUnCaractere(aCaractere))
            return true;
        // Nothing can come on a closed link or from a lost device: no point
        // in waiting.
        if (pontPerdu())
            return false;
    } while (!delaiEcoule(debut, aTimeOut));
    return false;
}

bool TSYSAMV6::AttendreUnCaractereTimeOut(char aCaractere, uint32_t aTimeOut)
{
    const uint32_t debut = plateforme::compteurTicks();
    do {
        char recu = 0;
        if (LireUnCaractere(recu) && recu == aCaractere)
            return true;
        if (pontPerdu())
            return false;
    } while (!delaiEcoule(debut, aTimeOut));
    return false;
}

bool TSYSAMV6::pontPerdu() const
{
    const EtatLiaisonV6& l = liaisonV6();
    return !l.liaisonOuverte || l.dernierStatut == FT_IO_ERROR || l.dernierStatut == FT_INVALID_HANDLE
        || l.dernierStatut == FT_DEVICE_NOT_FOUND;
}

int32_t TSYSAMV6::presentePendantAcq()
{
    EtatLiaisonV6& l = liaisonV6();
    if (l.liaisonOuverte) {
        DWORD enAttente = 0;
        l.dernierStatut = l.d2xx.FT_GetQueueStatus(l.peripherique, &enAttente);
    }
    return pontPerdu() ? -1 : 0;
}

void TSYSAMV6::AttendreCaractere(char aCaractere)
{
    for (;;) {
        char recu = 0;
        if (LireUnCaractere(recu) && recu == aCaractere)
            return;
        if (!liaisonV6().liaisonOuverte)
            return;
    }
}
