// System questions answered from the environment: special folders, a file's
// version, installed applications from desktop entries, running processes.
#include "platform/Systeme.h"
#include "EnvironnementTest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace plateforme;

namespace {

class Systeme : public ::testing::Test {
protected:
    void SetUp() override { base = testgv::prepareEnvironnement("systeme"); }
    void TearDown() override { fs::remove_all(base); }
    void ecrit(const std::string& chemin, const std::string& contenu)
    {
        fs::create_directories(fs::path(chemin).parent_path());
        std::ofstream(chemin, std::ios::binary) << contenu;
    }
    std::string base;
};

TEST_F(Systeme, DossiersSpeciauxSuiventLEnvironnement)
{
    EXPECT_EQ(dossierSpecial(DOSSIER_DOCUMENTS), base + "/home/Documents");
    EXPECT_EQ(dossierSpecial(DOSSIER_DONNEES_COMMUNES), base + "/data");
    EXPECT_EQ(dossierSpecial(DOSSIER_PROGRAMMES), base + "/data");
    EXPECT_EQ(dossierSpecial(DOSSIER_SYSTEME), "");
    EXPECT_EQ(dossierSpecial(12345), "");
    // No desktop folder: HOME itself.
    EXPECT_EQ(dossierSpecial(DOSSIER_BUREAU), base + "/home");
    // The desktop named in user-dirs.dirs relative to HOME.
    fs::create_directories(base + "/home/Bureau");
    ecrit(base + "/config/user-dirs.dirs", "# comment\nXDG_DESKTOP_DIR=\"$HOME/Bureau\"\n");
    EXPECT_EQ(dossierSpecial(DOSSIER_BUREAU), base + "/home/Bureau");
    // A documents folder that does not exist: ~/Documents, else HOME.
    ::setenv("XDG_DOCUMENTS_DIR", (base + "/absent").c_str(), 1);
    EXPECT_EQ(dossierSpecial(DOSSIER_DOCUMENTS), base + "/home/Documents");
    fs::remove(base + "/home/Documents");
    EXPECT_EQ(dossierSpecial(DOSSIER_DOCUMENTS), base + "/home");
    EXPECT_EQ(dossierTemporaire(), base + "/tmp");
}

TEST_F(Systeme, VersionFichierLitLaMarqueDuFichier)
{
    const std::string fichier = base + "/programme";
    // Binary content around the mark, the mark itself across a 64 KiB block.
    std::string contenu(65536 - 5, '\x7f');
    contenu += std::string("FileVersion=", 12) + "2.14.0.7" + std::string(1, '\0') + "suite";
    ecrit(fichier, contenu);
    EXPECT_EQ(versionFichier(fichier), "2.14.0.7");

    using namespace std::string_literals;
    const std::pair<std::string, std::string> cas[] = {
        {"FileVersion=1.2.3\0"s, ""},                        // three numbers only
        {"FileVersion=1.2.3.4x\0"s, ""},                     // not ended by the mark's end
        {"FileVersion=1..3.4\0"s, ""},                       // an empty number
        {"FileVersion=\0FileVersion=3.0.0.1\0"s, "3.0.0.1"}, // the first mark is empty
        {"rien"s, ""},
    };
    for (const auto& [contenuCas, attendu] : cas) {
        ecrit(fichier, contenuCas);
        EXPECT_EQ(versionFichier(fichier), attendu) << contenuCas;
    }
    EXPECT_EQ(versionFichier(base + "/absent"), "");
}

TEST_F(Systeme, ApplicationsDesEntreesDeBureau)
{
    ecrit(base + "/donnees-systeme/applications/libreoffice-calc.desktop",
          "[Desktop Entry]\nName=LibreOffice.org 7.4 Calc\nName[fr]=Classeur\nExec=/opt/lo/program/scalc %U\n"
          "[Desktop Action New]\nName=Autre\n");
    ecrit(base + "/data/applications/sous/regressi.desktop", "[Desktop Entry]\nName=Regressi\nPath=/opt/regressi\n");
    ecrit(base + "/data/applications/sans-nom.desktop", "[Desktop Entry]\nExec=truc\n");
    ecrit(base + "/data/applications/pas-une-entree.txt", "[Desktop Entry]\nName=Cachée\n");
    const TTabApplications& liste = listeApplications();
    ASSERT_EQ(liste.size(), 3u);
    EXPECT_TRUE(applicationInstallee("LibreOffice.org"));
    EXPECT_TRUE(applicationInstallee("libreoffice"));
    EXPECT_TRUE(applicationInstallee("REGRESSI"));
    EXPECT_FALSE(applicationInstallee("OpenOffice"));
    EXPECT_FALSE(applicationInstallee("Cachée"));
    bool sansNom = false;
    for (const TDonneesApplication& application : liste) {
        if (application.Nom == "REGRESSI") {
            EXPECT_EQ(application.Location, "/OPT/REGRESSI");
        }
        if (application.Nom == "LIBREOFFICE.ORG 7.4 CALC") {
            EXPECT_EQ(application.Location, "/OPT/LO/PROGRAM");
        }
        if (application.Nom == "Nom inconnu") {
            sansNom = true;
            EXPECT_EQ(application.Location, "Chemin inconnu");
        }
    }
    EXPECT_TRUE(sansNom);
    // Rebuilding empties the list first.
    fs::remove_all(base + "/data/applications");
    EXPECT_EQ(listeApplications().size(), 1u);
}

TEST_F(Systeme, ProcessusActifIgnoreLaCasse)
{
    const std::string nom = fs::read_symlink("/proc/self/exe").filename().string();
    EXPECT_TRUE(processusActif(nom));
    EXPECT_TRUE(processusActif(majusculesASCIISysteme(nom)));
    EXPECT_FALSE(processusActif("processus-qui-n-existe-pas.exe"));
}

TEST_F(Systeme, DateHeureFichierChangeAvecLeFichier)
{
    const std::string fichier = base + "/f.txt";
    EXPECT_EQ(dateHeureFichier(fichier), "");
    ecrit(fichier, "a");
    const std::string date = dateHeureFichier(fichier);
    ASSERT_EQ(date.size(), 19u);
    fs::last_write_time(fichier, fs::last_write_time(fichier) - std::chrono::hours(30));
    EXPECT_NE(dateHeureFichier(fichier), date);
}

} // namespace
