#pragma once
// Questions to the operating system about the user's folders, the program's
// own version, the installed applications and the running programs.
//
// Every folder comes from the usual environment of the platform (HOME and the
// XDG variables on Linux), so that a test can send the program anywhere.
#include <string>
#include <vector>

namespace plateforme {

// Numbers of the special folders the program asks for (the values Windows
// gives them, kept so that callers read the same on every platform).
enum DossierSpecial : int {
    DOSSIER_DOCUMENTS = 5,          // the user's documents
    DOSSIER_BUREAU = 16,            // the desktop
    DOSSIER_DONNEES_COMMUNES = 35,  // application data
    DOSSIER_SYSTEME = 36,           // the system folder; none on Linux
    DOSSIER_PROGRAMMES = 38,        // installed programs
};

// Path of a special folder, without trailing separator; empty when the
// platform has no such folder or it cannot be found.
// On Linux: 5 is XDG_DOCUMENTS_DIR (environment, then user-dirs.dirs, then
// ~/Documents, then HOME); 16 is XDG_DESKTOP_DIR in the same way with
// ~/Desktop; 35 and 38 are XDG_DATA_HOME (~/.local/share); 36 is empty.
std::string dossierSpecial(int csidl);

// XDG_DATA_HOME, XDG_CONFIG_HOME, XDG_RUNTIME_DIR (or TMPDIR), TMPDIR (or /tmp).
std::string dossierDonneesUtilisateur();
std::string dossierConfigurationUtilisateur();
std::string dossierTemporaire();

// File version "major.minor.release.build" of a file, empty when it has none.
// On Linux a file carries its version as the text "FileVersion=" followed by
// the four numbers (see marqueVersion); the file is searched for it.
std::string versionFichier(const std::string& chemin);

// One installed application: its name and folder in capitals, or
// "Nom inconnu" / "Chemin inconnu".
struct TDonneesApplication {
    std::string Nom;
    std::string Location;
};
using TTabApplications = std::vector<TDonneesApplication>;

// Rebuilds the list of installed applications. On Linux these are the desktop
// entries of XDG_DATA_HOME/applications and of each XDG_DATA_DIRS/applications.
const TTabApplications& listeApplications();
// The list as last built (empty before the first listeApplications()).
const TTabApplications& applicationsListees();

// Some application of the last list has a name containing `nom`, case ignored.
bool applicationInstallee(const std::string& nom);

// Some running process has this executable file name, ASCII case ignored.
bool processusActif(const std::string& nomFichier);

// Asks every running process of the user with this executable file name
// (ASCII case ignored) to end, as closing its window would (SIGTERM on
// Linux, which a program run by Wine receives too). True when at least one
// was asked.
bool fermeProcessus(const std::string& nomFichier);

// A file's modification date and time as text ("dd/mm/yyyy hh:mm:ss", local
// time); empty when the file does not exist. Used to recognise a file that
// the user saved again after the program wrote it.
std::string dateHeureFichier(const std::string& chemin);

// Upper case of the ASCII letters only.
std::string majusculesASCIISysteme(const std::string& texte);

} // namespace plateforme
