// The text file of the measurements, read back byte for byte, and its save
// command sharing the REGRESSI save's name counter.
#include "DialoguesScriptes.h"
#include "export/CommandeEnregistrementTXT.h"
#include "export/FluxTexteWindows.h"
#include "MesuresExemple.h"
#include "mesures/TMesures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A column of the file: the text and spaces up to 15 characters.
std::string col(const std::string& texte)
{
    return texte.size() >= 15 ? texte : texte + std::string(15 - texte.size(), ' ');
}

struct TexteTXT : ::testing::Test {
    TMesures mesures;
    TSourceTexte source;
    QTemporaryDir dossier;

    void SetUp() override
    {
        mesures = mesuresExemple();
        source.mesures = &mesures;
        source.versionProgramme = QStringLiteral("0.1.0.0");
        source.nomCentrale = QStringLiteral("SYSAM SP5");
        source.heureAcq = heureAcqExemple;
        source.locale = QLocale(QLocale::French, QLocale::France);
    }

    QByteArray ecrit()
    {
        const QString chemin = dossier.filePath(QStringLiteral("m.txt"));
        QString erreur;
        EXPECT_TRUE(EnregistrerTXT(source, chemin, &erreur)) << erreur.toStdString();
        QFile f(chemin);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // The lines of the file, CR LF taken off (each must have one).
    std::vector<std::string> lignes()
    {
        const QByteArray octets = ecrit();
        std::vector<std::string> resultat;
        qsizetype debut = 0;
        while (debut < octets.size()) {
            const qsizetype fin = octets.indexOf("\r\n", debut);
            EXPECT_GE(fin, 0) << "line without CR LF";
            if (fin < 0)
                break;
            resultat.emplace_back(octets.constData() + debut, std::size_t(fin - debut));
            debut = fin + 2;
        }
        return resultat;
    }
};

} // namespace

TEST_F(TexteTXT, WholeFileInFixedColumns)
{
    const std::vector<std::string> attendu = {
        col("Galvora - 0.1.0.0"),
        "",
        // Windows-1252: é is E9, à is E0.
        "Mesures r\xE9" "alis\xE9" "es avec l'interface SYSAM SP5 le 08/12/2025 \xE0 14:03:27",
        "",
        col("t(s)") + col("u[EA0](V)") + col("u[EA1](V)"),
        "",
        // G6 with "." although the user's separator is ",".
        col("0") + col("0") + col("-1.25"),
        col("0.0025") + col("0.5") + col("-1.25"),
        col("0.005") + col("1") + col("-1.25"),
        col("0.0075") + col("1.5") + col("-1.25"),
        col("0.01") + col("2") + col("-1.25"),
    };
    EXPECT_EQ(lignes(), attendu);
}

TEST_F(TexteTXT, OneCurveColumnLine)
{
    mesures.tv2.resize(1);
    mesures.voiesMesurees.resize(1);
    mesures.nbVoiesMesurees = 1;
    const std::vector<std::string> l = lignes();
    ASSERT_GE(l.size(), 7u);
    EXPECT_EQ(l[4], "t(s)           u[EA0](V)      ");
    EXPECT_EQ(l[6], "0              0              ");
}

// "t = 0" a little after a sample: that sample, 0.4 × dtAX before it, is at 0;
// moved by a whole sample, the data start with it without a gap.
TEST_F(TexteTXT, TimesCountFromTheCursor)
{
    mesures.t0 = 0.4 * mesures.dtAX;
    std::vector<std::string> l = lignes();
    ASSERT_EQ(l.size(), 11u);
    EXPECT_EQ(l[6].substr(0, 15), col("0"));
    EXPECT_EQ(l[7].substr(0, 15), col("0.0015"));

    mesures.t0 = 0.0025;
    l = lignes();
    ASSERT_EQ(l.size(), 6u + 4u);
    EXPECT_EQ(l[6], col("0") + col("0.5") + col("-1.25"));
    EXPECT_EQ(l[9], col("0.0075") + col("2") + col("-1.25"));
}

TEST_F(TexteTXT, SmallNumbersLongNamesAndMissingSamples)
{
    mesures.tv2[1][1] = -0.0000123f;
    mesures.voiesMesurees[0].sEnteteVM = "u[EA0] filtrée";
    // A curve kept from a shorter record: no sample after its end.
    mesures.tv2[1].resize(3);
    const std::vector<std::string> l = lignes();
    ASSERT_EQ(l.size(), 11u);
    // A name longer than the column keeps all its characters.
    EXPECT_EQ(l[4], col("t(s)") + "u[EA0] filtr\xE9" "e(V)" + col("u[EA1](V)"));
    EXPECT_EQ(l[7], col("0.0025") + col("0.5") + col("-1.23E-005"));
    EXPECT_EQ(l[10], col("0.01") + col("2") + col(""));
}

TEST_F(TexteTXT, EndCursorBeyondTheRecord)
{
    mesures.tFin = 1.0;
    EXPECT_EQ(lignes().size(), 11u);
    // The first curve holds fewer samples than the points shown.
    mesures.tv2[0].resize(4);
    mesures.tv2[1].resize(4);
    EXPECT_EQ(lignes().size(), 10u);
}

// A write abandoned half way leaves the file that was there.
TEST(FluxTexteWindows, AbandonedWriteKeepsTheOldFile)
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("m.txt"));
    {
        TFluxTexteWindows flux(chemin);
        ASSERT_TRUE(flux.ouvre());
        flux.ligne(QStringLiteral("ancien"));
        ASSERT_TRUE(flux.termine());
    }
    {
        TFluxTexteWindows flux(chemin);
        ASSERT_TRUE(flux.ouvre());
        for (int i = 0; i < 100000; ++i) {
            char* p = flux.place(10);
            flux.finLigne(std::copy_n("0123456789", 10, p));
        }
    }
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("ancien\r\n"));
    EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files), QStringList { QStringLiteral("m.txt") });
}

namespace {
struct CommandeTexte : TexteTXT {
    TEtatEnregistrement etat;
    DialoguesScriptes dialogues;
};
} // namespace

TEST_F(CommandeTexte, SharesTheCounterAndKeepsItsOwnName)
{
    etat.numAcqDef = 1; // a REGRESSI file was proposed before
    etat.nomFichierREG = QStringLiteral("mesure.rw3");
    dialogues.reponseNom = dossier.filePath(QStringLiteral("essai.old.rw3"));
    EXPECT_TRUE(enregistreTexte(source, etat, dialogues));
    EXPECT_EQ(dialogues.proposes, QStringList { QStringLiteral("Galvora 002") });
    EXPECT_EQ(dialogues.titres[0], QStringLiteral("Enregistrement au format texte"));
    EXPECT_EQ(dialogues.filtres[0], QStringLiteral("Fichiers texte (*.txt)|*.txt"));
    EXPECT_EQ(etat.nomfichierTXT, dossier.filePath(QStringLiteral("essai.txt")));
    EXPECT_EQ(etat.nomFichierREG, QStringLiteral("mesure.rw3"));
    EXPECT_EQ(dialogues.attentes, (QList<bool> { true, false }));
    // Read afresh each time: a replaced file is a new file.
    const auto contenu = [&] {
        QFile f(etat.nomfichierTXT);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    EXPECT_TRUE(contenu().startsWith("Galvora - 0.1.0.0\r\n\r\nMesures r\xE9"));

    // Onto the same file: "No" gives the number back and writes nothing.
    dialogues.reponseOui = false;
    mesures.tv2[0][0] = 7;
    EXPECT_FALSE(enregistreTexte(source, etat, dialogues));
    EXPECT_EQ(dialogues.questions.last(), QStringLiteral("Le fichier \"") + etat.nomfichierTXT
                                              + QStringLiteral("\" existe déjà. Faut-il le remplacer ?"));
    EXPECT_EQ(etat.numAcqDef, 2);
    EXPECT_FALSE(contenu().contains("\r\n0              7  "));
    // "Yes" replaces it.
    dialogues.reponseOui = true;
    EXPECT_TRUE(enregistreTexte(source, etat, dialogues));
    EXPECT_TRUE(contenu().contains("\r\n0              7              -1.25          \r\n"));
    EXPECT_EQ(etat.numAcqDef, 3);
}

TEST_F(CommandeTexte, NothingBetweenTheCursorsOrAFailedWrite)
{
    mesures.t0 = mesures.dureeTotaleAX;
    EXPECT_FALSE(enregistreTexte(source, etat, dialogues));
    EXPECT_EQ(dialogues.informations,
              QStringList { QStringLiteral("Il n'y a pas de valeurs dans l'intervalle de temps retenu entre les deux "
                                           "curseurs verts ! \n\rL'enregistrement est donc inutile. ") });
    EXPECT_TRUE(dialogues.proposes.isEmpty());
    EXPECT_EQ(etat.numAcqDef, 0);

    mesures.t0 = 0;
    etat.nomfichierTXT = QStringLiteral("precedent.txt");
    dialogues.reponseNom = dossier.filePath(QStringLiteral("absent/mesure"));
    EXPECT_FALSE(enregistreTexte(source, etat, dialogues));
    ASSERT_EQ(dialogues.avertissements.size(), 1);
    EXPECT_TRUE(dialogues.avertissements[0].contains(dossier.filePath(QStringLiteral("absent/mesure.txt"))));
    EXPECT_EQ(etat.numAcqDef, 0);
    EXPECT_EQ(etat.nomfichierTXT, QStringLiteral("precedent.txt"));
}
