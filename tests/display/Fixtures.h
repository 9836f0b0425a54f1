#pragma once
// Small units and curves for the screen's tests.
#include "display/Couleurs.h"
#include "display/DonneesCourbes.h"
#include "display/GeometrieEcran.h"
#include "display/VueCentrale.h"
#include "mesures/ModeGeneral.h"

#include <QApplication>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
// The system's font configuration library keeps a few allocations for the
// life of the process; they are not the program's.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\n";
}
#endif

// Fonts need an application object; the tests run on the offscreen platform.
inline void assureApplication()
{
    static int argc = 1;
    static char nom[] = "test_display";
    static char* argv[] = {nom, nullptr};
    if (!QApplication::instance())
        new QApplication(argc, argv);
}

// The general state the screen reads: in the program it is the main
// window's; here each test sets it before it matters.
inline TModeGeneral& modeGeneralTest()
{
    static TModeGeneral mode = TModeGeneral::rienAcquis;
    return mode;
}
inline void etatGeneral(TGeometrieEcran& g, int mode)
{
    modeGeneralTest() = TModeGeneral(mode);
    g.modeGeneral = &modeGeneralTest();
}

// Fixed text measures: 7 pixels per character, 14 pixels high.
class TMesureFixe : public TMesureTexte {
public:
    int largeur(const std::string& texte) const override { return 7 * static_cast<int>(texte.size()); }
    int hauteur() const override { return 14; }
};

// An SP5-like unit: calibres 10, 5, 1 and 0.2 V; active inputs given as
// (input, calibre index) pairs.
inline TVueCentrale vueSP5(const std::vector<std::pair<int, int>>& entrees, double duree, int64_t nbPts)
{
    TVueCentrale v;
    v.presente = true;
    v.nbEAU = 8;
    v.nbCalEAGV = 4;
    v.calibresDispo = {10, 5, 1, 0, -1, -1, -1, -1};
    v.calibresR = {10, 5, 1, 0.2f, -1, -1, -1, -1};
    v.twCals_ = {" +10.0 ", " +5.00 ", " +1.00 ", " +0.200 "};
    for (auto [voie, cal] : entrees) {
        v.actives[voie] = true;
        v.idxCalibreUt[voie] = cal;
        v.VoiesActivesSignaux.push_back(voie);
    }
    v.nbVoiesActivesX = v.nbVoiesSignaux = static_cast<int>(entrees.size());
    v.VoiesActivesSignaux.push_back(-1);
    v.dureeTotale0X = duree;
    v.nbPts0X = v.nbPtsAffX = nbPts;
    v.dt0X = duree / static_cast<double>(nbPts - 1);
    return v;
}

// Curves of an acquisition: one per function, nbPts samples over duree.
template <typename... F>
TMesures courbesDe(double duree, int64_t nbPts, const std::vector<int>& calibres, F... fonctions)
{
    TMesures c;
    c.dtAX = duree / static_cast<double>(nbPts - 1);
    c.dureeTotaleAX = duree;
    c.nbPtsAX = nbPts;
    auto ajoute = [&](auto f) {
        size_t i = c.tv2.size();
        std::vector<float> v(static_cast<size_t>(nbPts));
        TVoieMesuree vm;
        for (int64_t k = 0; k < nbPts; ++k) {
            v[k] = static_cast<float>(f(k * c.dtAX));
            vm.max = std::max(vm.max, v[k]);
            vm.min = std::min(vm.min, v[k]);
        }
        vm.calVM = calibres[i];
        vm.clVM = couleursDefautVoies()[i % 8];
        vm.sEnteteVM = "u[EA" + std::to_string(i) + "_M]";
        vm.sUniteVM = "V";
        c.tv2.push_back(std::move(v));
        c.voiesMesurees.push_back(vm);
    };
    (ajoute(fonctions), ...);
    c.nbVoiesMesurees = static_cast<int>(c.tv2.size());
    return c;
}
