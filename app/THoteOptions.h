#pragma once
// What the options dialog asks of the window that shows it, before it is
// shown and once it is applied. The main window implements it.
#include "app/ReglagesGV.h"

#include <string>

namespace gv {

class THoteOptions {
public:
    virtual ~THoteOptions() = default;

    // Before showing: the presence poll stopped and the points box of the
    // window applied as on leaving it.
    virtual void avantOptions() = 0;

    // The curves on screen, by their colours.
    virtual int nbCourbes() const = 0;
    virtual TCouleurGV couleurCourbe(int courbe) const = 0;
    virtual void setCouleurCourbe(int courbe, TCouleurGV couleur) = 0;

    // The New button enabled.
    virtual void activeNouveau() = 0;
    // The REGRESSI in use changed while a REGRESSI runs: that one is closed.
    virtual void fermeREGRESSI() = 0;
    // The trigger controls refilled (the pre-trigger limit may have changed).
    virtual void prepareComposantsDeclenchement() = 0;
    // The input legends and the screen with its curves redrawn.
    virtual void redessineLegendesEtEcran() = 0;
};

} // namespace gv
