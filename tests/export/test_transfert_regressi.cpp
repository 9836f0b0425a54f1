// The direct transfer to REGRESSI with the stand-in REGRESSI of the test
// suite: the file handed over, the page added while REGRESSI runs, REGRESSI
// started (through the stand-in Wine when it is a Windows program), the
// first-start rules, the declaration at start-up.
#include "export/TransfertRegressi.h"

#include "export/FichierTexteWindows.h"
#include "model/UniteBaseChaines.h"
#include "platform/ProgrammesWindows.h"
#include "platform/Systeme.h"

#include "Factices.h"
#include "RegistreFichier.h"
#include "tests/app/EnvironnementTest.h"

#include <QFile>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using testgv::TFactices;
using Champs = std::vector<std::string>;
using TRegistreFichierValeurs = plateforme::TRegistreUtilisateur::TValeurs;

namespace {

const QString kIntrouvable = QString::fromUtf8(
    "Le programme REGRESSI n'a pas été trouvé. \n\rImpossible de passer directement à REGRESSI. \n\r"
    "Installez ou réinstallez REGRESSI");

class TInterfaceScriptee : public TInterfaceTransfertREG {
public:
    void information(const QString& texte) override { informations << texte; }
    void avertissement(const QString& texte) override { avertissements << texte; }
    TChoixTransfertREG choixTransfert() override
    {
        ++choixDemandes;
        return reponseChoix;
    }
    QString demandeProgrammeRegressi(const QString& filtre, const QString& titre, const QString& dossier) override
    {
        demandesProgramme << QStringList {filtre, titre, dossier};
        return reponseProgramme;
    }
    void curseurAttente(bool attente) override { attentes << attente; }
    void desactiveBoutonTransfert() override { ++desactivations; }
    void traiteMessages() override { ++messagesTraites; }

    TChoixTransfertREG reponseChoix = TChoixTransfertREG::Annuler;
    QString reponseProgramme;
    QStringList informations, avertissements;
    QList<QStringList> demandesProgramme;
    QList<bool> attentes;
    int choixDemandes = 0;
    int desactivations = 0;
    int messagesTraites = 0;
};

TVoieMesuree courbe(const char* nom, const char* entree)
{
    TVoieMesuree vm;
    vm.sEnteteVM = nom;
    vm.capCommRegvoie1VM = entree;
    vm.calVM = 0;
    return vm;
}

QByteArray contenu(const std::string& chemin)
{
    QFile fichier(QString::fromStdString(chemin));
    return fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray();
}

void vieillit(const std::string& chemin)
{
    fs::last_write_time(chemin, fs::last_write_time(chemin) - std::chrono::hours(1));
}

class Transfert : public ::testing::Test {
protected:
    void SetUp() override
    {
        base = testgv::prepareEnvironnement("transfert-regressi");
        factices = std::make_unique<TFactices>(base);
        dossierDocuments = base + "/home/Documents";
        transfert = std::make_unique<TTransfertRegressi>(
            TLiensTransfertREG {versionRegressiDefaut, cheminREGRESSINonDefautX, optionTransfertREGRESSI,
                                dossierDocuments, aSupprimer},
            std::make_unique<testgv::TRegistreFichier>(factices->registre));
        // Two inputs of an SP5, 5 points at 2.5 ms.
        courbes.tv2 = {{0, 0.5f, 1, 1.5f, 2}, {-1.25f, -1.25f, -1.25f, -1.25f, -1.25f}};
        courbes.voiesMesurees = {courbe("u[EA0]", "EA0"), courbe("u[EA1]", "EA1")};
        courbes.nbVoiesMesurees = 2;
        courbes.dtAX = 0.0025;
        courbes.nbPtsAX = 5;
        courbes.dureeTotaleAX = 0.01;
        courbes.tFin = 0.01;
        source.mesures = &courbes;
        source.nomCentrale = QStringLiteral("SYSAM SP5");
        source.calibresEAStandard = {10, 5, 1, 0.2f};
        source.heureAcq = QDateTime(QDate(2025, 12, 8), QTime(14, 3, 27));
        source.maintenant = QDateTime(QDate(2025, 12, 9), QTime(9, 5, 0));
        source.cheminProgramme = QStringLiteral("/usr/bin/galvora");
        source.locale = QLocale(QLocale::French, QLocale::France);
    }

    void TearDown() override
    {
        transfert.reset();
        factices.reset();
        fs::permissions(base, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(base);
    }

    std::string installeRegressiStandard()
    {
        fs::create_directories(base + "/home/.wine");
        std::ofstream(base + "/home/.wine/system.reg") << "WINE REGISTRY Version 2\n";
        return TFactices::copieRegressi(base + "/home/.wine/drive_c/Program Files/Evariste/Regressi/regressi.exe");
    }

    std::string nomHandOver(int numero) const
    {
        return dossierDocuments + "/Acquisition GV" + sdate + "-" + std::to_string(numero) + ".rw3";
    }

    void transfere() { transfert->TransfertRegressiFichier(source, sdate, ui); }

    // The first transfer with REGRESSI at its standard place: it runs after.
    void premierTransfertRegressiStandard()
    {
        installeRegressiStandard();
        transfert->chercheRegressi();
        transfere();
        ASSERT_TRUE(factices->attendsDemarrages(1));
        ASSERT_TRUE(TFactices::attends([] { return plateforme::processusActif("REGRESSI.EXE"); }, 5000));
    }

    // The same series measured again, handed over later.
    void nouvellesMesures()
    {
        courbes.tv2 = {{3, 3.5f, 4, 4.5f, 5}, {-2, -2, -2, -2, -2}};
        source.maintenant = QDateTime(QDate(2025, 12, 9), QTime(9, 10, 0));
    }

    std::string base;
    std::unique_ptr<TFactices> factices;
    bool versionRegressiDefaut = true;
    std::string cheminREGRESSINonDefautX;
    int optionTransfertREGRESSI = 0;
    std::string dossierDocuments;
    std::vector<std::string> aSupprimer;
    std::unique_ptr<TTransfertRegressi> transfert;
    TMesures courbes;
    TSourceRegressi source;
    TInterfaceScriptee ui;
    const std::string sdate = "08 déc. 25 - 14h 03mn 27s";
};

} // namespace

TEST_F(Transfert, FirstTransferWithoutStandardRegressiAsksForItAndCancelEndsTheCommand)
{
    transfert->chercheRegressi();
    EXPECT_FALSE(versionRegressiDefaut);
    EXPECT_EQ(transfert->cheminRegressiUt, "");
    fs::create_directories(base + "/home/.wine/drive_c/Program Files");

    transfere();
    ASSERT_EQ(ui.demandesProgramme.size(), 1);
    EXPECT_EQ(ui.demandesProgramme[0], (QStringList {QStringLiteral("'Regressi.exe'|Regressi.exe"),
                                                     QStringLiteral("Recherche du programme REGRESSI"),
                                                     QString::fromStdString(base + "/home/.wine/drive_c/Program Files")}));
    // The file was written before the question; nothing was started.
    EXPECT_EQ(transfert->nfRegAC, nomHandOver(1));
    EXPECT_EQ(contenu(nomHandOver(1)), octetsWindows1252(prepareSL(source, true).SL));
    EXPECT_EQ(aSupprimer, (Champs {nomHandOver(1) + "||" + plateforme::dateHeureFichier(nomHandOver(1))}));
    EXPECT_TRUE(transfert->premiereTentativeREG);
    EXPECT_TRUE(ui.informations.isEmpty());
    EXPECT_EQ(ui.attentes, (QList<bool> {true, false}));
    EXPECT_TRUE(transfert->transfertPossible());
    EXPECT_TRUE(factices->demarrages().empty());
}

TEST_F(Transfert, FirstTransferStartsTheChosenFileOnceEvenWhenItIsNotRegressi)
{
    transfert->chercheRegressi();
    const std::string autre = TFactices::copieRegressi(base + "/bin/autre-programme");
    ui.reponseProgramme = QString::fromStdString(autre);
    transfere();
    ASSERT_TRUE(factices->attendsDemarrages(1));
    EXPECT_EQ(factices->demarrages()[0], (Champs {dossierDocuments, nomHandOver(1)}));
    EXPECT_EQ(transfert->cheminRegressiUt, autre);
    EXPECT_EQ(cheminREGRESSINonDefautX, autre);
    EXPECT_FALSE(versionRegressiDefaut);
    EXPECT_FALSE(transfert->premiereTentativeREG);
    EXPECT_EQ(ui.messagesTraites, 1);
    EXPECT_EQ(ui.attentes, (QList<bool> {true, false}));

    // The next transfer asks nothing: the chosen program opens a new file.
    transfere();
    ASSERT_TRUE(factices->attendsDemarrages(2));
    EXPECT_EQ(ui.demandesProgramme.size(), 1);
    EXPECT_EQ(factices->demarrages()[1], (Champs {dossierDocuments, nomHandOver(2)}));
    // Started once per transfer, no second start of the first file.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(factices->demarrages().size(), 2u);
    EXPECT_TRUE(ui.informations.isEmpty());
}

TEST_F(Transfert, SecondTransferOfTheSameSeriesAddsAPageWhileRegressiRuns)
{
    optionTransfertREGRESSI = 1;
    premierTransfertRegressiStandard();
    // The Windows program got the file under its Windows name.
    EXPECT_EQ(factices->demarrages()[0], (Champs {dossierDocuments, plateforme::cheminPourWindows(nomHandOver(1))}));
    const QByteArray premier = contenu(nomHandOver(1));
    EXPECT_EQ(premier, octetsWindows1252(prepareSL(source, true).SL));
    const std::string datePremier = transfert->dateRegAC;

    // Dates are read to the second: the page is added a second later.
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    nouvellesMesures();
    transfere();
    ASSERT_TRUE(factices->attendsDemarrages(2));
    EXPECT_EQ(factices->demarrages()[1], factices->demarrages()[0]);
    EXPECT_EQ(transfert->nfRegAC, nomHandOver(1));
    EXPECT_FALSE(fs::exists(nomHandOver(2)));
    const QByteArray page = "\xA3" "1 PAGE COMMENT\r\n"
                            "Mesures r\xE9" "alis\xE9" "es avec l'interface SYSAM SP5 le 09/12/2025 \xE0 09:10:00\r\n"
                            "&5 VALEUR VAR\r\n"
                            "0 3 -2\r\n0.0025 3.5 -2\r\n0.005 4 -2\r\n0.0075 4.5 -2\r\n0.01 5 -2\r\n"
                            "&2 OPTIONS\r\n1\r\n1\r\n";
    EXPECT_EQ(contenu(nomHandOver(1)), premier + page);
    // Still this program's own file, deleted at exit under its new date.
    EXPECT_NE(transfert->dateRegAC, datePremier);
    EXPECT_EQ(transfert->dateRegAC, plateforme::dateHeureFichier(nomHandOver(1)));
    EXPECT_EQ(aSupprimer, (Champs {nomHandOver(1) + "||" + transfert->dateRegAC}));
    EXPECT_EQ(transfert->numFichierTR, 1);
}

TEST_F(Transfert, AFileRegressiSavedInBetweenGetsANewDocumentInstead)
{
    optionTransfertREGRESSI = 1;
    premierTransfertRegressiStandard();
    // REGRESSI saved the user's work in it.
    std::ofstream(nomHandOver(1), std::ios::trunc) << "modifié dans REGRESSI";
    vieillit(nomHandOver(1));

    nouvellesMesures();
    transfere();
    ASSERT_TRUE(factices->attendsDemarrages(2));
    EXPECT_EQ(contenu(nomHandOver(1)), QByteArray("modifi\xC3\xA9 dans REGRESSI"));
    EXPECT_EQ(transfert->nfRegAC, nomHandOver(2));
    EXPECT_EQ(contenu(nomHandOver(2)), octetsWindows1252(prepareSL(source, true).SL));
    EXPECT_EQ(factices->demarrages()[1], (Champs {dossierDocuments, plateforme::cheminPourWindows(nomHandOver(2))}));
    EXPECT_EQ(aSupprimer.size(), 2u);
}

TEST_F(Transfert, ATransferAfterDeletingASeriesIsANewDocument)
{
    optionTransfertREGRESSI = 1;
    premierTransfertRegressiStandard();
    courbes.tv2.pop_back();
    courbes.voiesMesurees.pop_back();
    courbes.nbVoiesMesurees = 1;
    transfere();
    ASSERT_TRUE(factices->attendsDemarrages(2));
    EXPECT_EQ(transfert->nfRegAC, nomHandOver(2));
    EXPECT_TRUE(contenu(nomHandOver(2)).startsWith("EVARISTE REGRESSI WINDOWS 1.0\r\n\xA3" "2 NOM VAR\r\nt\r\nuEA0\r\n"));
    EXPECT_EQ(transfert->EnteteGrandeursREG, "u[EA0]");
    EXPECT_EQ(transfert->AncEnteteGrandeursREG, "u[EA0]");
}

TEST_F(Transfert, AskEachTimeOffersTheChoiceOnlyForAnUnchangedFile)
{
    optionTransfertREGRESSI = 3;
    premierTransfertRegressiStandard();
    EXPECT_EQ(ui.choixDemandes, 0); // REGRESSI was not running yet
    const QByteArray premier = contenu(nomHandOver(1));
    nouvellesMesures();

    // Cancel: nothing written, nothing started, no hourglass.
    ui.attentes.clear();
    ui.reponseChoix = TChoixTransfertREG::Annuler;
    transfere();
    EXPECT_EQ(ui.choixDemandes, 1);
    EXPECT_TRUE(ui.attentes.isEmpty());
    EXPECT_EQ(contenu(nomHandOver(1)), premier);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(factices->demarrages().size(), 1u);

    ui.reponseChoix = TChoixTransfertREG::NouveauDocument;
    transfere();
    EXPECT_EQ(ui.choixDemandes, 2);
    EXPECT_EQ(transfert->nfRegAC, nomHandOver(2));

    ui.reponseChoix = TChoixTransfertREG::NouvellePage;
    transfere();
    EXPECT_EQ(ui.choixDemandes, 3);
    EXPECT_EQ(transfert->nfRegAC, nomHandOver(2));
    EXPECT_EQ(contenu(nomHandOver(2)),
              octetsWindows1252(prepareSL(source, true).SL) + octetsWindows1252(prepareSLPage(source)));

    // Saved by REGRESSI since: a new document without asking.
    vieillit(nomHandOver(2));
    transfere();
    EXPECT_EQ(ui.choixDemandes, 3);
    EXPECT_EQ(transfert->nfRegAC, nomHandOver(3));
    ASSERT_TRUE(factices->attendsDemarrages(4));
}

TEST_F(Transfert, WithoutRegressiRunningEveryTransferIsANewDocument)
{
    optionTransfertREGRESSI = 1;
    transfert->chercheRegressi();
    const std::string autre = TFactices::copieRegressi(base + "/bin/regressi-linux");
    ui.reponseProgramme = QString::fromStdString(autre);
    // After a frame acquisition the counter starts again from -1.
    transfert->numFichierTR = -1;
    transfere();
    transfere();
    ASSERT_TRUE(factices->attendsDemarrages(2));
    EXPECT_EQ(factices->demarrages()[0], (Champs {dossierDocuments, nomHandOver(0)}));
    EXPECT_EQ(factices->demarrages()[1], (Champs {dossierDocuments, nomHandOver(1)}));
    EXPECT_EQ(contenu(nomHandOver(0)), contenu(nomHandOver(1)));
}

TEST_F(Transfert, ANameAlreadyTakenIsNeverReplaced)
{
    std::ofstream(nomHandOver(1)) << "fichier de l'utilisateur";
    transfere();
    EXPECT_EQ(contenu(nomHandOver(1)), QByteArray("fichier de l'utilisateur"));
    EXPECT_EQ(transfert->nfRegAC, nomHandOver(2));
    EXPECT_EQ(transfert->numFichierTR, 2);
    EXPECT_EQ(contenu(nomHandOver(2)), octetsWindows1252(prepareSL(source, true).SL));
}

TEST_F(Transfert, NothingBetweenTheGreenCursorsEndsTheCommandWithItsMessage)
{
    const double t0s[] = {0.01, 0.02};
    for (const double t0 : t0s) {
        courbes.t0 = t0;
        transfere();
    }
    EXPECT_EQ(ui.informations,
              QStringList(2, QString::fromUtf8("Il n'y a pas de valeurs dans l'intervalle de temps retenu entre les "
                                               "deux curseurs verts ! \n\rLe transfert est donc inutile. ")));
    EXPECT_TRUE(ui.attentes.isEmpty());
    EXPECT_TRUE(ui.demandesProgramme.isEmpty());
    EXPECT_TRUE(fs::is_empty(dossierDocuments));
    EXPECT_EQ(transfert->EnteteGrandeursREG, "");
    EXPECT_EQ(transfert->numFichierTR, 0);
}

TEST_F(Transfert, AFileThatCannotBeWrittenIsReportedAndChangesNothing)
{
    transfert->chercheRegressi();
    // A documents "folder" that is a file: no user can write into it.
    dossierDocuments = base + "/home/pas-un-dossier";
    std::ofstream(dossierDocuments) << "";
    ui.reponseProgramme = QString::fromStdString(TFactices::copieRegressi(base + "/bin/autre-programme"));
    transfere();
    ASSERT_EQ(ui.avertissements.size(), 1);
    EXPECT_TRUE(ui.avertissements[0].startsWith(QStringLiteral("Impossible d'enregistrer le fichier \"")
                                                + QString::fromStdString(dossierDocuments + "/Acquisition GV")));
    EXPECT_EQ(transfert->numFichierTR, 0);
    EXPECT_EQ(transfert->nfRegAC, "");
    EXPECT_EQ(transfert->EnteteGrandeursREG, "");
    EXPECT_TRUE(aSupprimer.empty());
    EXPECT_TRUE(ui.demandesProgramme.isEmpty());
    EXPECT_EQ(ui.attentes, (QList<bool> {true, false}));
}

TEST_F(Transfert, AChosenProgramThatCannotStartDisablesTheTransferUntilARegressiIsChosenAgain)
{
    transfert->chercheRegressi();
    // A file that is no program (not executable): the system refuses it.
    std::ofstream(base + "/Regressi") << "pas un programme";
    ui.reponseProgramme = QString::fromStdString(base + "/Regressi");
    transfere();
    EXPECT_EQ(ui.informations, QStringList {kIntrouvable});
    EXPECT_EQ(ui.desactivations, 1);
    EXPECT_FALSE(transfert->transfertPossible());
    EXPECT_EQ(cheminREGRESSINonDefautX, "");
    EXPECT_EQ(transfert->cheminRegressiUt, "");
    EXPECT_EQ(ui.attentes, (QList<bool> {true, false}));

    // The options choose a REGRESSI: the transfer works again, without asking.
    EXPECT_FALSE(transfert->appliqueChoixRegressi(false, base + "/absent/REGRESSI.EXE"));
    EXPECT_FALSE(transfert->transfertPossible());
    const std::string regressi = TFactices::copieRegressi(base + "/Programmes/REGRESSI.EXE");
    EXPECT_TRUE(transfert->appliqueChoixRegressi(false, regressi));
    EXPECT_TRUE(transfert->transfertPossible());
    EXPECT_EQ(cheminREGRESSINonDefautX, regressi);
    transfere();
    ASSERT_TRUE(factices->attendsDemarrages(1));
    EXPECT_EQ(ui.demandesProgramme.size(), 1);
    EXPECT_EQ(ui.informations.size(), 1);
}

TEST_F(Transfert, ARegressiThatCannotStartAnyMoreIsReported)
{
    premierTransfertRegressiStandard();
    EXPECT_TRUE(ui.informations.isEmpty());
    // Wine removed: the standard REGRESSI cannot start on the next transfer.
    factices->avecWine(false);
    transfere();
    EXPECT_EQ(ui.informations, QStringList {kIntrouvable});
    EXPECT_FALSE(transfert->transfertPossible());
    EXPECT_EQ(transfert->cheminRegressiUt, "");
}

TEST_F(Transfert, AStandardRegressiThatCannotStartTheFirstTimeIsReportedToo)
{
    installeRegressiStandard();
    transfert->chercheRegressi();
    factices->avecWine(false);
    transfere();
    EXPECT_EQ(ui.informations, QStringList {kIntrouvable});
    EXPECT_EQ(ui.desactivations, 1);
    EXPECT_TRUE(ui.demandesProgramme.isEmpty());
    // The standard one is given back by the options' "par défaut".
    EXPECT_TRUE(transfert->appliqueChoixRegressi(true, ""));
    EXPECT_TRUE(versionRegressiDefaut);
    EXPECT_TRUE(transfert->transfertPossible());
}

TEST_F(Transfert, RegressiOpensTheFileWithoutRecoveryAndWithSixDigitsWhenItsValuesExist)
{
    installeRegressiStandard();
    transfert->chercheRegressi();
    testgv::ecritRegistre(factices->registre, {{kCleSauvegardeRegressi, {{"Arecuperer", "1"}}},
                                               {kCleFormatRegressi, {{"autre", "x"}}}});
    transfere();
    testgv::TContenuRegistre attendu = {{kCleSauvegardeRegressi, {{"Arecuperer", "0"}}},
                                        {kCleFormatRegressi, {{"autre", "x"}}}};
    EXPECT_EQ(testgv::litRegistre(factices->registre), attendu);

    testgv::ecritRegistre(factices->registre, {{kCleFormatRegressi, {{"chiffres", "4"}}}});
    transfere();
    attendu = {{kCleFormatRegressi, {{"chiffres", "6"}}}};
    EXPECT_EQ(testgv::litRegistre(factices->registre), attendu);
    ASSERT_TRUE(factices->attendsDemarrages(2));
}

TEST_F(Transfert, DeclarationTakesTheFirstFreePlaceOfSix)
{
    const std::string moi = "Z:\\usr\\bin\\galvora";
    const TRegistreFichierValeurs autres = {{"0", "C:\\A.exe"}, {"1", "C:\\B.exe"}, {"2", "C:\\C.exe"},
                                            {"3", "C:\\D.exe"}, {"4", "C:\\E.exe"}, {"5", "C:\\F.exe"}};
    struct Cas {
        const char* nom;
        TRegistreFichierValeurs avant;
        TRegistreFichierValeurs apres;
    };
    auto avec = [&](std::initializer_list<std::pair<const std::string, std::string>> changes, bool enleve = false) {
        TRegistreFichierValeurs valeurs = autres;
        for (const auto& [nom, valeur] : changes) {
            if (enleve)
                valeurs.erase(nom);
            else
                valeurs[nom] = valeur;
        }
        return valeurs;
    };
    const Cas cas[] = {
        {"six places taken", autres, autres},
        {"a missing value", avec({{"3", ""}}, true), avec({{"3", moi}})},
        {"an empty value", avec({{"1", ""}}), avec({{"1", moi}})},
        {"already declared, other case", avec({{"4", "z:\\USR\\bin\\GALVORA"}}), avec({{"4", "z:\\USR\\bin\\GALVORA"}})},
        {"a seventh value does not count", avec({{"6", ""}}), avec({{"6", ""}})},
        {"empty key", {}, {{"0", moi}}},
    };
    // The test registry, and the Wine registry through the stand-in Wine:
    // both read the same file.
    installeRegressiStandard();
    for (const bool parWine : {false, true}) {
        for (const Cas& c : cas) {
            testgv::ecritRegistre(factices->registre, {{kCleAcquisitionRegressi, c.avant}});
            std::unique_ptr<plateforme::TRegistreUtilisateur> registre =
                parWine ? plateforme::registreWine() : std::make_unique<testgv::TRegistreFichier>(factices->registre);
            TTransfertRegressi declaration({versionRegressiDefaut, cheminREGRESSINonDefautX, optionTransfertREGRESSI,
                                            dossierDocuments, aSupprimer},
                                           std::move(registre));
            declaration.declareProgramme("/usr/bin/galvora");
            const testgv::TContenuRegistre attendu = {{kCleAcquisitionRegressi, c.apres}};
            EXPECT_EQ(testgv::litRegistre(factices->registre), attendu) << c.nom << (parWine ? " (Wine)" : "");
        }
        // No key: nothing is created.
        testgv::ecritRegistre(factices->registre, {});
        TTransfertRegressi declaration({versionRegressiDefaut, cheminREGRESSINonDefautX, optionTransfertREGRESSI,
                                        dossierDocuments, aSupprimer},
                                       parWine ? plateforme::registreWine()
                                               : std::make_unique<testgv::TRegistreFichier>(factices->registre));
        declaration.declareProgramme("/usr/bin/galvora");
        EXPECT_TRUE(testgv::litRegistre(factices->registre).empty());
    }
    EXPECT_FALSE(factices->appelsWine().empty());
}

TEST_F(Transfert, FindingRegressiAtStartUp)
{
    const std::string standard = base + "/home/.wine/drive_c/Program Files/Evariste/Regressi/regressi.exe";
    const std::string jumeau = base + "/home/.wine/drive_c/Program Files (x86)/evariste/REGRESSI/Regressi.exe";
    const std::string ailleurs = base + "/ailleurs/REGRESSI.EXE";
    const std::string autre = base + "/ailleurs/autre.exe";
    struct Cas {
        const char* nom;
        Champs installes;
        bool versionDefaut;
        std::string nonDefaut;
        std::string officiel, utilise, nonDefautApres;
        bool versionDefautApres;
    };
    const Cas cas[] = {
        {"standard", {standard}, true, "", standard, standard, "", true},
        {"standard in the 32-bit twin, other case", {jumeau}, true, "", jumeau, jumeau, "", true},
        {"standard missing", {}, true, "", "", "", "", false},
        {"another place", {ailleurs}, false, ailleurs, "", ailleurs, ailleurs, false},
        {"another place, not REGRESSI", {autre}, false, autre, "", "", "", false},
        {"another place, gone", {}, false, ailleurs, "", "", "", false},
        {"another place beside the standard", {ailleurs, standard}, false, ailleurs, standard, ailleurs, ailleurs, false},
    };
    for (const Cas& c : cas) {
        fs::remove_all(base + "/home/.wine");
        fs::remove_all(base + "/ailleurs");
        for (const std::string& chemin : c.installes)
            TFactices::copieRegressi(chemin);
        versionRegressiDefaut = c.versionDefaut;
        cheminREGRESSINonDefautX = c.nonDefaut;
        transfert->cheminRegressiUt = "reste d'avant";
        transfert->chercheRegressi();
        EXPECT_EQ(transfert->cheminOfficielREGRESSI, c.officiel) << c.nom;
        EXPECT_EQ(transfert->cheminRegressiUt, c.utilise) << c.nom;
        EXPECT_EQ(cheminREGRESSINonDefautX, c.nonDefautApres) << c.nom;
        EXPECT_EQ(versionRegressiDefaut, c.versionDefautApres) << c.nom;
    }
}
