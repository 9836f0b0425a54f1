#pragma once
// What the tests of the options share: a window as the options dialog sees
// it (curves with their colours, and what the dialog asked for once
// applied), an SP5 without its library, and files that stand for programs.
#include "app/ReglagesGV.h"
#include "app/THoteOptions.h"

#include <QSettings>
#include <QString>

#include <filesystem>
#include <fstream>
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

namespace testgv {

// An SP5 driver whose library is not there: a settings object only.
inline const char* const kSansBibliotheque = "/chemin/inexistant/SP5.DLL";

// A file at `chemin` (its folders created), standing for a Windows program.
inline void creeFichier(const std::filesystem::path& chemin)
{
    std::filesystem::create_directories(chemin.parent_path());
    std::ofstream(chemin) << "MZ";
}

// The settings as the next start of the program reads them, after this one
// wrote them at exit into the (fresh) settings file `fichier`.
inline gv::TReglagesGV apresRedemarrage(const gv::TReglagesGV& reglages, const QString& fichier)
{
    {
        QSettings stockage(fichier, QSettings::IniFormat);
        gv::ecritReglages(stockage, reglages);
    }
    gv::TReglagesGV relus;
    QSettings stockage(fichier, QSettings::IniFormat);
    gv::litReglages(stockage, relus);
    return relus;
}

} // namespace testgv
