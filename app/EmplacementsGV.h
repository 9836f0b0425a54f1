#pragma once
// Where the program looks for the units' libraries and where it writes.
//
// On Linux:
// - the folder that stands for the Windows system folder, where vendor or
//   simulated libraries can be put under their Windows file names, is
//   dossierCentralesUtilisateur() = $XDG_DATA_HOME/Galvora/centrales
//   (~/.local/share/Galvora/centrales); scripts/simulateurs-tous.sh links the
//   simulated V6 and CAMPUS there;
// - the vendors' Linux libraries are loaded through the normal library
//   search: libftd2xx.so (FTDI's D2XX, for the V6), libsp5.so, libcampus.so;
// - the simulators installed with the program are in
//   <executable>/../<libdir>/galvora/simulateurs (the package's
//   /usr/lib/<multiarch>/galvora/simulateurs), or, for a program built with
//   GALVORA_SIMULATEURS_DU_BUILD, in the build tree's simulateurs folder; only
//   the SP5 simulator (SP5SIM.DLL) is taken from there.
// - written files: settings ~/.config/Galvora.conf (QSettings), data and
//   the list of undeletable files $XDG_DATA_HOME/Galvora, documents
//   XDG_DOCUMENTS_DIR, temporary files TMPDIR.
#include <string>
#include <vector>

namespace gv {

struct TEmplacementsGV {
    std::string dossierCentrales;     // per-user libraries (stands for system32)
    std::string dossierSimulateurs;   // simulators installed with the program
    std::string DDA;                  // the program's data folder
    std::string dossierDocuments;
    std::string temp;
    std::string fichierTemporairesGV; // list of undeletable temporary files
};

std::string dossierCentralesUtilisateur();

// The simulators' folder of this executable (installed, or build tree);
// empty when neither exists.
std::string dossierSimulateursDuProgramme();

// Every place from the environment and from the executable's location.
TEmplacementsGV emplacementsParDefaut();

// The libraries tried for each unit, in order; the first that loads is kept.
std::vector<std::string> cheminsSP5(const TEmplacementsGV& emplacements);
std::vector<std::string> cheminsV6(const TEmplacementsGV& emplacements);
std::vector<std::string> cheminsCampus(const TEmplacementsGV& emplacements);

// The CAMPUS is only tried when FTDI's library is there (a V6 library file
// in the per-user folder, or libftd2xx.so found by the library search).
bool bibliothequeFTDIPresente(const TEmplacementsGV& emplacements);

} // namespace gv
