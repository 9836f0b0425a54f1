// The preferences kept between runs, and the temporary files cleaned at exit.
#include "app/ReglagesGV.h"
#include "platform/Systeme.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <filesystem>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;
using namespace gv;

namespace {

class Reglages : public ::testing::Test {
protected:
    void SetUp() override
    {
        dossier = fs::temp_directory_path() / ("reglages-" + std::to_string(::getpid()));
        fs::remove_all(dossier);
        fs::create_directories(dossier);
        fichier = QString::fromStdString((dossier / "Galvora.conf").string());
    }
    void TearDown() override { fs::remove_all(dossier); }
    std::unique_ptr<QSettings> stockage() { return std::make_unique<QSettings>(fichier, QSettings::IniFormat); }
    TReglagesGV lus()
    {
        TReglagesGV r;
        auto s = stockage();
        litReglages(*s, r);
        return r;
    }
    fs::path dossier;
    QString fichier;
};

TEST(CouleursDefaut, DeuxCouleursAssombriesDe30PourCent)
{
    const TCouleursVoies c = couleursDefaut();
    EXPECT_EQ(c[0], 0x02000090u);
    EXPECT_EQ(c[2], 28u * 65536 + 120u * 256 + 36u); // 52, 171, 40 darkened: 36, 120, 28
    EXPECT_EQ(c[6], 94u * 65536 + 178u * 256 + 131u);
    EXPECT_EQ(c[7], 0x02363636u);
}

TEST_F(Reglages, CleAbsenteDonneLesValeursParDefaut)
{
    const TReglagesGV r = lus();
    EXPECT_EQ(r.typeDERNCentraleUtilisee, 0);
    EXPECT_EQ(r.nbUtilisations, 0);
    EXPECT_DOUBLE_EQ(r.DureeTotaleDFT, 0.02);
    EXPECT_EQ(r.NbPtsDFT, 1001);
    EXPECT_TRUE(r.versionRegressiDefaut);
    EXPECT_EQ(r.OptionCouleursRegressi, 1);
    EXPECT_EQ(r.tMaxPretrigDispo, 5.0L);
    EXPECT_EQ(r.clsVX, couleursDefaut());
}

TEST_F(Reglages, ValeurAbsenteDUneCleExistante)
{
    {
        auto s = stockage();
        s->setValue(QStringLiteral("Nombre d'utilisations"), 7);
        s->setValue(QStringLiteral("Interface utilisée"), QStringLiteral("SYSAM CAMPUS"));
    }
    const TReglagesGV r = lus();
    EXPECT_EQ(r.nbUtilisations, 7);
    EXPECT_EQ(r.typeDERNCentraleUtilisee, 3);
    // The only value whose two defaults differ.
    EXPECT_EQ(r.OptionCouleursRegressi, 0);
    EXPECT_DOUBLE_EQ(r.DureeTotaleDFT, 0.02);
    EXPECT_EQ(r.NbPtsDFT, 1001);
}

TEST_F(Reglages, EcritureEtRelecture)
{
    TReglagesGV r = lus();
    r.nbUtilisations = 3;
    r.DureeTotaleDFT = 1.5e-3;
    r.NbPtsDFT = 20001;
    r.tMaxPretrigDispo = 2.0L;
    r.optionTransfertREGRESSI = 1;
    r.optionTransfertEXCEL = 3;
    r.optionTransfertOOo = 1;
    r.OptionCouleursRegressi = 0;
    // A non-default REGRESSI is kept only while its file exists.
    const std::string regressi = (dossier / "REGRESSI.EXE").string();
    std::ofstream(regressi) << "x";
    r.versionRegressiDefaut = false;
    r.cheminREGRESSINonDefautX = regressi;
    {
        auto s = stockage();
        ecritReglages(*s, r);
    }
    TReglagesGV relus = lus();
    EXPECT_EQ(relus.nbUtilisations, 3);
    EXPECT_DOUBLE_EQ(relus.DureeTotaleDFT, 1.5e-3);
    EXPECT_EQ(relus.NbPtsDFT, 20001);
    EXPECT_EQ(relus.tMaxPretrigDispo, 2.0L);
    EXPECT_EQ(relus.optionTransfertREGRESSI, 1);
    EXPECT_EQ(relus.optionTransfertEXCEL, 3);
    EXPECT_EQ(relus.optionTransfertOOo, 1);
    EXPECT_EQ(relus.OptionCouleursRegressi, 0);
    EXPECT_FALSE(relus.versionRegressiDefaut);
    EXPECT_EQ(relus.cheminREGRESSINonDefautX, regressi);
    fs::remove(regressi);
    EXPECT_EQ(lus().cheminREGRESSINonDefautX, "");
    // "Interface utilisée" is never written.
    EXPECT_FALSE(stockage()->contains(QStringLiteral("Interface utilisée")));
}

TEST_F(Reglages, CouleursEcritesSeulementAvecEnregistrerCouleurs)
{
    TReglagesGV r = lus();
    r.clsVX[1] = 0x00123456;
    {
        auto s = stockage();
        ecritReglages(*s, r);
    }
    EXPECT_EQ(lus().clsVX, couleursDefaut());
    r.enregistrerCouleurs = true;
    {
        auto s = stockage();
        ecritReglages(*s, r);
    }
    TCouleursVoies attendues = couleursDefaut();
    attendues[1] = 0x00123456;
    EXPECT_EQ(lus().clsVX, attendues);
    EXPECT_EQ(lus().clsV0, couleursDefaut());
}

TEST_F(Reglages, FichiersTemporairesSupprimesSaufSiModifies)
{
    const std::string intact = (dossier / "Acquisition GV-1.rw3").string();
    const std::string resauve = (dossier / "Acquisition GV-2.rw3").string();
    const std::string disparu = (dossier / "Acquisition GV-3.rw3").string();
    const std::string indestructible = (dossier / "occupe").string();
    for (const std::string& f : {intact, resauve, disparu})
        std::ofstream(f) << "x";
    fs::create_directories(indestructible + "/contenu");
    std::vector<std::string> aSupprimer;
    for (const std::string& f : {intact, resauve, disparu, indestructible})
        aSupprimer.push_back(entreeFichierTemporaire(f));
    aSupprimer.push_back("entrée sans séparateur");
    // Saved again by the user: another date.
    fs::last_write_time(resauve, fs::last_write_time(resauve) + std::chrono::seconds(5));
    fs::remove(disparu);

    const std::vector<std::string> aMemoriser = supprimeFichiersTemporaires(aSupprimer);
    EXPECT_FALSE(fs::exists(intact));
    EXPECT_TRUE(fs::exists(resauve));
    ASSERT_EQ(aMemoriser.size(), 1u);
    EXPECT_EQ(aMemoriser[0], aSupprimer[3]);

    const std::string par = (dossier / "galvora.par").string();
    ecritFichierTemporairesGV(par, aMemoriser);
    std::ifstream lu(par, std::ios::binary);
    const std::string contenu((std::istreambuf_iterator<char>(lu)), std::istreambuf_iterator<char>());
    EXPECT_EQ(contenu, aSupprimer[3] + "\r\n");
    ecritFichierTemporairesGV(par, {});
    EXPECT_FALSE(fs::exists(par));
}

} // namespace
