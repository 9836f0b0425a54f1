#pragma once
// The stand-in REGRESSI and the stand-in Wine as a test uses them: their
// record files in the test's folder, Wine on PATH or not, and, at the end,
// every stand-in REGRESSI told to stop and waited for.
#include "platform/Systeme.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace testgv {

class TFactices {
public:
    explicit TFactices(const std::string& base)
        : journal(base + "/demarrages-regressi.txt")
        , actif(base + "/regressi-actif")
        , registre(base + "/registre.txt")
        , journalWine(base + "/appels-wine.txt")
        , pathAvant_(std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin")
    {
        ::setenv("GALVORA_REGRESSI_JOURNAL", journal.c_str(), 1);
        ::setenv("GALVORA_REGRESSI_ACTIF", actif.c_str(), 1);
        ::setenv("GALVORA_WINE_REGISTRE", registre.c_str(), 1);
        ::setenv("GALVORA_WINE_JOURNAL", journalWine.c_str(), 1);
        ::unsetenv("WINEPREFIX");
        std::ofstream(actif) << "1";
        avecWine(true);
    }

    ~TFactices()
    {
        std::filesystem::remove(actif);
        attends([] { return !plateforme::processusActif("REGRESSI.EXE"); }, 5000);
        ::setenv("PATH", pathAvant_.c_str(), 1);
    }

    TFactices(const TFactices&) = delete;
    TFactices& operator=(const TFactices&) = delete;

    void avecWine(bool wine)
    {
        const std::string path = wine ? std::string(GALVORA_DOSSIER_WINE_FACTICE) + ":" + pathAvant_ : pathAvant_;
        ::setenv("PATH", path.c_str(), 1);
    }

    // A copy of the stand-in REGRESSI at `chemin` (a copy, not a link: the
    // process list names a program by its file).
    static std::string copieRegressi(const std::string& chemin)
    {
        std::filesystem::create_directories(std::filesystem::path(chemin).parent_path());
        std::filesystem::copy_file(GALVORA_REGRESSI_FACTICE, chemin,
                                   std::filesystem::copy_options::overwrite_existing);
        return chemin;
    }

    // One entry per start: the working folder, then the arguments.
    std::vector<std::vector<std::string>> demarrages() const { return lignes(journal); }
    std::vector<std::vector<std::string>> appelsWine() const { return lignes(journalWine); }

    bool attendsDemarrages(size_t nombre, int delaiMs = 10000) const
    {
        return attends([&] { return demarrages().size() >= nombre; }, delaiMs);
    }

    template <typename Condition>
    static bool attends(Condition condition, int delaiMs)
    {
        const auto limite = std::chrono::steady_clock::now() + std::chrono::milliseconds(delaiMs);
        while (!condition()) {
            if (std::chrono::steady_clock::now() >= limite)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return true;
    }

    const std::string journal;
    const std::string actif;
    const std::string registre;
    const std::string journalWine;

private:
    static std::vector<std::vector<std::string>> lignes(const std::string& fichier)
    {
        std::vector<std::vector<std::string>> resultat;
        std::ifstream entree(fichier);
        std::string ligne;
        while (std::getline(entree, ligne)) {
            std::vector<std::string> champs;
            std::stringstream flux(ligne);
            std::string champ;
            while (std::getline(flux, champ, '\t'))
                champs.push_back(champ);
            resultat.push_back(champs);
        }
        return resultat;
    }

    std::string pathAvant_;
};

} // namespace testgv
