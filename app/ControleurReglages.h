#pragma once
// The logic of the channel, time-base and trigger panels, without a window.
// Every change goes to the active driver first; the panels (TPanneaux) are
// then refilled from the driver's fields, so that the driver's corrections
// are what the user sees. While a run goes on, a change is only recorded as
// the pending change that the frame loop applies between two frames. Which
// controls are enabled in each state is kept as data (TActivations) too.
// The window shows both through TVueReglages. Standard C++ only.
#include "app/Panneaux.h"
#include "app/ReglagesGV.h"
#include "app/acquisition/BoucleAcquisition.h"
#include "mesures/TMesures.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TCentrale;

// The pending change of the permanent mode and its arguments: the code
// (2 .. 12) and the values given by the control that made it.
struct TChangementEnAttente {
    TTypeSortieMP typeSortieMP = TTypeSortieMP::aucune;
    int32_t MPEntree = 0, MPCalibre = 0, MPSensDecl = 0, MPPretrig = 0, MPTypeDecl = 0, MPVoieSynchro = 0;
    bool MPModeDiff = false, MPVoieActive = false;
    std::string MPDureeTotale, MPNbPts, MPUSeuil; // as typed or selected
};

// The three typed boxes of the panels.
enum class TBoite { dureeTotale, nbPoints, seuil };

class TControleurReglages {
public:
    TControleurReglages(TVueReglages& vue, TMesures& mesures, TDrapeauxAcquisition& drapeaux,
                        const TModeGeneral& modeGeneral, const gv::TReglagesGV& reglages);

    // The active driver (not owned); null: no unit.
    void setCentrale(TCentrale* centrale);
    TCentrale* centrale() const { return c_; }

    // What the window tells of the computer: which office suites exist, how
    // many unit buttons the toolbar has.
    struct TEnvironnement {
        bool OOInstalle = false;
        bool LOInstalle = false;
        bool msOfficeInstalle = false;
        std::size_t nbBoutonsCentrales = 0;
        // False from a failed start of REGRESSI until one is chosen again.
        bool transfertREGPossible = true;
    };
    TEnvironnement environnement;

    const std::vector<std::string>& listeDureesTotales() const { return listeDureesTotales_; }
    const std::vector<std::string>& listeNbPoints() const { return listeNbPoints_; }
    const TPanneaux& panneaux() const { return p_; }
    const TActivations& activations() const { return a_; }

    // ---- Gestures of the user -------------------------------------------
    // Each either applies the change now, or, while a run goes on, records
    // it (stopping the unit for the channel panel's controls).
    void cocheVoie(int32_t voie, bool coche);
    void choisitCalibre(int32_t voie, int32_t calibre);
    void cocheModeDiff(int32_t canal, bool coche);
    // "+" (sens 1) or "-" (sens -1) beside the duration or points box, whose
    // item `indexChoisi` is selected (-1: `texte` was typed).
    void pasAPas(bool duree, int sens, int indexChoisi, const std::string& texte);
    void choisitTypeDecl(int32_t index);
    void choisitSensDecl(int32_t index);
    void choisitVoieSynchro(int32_t index);
    void choisitPretrig(int32_t index);
    void cocheAjouterCourbes(bool coche);
    void cocheModePermanent(bool coche);
    // The typed boxes: entered (with the list's current index), text edited,
    // an item chosen in the list, left (with its text).
    void entreDansBoite(TBoite boite, int index);
    void texteModifie(TBoite boite, int index);
    void choisitDansListe(TBoite boite, const std::string& texte, bool boiteAuFocus);
    void quitteBoite(TBoite boite, const std::string& texte);
    void acquisitionPrecedente();

    // ---- The pending change --------------------------------------------
    const TChangementEnAttente& enAttente() const { return enAttente_; }
    // Applies the recorded change (the frame loop, between two frames).
    void appliqueEnAttente();

    // ---- The panels' operations, applied at once ------------------------
    void prepareCBTemporels();
    void prepareComposants();
    void prepareComposantsDeclenchement();
    void prepareCBVoieSynchro();
    void prepareCBAjouterCourbes();
    void PrepareComposantsIndicesUx();
    void afficheParametresT();
    void reglagesDefautMI();
    void activationVoie(int32_t voie1, bool active1);
    void activationModeDiff(int32_t voie1, bool actif1);
    void changeCalibre(int32_t voie1, int32_t calibre1);
    void changeTypeDecl(int32_t typeDecl1);
    void changeSensDecl(int32_t sensDecl1);
    void changeVoieSynchro(int32_t index1);
    void changePretrig(int32_t index1);
    void changeUSeuil(const std::string& s1);
    void changeNbPts(const std::string& s1);
    void ChangeDureeTotale(const std::string& s1);
    void RetourAcqPrecedente();
    void setModepermanent(bool mp);
    // A new experiment: what it does to the panels.
    void razPanneaux();

    // ---- Enabling by state ---------------------------------------------
    void desactiveComposantsAcqSimple();
    void activeComposantsAcqSimple();
    void activeComposantsAcqPermanente();
    void desactiveComposantsAcqPermanente();
    void activeBoutonsOutils();
    void desactiveBoutonsOutils();
    void activeSBCentrales();
    void DesactiveSBCentrales();
    // Any other change of the enabled states, then shown.
    void changeActivations(const std::function<void(TActivations&)>& change);

    // ---- Live values (TimerAcqDir) --------------------------------------
    void TimerAcqDirTimer();

    // ---- State -----------------------------------------------------------
    bool modePermanent = false;
    int modeBalayage = 0; // 1 fast frames, 0 slow frames
    bool premiereAcq = true; // no acquisition ended since start
    bool pretrigActif = false;
    bool peutAjouter = false;
    bool saisieManuelle = false;
    int CBDureeTotaleIndex = -1;
    int CBNbPointsIndex = -1;
    double AncDureeTotale = 0;
    int64_t AncNbPts0X = 0;
    int64_t AncNbPtsAff = 0;
    float AncUSeuilDecl = 0;
    // Input of each item of the trigger channel list.
    std::vector<int32_t> entreesVoieSynchro;

private:
    // Shows the panels once, when the outermost operation ends.
    class TMiseAJour {
    public:
        explicit TMiseAJour(TControleurReglages& c);
        ~TMiseAJour();
        TMiseAJour(const TMiseAJour&) = delete;
        TMiseAJour& operator=(const TMiseAJour&) = delete;

    private:
        TControleurReglages& c_;
    };

    // The one "record or apply" branch. True when the change was applied.
    bool soumet(TTypeSortieMP code, bool arreteLUnite);
    // A choice in a trigger list: its argument recorded, the list showing it,
    // then soumet.
    bool choix(TTypeSortieMP code, int32_t TChangementEnAttente::*argument, int TPanneaux::*montre, int32_t valeur);
    void appliqueChangement(TTypeSortieMP code);
    void enregistre(TTypeSortieMP code);

    bool canalDifferentiel(int32_t canal) const;
    bool entreeReglable(int32_t voie) const;
    int indexVoieSynchro() const;
    float limiteSeuil() const;
    float seuilLimite(float u) const;
    void montreSeuil(float u);
    void apresChangementTemporel();
    bool acquisitionPrecedenteDifferente() const;
    void curseursAuxBornes();
    void prepareCourbesDuRun();
    void nouveauPossible();
    TModeGeneral mode() const { return modeGeneral_; }

    TVueReglages& vue_;
    TMesures& mesures_;
    TDrapeauxAcquisition& drapeaux_;
    const TModeGeneral& modeGeneral_;
    const gv::TReglagesGV& reglages_;
    TCentrale* c_ = nullptr;

    std::vector<std::string> listeDureesTotales_;
    std::vector<std::string> listeNbPoints_;
    TPanneaux p_;
    TActivations a_;
    TChangementEnAttente enAttente_;
    bool bloqueExit_ = false;
    bool saisieModifiee_ = false; // the typed box's text was edited since it was entered
    int profondeur_ = 0;
};
