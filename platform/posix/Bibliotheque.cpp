#include "platform/Bibliotheque.h"

#include <dlfcn.h>
#include <sys/stat.h>

namespace plateforme {

HandleBibliotheque chargeBibliotheque(const std::string& chemin)
{
    if (chemin.empty())
        return nullptr;
    // RTLD_LOCAL keeps each vendor library's symbols to itself: the three
    // libraries export overlapping names and must not resolve against each other.
    return dlopen(chemin.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* adresseProcedure(HandleBibliotheque bibliotheque, const char* nom)
{
    if (bibliotheque == nullptr || nom == nullptr)
        return nullptr;
    return dlsym(bibliotheque, nom);
}

void libereBibliotheque(HandleBibliotheque bibliotheque)
{
    if (bibliotheque != nullptr)
        dlclose(bibliotheque);
}

std::string derniereErreurBibliotheque()
{
    const char* erreur = dlerror();
    return erreur ? std::string(erreur) : std::string();
}

bool fichierExiste(const std::string& chemin)
{
    struct stat etat {};
    return !chemin.empty() && stat(chemin.c_str(), &etat) == 0 && S_ISREG(etat.st_mode);
}

} // namespace plateforme
