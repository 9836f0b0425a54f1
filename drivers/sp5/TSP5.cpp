#include "drivers/sp5/TSP5.h"

#include "drivers/sp5/ReglesSP5.h"

#include <algorithm>
#include <exception>

namespace {

// The file-name part of a path, whatever the separator.
std::string nomFichier(const std::string& chemin)
{
    const auto separateur = chemin.find_last_of("/\\");
    return separateur == std::string::npos ? chemin : chemin.substr(separateur + 1);
}

struct ChoixBibliotheque {
    int32_t typeCentrale;
    const char* nomCentrale;
    bool cheminDonne; // false: the bare "SP5.DLL", found by the system's search
};

ChoixBibliotheque choixBibliotheque(const std::string& sDLL)
{
    const std::string nom = nomFichier(sDLL);
    if (nom == "SP5SIM.DLL")
        return { kSimulationSP5, "SIMULATION SP5", true };
    if (nom == "SP5.DLL")
        return { kSysamSP5, "SYSAM SP5", true };
    return { kSysamSP5, "SYSAM SP5", false };
}

} // namespace

TSP5::TSP5(const std::string& sDLL, int32_t logiUti1)
{
    Create(sDLL, logiUti1);
}

void TSP5::Create(const std::string& sDLL, int32_t logiUti1)
{
    TCentrale::Create(sDLL, logiUti1);
    static_cast<TDonneesSP5&>(*this) = TDonneesSP5 {};

    const ChoixBibliotheque choix = choixBibliotheque(sDLL);
    typeCentrale = choix.typeCentrale;
    nomCentrale = choix.nomCentrale;
    FNomDLL = choix.cheminDonne ? sDLL : std::string("SP5.DLL");
    CentraleInstallee = false;
    CentralePretePourAcq = false;
    numeroSerie = "SP5Absente";

    if (chargeDLL()) {
        if (Presente()) {
            RecupereCalibration();
            CentralePresente = Presente();
        }
        CentraleInstallee = true;
    }

    prepareTablesSP5();
    prepareNomsSP5();
    MAJCalibrage();
    appliqueReglagesDefaut();
}

void TSP5::free(bool libererDLL)
{
    if (!libererDLL)
        return;
    try {
        Reset();
    } catch (const std::exception&) {
        // An incomplete library cannot reset the unit; it is unloaded all the same.
    }
    libereDLL();
}

void TSP5::prepareTablesSP5()
{
    using namespace sp5;
    nbEAU = kNbEntrees;
    nbCanaux_ = kNbCanaux;
    nbCanauxUt = kNbCanaux;
    nbCalEA = kNbCalibres;
    nbCalCap = kNbCalibres;
    nbCalEAGV = kNbCalibres;
    calibresEAStandard.assign(kCalibres.begin(), kCalibres.end());
    calibresDispo = { 10, 5, 1, 0, -1, -1, -1, -1 };
    ChxModeDiff = 1;
    canauxDiff.assign(kNbCanaux, false);

    a1.assign(kNbEntrees, std::vector<double>(kNbCalibres, 0.0));
    b1 = a1;
    b1diff = a1;
    nbSA = kNbSorties;
    a1S.assign(kNbSorties, 0.0);
    b1S.assign(kNbSorties, 0.0);

    VoiesX.assign(kNbEntrees, TVoie {});
    for (TVoie& voie : VoiesX) {
        voie.CalsVoie = { 10, 5, 1, 0, -1, -1, -1, -1 };
        voie.calsVoieR = { 10.0f, 5.0f, 1.0f, 0.2f, -1.0f, -1.0f, -1.0f, -1.0f };
        voie.calibreR = kCalibres[0];
        voie.cap = capteurTensionNue();
    }
    VoiesActivesX.assign(kNbEntrees + 1, -1);
    VoiesActivesSignaux.assign(kNbEntrees + 1, -1);
    idxTraitGV.assign(kNbEntrees, 0);

    ResoCANPts = 4096;
    ResoCAN = 4096;
    TeCAN = 100e-9;
    TeCNA = 200e-9;
    tSkipAcqPerfMax = float(kQuantumBase);
    nbPts0XMax = kNbPtsMax;
    dureeMin = kDureeMin;
    nbPtsMax01 = int32_t(kNbPtsMax);
    nbPtsMin01 = int32_t(kNbPtsMin);
    idxDureeTotaleMinGV = 0;
    idxDureeTotaleMaxGV = 29;
    idxNbPointsMinGV = 0;
    idxNbPointsMaxGV = 10;
    tRemanence = kRemanence;
    synchroExterneDispo = true;
    chxSensDeclExterne = false;
    coPretrigCache = 40;
    taRAMAcqMax = int32_t(kNbPtsMax);
    ITeHINT = "Intervalle de temps entre deux points de mesures: \n\rvous ne pouvez pas le modifier. Il s'agit\n\r"
              "d'un multiple entier de 100 ns si l'une seule\n\rdes voies d'un canal est utilisée ou si le mode\n\r"
              "différentiel est utilisé. Il suffit que les \n\rdeux voies d'un seul canal soient activées\n\r"
              "en mode non différentiel pour que l'intervalle\n\rsoit un multiple de 2 µs";
}

void TSP5::appliqueReglagesDefaut()
{
    using namespace sp5;
    // Nothing here writes to the unit: every call passes applique = false.
    for (int i = 0; i < kNbEntrees; ++i) {
        VoiesX[i].active = false;
        setCal(uint8_t(i), 0, false);
    }
    tSkipAcq = kQuantumBase;
    FeAcq = 1.0 / tSkipAcq;
    modeTe = 0;
    dt0X = 0.1;
    nbPts0X = 1001;
    nbPtsAffX = 1001;
    modeDecl = kDeclImmediat;
    sensDeclSeuil = 0;
    sensDeclEchelon = 0;
    activeVoieA(0, false);
    setVoieSynchro(0, false);
    setDurees(0.1, 1001, false);
    setPretrig(int32_t(0), false);
    tAttenteMaxDecl = 0.5f;
    acquisitionFaite = false;
    acqPeriodiqueEnCours = false;
    NbPtsFifo = 256;
    nbPtsFifoMin = 1;
    capteurs0.fill(-10000);
}

void TSP5::termineReglage(bool applique)
{
    prepareTousPRX(applique);
    CentralePretePourAcq = applique;
}

bool TSP5::voieValide(int32_t voie) const
{
    return voie >= 0 && voie < int32_t(VoiesX.size());
}

int32_t TSP5::calibreUtilise(int32_t voie) const
{
    return std::clamp(VoiesX[voie].idxCalibreEA, 0, sp5::kNbCalibres - 1);
}
