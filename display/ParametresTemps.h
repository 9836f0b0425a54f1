#pragma once
// Number texts of the panels and the screen, and what the time panel shows
// after a change of the time base: the sampling interval picture is drawn by
// dessineIntervalle (DessinEcran.h); the duration box selects a list item or
// shows the duration as text. Standard C++ only.
#include <string>
#include <vector>

// General format with the given significant digits and the user's decimal
// separator: 0.5, 12, 1.5E-5.
std::string texteGeneral(long double v, int chiffres);

// Index of the first item of the duration list whose value is within
// 0.2 % of the duration, -1 when none.
int indexDureeDansListe(const std::vector<std::string>& items, double dureeTotale0X);

// Text of a duration that is not in the list.
std::string texteDureeTotale(double dureeTotale0X);
