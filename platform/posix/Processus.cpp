// Detached start through a double fork: the intermediate child starts the
// program in a new session and ends at once, so the program is adopted by
// init and reaped there.
#include "platform/Processus.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace plateforme {

namespace {

std::string cheminExecutable(const std::string& programme)
{
    if (programme.find('/') != std::string::npos)
        return access(programme.c_str(), X_OK) == 0 ? programme : std::string();
    const char* path = std::getenv("PATH");
    std::string dossiers = path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t debut = 0;
    while (debut <= dossiers.size()) {
        std::size_t fin = dossiers.find(':', debut);
        if (fin == std::string::npos)
            fin = dossiers.size();
        std::string dossier = dossiers.substr(debut, fin - debut);
        std::string candidat = (dossier.empty() ? std::string(".") : dossier) + "/" + programme;
        if (access(candidat.c_str(), X_OK) == 0 && !std::filesystem::is_directory(candidat))
            return candidat;
        debut = fin + 1;
    }
    return {};
}

bool ecritTout(int fd, const void* donnees, std::size_t taille)
{
    const char* p = static_cast<const char*>(donnees);
    while (taille > 0) {
        ssize_t ecrit = write(fd, p, taille);
        if (ecrit < 0 && errno == EINTR)
            continue;
        if (ecrit <= 0)
            return false;
        p += ecrit;
        taille -= std::size_t(ecrit);
    }
    return true;
}

} // namespace

int64_t lanceProgrammeDetache(const std::string& programme, const std::vector<std::string>& arguments)
{
    const std::string chemin = cheminExecutable(programme);
    if (chemin.empty())
        return -1;
    // Everything the children need is prepared here: after fork() a
    // multi-threaded process may only make async-signal-safe calls.
    std::vector<std::string> textes;
    textes.push_back(chemin);
    textes.insert(textes.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& texte : textes)
        argv.push_back(texte.data());
    argv.push_back(nullptr);

    int tube[2];
    if (pipe2(tube, O_CLOEXEC) != 0)
        return -1;
    const pid_t intermediaire = fork();
    if (intermediaire < 0) {
        close(tube[0]);
        close(tube[1]);
        return -1;
    }
    if (intermediaire == 0) {
        close(tube[0]);
        setsid();
        const pid_t programmeLance = fork();
        if (programmeLance == 0) {
            // Leader of a process group of its own, which its children join.
            setpgid(0, 0);
            signal(SIGPIPE, SIG_DFL);
            const int nul = open("/dev/null", O_RDWR);
            if (nul >= 0) {
                dup2(nul, STDIN_FILENO);
                dup2(nul, STDOUT_FILENO);
                dup2(nul, STDERR_FILENO);
            }
            execv(argv[0], argv.data());
            _exit(127);
        }
        const int64_t numero = programmeLance;
        ecritTout(tube[1], &numero, sizeof numero);
        _exit(programmeLance > 0 ? 0 : 1);
    }
    close(tube[1]);
    int64_t numero = -1;
    std::size_t lu = 0;
    while (lu < sizeof numero) {
        ssize_t n = read(tube[0], reinterpret_cast<char*>(&numero) + lu, sizeof numero - lu);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        lu += std::size_t(n);
    }
    close(tube[0]);
    int statut = 0;
    while (waitpid(intermediaire, &statut, 0) < 0 && errno == EINTR) {
    }
    return lu == sizeof numero ? numero : -1;
}

bool processusExiste(int64_t pid)
{
    if (pid <= 0)
        return false;
    return kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

} // namespace plateforme
