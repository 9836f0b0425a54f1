#pragma once
// Keyboard shortcuts of the main window and the wheel over the inputs' box,
// as plain functions the window calls from its event handlers.
#include "mesures/ModeGeneral.h"

enum class TToucheEcran { entree, echap, f10, autre };

// Escape during a running acquisition (states 3, 5) and F10 in states 0, 1,
// 2 and 4 act as the Start/Stop button.
bool toucheDemarreArrete(TToucheEcran touche, TModeGeneral modeGeneral);

// Controls of the time and trigger panels reached with Enter.
enum class TControleSaisie {
    CBDureeTotale,
    CBNbPoints,
    CBTypeDeclenchement,
    RGSensDeclenchement,
    CBVoieSynchro,
    EditUSeuilDecl,
    CBPretrigX,
    aucun,
};

// Where Enter moves the focus from a control; aucun: it stays.
TControleSaisie suivantParEntree(TControleSaisie controle, bool sensActif, bool pretrigActif);

// New vertical position of the inputs' scroll box after nbPas wheel steps
// (positive = up) over it: each step moves by the panel's height div 20.
int positionApresMolette(int position, int hauteurPanelVoies, int nbPas);
