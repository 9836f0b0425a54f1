#pragma once
// What the time panel shows after a change of the time base: the sampling
// interval picture is drawn by dessineIntervalle (DessinEcran.h); the
// duration box selects a list item or shows the duration as text.
#include <string>
#include <vector>

// Index of the first item of the duration list whose value is within
// 0.2 % of the duration, -1 when none.
int indexDureeDansListe(const std::vector<std::string>& items, double dureeTotale0X);

// Text of a duration that is not in the list.
std::string texteDureeTotale(double dureeTotale0X);
