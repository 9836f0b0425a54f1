// Loading the SP5 library, its entry points and the calibration record.
#include "drivers/sp5/TSP5.h"

#include "drivers/sp5/ReglesSP5.h"
#include "platform/Bibliotheque.h"

#include <algorithm>

namespace {

bool estNomSimulateur(const std::string& chemin)
{
    const auto separateur = chemin.find_last_of("/\\");
    const std::string nom = separateur == std::string::npos ? chemin : chemin.substr(separateur + 1);
    return nom == "SP5SIM.DLL";
}

[[noreturn]] void erreurChargement(const char* nom)
{
    throw ErreurBibliothequeSP5(std::string("Erreur lors du chargement de ") + nom);
}

// Finds one entry point; a library without it is not usable.
template <typename Fonction>
void resous(plateforme::HandleBibliotheque bibliotheque, const char* nom, Fonction& cible)
{
    cible = plateforme::procedure<Fonction>(bibliotheque, nom);
    if (cible == nullptr)
        erreurChargement(nom);
}

// An entry point left unresolved by a failed load is never called.
template <typename Fonction>
Fonction pointEntree(Fonction f, const char* nom)
{
    if (f == nullptr)
        erreurChargement(nom);
    return f;
}

// The model's block is the library's block.
static_assert(kTailleFifoSP5 == kTailleBlocSP5);

} // namespace

bool TSP5::estSimulateur() const
{
    return estNomSimulateur(FNomDLL);
}

bool TSP5::chargeDLL(int32_t inutilise)
{
    (void)inutilise;
    if (HandleDLL != 0)
        return true;
    const plateforme::HandleBibliotheque bibliotheque = adopteBibliotheque(plateforme::chargeBibliotheque(FNomDLL));
    if (bibliotheque == nullptr) {
        CentraleInstallee = false;
        return false;
    }
    CentraleInstallee = true;
#define SP5_RESOUS(nom) resous(bibliotheque, #nom, SP5_##nom);
    SP5_ENTREES(SP5_RESOUS)
    if (estSimulateur()) {
        SP5_ENTREES_SIMULATEUR(SP5_RESOUS)
    }
#undef SP5_RESOUS
    return true;
}

void TSP5::verifieDLLChargee() const
{
    if (HandleDLL == 0)
        throw ErreurBibliothequeSP5(FNomDLL + " n'est pas chargé");
}

void TSP5::libereDLL()
{
    libereBibliotheque();
#define SP5_OUBLIE(nom) SP5_##nom = nullptr;
    SP5_ENTREES(SP5_OUBLIE)
    SP5_ENTREES_SIMULATEUR(SP5_OUBLIE)
#undef SP5_OUBLIE
}

void TSP5::Reset()
{
    if (!CentraleInstallee)
        return;
    verifieDLLChargee();
    pointEntree(SP5_Reset, "Reset")();
}

void TSP5::SetRegistre(uint8_t aAdr, uint8_t Value)
{
    if (!CentraleInstallee)
        return;
    verifieDLLChargee();
    pointEntree(SP5_EcrireRegistre, "EcrireRegistre")(aAdr, Value);
}

uint8_t TSP5::GetRegistre(uint8_t aAdr)
{
    if (!CentraleInstallee)
        return 0;
    verifieDLLChargee();
    return pointEntree(SP5_LireRegistre, "LireRegistre")(aAdr);
}

uint8_t TSP5::registre1(uint8_t aAdr)
{
    return GetRegistre(aAdr);
}

void TSP5::ViderFifo()
{
    if (!CentraleInstallee)
        return;
    verifieDLLChargee();
    pointEntree(SP5_ViderFifo, "ViderFifo")();
}

void TSP5::EcrireFifo(TPtrFifoSP5 aPtrFifoSP5, int32_t aSize)
{
    if (!CentraleInstallee || aPtrFifoSP5 == nullptr)
        return;
    verifieDLLChargee();
    pointEntree(SP5_EcrireFifo, "EcrireFifo")(aPtrFifoSP5->data(), std::clamp(aSize, 0, kTailleFifoSP5));
}

int32_t TSP5::TailleTransfertFifo(int32_t aTaille)
{
    if (!CentraleInstallee)
        return 0;
    verifieDLLChargee();
    return pointEntree(SP5_TailleTransfertFifo, "TailleTransfertFifo")(aTaille);
}

bool TSP5::Presente()
{
    if (!chargeDLL())
        return false;
    return pointEntree(SP5_Present, "Present")() != 0;
}

int32_t TSP5::presentePendantAcq()
{
    return Presente() ? 1 : -1;
}

int32_t TSP5::LireFifoBASE(TPtrFifoSP5 aPtrFifoSP5)
{
    if (!CentraleInstallee || aPtrFifoSP5 == nullptr)
        return 0;
    verifieDLLChargee();
    if (!Presente())
        return 0;
    const int32_t n = pointEntree(SP5_LireFifo, "LireFifo")(aPtrFifoSP5->data());
    // The block holds 256 words whatever the library claims.
    return std::min(n, kTailleFifoSP5);
}

int32_t TSP5::LireFifo(TPtrFifoSP5 aPtrFifoSP5)
{
    return LireFifoBASE(aPtrFifoSP5);
}

void TSP5::AfficheInfos()
{
    if (!CentraleInstallee || numeroSerie != "SPSIMUL")
        return;
    verifieDLLChargee();
    pointEntree(SP5_AfficheInfos, "AfficheInfos")();
}

void TSP5::RecupereCalibration()
{
    if (!CentraleInstallee) {
        numeroSerie = "SP5Absente";
        return;
    }
    // The simulator keeps a calibration record even with no unit plugged in.
    if (Presente() || estSimulateur()) {
        verifieDLLChargee();
        TOctetsCalibrageSP5 octets {};
        pointEntree(SP5_RecupereCalibration, "RecupereCalibration")(octets.data());
        fCalibrageSP5 = TCalibrageSP5::decode(octets);
        numeroSerie = fCalibrageSP5.NumeroSerie;
    } else {
        numeroSerie = "SP5Absente";
    }
}

void TSP5::MAJCalibrage()
{
    const TCalibrageSP5& c = fCalibrageSP5;
    for (int canal = 0; canal < nbCanauxUt; ++canal) {
        for (int k = 0; k < nbCalEA; ++k) {
            a1[canal][k] = c.Ampli_EA[canal][k];
            a1[canal + nbCanauxUt][k] = c.Ampli_EA[canal][k];
            b1diff[canal][k] = c.Offset_EADiff[canal][k];
        }
    }
    for (int i = 0; i < nbEAU; ++i)
        for (int k = 0; k < nbCalEA; ++k)
            b1[i][k] = c.Offset_EA[i][k];
    for (int s = 0; s < nbSA; ++s) {
        a1S[s] = c.Ampli_SA[s];
        b1S[s] = c.Offset_SA[s];
    }
}

void TSP5::prepareTMemoCalibrage(TMemoCalibrage& memo)
{
    const std::size_t entrees = std::size_t(nbEAU);
    const std::size_t calibres = std::size_t(nbCalEA + 2);
    for (auto* tableau : { &memo.a1m, &memo.b1m, &memo.b1diffm })
        tableau->assign(entrees, std::vector<float>(calibres, 0.0f));
    for (auto* drapeaux : { &memo.a1mCorr, &memo.b1mCorr, &memo.b1diffmCorr })
        drapeaux->assign(entrees, std::vector<bool>(calibres, false));
}

void TSP5::MemoriseCalibrage(TMemoCalibrage& memo)
{
    if (memo.a1m.size() < std::size_t(nbEAU))
        prepareTMemoCalibrage(memo);
    for (int i = 0; i < nbEAU; ++i) {
        for (int k = 0; k < nbCalEA; ++k) {
            memo.a1m[i][k] = float(a1[i][k]);
            memo.b1m[i][k] = float(b1[i][k]);
            memo.b1diffm[i][k] = float(b1diff[i][k]);
        }
    }
}

void TSP5::RestitueCalibrage(const TMemoCalibrage& memo)
{
    for (int i = 0; i < nbEAU && i < int(memo.a1m.size()); ++i) {
        for (int k = 0; k < nbCalEA && k < int(memo.a1m[i].size()); ++k) {
            a1[i][k] = memo.a1m[i][k];
            b1[i][k] = memo.b1m[i][k];
            b1diff[i][k] = memo.b1diffm[i][k];
        }
    }
}
