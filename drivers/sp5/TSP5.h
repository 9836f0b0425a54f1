#pragma once
// Driver of the SYSAM SP5 (and of its simulator library): the vendor library's
// register and FIFO entry points, the calibration record, the register image
// of one acquisition and the SP5's time-base rules.
//
// Construction never fails for a missing library: the object then works as a
// settings object, its hardware operations do nothing and Presente() is false.
// A library that lacks an entry point raises ErreurBibliothequeSP5.
#include "drivers/sp5/InterfaceSP5.h"
#include "drivers/sp5/TCalibrageSP5.h"
#include "model/TCentrale.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

// A failure of the vendor library: an entry point it does not export, or an
// entry point called while no library is loaded. The text is the one shown to
// the user.
class ErreurBibliothequeSP5 : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The SP5's own fields, apart from the operations so that Create can put
// them back to their defaults in one assignment.
struct TDonneesSP5 {
    TCalibrageSP5 fCalibrageSP5;

    TSP5_Reset SP5_Reset = nullptr;
    TSP5_Present SP5_Present = nullptr;
    TSP5_LireRegistre SP5_LireRegistre = nullptr;
    TSP5_EcrireRegistre SP5_EcrireRegistre = nullptr;
    TSP5_ViderFifo SP5_ViderFifo = nullptr;
    TSP5_TailleTransfertFifo SP5_TailleTransfertFifo = nullptr;
    TSP5_EcrireFifo SP5_EcrireFifo = nullptr;
    TSP5_RecupereCalibration SP5_RecupereCalibration = nullptr;
    TSP5_LireFifo SP5_LireFifo = nullptr;
    TSP5_AfficheInfos SP5_AfficheInfos = nullptr;

    // 0: 100 ns quantum; 1: 2 us quantum (both inputs of a channel single-ended).
    int32_t modeTe = 0;
    // Weight of input i's 3-bit gain code in the gain word: 8^i.
    std::array<int32_t, 8> cGainX { 1, 8, 64, 512, 4096, 32768, 262144, 2097152 };
    // Last raw sensor code of each channel (sensors are not used here).
    std::array<int32_t, 4> capteurs0 { -10000, -10000, -10000, -10000 };

    // Register image, one byte per register written (see InterfaceSP5.h).
    uint8_t PR_VoiesAA00 = 0;
    uint8_t PR_CalEA01 = 0, PR_CalEA02 = 0, PR_CalEA03 = 0;
    uint8_t PR_skip04 = 0, PR_skip05 = 0, PR_skip06 = 0, PR_skip07 = 0, PR_skip08 = 0;
    uint8_t PR_nbpts09 = 0, PR_nbpts0A = 0, PR_nbpts0B = 0;
    uint8_t PR_ModeDiff0C = 0;
    uint8_t PR_DeclenchementG1D = 0;
    uint8_t PR_SeuilTrig1E = 0, PR_SeuilTrig1F = 0;
    uint8_t PR_NbPtsPreTrig20 = 0, PR_NbPtsPreTrig21 = 0, PR_NbPtsPreTrig22 = 0;
    uint8_t PR_HysteresisTrig23 = 0;
};

class TSP5 : public TCentrale, public TDonneesSP5 {
public:
    // The library is unloaded with the object; the unit is not reset
    // (free(true) does that).
    TSP5(const std::string& sDLL, int32_t logiUti1);

    // Re-initialises everything: the base part, the library choice by the file
    // name of `sDLL`, then the SP5's tables and default settings.
    void Create(const std::string& sDLL, int32_t logiUti1) override;
    using TCentrale::Create;

    // Library binding.
    void Reset() override;
    void RecupereCalibration() override;
    void MAJCalibrage() override;
    void prepareTMemoCalibrage(TMemoCalibrage& memoCalibrage1) override;
    void MemoriseCalibrage(TMemoCalibrage& memoCalibrage1) override;
    void RestitueCalibrage(const TMemoCalibrage& memoCalibrage1) override;
    void free(bool libererDLL) override;
    bool Presente() override;
    int32_t presentePendantAcq() override;
    int32_t LireFifoBASE(TPtrFifoSP5 aPtrFifoSP5) override;
    int32_t LireFifo(TPtrFifoSP5 aPtrFifoSP5) override;
    void EcrireFifo(TPtrFifoSP5 aPtrFifoSP5, int32_t aSize) override;
    int32_t TailleTransfertFifo(int32_t aTaille) override;
    void ViderFifo() override;
    uint8_t GetRegistre(uint8_t aAdr) override;
    void SetRegistre(uint8_t aAdr, uint8_t Value) override;
    uint8_t registre1(uint8_t aAdr) override;
    // Loads the library named by FNomDLL unless it is loaded; true when loaded.
    virtual bool chargeDLL(int32_t inutilise = 0);
    // Raises "<FNomDLL> n'est pas chargé" when no library is loaded.
    void verifieDLLChargee() const;
    void libereDLL();
    // The simulator library's own information window.
    void AfficheInfos();

    // Names (inputs, curves).
    std::string getIntituleVoie(int32_t numV) override;
    std::string getIntituleVoieSimplifie(int32_t numV) override;
    std::string getIntituleVoieTresSimplifie(int32_t numV) override;
    int32_t idxAffVoies(int32_t numV) override;
    std::string GetCapU(int32_t numV) override;
    std::string GetCapUInd(int32_t numV) override;
    std::string getCapEA(int32_t numV) override;
    std::string getCapVM(int32_t numV) override;

    // Settings and register image.
    void activeVoieA(uint8_t numV, bool applique) override;
    void desactiveVoieA(uint8_t numV, bool applique) override;
    void setCal(uint8_t numV, int32_t cal1, bool applique) override;
    void prepareCalibreAdapte(int32_t voie1, float v1max) override;
    void setModeDiff(int32_t canal1, bool mode1, bool applique) override;
    void prepareTousPRX(bool applique) override;
    bool prepareInterfacePourAcq(bool forceV6) override;
    void PrepareIdxTraitGV() override;
    int32_t setVoieSynchro(int32_t voie1, bool applique) override;
    void setSensDeclSeuil(int32_t sensDecl1, bool applique) override;
    void setSensDeclEchelon(int32_t sensDecl1, bool applique) override;
    void setModeDeclenchement(int32_t modeDecl1, bool applique) override;
    void setSeuilDecl(float ValSeuilDecl1) override;
    float filtreUSeuilAuto() override;
    // The byte of the register image for register `adr` (0 for an address
    // the image does not hold).
    uint8_t imageRegistre(uint8_t adr) const;

    // Time base and sampling plan.
    void determine_tSkipAcquisition() override;
    int32_t filtreNbPts(int32_t nbPts1) override;
    void SetNdt(double dt1) override;
    void SetNdt(double dt1, double tSkipAcq1, int64_t& ndt1) override;
    void DetermineNBPt0XMAx(int32_t nbVA2, int64_t& nbPts0XMax2) override;
    void setDureesGeneriques(double& dureeTotale1, double& dt1, int64_t& nbPts1, int64_t& nbPtsAff1,
                             int64_t& nbPts0XMax1, int64_t& ndt1, double tSkipAcq1) override;
    void setPretrig(float tauxPretrig1, bool applique) override;
    void setPretrigKvSpectre(float tauxPretrig1, bool applique) override;
    void setPretrig(int32_t idxPretrig1, bool applique) override;
    void getNbPtsPretrig() override;
    bool memesParametresTemporels() override;
    void memoriseParametresTemporels() override;
    // Time of point `pt1`.
    float tx(int32_t pt1) const;

    // Acquisition.
    void declencheAcq() override;
    void arreteAcq() override;
    void declencheAcqContinue() override;
    void arreteAcqContinue() override;
    void getDTPretrig() override;
    void MesureDirecte() override;
    TConversionAffine conversion(int32_t voieX) const override;
    int32_t ValUx(int32_t voieX, float U1) override;

protected:
    bool commenceDurees(double dureeTotale1, int64_t nbPts1) override;
    void termineDurees(bool applique) override;

private:
    void prepareTablesSP5();
    void prepareNomsSP5();
    void appliqueReglagesDefaut();
    // The common ending of the setters.
    void termineReglage(bool applique);
    bool estSimulateur() const;
    bool voieValide(int32_t voie) const;
    // Calibre index in use on an input, clamped to the SP5's calibres.
    int32_t calibreUtilise(int32_t voie) const;
    // Offset of an input's conversion: differential or single-ended.
    double offsetConversion(int32_t voie, int32_t k) const;
    void prepareListesVoies();
    void prepareMotsTransfert();
    void prepareGains();
    void prepareIntervalle();
    void prepareDeclenchement();
    void prepareNbPtsPretrig();
    void modifieControle(uint8_t aMettre, uint8_t aEnlever);
    uint32_t litRegistres(uint8_t adresse, int nbOctets);
    int32_t nbSignauxDesEntrees() const;
};
