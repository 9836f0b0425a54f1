#pragma once
// The lists of the time panel and the rule of its "+" and "-" buttons,
// without widgets.
#include <cstdint>
#include <string>
#include <vector>

namespace gv {

// 1 µs, 2 µs, 5 µs ... 500 s (1-2-5 per decade, 3 significant digits and
// a unit prefix), then "1000 s", "2000 s", "3600 s": 30 texts.
std::vector<std::string> listeDureesTotales();
// "11" ... "50001": 12 texts.
std::vector<std::string> listeNbPoints();

// What a unit's duration box offers: the texts of `liste` from `idxMin` to
// `idxMax` (both limited to the list).
std::vector<std::string> dureesOffertes(const std::vector<std::string>& liste, int idxMin, int idxMax);
// What a unit's points box offers: the texts of `liste` in order while their
// value is below `maximum`, then `maximum` itself (when positive).
std::vector<std::string> nbPointsOfferts(const std::vector<std::string>& liste, int64_t maximum);

// Item chosen by a "+" (sens > 0) or "-" (sens < 0) button. With an item
// selected (index >= 0), the next or previous one, never past either end.
// With a typed text (index < 0), the first item whose value is greater
// than `valeurTapee` ("+"; the last item if none) or the last whose value
// is smaller ("-"; the first item if none). -1 for an empty list.
int itemVoisin(const std::vector<std::string>& items, int index, long double valeurTapee, int sens);

} // namespace gv
