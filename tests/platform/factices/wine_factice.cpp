// A stand-in "wine" for machines without Wine. It does what the program
// asks of Wine and no more:
//   wine reg query KEY                      the values of KEY in Wine's format
//   wine reg add KEY /v NAME /t REG_SZ /d DATA /f
//   wine PROGRAM ARGUMENTS...               runs PROGRAM (a Linux path)
// The registry is the file named by GALVORA_WINE_REGISTRE (RegistreFichier);
// every call is recorded, one line each, in GALVORA_WINE_JOURNAL.
#include "RegistreFichier.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

const std::string kRacine = "HKEY_CURRENT_USER\\";

std::string cleDuRegistre(const std::string& cleWine)
{
    return cleWine.rfind(kRacine, 0) == 0 ? "\\" + cleWine.substr(kRacine.size()) : cleWine;
}

int reg(int argc, char** argv)
{
    const char* fichier = std::getenv("GALVORA_WINE_REGISTRE");
    if (!fichier || argc < 4)
        return 1;
    const std::string commande = argv[2];
    const std::string cleWine = argv[3];
    testgv::TContenuRegistre contenu = testgv::litRegistre(fichier);
    if (commande == "query") {
        const auto cle = contenu.find(cleDuRegistre(cleWine));
        if (cle == contenu.end()) {
            std::fputs("reg: Unable to find the specified registry key\n", stderr);
            return 1;
        }
        std::printf("\r\n%s\r\n", cleWine.c_str());
        for (const auto& [nom, valeur] : cle->second)
            std::printf("    %s    REG_SZ    %s\r\n", nom.c_str(), valeur.c_str());
        std::printf("\r\n");
        // Wine lists the subkeys after the values.
        for (const auto& [autre, valeurs] : contenu)
            if (autre.rfind(cle->first + "\\", 0) == 0)
                std::printf("%s%s\r\n", kRacine.c_str(), autre.substr(1).c_str());
        return 0;
    }
    if (commande == "add") {
        std::string nom, donnees;
        for (int i = 4; i + 1 < argc; ++i) {
            if (std::string(argv[i]) == "/v")
                nom = argv[++i];
            else if (std::string(argv[i]) == "/d")
                donnees = argv[++i];
        }
        // Like the real tool, it creates a missing key.
        contenu[cleDuRegistre(cleWine)][nom] = donnees;
        testgv::ecritRegistre(fichier, contenu);
        std::printf("The operation completed successfully.\r\n");
        return 0;
    }
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (const char* journal = std::getenv("GALVORA_WINE_JOURNAL")) {
        std::ofstream sortie(journal, std::ios::app);
        for (int i = 1; i < argc; ++i)
            sortie << (i > 1 ? "\t" : "") << argv[i];
        sortie << "\n";
    }
    if (argc >= 2 && std::string(argv[1]) == "reg")
        return reg(argc, argv);
    if (argc < 2)
        return 1;
    ::execv(argv[1], argv + 1);
    std::fprintf(stderr, "wine: could not load %s\n", argv[1]);
    return 1;
}
