// Linux answers to the system questions: XDG folders, a version text embedded
// in the file, desktop entries as the installed applications, /proc as the
// process list.
#include "platform/Systeme.h"

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace plateforme {

namespace {

std::string variable(const char* nom)
{
    const char* valeur = std::getenv(nom);
    return valeur ? std::string(valeur) : std::string();
}

std::string sansSeparateurFinal(std::string chemin)
{
    while (chemin.size() > 1 && chemin.back() == '/')
        chemin.pop_back();
    return chemin;
}

std::string dossierPersonnel()
{
    return sansSeparateurFinal(variable("HOME"));
}

// An XDG base folder: the variable when it holds an absolute path, otherwise
// HOME + the default.
std::string dossierXDG(const char* nom, const char* defautSousHome)
{
    std::string valeur = variable(nom);
    if (!valeur.empty() && valeur.front() == '/')
        return sansSeparateurFinal(valeur);
    const std::string home = dossierPersonnel();
    if (home.empty())
        return {};
    return home + "/" + defautSousHome;
}

// XDG_DESKTOP_DIR and the like, from the environment or from user-dirs.dirs
// (lines such as XDG_DOCUMENTS_DIR="$HOME/Documents").
std::string dossierUtilisateurXDG(const std::string& nom)
{
    std::string valeur = variable(nom.c_str());
    if (valeur.empty()) {
        std::ifstream fichier(dossierConfigurationUtilisateur() + "/user-dirs.dirs");
        std::string ligne;
        while (std::getline(fichier, ligne)) {
            if (ligne.rfind(nom + "=", 0) != 0)
                continue;
            valeur = ligne.substr(nom.size() + 1);
            if (valeur.size() >= 2 && valeur.front() == '"' && valeur.back() == '"')
                valeur = valeur.substr(1, valeur.size() - 2);
        }
    }
    if (valeur.rfind("$HOME", 0) == 0)
        valeur = dossierPersonnel() + valeur.substr(5);
    if (valeur.empty() || valeur.front() != '/')
        return {};
    return sansSeparateurFinal(valeur);
}

std::string dossierUtilisateurOuDefaut(const std::string& nomXDG, const char* defaut)
{
    std::error_code erreur;
    std::string dossier = dossierUtilisateurXDG(nomXDG);
    if (!dossier.empty() && fs::is_directory(dossier, erreur))
        return dossier;
    const std::string home = dossierPersonnel();
    if (home.empty())
        return {};
    if (fs::is_directory(home + "/" + defaut, erreur))
        return home + "/" + defaut;
    return home;
}

std::string nomDeFichier(const std::string& chemin)
{
    const auto separateur = chemin.find_last_of("/\\");
    return separateur == std::string::npos ? chemin : chemin.substr(separateur + 1);
}

TTabApplications& applications()
{
    static TTabApplications liste;
    return liste;
}

// The unlocalised value of `cle` in the [Desktop Entry] group.
std::string valeurEntreeBureau(const fs::path& chemin, const std::string& cle)
{
    std::ifstream fichier(chemin);
    std::string ligne;
    bool dansGroupe = false;
    while (std::getline(fichier, ligne)) {
        if (!ligne.empty() && ligne.back() == '\r')
            ligne.pop_back();
        if (!ligne.empty() && ligne.front() == '[') {
            dansGroupe = ligne == "[Desktop Entry]";
            continue;
        }
        if (dansGroupe && ligne.rfind(cle + "=", 0) == 0)
            return ligne.substr(cle.size() + 1);
    }
    return {};
}

void ajouteApplicationsDe(const std::string& dossierDonnees)
{
    std::error_code erreur;
    const fs::path dossier = fs::path(dossierDonnees) / "applications";
    if (!fs::is_directory(dossier, erreur))
        return;
    fs::recursive_directory_iterator it(dossier, fs::directory_options::skip_permission_denied, erreur);
    for (; !erreur && it != fs::recursive_directory_iterator(); it.increment(erreur)) {
        if (it->path().extension() != ".desktop" || !it->is_regular_file(erreur))
            continue;
        TDonneesApplication application;
        const std::string nom = valeurEntreeBureau(it->path(), "Name");
        application.Nom = nom.empty() ? "Nom inconnu" : majusculesASCIISysteme(nom);
        std::string dossierApplication = valeurEntreeBureau(it->path(), "Path");
        if (dossierApplication.empty()) {
            const std::string exec = valeurEntreeBureau(it->path(), "Exec");
            const std::string programme = exec.substr(0, exec.find(' '));
            if (!programme.empty() && programme.front() == '/')
                dossierApplication = fs::path(programme).parent_path().string();
        }
        application.Location = dossierApplication.empty() ? "Chemin inconnu" : majusculesASCIISysteme(dossierApplication);
        applications().push_back(std::move(application));
    }
}

// The executable file name of a process: the target of /proc/<pid>/exe when
// readable, otherwise the first word of its command line (a Windows program
// run by Wine shows its .exe there).
std::string executableDuProcessus(const fs::path& dossierProcessus)
{
    std::error_code erreur;
    const fs::path cible = fs::read_symlink(dossierProcessus / "exe", erreur);
    std::string nom;
    if (!erreur)
        nom = nomDeFichier(cible.string());
    std::ifstream ligneCommande(dossierProcessus / "cmdline", std::ios::binary);
    std::string premier;
    std::getline(ligneCommande, premier, '\0');
    if (!premier.empty()) {
        const std::string nomCommande = nomDeFichier(premier);
        if (nom.empty() || nom != nomCommande)
            nom += std::string("\n") + nomCommande;
    }
    return nom;
}

} // namespace

std::string majusculesASCIISysteme(const std::string& texte)
{
    std::string resultat = texte;
    for (char& c : resultat)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return resultat;
}

std::string dossierDonneesUtilisateur()
{
    return dossierXDG("XDG_DATA_HOME", ".local/share");
}

std::string dossierConfigurationUtilisateur()
{
    return dossierXDG("XDG_CONFIG_HOME", ".config");
}

std::string dossierTemporaire()
{
    const std::string tmp = variable("TMPDIR");
    if (!tmp.empty() && tmp.front() == '/')
        return sansSeparateurFinal(tmp);
    return "/tmp";
}

std::string dossierSpecial(int csidl)
{
    switch (csidl) {
    case DOSSIER_DOCUMENTS:
        return dossierUtilisateurOuDefaut("XDG_DOCUMENTS_DIR", "Documents");
    case DOSSIER_BUREAU:
        return dossierUtilisateurOuDefaut("XDG_DESKTOP_DIR", "Desktop");
    case DOSSIER_DONNEES_COMMUNES:
    case DOSSIER_PROGRAMMES:
        return dossierDonneesUtilisateur();
    default:
        return {};
    }
}

std::string versionFichier(const std::string& chemin)
{
    static const std::string marque = "FileVersion=";
    std::ifstream fichier(chemin, std::ios::binary);
    if (!fichier)
        return {};
    // Read in overlapping blocks so that a mark across two blocks is found.
    std::string bloc(1 << 16, '\0');
    std::string reste;
    while (fichier) {
        fichier.read(bloc.data(), static_cast<std::streamsize>(bloc.size()));
        const std::string texte = reste + bloc.substr(0, static_cast<size_t>(fichier.gcount()));
        for (size_t pos = texte.find(marque); pos != std::string::npos; pos = texte.find(marque, pos + 1)) {
            size_t fin = pos + marque.size();
            int nombres = 0;
            bool chiffreVu = false;
            while (fin < texte.size() && (std::isdigit(static_cast<unsigned char>(texte[fin])) || texte[fin] == '.')) {
                if (texte[fin] == '.') {
                    if (!chiffreVu)
                        break;
                    ++nombres;
                    chiffreVu = false;
                } else {
                    chiffreVu = true;
                }
                ++fin;
            }
            if (chiffreVu && nombres == 3 && fin < texte.size() && texte[fin] == '\0')
                return texte.substr(pos + marque.size(), fin - pos - marque.size());
        }
        const size_t garde = marque.size() + 64;
        reste = texte.size() > garde ? texte.substr(texte.size() - garde) : texte;
    }
    return {};
}

const TTabApplications& listeApplications()
{
    applications().clear();
    ajouteApplicationsDe(dossierDonneesUtilisateur());
    std::string dossiers = variable("XDG_DATA_DIRS");
    if (dossiers.empty())
        dossiers = "/usr/local/share:/usr/share";
    size_t debut = 0;
    while (debut <= dossiers.size()) {
        const size_t fin = std::min(dossiers.find(':', debut), dossiers.size());
        const std::string dossier = dossiers.substr(debut, fin - debut);
        if (!dossier.empty() && dossier.front() == '/')
            ajouteApplicationsDe(dossier);
        debut = fin + 1;
    }
    return applications();
}

const TTabApplications& applicationsListees()
{
    return applications();
}

bool applicationInstallee(const std::string& nom)
{
    const std::string cherche = majusculesASCIISysteme(nom);
    for (const TDonneesApplication& application : applications())
        if (application.Nom.find(cherche) != std::string::npos)
            return true;
    return false;
}

namespace {

// The processes whose executable has this file name, ASCII case ignored.
std::vector<pid_t> processusNommes(const std::string& nomFichier)
{
    const std::string cherche = majusculesASCIISysteme(nomFichier);
    std::vector<pid_t> trouves;
    std::error_code erreur;
    fs::directory_iterator it("/proc", erreur);
    for (; !erreur && it != fs::directory_iterator(); it.increment(erreur)) {
        const std::string pid = it->path().filename().string();
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const std::string noms = majusculesASCIISysteme(executableDuProcessus(it->path()));
        size_t debut = 0;
        while (debut <= noms.size()) {
            const size_t fin = std::min(noms.find('\n', debut), noms.size());
            if (noms.compare(debut, fin - debut, cherche) == 0) {
                trouves.push_back(static_cast<pid_t>(std::stol(pid)));
                break;
            }
            debut = fin + 1;
        }
    }
    return trouves;
}

} // namespace

bool processusActif(const std::string& nomFichier)
{
    return !processusNommes(nomFichier).empty();
}

bool fermeProcessus(const std::string& nomFichier)
{
    bool demande = false;
    for (const pid_t pid : processusNommes(nomFichier))
        if (pid != ::getpid() && ::kill(pid, SIGTERM) == 0)
            demande = true;
    return demande;
}

std::string dateHeureFichier(const std::string& chemin)
{
    struct stat etat {};
    if (::stat(chemin.c_str(), &etat) != 0)
        return {};
    std::tm local {};
    localtime_r(&etat.st_mtime, &local);
    char texte[32];
    std::strftime(texte, sizeof texte, "%d/%m/%Y %H:%M:%S", &local);
    return texte;
}

} // namespace plateforme
