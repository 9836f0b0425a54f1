#include "simulators/v6/PontUsbV6.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>

using namespace d2xx;

namespace {

constexpr char descriptionPont[] = "Sysam-V6";
constexpr char numeroSeriePont[] = "FTV6SIM1";
// The unit's UART only understands this line; any other setting garbles every
// byte, which the unit then ignores.
constexpr ULONG baudUnite = 1'250'000;
// What FTDI bridges start with when opened.
constexpr ULONG baudParDefaut = 9600;
// Range of rates the bridge can generate.
constexpr ULONG baudMin = 183;
constexpr ULONG baudMax = 3'000'000;
constexpr size_t longueurMaxTexte = 64;
constexpr auto pauseAttente = std::chrono::microseconds(250);

int64_t maintenantNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool texteEgal(PVOID argument, const char* attendu)
{
    const char* texte = static_cast<const char*>(argument);
    return std::string(texte, strnlen(texte, longueurMaxTexte)) == attendu;
}

uintptr_t valeurPoignee(FT_HANDLE poignee)
{
    return reinterpret_cast<uintptr_t>(poignee);
}

} // namespace

PontUsbV6& PontUsbV6::instance()
{
    static PontUsbV6 pont;
    return pont;
}

PontUsbV6::PontUsbV6()
    : unite_(sortie_)
    , prochainePoignee_(0x56360000)
{
    unite_.metSousTension(maintenantNs());
    regleLigneParDefaut();
}

FT_STATUS PontUsbV6::verifie(FT_HANDLE poignee) const
{
    const uintptr_t valeur = valeurPoignee(poignee);
    if (valeur != 0 && valeur == poigneeOuverte_)
        return FT_OK;
    if (valeur != 0 && std::find(poigneesMortes_.begin(), poigneesMortes_.end(), valeur) != poigneesMortes_.end())
        return FT_IO_ERROR;
    return FT_INVALID_HANDLE;
}

bool PontUsbV6::ligneComprise() const
{
    return baud_ == baudUnite && bits_ == FT_BITS_8 && stop_ == FT_STOP_BITS_1 && parite_ == FT_PARITY_NONE;
}

void PontUsbV6::regleLigneParDefaut()
{
    baud_ = baudParDefaut;
    bits_ = FT_BITS_8;
    stop_ = FT_STOP_BITS_1;
    parite_ = FT_PARITY_NONE;
    // 0: reads wait until every byte asked for has come.
    delaiLectureMs_ = 0;
}

FT_STATUS PontUsbV6::ouvre(PVOID argument, DWORD drapeaux, FT_HANDLE* poignee)
{
    if (poignee == nullptr)
        return FT_INVALID_PARAMETER;
    std::lock_guard verrou(verrou_);
    bool trouve = false;
    switch (drapeaux) {
    case FT_OPEN_BY_DESCRIPTION:
    case FT_OPEN_BY_SERIAL_NUMBER:
        if (argument == nullptr)
            return FT_INVALID_PARAMETER;
        trouve = texteEgal(argument, drapeaux == FT_OPEN_BY_DESCRIPTION ? descriptionPont : numeroSeriePont);
        break;
    case FT_OPEN_BY_LOCATION:
        break;
    default:
        return FT_INVALID_PARAMETER;
    }
    if (!trouve || !branche_)
        return FT_DEVICE_NOT_FOUND;
    if (poigneeOuverte_ != 0)
        return FT_DEVICE_NOT_OPENED;
    poigneeOuverte_ = ++prochainePoignee_;
    regleLigneParDefaut();
    // A new handle starts with an empty receive queue; the unit itself carries on.
    unite_.avance(maintenantNs());
    sortie_.vide();
    *poignee = reinterpret_cast<FT_HANDLE>(poigneeOuverte_);
    return FT_OK;
}

FT_STATUS PontUsbV6::ferme(FT_HANDLE poignee)
{
    std::lock_guard verrou(verrou_);
    const FT_STATUS etat = verifie(poignee);
    if (etat == FT_INVALID_HANDLE)
        return etat;
    if (etat == FT_IO_ERROR) {
        std::erase(poigneesMortes_, valeurPoignee(poignee));
        return FT_OK;
    }
    poigneeOuverte_ = 0;
    unite_.avance(maintenantNs());
    sortie_.vide();
    return FT_OK;
}

// Waits until `nombre` bytes wait or the read time-out has passed, then takes
// what is there, as D2XX does.
FT_STATUS PontUsbV6::lit(FT_HANDLE poignee, LPVOID tampon, DWORD nombre, LPDWORD lus)
{
    std::unique_lock verrou(verrou_);
    FT_STATUS etat = verifie(poignee);
    if (etat != FT_OK)
        return etat;
    if (lus == nullptr || (tampon == nullptr && nombre > 0))
        return FT_INVALID_PARAMETER;
    *lus = 0;
    const int64_t debut = maintenantNs();
    const int64_t delaiNs = static_cast<int64_t>(delaiLectureMs_) * 1'000'000;
    for (;;) {
        const int64_t instant = maintenantNs();
        unite_.avance(instant);
        if (sortie_.taille() >= nombre || (delaiNs > 0 && instant - debut >= delaiNs))
            break;
        verrou.unlock();
        std::this_thread::sleep_for(pauseAttente);
        verrou.lock();
        // The unit may have been unplugged or the handle forgotten meanwhile.
        etat = verifie(poignee);
        if (etat != FT_OK)
            return etat;
    }
    *lus = static_cast<DWORD>(sortie_.lit(static_cast<uint8_t*>(tampon), nombre));
    return FT_OK;
}

FT_STATUS PontUsbV6::ecrit(FT_HANDLE poignee, LPVOID tampon, DWORD nombre, LPDWORD ecrits)
{
    std::lock_guard verrou(verrou_);
    const FT_STATUS etat = verifie(poignee);
    if (etat != FT_OK)
        return etat;
    if (ecrits == nullptr || (tampon == nullptr && nombre > 0))
        return FT_INVALID_PARAMETER;
    const auto* octets = static_cast<const uint8_t*>(tampon);
    if (ligneComprise()) {
        const int64_t instant = maintenantNs();
        for (DWORD i = 0; i < nombre; ++i) {
            const bool echoPerdu = echosAPerdre_ > 0;
            if (echoPerdu)
                --echosAPerdre_;
            unite_.recoit(octets[i], instant, !echoPerdu);
        }
    }
    *ecrits = nombre;
    return FT_OK;
}

FT_STATUS PontUsbV6::regleVitesse(FT_HANDLE poignee, ULONG baud)
{
    std::lock_guard verrou(verrou_);
    const FT_STATUS etat = verifie(poignee);
    if (etat != FT_OK)
        return etat;
    if (baud < baudMin || baud > baudMax)
        return FT_INVALID_BAUD_RATE;
    baud_ = baud;
    return FT_OK;
}

FT_STATUS PontUsbV6::regleFormat(FT_HANDLE poignee, UCHAR bits, UCHAR stop, UCHAR parite)
{
    std::lock_guard verrou(verrou_);
    const FT_STATUS etat = verifie(poignee);
    if (etat != FT_OK)
        return etat;
    const bool valide = (bits == FT_BITS_7 || bits == FT_BITS_8) && (stop == FT_STOP_BITS_1 || stop == FT_STOP_BITS_2)
        && parite <= FT_PARITY_SPACE;
    if (!valide)
        return FT_INVALID_PARAMETER;
    bits_ = bits;
    stop_ = stop;
    parite_ = parite;
    return FT_OK;
}

FT_STATUS PontUsbV6::regleControleFlux(FT_HANDLE poignee, USHORT controle)
{
    std::lock_guard verrou(verrou_);
    const FT_STATUS etat = verifie(poignee);
    if (etat != FT_OK)
        return etat;
    const bool valide = controle == FT_FLOW_NONE || controle == FT_FLOW_RTS_CTS || controle == FT_FLOW_DTR_DSR
        || controle == FT_FLOW_XON_XOFF;
    return valide ? FT_OK : FT_INVALID_PARAMETER;
}

FT_STATUS PontUsbV6::leveRts(FT_HANDLE poignee)
{
    std::lock_guard verrou(verrou_);
    return verifie(poignee);
}

FT_STATUS PontUsbV6::regleCaracteres(FT_HANDLE poignee)
{
    std::lock_guard verrou(verrou_);
    return verifie(poignee);
}

FT_STATUS PontUsbV6::purge(FT_HANDLE poignee, ULONG masque)
{
    std::lock_guard verrou(verrou_);
    const FT_STATUS etat = verifie(poignee);
    if (etat != FT_OK)
        return etat;
    // Writes reach the unit at once, so only the receive side holds anything.
    if (masque & FT_PURGE_RX) {
        unite_.avance(maintenantNs());
        sortie_.vide();
    }
    return FT_OK;
}

FT_STATUS PontUsbV6::regleDelais(FT_HANDLE poignee, ULONG lectureMs, ULONG)
{
    std::lock_guard verrou(verrou_);
    const FT_STATUS etat = verifie(poignee);
    if (etat != FT_OK)
        return etat;
    delaiLectureMs_ = lectureMs;
    return FT_OK;
}

FT_STATUS PontUsbV6::etatFile(FT_HANDLE poignee, DWORD* enAttente)
{
    std::lock_guard verrou(verrou_);
    const FT_STATUS etat = verifie(poignee);
    if (etat != FT_OK)
        return etat;
    if (enAttente == nullptr)
        return FT_INVALID_PARAMETER;
    unite_.avance(maintenantNs());
    *enAttente = static_cast<DWORD>(std::min<uint64_t>(sortie_.taille(), UINT32_MAX));
    return FT_OK;
}

void PontUsbV6::branche(bool branche)
{
    std::lock_guard verrou(verrou_);
    if (branche == branche_)
        return;
    branche_ = branche;
    sortie_.vide();
    if (!branche_) {
        if (poigneeOuverte_ != 0)
            poigneesMortes_.push_back(poigneeOuverte_);
        poigneeOuverte_ = 0;
        return;
    }
    unite_.metSousTension(maintenantNs());
}

void PontUsbV6::perdEchos(int32_t nombre)
{
    std::lock_guard verrou(verrou_);
    echosAPerdre_ = std::max(0, nombre);
}

void PontUsbV6::reinitialise()
{
    std::lock_guard verrou(verrou_);
    branche_ = true;
    poigneeOuverte_ = 0;
    poigneesMortes_.clear();
    echosAPerdre_ = 0;
    regleLigneParDefaut();
    sortie_.vide();
    unite_.fixeDebutRuns(-1);
    unite_.metSousTension(maintenantNs());
}

void PontUsbV6::fixeDebutRuns(int64_t ns)
{
    std::lock_guard verrou(verrou_);
    unite_.fixeDebutRuns(ns);
}

int64_t PontUsbV6::debutRun()
{
    std::lock_guard verrou(verrou_);
    return unite_.debutRun();
}

void PontUsbV6::ajouteParasites(const char* octets, int32_t nombre)
{
    std::lock_guard verrou(verrou_);
    if (!branche_ || octets == nullptr || nombre <= 0)
        return;
    unite_.avance(maintenantNs());
    sortie_.ajouteOctets(std::string(octets, static_cast<size_t>(nombre)));
}
