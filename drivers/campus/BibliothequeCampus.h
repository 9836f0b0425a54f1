#pragma once
// Loading Campus.DLL and copying the texts it returns.
#include "drivers/campus/InterfaceCampus.h"
#include "platform/Bibliotheque.h"

#include <stdexcept>
#include <string>

// A library that is missing or cannot be loaded. The text is the one shown
// to the user.
class ErreurBibliothequeCampus : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Loads the library at `chemin` and resolves every entry point by name (a
// name the library lacks leaves its field empty). Raises
// ErreurBibliothequeCampus "Erreur DLL <chemin> inexistante" when the file does
// not exist, "Erreur de Chargement de la DLL \r<chemin>" when it cannot be
// loaded. A bare file name (no folder, such as libcampus.so) is left to the
// system's library search, so only the second error applies to it.
plateforme::HandleBibliotheque ChargeDLLCampus(const std::string& chemin, TPointsEntreeCampus& points);

// How many entry points the driver resolves.
int nbPointsEntreeCampus();

// A UTF-16 text of the library as UTF-8 (empty for a null pointer); an
// unpaired surrogate becomes U+FFFD.
std::string texteCampus(CampusTexte texte);
