#include "DialoguesScriptes.h"
#include "export/CommandeEnregistrementRW3.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Enregistrement : ::testing::Test {
    TMesures mesures;
    TSourceRegressi source;
    TEtatEnregistrement etat;
    DialoguesScriptes dialogues;
    QTemporaryDir dossier;

    void SetUp() override
    {
        mesures.tv2 = { { 0, 1, 2 } };
        mesures.voiesMesurees.resize(1);
        mesures.voiesMesurees[0].sEnteteVM = "u[0_M]";
        mesures.nbVoiesMesurees = 1;
        mesures.dtAX = 0.5;
        mesures.nbPtsAX = 3;
        mesures.dureeTotaleAX = 1.0;
        source.mesures = &mesures;
        source.nomCentrale = QStringLiteral("SIMULATION SP5");
        mesures.tFin = 1.0;
        source.heureAcq = source.maintenant = QDateTime(QDate(2026, 3, 2), QTime(10, 0, 0));
        source.locale = QLocale(QLocale::French, QLocale::France);
    }
    QByteArray contenu(const QString& nom)
    {
        QFile f(dossier.filePath(nom));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

} // namespace

TEST_F(Enregistrement, ProposesANameAndSavesWithTheRw3Extension)
{
    dialogues.reponseNom = dossier.filePath(QStringLiteral("essai.old.txt"));
    EXPECT_TRUE(enregistreRegressi(source, etat, dialogues));
    EXPECT_EQ(dialogues.proposes, QStringList { QStringLiteral("Galvora 001") });
    EXPECT_EQ(dialogues.titres[0], QStringLiteral("Enregistrement au format Regressi Win"));
    EXPECT_EQ(dialogues.filtres[0], QStringLiteral("Fichiers Regressi Windows (*.rw3)|*.rw3"));
    EXPECT_EQ(etat.nomFichierREG, dossier.filePath(QStringLiteral("essai.rw3")));
    EXPECT_TRUE(contenu(QStringLiteral("essai.rw3")).startsWith("EVARISTE REGRESSI WINDOWS 1.0\r\n"));
    EXPECT_TRUE(contenu(QStringLiteral("essai.rw3")).contains("\r\n0.5 1\r\n1 2\r\n"));
    EXPECT_EQ(dialogues.attentes, (QList<bool> { true, false }));

    // Saving again onto it: replacing is asked; "No" gives the number back.
    dialogues.reponseOui = false;
    EXPECT_FALSE(enregistreRegressi(source, etat, dialogues));
    EXPECT_EQ(dialogues.questions.last(),
              QStringLiteral("Le fichier \"") + dossier.filePath(QStringLiteral("essai.rw3"))
                  + QStringLiteral("\" existe déjà. Faut-il le remplacer ?"));
    EXPECT_EQ(etat.numAcqDef, 1);
    // Cancelling the dialog keeps the counter incremented.
    dialogues.reponseNom.clear();
    EXPECT_FALSE(enregistreRegressi(source, etat, dialogues));
    EXPECT_EQ(etat.numAcqDef, 2);
    EXPECT_EQ(dialogues.proposes.last(), QStringLiteral("Galvora 002"));
}

TEST_F(Enregistrement, NothingBetweenTheCursorsOrAFailedWrite)
{
    mesures.t0 = 1.0;
    EXPECT_FALSE(enregistreRegressi(source, etat, dialogues));
    EXPECT_TRUE(dialogues.informations[0].startsWith(QStringLiteral("Il n'y a pas de valeurs dans l'intervalle")));
    EXPECT_TRUE(dialogues.proposes.isEmpty());

    mesures.t0 = 0;
    etat.nomFichierREG = QStringLiteral("precedent.rw3");
    dialogues.reponseNom = dossier.filePath(QStringLiteral("absent/mesure"));
    EXPECT_FALSE(enregistreRegressi(source, etat, dialogues));
    ASSERT_EQ(dialogues.avertissements.size(), 1);
    EXPECT_EQ(etat.numAcqDef, 0);
    EXPECT_EQ(etat.nomFichierREG, QStringLiteral("precedent.rw3"));
    EXPECT_EQ(dialogues.attentes, (QList<bool> { true, false }));
}
