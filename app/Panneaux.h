#pragma once
// The channel, time-base and trigger panels and the toolbar as data: what
// each control shows and whether it can be used. The settings controller
// (ControleurReglages.h) computes them; the window applies them to its
// widgets. Standard C++ only.
#include "mesures/ModeGeneral.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The toolbar's buttons, in their order on the bar.
enum class TBoutonOutil {
    nouveau,
    enregistrerRW3,
    enregistrerTXT,
    transfertREG,
    transfertExcel,
    transfertOOLO,
    mesures,
    voirTableau,
    options,
    aproposDe,
    quitter,
};
inline constexpr int kNbBoutonsOutils = 11;

// What the controls of one input show.
struct TVoiePanneau {
    bool coche = false;   // "Activée"
    int calibre = 0;      // item of the calibre group
    std::string indice;   // index label of its quantity
};

struct TPanneaux {
    // Time base. The editable boxes are rewritten only when their version
    // changes, so that a text being typed is never overwritten by an
    // unrelated refresh.
    std::vector<std::string> durees; // items of the duration list
    std::vector<std::string> points; // items of the points list
    int indexDuree = -1;             // item shown, -1: texteDuree as typed text
    std::string texteDuree;
    std::string textePoints;
    uint32_t versionTemps = 0;
    double dt0X = 0; // the sampling interval shown under "Intervalle:"

    // Trigger.
    bool modePermanent = false; // "Synchronisation" and "aucune" rather than "Déclenchement" and "manuel"
    int typeDecl = 0;
    int sensDecl = 0;
    std::vector<std::string> voiesSynchro;
    int indexVoieSynchro = -1;
    std::string seuil = "0";
    uint32_t versionSeuil = 0;
    int indexPretrig = 0;
    bool ajouterCoche = false;
    bool modePermanentCoche = false;

    // Channels: input i and input i + 4 share channel i.
    std::array<TVoiePanneau, 8> voies {};
    std::array<bool, 4> modeDiff {};
};

// Which controls can be used.
struct TActivations {
    bool baseDeTemps = true; // duration and points boxes and their +/- buttons
    bool acquisitionPrecedente = false;
    bool typeDecl = true;
    bool sensDecl = true;
    bool voieSynchro = true, libelleVoieSynchro = true;
    bool seuil = true, libelleSeuil = true;
    bool pretrig = true, libellePretrig = true;
    bool ajouterCourbes = false;
    bool modePermanent = true;
    bool demarrer = true; // the Start/Stop button

    std::array<bool, 8> voieCochable {true, true, true, true, true, true, true, true};
    std::array<bool, 8> calibre {true, true, true, true, true, true, true, true};
    std::array<bool, 8> valeur {true, true, true, true, true, true, true, true};
    std::array<bool, 4> modeDiff {true, true, true, true};
    std::array<bool, 4> canal {true, true, true, true};

    std::array<bool, kNbBoutonsOutils> outils {true, true, true, true, true, true, true, true, true, true, true};
    bool centrales = true; // the unit buttons (only when two or more exist)

    bool& outil(TBoutonOutil b) { return outils[std::size_t(b)]; }
    bool outil(TBoutonOutil b) const { return outils[std::size_t(b)]; }
};

// What the controller asks of the screen.
enum class TActionEcran {
    redessine,                // axes prepared, blank screen and screen with the curves redrawn
    dessinePretrig,           // the pre-trigger mark drawn on the screen as it is
    zoomsAZero,               // both zooms back to 1
    zoomsReappliques,         // both zooms at their indexes again
    modeDessin,               // drawing style for the new number of points per pixel
    curseursMesureAuxBornes,  // the red cursors at 0 and at the duration
    zoomsDesactives,          // the four zoom buttons disabled
    zoomsPlusSeulement,       // "+" zoom buttons enabled, "-" disabled
    tableauPerime,            // the curves changed: the table is filled again when shown
};

// The window as the settings controller sees it.
class TVueReglages {
public:
    virtual ~TVueReglages() = default;
    // The panels and the toolbar show these contents and enabled states.
    virtual void montre(const TPanneaux& panneaux, const TActivations& activations) = 0;
    // Live value of an input; an empty text clears its box.
    virtual void montreValeur(int voie, const std::string& texte) = 0;
    // Entry error: information box with OK.
    virtual void information(const std::string& texte) = 0;
    virtual void demandeEcran(TActionEcran action) = 0;
    // The window's general state (the window is its only writer).
    virtual void setModeGeneral(TModeGeneral mode) = 0;
    // The unit stopped answering: the presence poll runs again.
    virtual void relancePresence() = 0;
};
