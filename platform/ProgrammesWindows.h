#pragma once
// Where Windows programs live and how they name files. On Linux these are
// the programs that the user runs with Wine: installed in the user's Wine
// prefix, seeing the whole Linux file system as drive Z:.
#include <string>
#include <vector>

namespace plateforme {

// The user's Wine prefix: $WINEPREFIX when it holds an absolute path, else
// ~/.wine. Empty without HOME.
std::string prefixeWine();

// The folders Windows programs are installed in, those that exist: the
// prefix's "drive_c/Program Files", then "drive_c/Program Files (x86)".
std::vector<std::string> dossiersProgrammesWindows();

// `relatif` ("Evariste/Regressi/regressi.exe") under `dossier`, each part
// matched without regard to ASCII case, as Windows programs see their files.
// The existing path, or empty.
std::string fichierSansCasse(const std::string& dossier, const std::string& relatif);

// A path as a Windows program names it: under Wine the Linux root is drive
// Z:, so /home/eleve/Documents/a.rw3 is Z:\home\eleve\Documents\a.rw3.
std::string cheminPourWindows(const std::string& chemin);

} // namespace plateforme
