// Starting programs with fork and execv: no shell, the argument vector as
// given. Everything the child needs is prepared before fork, because after
// it a multi-threaded program may only call async-signal-safe functions.
#include "platform/Processus.h"

#include "platform/ProgrammesWindows.h"
#include "platform/Systeme.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace plateforme {

namespace {

bool estExecutable(const std::string& chemin)
{
    struct stat etat {};
    return ::stat(chemin.c_str(), &etat) == 0 && S_ISREG(etat.st_mode) && ::access(chemin.c_str(), X_OK) == 0;
}

bool estFichierLisible(const std::string& chemin)
{
    struct stat etat {};
    return ::stat(chemin.c_str(), &etat) == 0 && S_ISREG(etat.st_mode) && ::access(chemin.c_str(), R_OK) == 0;
}

// The argument vector of execv: the program, then the arguments.
struct TVecteurArguments {
    std::vector<std::string> textes;
    std::vector<char*> pointeurs;

    TVecteurArguments(const std::string& programme, const std::vector<std::string>& arguments)
    {
        textes.reserve(arguments.size() + 1);
        textes.push_back(programme);
        textes.insert(textes.end(), arguments.begin(), arguments.end());
        for (std::string& texte : textes)
            pointeurs.push_back(texte.data());
        pointeurs.push_back(nullptr);
    }
};

// Only async-signal-safe calls from here to execv.
[[noreturn]] void signaleEchecEtQuitte(int tube)
{
    const int erreur = errno;
    [[maybe_unused]] const ssize_t ecrit = ::write(tube, &erreur, sizeof erreur);
    ::_exit(127);
}

void prepareEnfant(int entree, int sortie, int erreurs)
{
    ::signal(SIGPIPE, SIG_DFL);
    sigset_t aucun;
    ::sigemptyset(&aucun);
    ::sigprocmask(SIG_SETMASK, &aucun, nullptr);
    if (entree >= 0)
        ::dup2(entree, STDIN_FILENO);
    if (sortie >= 0)
        ::dup2(sortie, STDOUT_FILENO);
    if (erreurs >= 0)
        ::dup2(erreurs, STDERR_FILENO);
    // The program inherits none of this one's files.
    ::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
}

std::string texteErreur(int erreur)
{
    return std::strerror(erreur);
}

// Reads the errno a child wrote before failing; 0 when execv succeeded
// (the close-on-exec pipe was closed without a word).
int erreurDeLEnfant(int tube)
{
    int erreur = 0;
    ssize_t lu;
    do
        lu = ::read(tube, &erreur, sizeof erreur);
    while (lu < 0 && errno == EINTR);
    return lu == sizeof erreur ? erreur : 0;
}

pid_t attends(pid_t pid, int* statut, int options)
{
    pid_t resultat;
    do
        resultat = ::waitpid(pid, statut, options);
    while (resultat < 0 && errno == EINTR);
    return resultat;
}

std::string nomDeFichier(const std::string& chemin)
{
    const auto separateur = chemin.find_last_of('/');
    return separateur == std::string::npos ? chemin : chemin.substr(separateur + 1);
}

} // namespace

std::string chercheDansPATH(const std::string& nom)
{
    if (nom.empty())
        return {};
    if (nom.find('/') != std::string::npos)
        return estExecutable(nom) ? nom : std::string();
    const char* variable = std::getenv("PATH");
    const std::string chemins = variable ? variable : "/usr/local/bin:/usr/bin:/bin";
    size_t debut = 0;
    while (debut <= chemins.size()) {
        const size_t fin = std::min(chemins.find(':', debut), chemins.size());
        const std::string dossier = chemins.substr(debut, fin - debut);
        // An empty entry is the current folder, which is never searched here.
        if (!dossier.empty() && dossier.front() == '/') {
            const std::string candidat = dossier + "/" + nom;
            if (estExecutable(candidat))
                return candidat;
        }
        debut = fin + 1;
    }
    return {};
}

bool lanceProgramme(const std::string& programme, const std::vector<std::string>& arguments,
                    const std::string& dossierTravail, std::string* erreur, int64_t* pid)
{
    const std::string chemin = chercheDansPATH(programme);
    if (chemin.empty()) {
        if (erreur) {
            const bool present = programme.find('/') != std::string::npos && ::access(programme.c_str(), F_OK) == 0;
            *erreur = programme + " : " + texteErreur(present ? EACCES : ENOENT);
        }
        return false;
    }
    TVecteurArguments argv(chemin, arguments);
    const char* dossier = dossierTravail.empty() ? nullptr : dossierTravail.c_str();
    int tube[2];
    if (::pipe2(tube, O_CLOEXEC) != 0) {
        if (erreur)
            *erreur = texteErreur(errno);
        return false;
    }
    // The intermediate process tells the program's number on a pipe of its own.
    int tubeNumero[2];
    if (::pipe2(tubeNumero, O_CLOEXEC) != 0) {
        if (erreur)
            *erreur = texteErreur(errno);
        ::close(tube[0]);
        ::close(tube[1]);
        return false;
    }
    const int nul = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    // Two forks: the program is the child of a process that ends at once, so
    // it never stays a zombie of this one and outlives it in its own session.
    const pid_t intermediaire = ::fork();
    if (intermediaire == 0) {
        ::setsid();
        const pid_t programmeLance = ::fork();
        if (programmeLance == 0) {
            // Leader of a process group of its own, which its children join.
            ::setpgid(0, 0);
            prepareEnfant(nul, -1, -1);
            if (dossier && ::chdir(dossier) != 0)
                signaleEchecEtQuitte(tube[1]);
            ::execv(argv.pointeurs[0], argv.pointeurs.data());
            signaleEchecEtQuitte(tube[1]);
        }
        if (programmeLance < 0)
            signaleEchecEtQuitte(tube[1]);
        const int64_t numero = programmeLance;
        [[maybe_unused]] const ssize_t ecrit = ::write(tubeNumero[1], &numero, sizeof numero);
        ::_exit(0);
    }
    const int erreurFork = errno;
    ::close(tube[1]);
    ::close(tubeNumero[1]);
    if (nul >= 0)
        ::close(nul);
    int code = 0;
    if (intermediaire < 0) {
        ::close(tube[0]);
        ::close(tubeNumero[0]);
        if (erreur)
            *erreur = texteErreur(erreurFork);
        return false;
    }
    attends(intermediaire, &code, 0);
    int64_t numero = -1;
    ssize_t lu;
    do
        lu = ::read(tubeNumero[0], &numero, sizeof numero);
    while (lu < 0 && errno == EINTR);
    ::close(tubeNumero[0]);
    const int erreurEnfant = erreurDeLEnfant(tube[0]);
    ::close(tube[0]);
    if (pid)
        *pid = lu == sizeof numero ? numero : -1;
    if (erreurEnfant != 0) {
        if (erreur)
            *erreur = chemin + " : " + texteErreur(erreurEnfant);
        return false;
    }
    return true;
}

std::optional<int> executeProgramme(const std::string& programme, const std::vector<std::string>& arguments,
                                    int delaiMs, std::string& sortie)
{
    sortie.clear();
    const std::string chemin = chercheDansPATH(programme);
    if (chemin.empty())
        return std::nullopt;
    TVecteurArguments argv(chemin, arguments);
    int tubeErreur[2];
    int tubeSortie[2];
    if (::pipe2(tubeErreur, O_CLOEXEC) != 0)
        return std::nullopt;
    if (::pipe2(tubeSortie, O_CLOEXEC) != 0) {
        ::close(tubeErreur[0]);
        ::close(tubeErreur[1]);
        return std::nullopt;
    }
    const int nul = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    const pid_t pid = ::fork();
    if (pid == 0) {
        prepareEnfant(nul, tubeSortie[1], nul);
        ::execv(argv.pointeurs[0], argv.pointeurs.data());
        signaleEchecEtQuitte(tubeErreur[1]);
    }
    ::close(tubeErreur[1]);
    ::close(tubeSortie[1]);
    if (nul >= 0)
        ::close(nul);
    if (pid < 0) {
        ::close(tubeErreur[0]);
        ::close(tubeSortie[0]);
        return std::nullopt;
    }
    const int erreurEnfant = erreurDeLEnfant(tubeErreur[0]);
    ::close(tubeErreur[0]);

    // A helper the program leaves behind (Wine's server) may keep the pipe
    // open long after the program itself ended: the end of the program, not
    // the end of the pipe, ends the wait.
    ::fcntl(tubeSortie[0], F_SETFL, O_NONBLOCK);
    const auto limite = std::chrono::steady_clock::now() + std::chrono::milliseconds(delaiMs);
    char bloc[4096];
    int statut = 0;
    bool termine = false;
    bool tubeOuvert = true;
    while (true) {
        while (tubeOuvert) {
            const ssize_t lu = ::read(tubeSortie[0], bloc, sizeof bloc);
            if (lu > 0)
                sortie.append(bloc, size_t(lu));
            else if (lu == 0)
                tubeOuvert = false;
            else if (errno != EINTR)
                break;
        }
        if (termine)
            break;
        if (attends(pid, &statut, WNOHANG) == pid) {
            termine = true;
            continue; // what it wrote last
        }
        if (std::chrono::steady_clock::now() >= limite)
            break;
        pollfd attente {tubeSortie[0], POLLIN, 0};
        ::poll(tubeOuvert ? &attente : nullptr, tubeOuvert ? 1 : 0, 20);
    }
    ::close(tubeSortie[0]);
    if (!termine) {
        ::kill(pid, SIGKILL);
        attends(pid, &statut, 0);
        return std::nullopt;
    }
    if (erreurEnfant != 0 || !WIFEXITED(statut))
        return std::nullopt;
    return WEXITSTATUS(statut);
}

bool processusExiste(int64_t pid)
{
    if (pid <= 0)
        return false;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

void survitAuxTubesRompus()
{
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    ::sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGPIPE, &ignore, nullptr);
}

bool estProgrammeWindows(const std::string& executable)
{
    const std::string nom = majusculesASCIISysteme(nomDeFichier(executable));
    return nom.size() > 4 && nom.compare(nom.size() - 4, 4, ".EXE") == 0;
}

bool ouvreAvecProgramme(const std::string& executable, const std::string& fichier, const std::string& dossierTravail,
                        std::string* erreur)
{
    if (executable.empty()) {
        if (erreur)
            *erreur = texteErreur(ENOENT);
        return false;
    }
    if (!estProgrammeWindows(executable))
        return lanceProgramme(executable, {fichier}, dossierTravail, erreur);
    const std::string wine = chercheDansPATH("wine");
    if (wine.empty()) {
        if (erreur)
            *erreur = "wine : " + texteErreur(ENOENT);
        return false;
    }
    // Wine takes the program's Linux path; the program itself reads its
    // argument with Windows file functions, so it gets the Windows name.
    // Wine reports a missing program only once it runs; ask first.
    if (!estFichierLisible(executable)) {
        if (erreur)
            *erreur = executable + " : " + texteErreur(ENOENT);
        return false;
    }
    return lanceProgramme(wine, {executable, cheminPourWindows(fichier)}, dossierTravail, erreur);
}

} // namespace plateforme
