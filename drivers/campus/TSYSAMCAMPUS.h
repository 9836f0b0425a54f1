#pragma once
// Driver of the SYSAM CAMPUS through its vendor library Campus.DLL: the
// library binding, the conversion coefficients the driver measures itself, the
// settings and time base (at most 4000 points, intervals rounded by the
// driver), and the recovery of the samples in blocks of at most 256 words.
//
// Construction raises ErreurBibliothequeCampus when the library file is
// missing or cannot be loaded. Once loaded, the constructor does not ask for
// the unit: call Presente() then RecupereCalibration().
#include "drivers/campus/BibliothequeCampus.h"
#include "drivers/campus/InterfaceCampus.h"
#include "model/TCentrale.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr int kNbCalibresCampus = 4;

// LireFifo's result when a time limit passed without data.
inline constexpr int32_t kLireFifoDelaiDepasse = -51;

// The driver's own table of conversion coefficients, per input and calibre.
struct TCalibrageCAMPUS {
    std::array<std::array<float, kNbCalibresCampus>, kNbEntreesCampus> Ampli_EA {}; // volts per code
    std::array<std::array<float, kNbCalibresCampus>, kNbEntreesCampus> Offset_EA {}; // volts at code 0
    // The calibre gave implausible coefficients and is never selected.
    std::array<std::array<bool, kNbCalibresCampus>, kNbEntreesCampus> Interdit {};
    std::array<float, 2> Ampli_SA {};
    std::array<float, 2> Offset_SA {};
};

// The CAMPUS's own fields, apart from the operations so that Create can put
// them back to their defaults in one assignment.
struct TDonneesCAMPUS {
    bool DLL_Chargee = false;
    TPointsEntreeCampus points;

    TCalibrageCAMPUS calibrageCAMPUS;
    // The coefficients were measured on the unit whose serial number is numeroSerie.
    bool calibrageFait = false;

    // Time base: one more point with a threshold trigger; the interval from
    // (points - 1) or from the points; extra rows around a threshold trigger.
    int32_t ptDePlus = 0;
    int32_t epsNbPts = 1;
    int32_t psc1 = 0, psc2 = 0;
    float tauxPreTrigSupp = 1.0f;
    int32_t pscMin = 4;
    int64_t nbValPretrig = 0;
    int64_t NBValTrame = 0;
    // The last time-base request found no unit: the time base was left as it
    // was (the request is not remembered).
    bool baseDeTempsSansCentrale = false;

    // Arguments of the next PrepareAcquisition call.
    TOrdreVoie aTabOrdreVoies1 { -1, -1, -1, -1, -1, -1, -1, -1, -1 };
    double aTe1 = 0.0;
    int32_t aNombreDePoint1 = 0;
    int32_t aSourceTrigger1 = _SOURCE_AUCUNE;
    int32_t asensDeclenchement1 = _MONTANT;
    double aSeuil1 = 0.0;
    int32_t aPreTrig1 = 0;
    bool aModePermanent1 = false;
    std::string aStrMessageErreur1;

    // Receive buffers of LitDonneeNumerique.
    std::vector<int32_t> ptTableauInt, ptTableauInt1;

    // State of a run (positions are word indexes in RAMAcq; idxValfront is the
    // next word to write, idxValFin the next word to hand back).
    int32_t nbValTotalLues = 0;
    int32_t nbTotalValRestantes = 0;
    int32_t nbValLuesFifoEnCours = 0;
    int32_t nbDonneesALire = 0;
    int32_t nbDonneesRenvoyees = 0;
    int64_t idxValfront = 0;
    int64_t idxValFin = 0;
    int32_t nbValpretrigALire = 0;
    int32_t nbValPretrigLues = 0;
    int32_t idxFinPretrigRenvoi = 0, idxFrontPretrigRenvoi = 0;
    int32_t nbValRestantATransmettre = 0;
    // 1 waiting for the trigger, 2 first rows or pre-trigger, 3 handing back
    // the pre-trigger, 4 streaming, 5 handing back the rest of a complete record.
    int32_t etapeAcq = 4;
    bool recupCommencee = false, recupTerminee = false;
    bool premierPassageICI = false;
    int32_t TailleFifo = kTailleFifoSP5;
    int32_t nbValFifo = 0;
    int32_t t1Attente = 150;
    std::string MSGErreurAcq;
    bool dtPretrigConnu = false;
    // The run started by declencheAcq is counted in NbProcessus.
    bool processusCompte = false;
};

class TSYSAMCAMPUS : public TCentrale, public TDonneesCAMPUS {
public:
    // The library is unloaded with the object; the unit is not reset
    // (free(true) does that).
    TSYSAMCAMPUS(const std::string& sDLL, int32_t logiUti1);

    // Re-initialises everything, then loads the library at sDLL (raising
    // ErreurBibliothequeCampus when it is missing or not loadable).
    void Create(const std::string& sDLL, int32_t logiUti1) override;
    using TCentrale::Create;

    // Library binding, presence, coefficients.
    void Reset() override;
    void free(bool libererDLL) override;
    bool Presente() override;
    // -1 once a run found the unit gone (asked after a silence, see
    // toujoursPresente), else 0: no news.
    int32_t presentePendantAcq() override { return centralePerdue_ ? -1 : 0; }
    void RecupereCalibration() override;
    void MAJCalibrage() override;
    TConversionAffine conversion(int32_t voieX) const override;
    void setCal(uint8_t numV, int32_t cal1, bool applique) override;

    // Inputs.
    void activeVoieA(uint8_t numV, bool applique) override;
    void desactiveVoieA(uint8_t numV, bool applique) override;
    void setVoieCanal(uint8_t canal1, uint8_t voieCanal1, bool applique) override;
    void prepareCalibreAdapte(int32_t voie1, float v1max) override;
    bool SelectionModeDiffPossible(uint8_t canal) override;

    // Time base.
    void determine_tSkipAcquisition() override;
    int32_t filtreNbPts(int32_t nbPts1) override;
    void SetNdt(double dt1) override;
    void SetNdt(double dt1, double tSkipAcq1, int64_t& ndt1) override;
    void DetermineNBPt0XMAx(int32_t nbVA2, int64_t& nbPts0XMax2) override;
    // Pure rounding of a request: changes no field of the unit. When no unit
    // answers, every variable is left as passed and baseDeTempsSansCentrale is set.
    void setDureesGeneriques(double& dureeTotale1, double& dt1, int64_t& nbPts1, int64_t& nbPtsAff1,
                             int64_t& nbPts0XMax1, int64_t& ndt1, double tSkipAcq1) override;
    // When no unit answers, the time base is left as it was and
    // baseDeTempsSansCentrale is set.
    bool memesParametresTemporels() override;
    void memoriseParametresTemporels() override;

    // Pre-trigger and trigger.
    void setPretrig(float tauxPretrig1, bool applique) override;
    void setPretrig(int32_t idxPretrig1, bool applique) override;
    void getNbPtsPretrig() override {}
    void getDTPretrig() override;
    void setModeDeclenchement(int32_t modeDecl1, bool applique) override;
    int32_t setVoieSynchro(int32_t voie1, bool applique) override;
    void setSensDeclSeuil(int32_t sensDecl1, bool applique) override;
    void setSensDeclEchelon(int32_t sensDecl1, bool applique) override;
    void setSeuilDecl(float ValSeuilDecl1) override;
    float filtreUSeuilAuto() override;

    // Passing the settings to the library; live values.
    void prepareTousPRX(bool applique) override;
    bool prepareInterfacePourAcq(bool forceV6) override;
    void MesureDirecte() override;

    // Names and frame positions.
    void PrepareIdxTraitGV() override;
    std::string getIntituleVoie(int32_t numV) override;
    std::string getIntituleVoieSimplifie(int32_t numV) override;
    std::string getIntituleVoieTresSimplifie(int32_t numV) override;
    int32_t idxAffVoies(int32_t numV) override;
    std::string GetCapU(int32_t numV) override;
    std::string GetCapUInd(int32_t numV) override;
    std::string getCapEA(int32_t numV) override;
    std::string getCapVM(int32_t numV) override;

    // Acquisition run.
    void declencheAcq() override;
    // Places at most 256 words in the block and returns their count; 0 when
    // none are ready, kLireFifoDelaiDepasse when a time limit passed without data.
    int32_t LireFifo(TPtrFifoSP5 aPtrFifoSP5) override;
    void arreteAcq() override;
    int32_t TailleTransfertFifo(int32_t aTaille) override;

protected:
    bool commenceDurees(double dureeTotale1, int64_t nbPts1) override;
    bool retientDurees(int64_t nbPts1) override;
    void termineDurees(bool applique) override;

private:
    // Library calls; each does nothing (neutral result) when its entry point is missing.
    std::string numeroSerieUnite();
    void commandeLed(int32_t voie, TEtatLED etat);
    void reseteSorties();
    double calibreTeBibliotheque(double te);

    // Construction.
    void prepareTablesCAMPUS();
    void appliqueReglagesDefaut();
    void libereDLL();

    // Coefficients.
    void installeCoefficientsNominaux();
    void mesureCoefficients(int32_t voie, int32_t calibre);

    // Time base.
    double CalibreTe1(double te);
    double TeSuperieurSuivant(double te);
    // Lengthens dt until the displayed points fit the unit's limit.
    void allongeIntervalle(double duree, double& dt, int64_t& nbPtsAff, int32_t eps, int32_t ptDePlus1);
    void MAJDurees(bool applique);
    void MAJTailleRAMAcq();
    void calculePretrig(bool parTaux, bool applique);
    void determinePtDePlus(int64_t nbPtsAff);
    bool voieValide(int32_t voie) const { return voie >= 0 && voie < nbEAU && voie < int32_t(VoiesX.size()); }
    int32_t calibreUtilise(int32_t voie) const;
    void termineReglage(bool applique);

    // Acquisition run.
    // A lost unit ends the reading as a stop does (centralePerdue_ set).
    enum class FinLecture { atteinte, arretee, delaiDepasse };
    bool attends(uint32_t millisecondes);
    // Whether the unit, silent since `debutSilence`, is still there: asked
    // once per stretch of silence, which then starts again.
    bool toujoursPresente(uint32_t& debutSilence);
    bool centralePerdue_ = false;
    FinLecture litJusqua(int64_t cible, int32_t tailleDemande, uint32_t delaiMs, int64_t limiteStockage);
    int32_t lit(int32_t nbDemandes, int64_t limiteStockage);
    int32_t attendDeclenchement();
    int32_t collectePretrig();
    int32_t premiersRangs(TPtrFifoSP5 bloc);
    void aligneSeuil();
    int32_t renvoie(TPtrFifoSP5 bloc, int64_t jusqua);
    int32_t lireEnFlux(TPtrFifoSP5 bloc);
    bool enregistrementComplet() const { return nbValTotalLues >= NBValTrame; }
    int32_t motsParRang() const { return nbVoiesActivesX; }
    uint32_t delaiLecture() const;
};
