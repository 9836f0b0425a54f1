#pragma once
// Loading a vendor library at run time and finding its entry points by name.
//
// On Windows the vendor libraries are 32-bit stdcall or cdecl DLLs; on x86-64
// (Linux or 64-bit Windows) there is a single calling convention, so an entry
// point is simply cast to the function type the caller declares.
#include <string>

namespace plateforme {

using HandleBibliotheque = void*;

// Loads the library at `chemin` (a full path, or a bare file name searched the
// platform's usual way). Returns nullptr when it cannot be loaded.
HandleBibliotheque chargeBibliotheque(const std::string& chemin);

// Address of the entry point `nom`, or nullptr when the library has none.
void* adresseProcedure(HandleBibliotheque bibliotheque, const char* nom);

// Casts an entry point to the function type the caller expects.
template <typename Fonction>
Fonction procedure(HandleBibliotheque bibliotheque, const char* nom)
{
    return reinterpret_cast<Fonction>(adresseProcedure(bibliotheque, nom));
}

void libereBibliotheque(HandleBibliotheque bibliotheque);

// The platform's explanation of the last loading failure (for logs only).
std::string derniereErreurBibliotheque();

bool fichierExiste(const std::string& chemin);

} // namespace plateforme
