#pragma once
// The USB serial bridge in front of the simulated unit, as the D2XX calls see
// it: the device found under its description, the handles, the line settings,
// the read time-out, and the plug. One per process, shared by every call and
// guarded by one lock.
#include "simulators/v6/FileSortieV6.h"
#include "simulators/v6/UniteV6.h"
#include "simulators/v6/d2xx.h"

#include <cstdint>
#include <mutex>
#include <vector>

class PontUsbV6 {
public:
    static PontUsbV6& instance();

    FT_STATUS ouvre(PVOID argument, DWORD drapeaux, FT_HANDLE* poignee);
    FT_STATUS ferme(FT_HANDLE poignee);
    FT_STATUS lit(FT_HANDLE poignee, LPVOID tampon, DWORD nombre, LPDWORD lus);
    FT_STATUS ecrit(FT_HANDLE poignee, LPVOID tampon, DWORD nombre, LPDWORD ecrits);
    FT_STATUS regleVitesse(FT_HANDLE poignee, ULONG baud);
    FT_STATUS regleFormat(FT_HANDLE poignee, UCHAR bits, UCHAR stop, UCHAR parite);
    FT_STATUS regleControleFlux(FT_HANDLE poignee, USHORT controle);
    FT_STATUS leveRts(FT_HANDLE poignee);
    FT_STATUS regleCaracteres(FT_HANDLE poignee);
    FT_STATUS purge(FT_HANDLE poignee, ULONG masque);
    FT_STATUS regleDelais(FT_HANDLE poignee, ULONG lectureMs, ULONG ecritureMs);
    FT_STATUS etatFile(FT_HANDLE poignee, DWORD* enAttente);

    void branche(bool branche);
    void perdEchos(int32_t nombre);
    void reinitialise();
    void ajouteParasites(const char* octets, int32_t nombre);

private:
    PontUsbV6();

    // FT_OK for the open handle, FT_IO_ERROR for one the unplug killed,
    // FT_INVALID_HANDLE for anything else.
    FT_STATUS verifie(FT_HANDLE poignee) const;
    bool ligneComprise() const;
    void regleLigneParDefaut();

    std::mutex verrou_;
    FileSortieV6 sortie_;
    UniteV6 unite_;
    bool branche_ = true;
    uintptr_t poigneeOuverte_ = 0;
    std::vector<uintptr_t> poigneesMortes_;
    uintptr_t prochainePoignee_;
    ULONG baud_ = 0;
    UCHAR bits_ = 0;
    UCHAR stop_ = 0;
    UCHAR parite_ = 0;
    ULONG delaiLectureMs_ = 0;
    int32_t echosAPerdre_ = 0;
};
