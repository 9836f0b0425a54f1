#pragma once
// The general state of the main window. The window holds it, once, and
// changes it only through its setModeGeneral; the screen, the read loop and
// the settings panels read it.
#include <cstdint>

enum class TModeGeneral : int32_t {
    rienAcquis = 0,         // start, or after a new experiment
    reglageModifie = 1,     // a setting changed while nothing was acquired
    acquisitionFinie = 2,   // single acquisition finished
    acquisitionEnCours = 3, // single acquisition running
    permanentArrete = 4,    // permanent mode stopped
    permanentEnCours = 5,   // permanent mode running
    mesuresSurEcran = 6,    // the on-screen measurement panel is open
    transfertExcel = 7,     // transfer to Excel running
    transfertCalc = 8,      // transfer to Calc running
};

// A run goes on: single or permanent.
constexpr bool enAcquisition(TModeGeneral mode)
{
    return mode == TModeGeneral::acquisitionEnCours || mode == TModeGeneral::permanentEnCours;
}

// The screen can be pointed at and its green cursors dragged: after a run,
// with the permanent mode stopped, or with the measurement panel open (whose
// red cursors are dragged instead).
constexpr bool ecranManipulable(TModeGeneral mode)
{
    return mode == TModeGeneral::acquisitionFinie || mode == TModeGeneral::permanentArrete ||
           mode == TModeGeneral::mesuresSurEcran;
}

// The green time cursors are drawn: outside runs, the measurement panel and
// the transfers.
constexpr bool curseursVertsVisibles(TModeGeneral mode)
{
    return mode == TModeGeneral::rienAcquis || mode == TModeGeneral::reglageModifie ||
           mode == TModeGeneral::acquisitionFinie || mode == TModeGeneral::permanentArrete;
}
