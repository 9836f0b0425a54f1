// A stand-in REGRESSI: records how it was started (working folder and
// arguments, one line per start, tab-separated) in the file named by
// GALVORA_REGRESSI_JOURNAL, then stays running while the file named by
// GALVORA_REGRESSI_ACTIF exists (a minute at most, so that no test leaves
// it behind). Built as "regressi.exe", so the process list shows it under
// REGRESSI's name.
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <thread>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (const char* journal = std::getenv("GALVORA_REGRESSI_JOURNAL")) {
        char dossier[4096];
        std::string ligne = ::getcwd(dossier, sizeof dossier) ? dossier : "?";
        for (int i = 1; i < argc; ++i)
            ligne += std::string("\t") + argv[i];
        ligne += "\n";
        const int fichier = ::open(journal, O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (fichier >= 0) {
            [[maybe_unused]] const ssize_t ecrit = ::write(fichier, ligne.data(), ligne.size());
            ::close(fichier);
        }
    }
    if (const char* actif = std::getenv("GALVORA_REGRESSI_ACTIF")) {
        const auto limite = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        while (::access(actif, F_OK) == 0 && std::chrono::steady_clock::now() < limite)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return 0;
}
