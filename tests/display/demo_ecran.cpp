// Renders the screen with fixture curves to PNG files, for a look at them:
//   display_demo_ecran <folder>
#include "Fixtures.h"
#include "display/Ecran.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr double pi = 3.14159265358979323846;

struct Montage {
    const char* nom;
    TVueCentrale vue;
    TMesures mesures;
};

void rend(Montage& m, int larg, int haut, const std::string& dossier, int etat, int zoomH)
{
    TEcran e;
    e.setVue(m.vue);
    e.setMesures(&m.mesures);
    etatGeneral(e.geometrie, etat);
    e.geometrie.mesures->t0 = 0;
    e.geometrie.mesures->tFin = m.vue.dureeTotale0X;
    e.geometrie.t0M = m.vue.dureeTotale0X * 0.2;
    e.geometrie.tFinM = m.vue.dureeTotale0X * 0.7;
    e.redimensionnementEcran(larg, haut);
    if (etat == 6)
        e.ouvreMesures();
    for (int i = 0; i < zoomH; ++i)
        e.zoomHorizontal(1);
    std::string fichier = dossier + "/" + m.nom + "_" + std::to_string(larg) + "x" + std::to_string(haut) +
                          "_etat" + std::to_string(etat) + "_zoom" + std::to_string(zoomH) + ".png";
    e.iEcranX.save(QString::fromStdString(fichier));
    std::printf("%s\n", fichier.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    assureApplication();
    std::string dossier = argc > 1 ? argv[1] : ".";
    auto sinus = [](double f, double a) { return [=](double t) { return a * std::sin(2 * pi * f * t); }; };
    auto carre = [](double f, double a) {
        return [=](double t) { return std::fmod(t * f, 1.0) < 0.5 ? a : -a; };
    };
    Montage montages[] = {
        {"un_axe", vueSP5({{0, 0}, {1, 0}}, 1, 50001), courbesDe(1, 50001, {0, 0}, sinus(3, 8), carre(5, 4))},
        {"deux_axes", vueSP5({{0, 0}, {1, 2}}, 0.02, 1001),
         courbesDe(0.02, 1001, {0, 2}, sinus(100, 7), carre(150, 0.8))},
        {"quatre_axes", vueSP5({{0, 0}, {1, 1}, {2, 2}, {3, 3}}, 0.002, 101),
         courbesDe(0.002, 101, {0, 1, 2, 3}, sinus(1000, 9), carre(1500, 4), sinus(500, 0.9), sinus(2000, 0.15))},
    };
    for (Montage& m : montages) {
        for (auto [l, h] : {std::pair{1000, 600}, std::pair{640, 400}})
            rend(m, l, h, dossier, 2, 0);
        rend(m, 1000, 600, dossier, 6, 0);
        rend(m, 1000, 600, dossier, 2, 2);
    }
    return 0;
}
