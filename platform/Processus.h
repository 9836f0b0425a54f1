#pragma once
// Starting other programs: never through a shell, the arguments passed one
// by one exactly as given, so that no character of a path (space, quote,
// "$", ";") is ever interpreted.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plateforme {

// The executable `nom` searched along PATH; a name containing "/" is taken
// as it stands. Empty when no executable file answers.
std::string chercheDansPATH(const std::string& nom);

// Starts `programme` (a path, or a name searched along PATH) with
// `arguments`, in `dossierTravail` (unchanged when empty), and does not wait
// for it: it runs on in its own session after this program ends, never a
// zombie of this one, leading a process group (numbered as the process) that
// its own children join. True once the program is running, with its process
// number in `pid`; otherwise false, with the reason in `erreur`.
bool lanceProgramme(const std::string& programme, const std::vector<std::string>& arguments,
                    const std::string& dossierTravail, std::string* erreur = nullptr, int64_t* pid = nullptr);

// The process numbered `pid` still exists.
bool processusExiste(int64_t pid);

// From now on a write to a pipe or socket whose other end is gone fails with
// an error instead of ending this program: a program it talks to may die at
// any moment. Programs started from here get the usual behaviour back.
void survitAuxTubesRompus();

// Runs `programme` with `arguments` and waits at most `delaiMs` for it to
// end. Its exit code, with what it wrote on its standard output in `sortie`;
// nullopt when it could not be started or did not end in time (it is then
// killed). Its standard input and error are /dev/null.
std::optional<int> executeProgramme(const std::string& programme, const std::vector<std::string>& arguments,
                                    int delaiMs, std::string& sortie);

// A Windows program: its file name ends in ".exe", case ignored.
bool estProgrammeWindows(const std::string& executable);

// Opens `fichier` with the program `executable`, in `dossierTravail`: a
// Windows program is started through Wine (found along PATH) with the file
// as Wine names it (cheminPourWindows); any other program directly, with the
// file's own path. True once the program is running.
bool ouvreAvecProgramme(const std::string& executable, const std::string& fichier, const std::string& dossierTravail,
                        std::string* erreur = nullptr);

} // namespace plateforme
