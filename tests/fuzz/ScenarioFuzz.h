#pragma once
// What the fuzz targets do with a driver, as the program does: the settings
// of the panels (from a few bytes of the input), the preparation the Start
// button makes, the program's own read loop until the record is complete or
// the user gives up, and the checks that whatever the unit sent, the loop
// handed over no more than a block and stored only real numbers.
#include "app/acquisition/BoucleAcquisition.h"
#include "mesures/TMesures.h"
#include "model/TCentrale.h"
#include "platform/Bibliotheque.h"
#include "platform/HorlogeVirtuelle.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz {

[[noreturn]] inline void faute(const std::string& quoi)
{
    std::fprintf(stderr, "FAUTE: %s\n", quoi.c_str());
    std::abort();
}

// The settings bytes at the start of an input.
inline constexpr size_t kOctetsReglages = 4;

struct TReglagesFuzz {
    uint8_t entrees = 1;      // bit i: input i active
    bool differentiel = false; // channel 0 differential (SP5)
    int32_t modeDecl = kDeclImmediat;
    int32_t sens = 0;
    double duree = 0.02;
    int64_t nbPoints = 1001;
    int32_t idxPretrig = 0;
    float seuil = 0;
};

inline TReglagesFuzz litReglages(const uint8_t* o)
{
    static const double durees[] = {1e-5, 2e-4, 0.005, 0.02, 0.1, 0.15, 0.5, 1.0, 2.0, 10.0};
    static const int64_t points[] = {11, 21, 101, 257, 1001, 2001};
    TReglagesFuzz r;
    r.entrees = uint8_t(o[0] & 0x0F) ? uint8_t(o[0] & 0x0F) : uint8_t(1);
    r.differentiel = (o[0] & 0x10) != 0;
    r.modeDecl = (o[0] >> 5) % 3;
    r.sens = o[0] >> 7;
    r.duree = durees[o[1] % 10];
    r.nbPoints = points[(o[1] / 10) % 6];
    r.idxPretrig = o[2] % 4;
    r.seuil = float(int8_t(o[3])) / 10.0f;
    return r;
}

// The panels' settings, in the order the window makes them.
inline void appliqueReglages(TCentrale& c, const TReglagesFuzz& r)
{
    for (int i = 0; i < c.nbEAU && i < 8; ++i) {
        if (r.entrees & (1u << (i % 4)))
            c.activeVoieA(uint8_t(i), false);
        else
            c.desactiveVoieA(uint8_t(i), false);
    }
    if (c.ChxModeDiff == 1)
        c.setModeDiff(0, r.differentiel, false);
    c.setDurees(r.duree, r.nbPoints, false);
    c.modeRecuperation = c.tRemanence >= c.dureeTotale0X ? 1 : 0;
    const int32_t synchro = c.nbVoiesSignaux > 0 ? c.VoiesActivesSignaux[0] : 0;
    c.setVoieSynchro(synchro, false);
    c.setPretrig(r.idxPretrig, false);
    c.setModeDeclenchement(r.modeDecl, false);
    c.setSensDeclSeuil(r.sens, false);
    c.setSensDeclEchelon(r.sens, false);
    c.setSeuilDecl(r.seuil);
}

// The window's stand-in: the user gives up after this many passes of the
// loop (a trigger that never comes keeps the program waiting otherwise).
class THoteFuzz : public THoteAcquisition {
public:
    explicit THoteFuzz(TDrapeauxAcquisition& d) : drapeaux_(d) {}
    void afficheMessage(const std::string&) override {}
    void premieresDonnees() override {}
    void pointsRecus(const TPointsRecus&, int64_t) override {}
    void traiteMessages() override
    {
        if (++passages_ > 60)
            drapeaux_.stop = true;
    }
    void afficheAttenteDeclenchement() override {}

private:
    TDrapeauxAcquisition& drapeaux_;
    int passages_ = 0;
};

// Every input converts its lowest, middle and highest code to a number,
// whatever calibration the library handed over, and the table a run fills
// for all codes holds what the single-code conversion gives (checked on the
// first input: the table is the same formula for each).
inline void verifieConversions(TCentrale& c)
{
    static float table[4096];
    if (c.nbEAU > 0)
        c.convertitCodes(0, table, 4096);
    for (int32_t i = 0; i < c.nbEAU; ++i)
        for (int32_t code : {0, 2048, 4095}) {
            const double u = c.Ux(i, code);
            if (!std::isfinite(u))
                faute("input " + std::to_string(i) + " converts code " + std::to_string(code) + " to no number");
            if (i == 0 && table[code] != float(u))
                faute("input 0 table and conversion differ at code " + std::to_string(code));
        }
}

// The direct measurement, which must read a number on every active input.
inline void mesureDirecte(TCentrale& c)
{
    c.MesureDirecte();
    for (int32_t i = 0; i < c.nbVoiesSignaux; ++i)
        if (!std::isfinite(c.VoiesX[std::size_t(c.VoiesActivesSignaux[std::size_t(i)])].mesDirR))
            faute("the direct measurement gave no number");
}

// One run as the Start button makes it, then the checks.
inline void acquisition(TCentrale& c)
{
    TMesures mesures;
    TDrapeauxAcquisition drapeaux;
    const TModeGeneral mode = TModeGeneral::acquisitionEnCours;
    mesures.PrepareTV2(std::max(c.nbVoiesSignaux, 0), std::max<int64_t>(c.nbPts0X, 0), false);
    c.Reset();
    c.NbPtsFifo = tailleBlocFifo(c);
    c.prepareTousPRX(true);
    c.TailleTransfertFifo(c.NbPtsFifo);
    c.ViderFifo();
    THoteFuzz hote(drapeaux);
    TBoucleAcquisition boucle(c, mesures, drapeaux, mode, hote);
    boucle.acquisitionSimple(0);
    c.getNbPtsPretrig();
    for (std::size_t i = 0; i < mesures.tv2.size(); ++i)
        for (std::size_t k = 0; k < mesures.tv2[i].size(); ++k)
            if (!std::isfinite(mesures.tv2[i][k]))
                faute("curve " + std::to_string(i) + " point " + std::to_string(k) + " is not a number");
}

// A library of the fuzz build, loaded once for the whole run so that the
// drivers' own loading and unloading only count references.
inline plateforme::HandleBibliotheque bibliotheque(const char* chemin)
{
    plateforme::HandleBibliotheque h = plateforme::chargeBibliotheque(chemin);
    if (!h)
        faute(std::string("cannot load ") + chemin + ": " + plateforme::derniereErreurBibliotheque());
    return h;
}

// Each input starts a little before the millisecond counter wraps, so that
// every wait also meets the wrap.
inline void remetHorloge()
{
    plateforme::fixeTempsVirtuel((uint64_t(1) << 32) * 1'000'000 - 3'000'000'000ull);
}

} // namespace fuzz
