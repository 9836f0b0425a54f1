#pragma once
// Where REGRESSI is installed as standard, and what counts as a REGRESSI
// executable.
//
// REGRESSI is a Windows program: on Linux it is installed in the user's Wine
// prefix (WINEPREFIX, else ~/.wine) and its standard place is
//   <prefix>/drive_c/Program Files/Evariste/Regressi/regressi.exe
// or the same under "Program Files (x86)".
#include <string>
#include <vector>

namespace gv {

// The standard places, in the order they are tried.
std::vector<std::string> cheminsStandardREGRESSI();

// The first standard place that holds a file; empty when none does.
std::string cheminOfficielREGRESSI();

// An existing file whose name, case ignored, is "REGRESSI.EXE".
bool estExecutableREGRESSI(const std::string& chemin);

} // namespace gv
