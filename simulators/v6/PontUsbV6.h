#pragma once
// The USB serial bridge in front of the simulated unit, as the D2XX calls see
// it: the device found under its description, the handles, the line settings,
// the read time-out, and the plug. One per process, shared by every call and
// guarded by one lock.
#include "simulators/v6/FileSortieV6.h"
#include "simulators/v6/UniteV6.h"
#include "drivers/v6/D2XX.h"

#include <cstdint>
#include <mutex>
#include <vector>

class PontUsbV6 {
public:
    static PontUsbV6& instance();

    d2xx::FT_STATUS ouvre(d2xx::PVOID argument, d2xx::DWORD drapeaux, d2xx::FT_HANDLE* poignee);
    d2xx::FT_STATUS ferme(d2xx::FT_HANDLE poignee);
    d2xx::FT_STATUS lit(d2xx::FT_HANDLE poignee, d2xx::LPVOID tampon, d2xx::DWORD nombre, d2xx::LPDWORD lus);
    d2xx::FT_STATUS ecrit(d2xx::FT_HANDLE poignee, d2xx::LPVOID tampon, d2xx::DWORD nombre, d2xx::LPDWORD ecrits);
    d2xx::FT_STATUS regleVitesse(d2xx::FT_HANDLE poignee, d2xx::ULONG baud);
    d2xx::FT_STATUS regleFormat(d2xx::FT_HANDLE poignee, d2xx::UCHAR bits, d2xx::UCHAR stop, d2xx::UCHAR parite);
    d2xx::FT_STATUS regleControleFlux(d2xx::FT_HANDLE poignee, d2xx::USHORT controle);
    d2xx::FT_STATUS leveRts(d2xx::FT_HANDLE poignee);
    d2xx::FT_STATUS regleCaracteres(d2xx::FT_HANDLE poignee);
    d2xx::FT_STATUS purge(d2xx::FT_HANDLE poignee, d2xx::ULONG masque);
    d2xx::FT_STATUS regleDelais(d2xx::FT_HANDLE poignee, d2xx::ULONG lectureMs, d2xx::ULONG ecritureMs);
    d2xx::FT_STATUS etatFile(d2xx::FT_HANDLE poignee, d2xx::DWORD* enAttente);

    void branche(bool branche);
    void perdEchos(int32_t nombre);
    void reinitialise();
    void ajouteParasites(const char* octets, int32_t nombre);
    void fixeDebutRuns(int64_t ns);
    int64_t debutRun();

private:
    PontUsbV6();

    // FT_OK for the open handle, FT_IO_ERROR for one the unplug killed,
    // FT_INVALID_HANDLE for anything else.
    d2xx::FT_STATUS verifie(d2xx::FT_HANDLE poignee) const;
    bool ligneComprise() const;
    void regleLigneParDefaut();

    std::mutex verrou_;
    FileSortieV6 sortie_;
    UniteV6 unite_;
    bool branche_ = true;
    uintptr_t poigneeOuverte_ = 0;
    std::vector<uintptr_t> poigneesMortes_;
    uintptr_t prochainePoignee_;
    d2xx::ULONG baud_ = 0;
    d2xx::UCHAR bits_ = 0;
    d2xx::UCHAR stop_ = 0;
    d2xx::UCHAR parite_ = 0;
    d2xx::ULONG delaiLectureMs_ = 0;
    int32_t echosAPerdre_ = 0;
};
