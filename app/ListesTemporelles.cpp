#include "app/ListesTemporelles.h"

#include "model/UniteBaseChaines.h"

#include <algorithm>
#include <cmath>

namespace gv {

std::vector<std::string> listeDureesTotales()
{
    std::vector<std::string> liste;
    for (int decade = -6; decade <= 2; ++decade)
        for (int facteur : {1, 2, 5})
            liste.push_back(formatValeur(3, styleIngenieur, facteur * std::pow(10.0L, decade)) + "s");
    for (const char* texte : {"1000 s", "2000 s", "3600 s"})
        liste.emplace_back(texte);
    return liste;
}

std::vector<std::string> listeNbPoints()
{
    return {"11", "21", "51", "101", "201", "501", "1001", "2001", "5001", "10001", "20001", "50001"};
}

std::vector<std::string> dureesOffertes(const std::vector<std::string>& liste, int idxMin, int idxMax)
{
    std::vector<std::string> items;
    const int dernier = std::min(idxMax, static_cast<int>(liste.size()) - 1);
    for (int i = std::max(idxMin, 0); i <= dernier; ++i)
        items.push_back(liste[size_t(i)]);
    return items;
}

std::vector<std::string> nbPointsOfferts(const std::vector<std::string>& liste, int64_t maximum)
{
    std::vector<std::string> items;
    for (const std::string& texte : liste) {
        long double n = 0;
        if (valeurDeTexte(texte, n) != valeurLue || n >= static_cast<long double>(maximum))
            break;
        items.push_back(texte);
    }
    if (maximum > 0)
        items.push_back(std::to_string(maximum));
    return items;
}

int itemVoisin(const std::vector<std::string>& items, int index, long double valeurTapee, int sens)
{
    const int n = static_cast<int>(items.size());
    if (n == 0)
        return -1;
    if (index >= 0)
        return std::clamp(index + (sens > 0 ? 1 : -1), 0, n - 1);
    auto valeur = [&](int i) {
        long double v = 0;
        return valeurDeTexte(items[size_t(i)], v) == valeurLue ? v : 0.0L;
    };
    if (sens > 0) {
        for (int i = 0; i < n; ++i)
            if (valeur(i) > valeurTapee)
                return i;
        return n - 1;
    }
    for (int i = n - 1; i >= 0; --i)
        if (valeur(i) < valeurTapee)
            return i;
    return 0;
}

} // namespace gv
