// Starting programs without a shell, Windows programs through Wine, and
// Wine's registry through its "reg" tool, with the stand-in REGRESSI and the
// stand-in Wine of the test suite.
#include "platform/Processus.h"
#include "platform/ProgrammesWindows.h"
#include "platform/RegistreUtilisateur.h"
#include "platform/Systeme.h"

#include "Factices.h"
#include "RegistreFichier.h"
#include "tests/app/EnvironnementTest.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace plateforme;
using testgv::TFactices;

namespace {

class Processus : public ::testing::Test {
protected:
    void SetUp() override
    {
        base = testgv::prepareEnvironnement("processus");
        factices = std::make_unique<TFactices>(base);
    }
    void TearDown() override
    {
        factices.reset();
        fs::remove_all(base);
    }
    std::string base;
    std::unique_ptr<TFactices> factices;
};

using Champs = std::vector<std::string>;

// Writes one byte into a pipe whose reader is gone; exits 0 when the write
// failed with EPIPE.
[[noreturn]] void ecritSansLecteur()
{
    int tube[2];
    if (::pipe(tube) != 0)
        std::_Exit(2);
    ::close(tube[0]);
    const char c = 'x';
    const ssize_t ecrit = ::write(tube[1], &c, 1);
    std::_Exit(ecrit == -1 && errno == EPIPE ? 0 : 1);
}

} // namespace

// An office killed while Galvora writes to its pipe must not take Galvora
// with it.
TEST(TubesRompus, AWriteWithoutReaderFailsInsteadOfEndingTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(ecritSansLecteur(), testing::KilledBySignal(SIGPIPE), "");
    EXPECT_EXIT(
        {
            survitAuxTubesRompus();
            ecritSansLecteur();
        },
        testing::ExitedWithCode(0), "");
}

TEST_F(Processus, ArgumentsReachTheProgramAsGivenAndItRunsOnInItsWorkingFolder)
{
    const std::string programme = TFactices::copieRegressi(base + "/bin/autre-programme");
    fs::create_directories(base + "/travail");
    // Characters a shell would interpret arrive untouched.
    const Champs arguments = {"/un dossier/a b.rw3", "\"guillemets\"", "$HOME", "x;touch pris", "*"};
    std::string erreur;
    ASSERT_TRUE(lanceProgramme(programme, arguments, base + "/travail", &erreur)) << erreur;
    ASSERT_TRUE(factices->attendsDemarrages(1));
    Champs attendu = {base + "/travail"};
    attendu.insert(attendu.end(), arguments.begin(), arguments.end());
    EXPECT_EQ(factices->demarrages().front(), attendu);
    EXPECT_FALSE(fs::exists(base + "/travail/pris"));
    // Not waited for: it is still running, and stops when told to.
    EXPECT_TRUE(processusActif("AUTRE-PROGRAMME"));
    fs::remove(factices->actif);
    EXPECT_TRUE(TFactices::attends([] { return !processusActif("autre-programme"); }, 5000));
}

// Closing a program by its file name ends every copy of it, whatever the
// case of its name, and nothing else. The names are this test's own: other
// programs named so would be closed too.
TEST_F(Processus, ProgramsAreClosedByTheirFileName)
{
    const std::string nom = "Ferme-Moi-" + std::to_string(::getpid()) + ".exe";
    const std::string premier = TFactices::copieRegressi(base + "/bin/" + nom);
    const std::string second = TFactices::copieRegressi(base + "/autre/" + nom);
    const std::string temoin = TFactices::copieRegressi(base + "/bin/temoin-" + std::to_string(::getpid()));
    EXPECT_FALSE(fermeProcessus(nom));
    for (const std::string& programme : {premier, second, temoin})
        ASSERT_TRUE(lanceProgramme(programme, {}, base));
    ASSERT_TRUE(factices->attendsDemarrages(3));
    EXPECT_TRUE(processusActif(nom));
    EXPECT_TRUE(fermeProcessus(majusculesASCIISysteme(nom)));
    EXPECT_TRUE(TFactices::attends([&] { return !processusActif(nom); }, 5000));
    EXPECT_TRUE(processusActif("temoin-" + std::to_string(::getpid())));
}

TEST_F(Processus, ProgramsThatCannotBeStartedAreReported)
{
    std::ofstream(base + "/pas-un-programme") << "texte";
    const std::string programme = TFactices::copieRegressi(base + "/bin/autre-programme");
    const struct {
        std::string programme;
        std::string dossier;
    } cas[] = {
        {base + "/absent", ""},
        {base + "/pas-un-programme", ""}, // not executable
        {"programme-sur-aucun-chemin", ""},
        {"", ""},
        {programme, base + "/dossier-absent"},
    };
    for (const auto& c : cas) {
        std::string erreur;
        EXPECT_FALSE(lanceProgramme(c.programme, {"a"}, c.dossier, &erreur)) << c.programme;
        EXPECT_FALSE(erreur.empty()) << c.programme;
    }
    EXPECT_TRUE(factices->demarrages().empty());
}

TEST_F(Processus, ExecuteWaitsForTheOutputAndKillsWhatDoesNotEnd)
{
    testgv::ecritRegistre(factices->registre, {{"\\Software\\Essai", {{"a", "1"}}}});
    std::string sortie;
    EXPECT_EQ(executeProgramme("wine", {"reg", "query", "HKEY_CURRENT_USER\\Software\\Essai"}, 5000, sortie),
              std::optional<int>(0));
    EXPECT_EQ(sortie, "\r\nHKEY_CURRENT_USER\\Software\\Essai\r\n    a    REG_SZ    1\r\n\r\n");
    EXPECT_EQ(executeProgramme("wine", {"reg", "query", "HKEY_CURRENT_USER\\Software\\Absente"}, 5000, sortie),
              std::optional<int>(1));
    EXPECT_EQ(executeProgramme(base + "/absent", {}, 5000, sortie), std::nullopt);

    // The stand-in REGRESSI runs until told to stop: the wait ends at the limit.
    const auto debut = std::chrono::steady_clock::now();
    EXPECT_EQ(executeProgramme(GALVORA_REGRESSI_FACTICE, {}, 300, sortie), std::nullopt);
    EXPECT_LT(std::chrono::steady_clock::now() - debut, std::chrono::seconds(3));
    EXPECT_FALSE(processusActif("REGRESSI.EXE"));
}

TEST_F(Processus, WindowsProgramsOpenTheFileThroughWineUnderItsWindowsName)
{
    const std::string regressi = TFactices::copieRegressi(base + "/Programmes/REGRESSI.EXE");
    const std::string fichier = base + "/home/Documents/Acquisition GV 1.rw3";
    const std::string documents = base + "/home/Documents";
    std::string erreur;
    ASSERT_TRUE(ouvreAvecProgramme(regressi, fichier, documents, &erreur)) << erreur;
    ASSERT_TRUE(factices->attendsDemarrages(1));
    EXPECT_EQ(factices->demarrages().front(), (Champs {documents, cheminPourWindows(fichier)}));
    EXPECT_EQ(factices->appelsWine().front(), (Champs {regressi, cheminPourWindows(fichier)}));
    EXPECT_TRUE(processusActif("REGRESSI.EXE"));

    // Any other program gets the file's own path.
    const std::string autre = TFactices::copieRegressi(base + "/bin/regressi-linux");
    ASSERT_TRUE(ouvreAvecProgramme(autre, fichier, documents, &erreur)) << erreur;
    ASSERT_TRUE(factices->attendsDemarrages(2));
    EXPECT_EQ(factices->demarrages()[1], (Champs {documents, fichier}));
    EXPECT_EQ(factices->appelsWine().size(), 1u);

    // Without Wine, or without the program, nothing starts.
    EXPECT_FALSE(ouvreAvecProgramme(base + "/Programmes/absent.exe", fichier, documents, &erreur));
    factices->avecWine(false);
    EXPECT_FALSE(ouvreAvecProgramme(regressi, fichier, documents, &erreur));
    EXPECT_FALSE(erreur.empty());
    EXPECT_EQ(factices->appelsWine().size(), 1u);
    EXPECT_EQ(factices->demarrages().size(), 2u);
}

TEST_F(Processus, WinePrefixAndItsProgramFolders)
{
    EXPECT_EQ(prefixeWine(), base + "/home/.wine");
    ::setenv("WINEPREFIX", (base + "/autre-prefixe").c_str(), 1);
    EXPECT_EQ(prefixeWine(), base + "/autre-prefixe");
    ::setenv("WINEPREFIX", "relatif", 1);
    EXPECT_EQ(prefixeWine(), base + "/home/.wine");
    ::unsetenv("WINEPREFIX");

    EXPECT_TRUE(dossiersProgrammesWindows().empty());
    fs::create_directories(base + "/home/.wine/drive_c/program files (x86)/Evariste/REGRESSI");
    std::ofstream(base + "/home/.wine/drive_c/program files (x86)/Evariste/REGRESSI/Regressi.EXE") << "";
    fs::create_directories(base + "/home/.wine/drive_c/Program Files");
    EXPECT_EQ(dossiersProgrammesWindows(),
              (Champs {base + "/home/.wine/drive_c/Program Files", base + "/home/.wine/drive_c/program files (x86)"}));
    // Windows programs do not see case.
    EXPECT_EQ(fichierSansCasse(dossiersProgrammesWindows()[1], "Evariste/Regressi/regressi.exe"),
              base + "/home/.wine/drive_c/program files (x86)/Evariste/REGRESSI/Regressi.EXE");
    EXPECT_EQ(fichierSansCasse(dossiersProgrammesWindows()[0], "Evariste/Regressi/regressi.exe"), "");
    EXPECT_EQ(fichierSansCasse(base + "/absent", "a"), "");

    EXPECT_EQ(cheminPourWindows("/home/élève/Mes documents/a.rw3"), "Z:\\home\\élève\\Mes documents\\a.rw3");
    EXPECT_TRUE(estProgrammeWindows("/x/REGRESSI.EXE"));
    EXPECT_TRUE(estProgrammeWindows("regressi.exe"));
    EXPECT_FALSE(estProgrammeWindows("/x.exe/regressi"));
    EXPECT_FALSE(estProgrammeWindows(".exe"));
}

TEST_F(Processus, WineRegistryReadAndWrittenThroughItsRegTool)
{
    const std::string cle = "\\Software\\Regressi\\Acquisition";
    testgv::ecritRegistre(factices->registre,
                          {{cle, {{"0", "C:\\Program Files\\Autre Programme\\autre.exe"}, {"1", ""}}},
                           {cle + "\\Sous", {{"x", "y"}}}});

    // No prefix yet: Wine is not even run, so it creates none.
    EXPECT_EQ(registreWine()->litCle(cle), std::nullopt);
    EXPECT_TRUE(factices->appelsWine().empty());
    EXPECT_FALSE(fs::exists(base + "/home/.wine"));

    fs::create_directories(base + "/home/.wine");
    std::ofstream(base + "/home/.wine/system.reg") << "WINE REGISTRY Version 2\n";
    factices->avecWine(false);
    EXPECT_EQ(registreWine()->litCle(cle), std::nullopt);
    EXPECT_TRUE(factices->appelsWine().empty());

    factices->avecWine(true);
    const std::unique_ptr<TRegistreUtilisateur> registre = registreWine();
    EXPECT_EQ(registre->litCle(cle),
              (TRegistreUtilisateur::TValeurs {{"0", "C:\\Program Files\\Autre Programme\\autre.exe"}, {"1", ""}}));
    EXPECT_EQ(factices->appelsWine().back(), (Champs {"reg", "query", "HKEY_CURRENT_USER\\Software\\Regressi\\Acquisition"}));
    EXPECT_EQ(registre->litCle("\\Software\\Regressi\\Absente"), std::nullopt);

    // A key not found is never created; a found one takes the value.
    EXPECT_FALSE(registre->ecritTexte("\\Software\\Regressi\\Absente", "0", "a"));
    EXPECT_TRUE(registre->ecritTexte(cle, "1", "Z:\\usr\\bin\\galvora"));
    const testgv::TContenuRegistre contenu = testgv::litRegistre(factices->registre);
    EXPECT_EQ(contenu.count("\\Software\\Regressi\\Absente"), 0u);
    EXPECT_EQ(contenu.at(cle).at("1"), "Z:\\usr\\bin\\galvora");
    EXPECT_EQ(factices->appelsWine().back(),
              (Champs {"reg", "add", "HKEY_CURRENT_USER\\Software\\Regressi\\Acquisition", "/v", "1", "/t", "REG_SZ",
                       "/d", "Z:\\usr\\bin\\galvora", "/f"}));
}

TEST(RegQuery, ValuesOfWinesOutput)
{
    // As Wine's reg prints a key: a blank line, the key, its values, a blank
    // line, then its subkeys.
    const std::string sortie = "\r\nHKEY_CURRENT_USER\\Software\\Regressi\\Format\r\n"
                               "    chiffres    REG_SZ    4\r\n"
                               "    Nom long    REG_SZ    C:\\Program Files\\a    b.exe\r\n"
                               "    vide    REG_SZ    \r\n"
                               "    compte    REG_DWORD    0x6\r\n\r\n"
                               "HKEY_CURRENT_USER\\Software\\Regressi\\Format\\Sous\r\n";
    EXPECT_EQ(valeursDeRegQuery(sortie), (TRegistreUtilisateur::TValeurs {{"chiffres", "4"},
                                                                            {"Nom long", "C:\\Program Files\\a    b.exe"},
                                                                            {"vide", ""},
                                                                            {"compte", "0x6"}}));
    EXPECT_TRUE(valeursDeRegQuery("").empty());
}
