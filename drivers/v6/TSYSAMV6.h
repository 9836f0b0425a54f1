#pragma once
// Driver of the SYSAM V6: a text command protocol over FTDI's USB serial
// bridge (D2XX library loaded at run time). Three inputs EA1..EA3, ±25 V.
//
// Files: TSYSAMV6Liaison.cpp (library, link, byte primitives and waits),
// TSYSAMV6Echange.cpp (command exchange, presence, Reset),
// TSYSAMV6Calibrage.cpp (calibration block and conversions),
// TSYSAMV6Reglages.cpp (inputs, time base, trigger),
// TSYSAMV6Commandes.cpp (the settings commands and their cache),
// TSYSAMV6Acquisition.cpp (a run and its sample blocks),
// TSYSAMV6Noms.cpp (names, frame positions, direct measurement),
// TSYSAMV6.cpp (construction and release).
#include "drivers/v6/CalibrageV6.h"
#include "model/TCentrale.h"

#include <array>
#include <cstdint>
#include <string>

// The V6 driver's own fields, kept apart so that Create can reset them all.
struct TDonneesV6 {
    bool V6TrouveeAuMoinsUneFois = false;
    TCalibrageV6 CalibrageV6;
    // A block was read from the unit since construction.
    bool calibrageLu = false;

    // Command cache flags: the text differs from what the unit holds.
    bool ccP_TempsEchMod = true;
    bool ccV_VoiesAAcqMod = true;
    bool ccA_VoieMod = true;
    bool ccN_NbPointsMod = true;
    bool ccE_SynchroMod = true;
    bool ccO_PretrigMod = true;
    char carDecl = ' ';

    // Trigger.
    int32_t GrPhysSynchroX = 0;
    int32_t idxgrSynchro = 0;
    float VSeuilDeclNom = 0;
    int32_t VNESeuilDecl = 2048;
    std::array<int32_t, 3> capteurs0 { -10000, -10000, -10000 };
    int32_t pretrigCache = 0;
    int32_t coDecalPtsRecup = 0;
    int32_t coDecalPtsFifo = 0;

    // Time base.
    int32_t nbVoiesActivesES = 0;

    // A run.
    int64_t NBValTrame = 0;
    int64_t idxValfront = 0;
    int64_t idxValFinX = 0;
    int32_t nbValLues = 0;
    int32_t etapeAcq = 0;
    int32_t idxFinPretrigRenvoi = 0;
    int32_t idxFrontPretrigRenvoi = 0;
    int32_t TailleFifo = 0;
    // Stage 2 has slept for the pre-trigger rows already.
    bool attentePretrigFaite = false;
};

class TSYSAMV6 : public TCentrale, public TDonneesV6 {
public:
    TSYSAMV6(const std::string& sDLL, int32_t logiUti1) { TSYSAMV6::Create(sDLL, logiUti1); }
    explicit TSYSAMV6(int32_t logiUti1) : TSYSAMV6(std::string(), logiUti1) {}

    using TCentrale::Create;
    void Create(const std::string& sDLL, int32_t logiUti1) override;
    void free(bool libererDLL) override;

    // Link and command protocol.
    bool Open_V6();
    std::string Send_V6(const std::string& aTexte);
    void EcrireUnCaractere(uint8_t aCaractere);
    bool LireUnCaractere(char& aCaractere);
    bool LireUnOctet(uint8_t& aOctet);
    bool LireUnCaractereTimeOut(char& aCaractere, uint32_t aTimeOut);
    void AttendreCaractere(char aCaractere);
    bool AttendreUnCaractereTimeOut(char aCaractere, uint32_t aTimeOut);
    // The USB bridge itself says its device is gone (unplugged): nothing can
    // come any more, however long one waits.
    bool pontPerdu() const;
    bool Presente() override;
    // During a run nothing may be sent to the unit (a character would stop
    // it): only the bridge is asked. -1 when it lost its device, else 0.
    int32_t presentePendantAcq() override;
    void RecupereCalibration() override;
    void Reset() override;

    // Calibration and conversions.
    void MAJCalibrage() override;
    TConversionAffine conversion(int32_t voieX) const override;
    int32_t ValUx(int32_t voieX, float U1) override;
    void prepareTMemoCalibrage(TMemoCalibrage&) override {}
    void MemoriseCalibrage(TMemoCalibrage&) override {}
    void RestitueCalibrage(const TMemoCalibrage&) override {}

    // Inputs and calibres.
    void activeVoieA(uint8_t numV, bool applique) override;
    void desactiveVoieA(uint8_t numV, bool applique) override;
    void setCal(uint8_t numV, int32_t cal1, bool applique) override;
    void prepareCalibreAdapte(int32_t voie1, float v1max) override;
    void setModeDiff(int32_t canal1, bool mode1, bool applique) override;
    bool SelectionModeDiffPossible(uint8_t canal) override;
    void CapDefaut(int32_t voieA) override;
    uint8_t Capteur(uint8_t canal) override;

    // Time base.
    void determine_tSkipAcquisition() override;
    using TCentrale::SetNdt;
    void SetNdt(double dt1, double tSkipAcq1, int64_t& ndt1) override;
    void DetermineNBPt0XMAx(int32_t nbVA2, int64_t& nbPts0XMax2) override;
    void setDureesGeneriques(double& dureeTotale1, double& dt1, int64_t& nbPts1, int64_t& nbPtsAff1,
                             int64_t& nbPts0XMax1, int64_t& ndt1, double tSkipAcq1) override;
    using TCentrale::setDurees;
    void setDurees(bool applique) override;
    void MAJCoNbPPP() override;

    // Trigger and pre-trigger.
    int32_t setVoieSynchro(int32_t voie1, bool applique) override;
    int32_t setVoieSynchro(int32_t voie1, int32_t grPhys1, bool applique);
    void setSensDeclSeuil(int32_t sensDecl1, bool applique) override;
    void setSensDeclEchelon(int32_t, bool) override {}
    void setSeuilDecl(float ValSeuilDecl1) override;
    void setModeDeclenchement(int32_t modeDecl1, bool applique) override;
    void setPretrig(float tauxPretrig1, bool applique) override;
    void setPretrig(int32_t idxPretrig1, bool applique) override;
    void getDTPretrig() override {}
    bool synchroDisponible() override { return true; }

    // Settings commands.
    void prepareTousPRX(bool applique) override;
    bool prepareInterfacePourAcq(bool forceV6) override;

    // Names and frame positions.
    std::string getIntituleVoie(int32_t numV) override;
    void PrepareIdxTraitGV() override;
    std::string GetCapU(int32_t numV) override;
    std::string GetCapUInd(int32_t numV) override;
    std::string getCapEA(int32_t numV) override;
    std::string getCapVM(int32_t numV) override;
    void MesureDirecte() override;

    // A run.
    void declencheAcq() override;
    void arreteAcq() override;
    int32_t LireFifo(TPtrFifoSP5 aPtrFifoSP5) override;
    void EcrireFifo(TPtrFifoSP5, int32_t) override {}
    int32_t TailleTransfertFifo(int32_t aTaille) override;
    void ViderFifo() override {}

    // Milliseconds allowed for each awaited byte of the calibration block.
    static constexpr uint32_t kDelaiOctetCalibrage = 1000;

protected:
    bool commenceDurees(double dureeTotale1, int64_t nbPts1) override;
    void termineDurees(bool applique) override;

private:
    bool Load_V6(bool decharge);
    void Close_V6();
    int32_t Read_V6(int32_t n);
    int32_t Write_V6(int32_t n);

    void changeActivationVoie(uint8_t numV, bool active, int64_t nbPts1, bool applique);
    void setPretrigCache();
    void prepareVAAQ();
    void prendCommande(std::string& cache, bool& modifiee, const std::string& texte);
    bool envoieSiModifiee(const std::string& texte, bool& modifiee, bool reponseExigee);

    void declencheTout();
    void arreteTout();
    bool lireTexteEtat();
    bool lireMot(uint16_t& mot);
    bool lireRangee();
    bool arretDemande() const { return !acqPeriodiqueEnCours; }
    int32_t etapeAttenteDeclenchement(TPtrFifoSP5 bloc);
    int32_t etapeAlignementPretrig(TPtrFifoSP5 bloc);
    int32_t etapeRenvoiPretrig(TPtrFifoSP5 bloc);
    int32_t etapeFlux(TPtrFifoSP5 bloc);
    int32_t codeSynchro(int64_t rangee) const;
    int32_t tailleBloc() const;
};
