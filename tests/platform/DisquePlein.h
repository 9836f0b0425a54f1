#pragma once
// A disk that fills up while the program writes: `ecriture` runs in a child
// process in which no file can grow beyond `limite` bytes (as when the disk
// is full, a write fails with "File too large" instead of the process being
// killed). The child hands back the text `ecriture` returns; the parent then
// looks at the files, which the child cannot have left half-changed behind a
// success.
#include <functional>
#include <string>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testgv {

struct TResultatDisquePlein {
    bool termine = false; // the child ended normally
    std::string texte;    // what `ecriture` returned
};

inline TResultatDisquePlein ecritSurDisquePlein(rlim_t limite, const std::function<std::string()>& ecriture)
{
    int tube[2];
    if (::pipe(tube) != 0)
        return {};
    const pid_t enfant = ::fork();
    if (enfant == 0) {
        ::close(tube[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit r { limite, limite };
        ::setrlimit(RLIMIT_FSIZE, &r);
        const std::string texte = ecriture();
        for (std::size_t ecrit = 0; ecrit < texte.size();) {
            const ssize_t n = ::write(tube[1], texte.data() + ecrit, texte.size() - ecrit);
            if (n <= 0)
                break;
            ecrit += std::size_t(n);
        }
        ::close(tube[1]);
        ::_exit(0);
    }
    ::close(tube[1]);
    TResultatDisquePlein resultat;
    char tampon[4096];
    for (ssize_t n; (n = ::read(tube[0], tampon, sizeof tampon)) > 0;)
        resultat.texte.append(tampon, std::size_t(n));
    ::close(tube[0]);
    int statut = 0;
    if (enfant > 0 && ::waitpid(enfant, &statut, 0) == enfant)
        resultat.termine = WIFEXITED(statut) && WEXITSTATUS(statut) == 0;
    return resultat;
}

} // namespace testgv
