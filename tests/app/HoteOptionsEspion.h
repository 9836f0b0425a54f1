#pragma once
// A window as the options dialog sees it: curves with their colours, and
// what the dialog asked for once applied.
#include "app/THoteOptions.h"

#include <string>
#include <vector>

struct THoteOptionsEspion : gv::THoteOptions {
    std::vector<gv::TCouleurGV> courbes;
    std::vector<std::string> appels;

    void avantOptions() override { appels.push_back("avantOptions"); }
    int nbCourbes() const override { return static_cast<int>(courbes.size()); }
    gv::TCouleurGV couleurCourbe(int k) const override { return courbes[size_t(k)]; }
    void setCouleurCourbe(int k, gv::TCouleurGV c) override { courbes[size_t(k)] = c; }
    void activeNouveau() override { appels.push_back("activeNouveau"); }
    void fermeREGRESSI() override { appels.push_back("fermeREGRESSI"); }
    void prepareComposantsDeclenchement() override { appels.push_back("prepareComposantsDeclenchement"); }
    void redessineLegendesEtEcran() override { appels.push_back("redessineLegendesEtEcran"); }
};
