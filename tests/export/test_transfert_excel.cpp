// The Excel transfer as a workbook: written, read back with openpyxl (as a
// spreadsheet program reads it), and the choice between a new workbook and a
// new sheet in the last one, with its fallback when the file changed.
#include "app/Messages.h"
#include "export/ClasseurExcel.h"
#include "export/TFicheGVMixteChoixTE.h"
#include "export/TransfertExcel.h"
#include "model/UniteBaseChaines.h"
#include "MesuresExemple.h"
#include "mesures/TMesures.h"
#include "platform/Systeme.h"
#include "tests/platform/DisquePlein.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct HoteScripte : THoteTransfertExcel {
    QStringList journal;
    int choix = 0;
    int nbChoix = 0;
    std::vector<int> progressions;
    int etat = 2;      // the window's general state
    int etatVu = -1;   // during the transfer

    void debutTransfert() override
    {
        journal << QStringLiteral("debut");
        etatVu = etat;
        etat = 7;
    }
    void message(const QString& texte) override { journal << QStringLiteral("message:") + texte; }
    void progression(int pourcent) override { progressions.push_back(pourcent); }
    void finTransfert() override
    {
        journal << QStringLiteral("fin");
        etat = etatVu;
    }
    void information(const QString& texte) override { journal << QStringLiteral("information:") + texte; }
    void avertissement(const QString& texte) override { journal << QStringLiteral("avertissement:") + texte; }
    int choixClasseurOuFeuille() override
    {
        ++nbChoix;
        journal << QStringLiteral("choix");
        return choix;
    }
};

struct OuvreurScripte : TOuvreurDocuments {
    QStringList ouverts;
    bool reussit = true;
    bool ouvre(const QString& chemin) override
    {
        ouverts << chemin;
        return reussit;
    }
};

// The workbook as read back by the script.
QJsonObject litClasseur(const QString& chemin)
{
    QProcess lecteur;
    lecteur.start(QStringLiteral(GALVORA_PYTHON3), {QStringLiteral(GALVORA_LIT_CLASSEUR), chemin});
    EXPECT_TRUE(lecteur.waitForFinished(60000));
    EXPECT_EQ(lecteur.exitCode(), 0) << lecteur.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(lecteur.readAllStandardOutput()).object();
}

QJsonArray feuilles(const QString& chemin)
{
    return litClasseur(chemin).value(QStringLiteral("feuilles")).toArray();
}

QJsonObject cellule(const QJsonObject& feuille, const char* nom)
{
    return feuille.value(QStringLiteral("cellules")).toObject().value(QString::fromLatin1(nom)).toObject();
}

QJsonValue valeur(const QJsonObject& feuille, const char* nom)
{
    return cellule(feuille, nom).value(QStringLiteral("valeur"));
}

std::string date(const QString& chemin)
{
    return plateforme::dateHeureFichier(QFile::encodeName(chemin).toStdString());
}

struct Transfert : ::testing::Test {
    TMesures mesures;
    TSourceClasseur source;
    TEtatTransfertExcel etat;
    std::vector<std::string> aSupprimer;
    HoteScripte hote;
    OuvreurScripte ouvreur;
    QTemporaryDir documents;

    void SetUp() override
    {
        mesures = mesuresExemple();
        source.mesures = &mesures;
        source.nomCentrale = QStringLiteral("SYSAM SP5");
        source.heureAcq = heureAcqExemple;
        source.sDateAcq0 = QStringLiteral("08 déc. 25 - 14h 03mn");
        source.sdateAcqX = QStringLiteral("08 déc. 25 - 14h 03mn 27s");
        source.locale = QLocale(QLocale::French, QLocale::France);
        setSeparateurDecimal(',');
    }

    void TearDown() override { setSeparateurDecimal('.'); }

    bool transfere(int option)
    {
        return TransfertExcel(source, option, documents.path(), etat, aSupprimer, hote, ouvreur);
    }

    QString classeur(int numero) const
    {
        return documents.filePath(QStringLiteral("Acquisition GV vers EXCEL08 déc. 25 - 14h 03mn 27s-%1.xlsx")
                                      .arg(numero));
    }

    // New measurements, as after another acquisition.
    void autresMesures()
    {
        mesures.tv2 = { { 3, 3, 3 } };
        mesures.voiesMesurees = { courbe("u[EA2]") };
        mesures.nbVoiesMesurees = 1;
        mesures.nbPtsAX = 3;
        mesures.tFin = 0.005;
        source.sDateAcq0 = QStringLiteral("09 déc. 25 - 10h 00mn");
    }

    // The file changed since the transfer wrote it, as when the user saves it.
    void modifieSurDisque(const QString& chemin)
    {
        QFile f(chemin);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    }
};

// One sheet read back whole: two curves, French settings.
TEST_F(Transfert, NewWorkbookReadBack)
{
    ASSERT_TRUE(transfere(0));
    const QString chemin = classeur(1);
    ASSERT_TRUE(QFileInfo::exists(chemin));
    EXPECT_EQ(ouvreur.ouverts, QStringList { chemin });
    EXPECT_EQ(aSupprimer, std::vector<std::string> { QFile::encodeName(chemin).toStdString() + "||" + date(chemin) });
    EXPECT_EQ(etat.numFichierTE, 1);
    // Readable as any file the user makes, not private as a temporary file.
    QFile temoin(documents.filePath(QStringLiteral("temoin")));
    ASSERT_TRUE(temoin.open(QIODevice::WriteOnly));
    EXPECT_EQ(QFileInfo(chemin).permissions(), temoin.permissions());
    EXPECT_EQ(hote.journal, (QStringList { QStringLiteral("debut"), QStringLiteral("message:Transfert vers Excel en cours..."),
                                           QStringLiteral("message:Transfert vers EXCEL terminé "), QStringLiteral("fin") }));
    EXPECT_EQ(hote.etatVu, 2);
    EXPECT_EQ(hote.etat, 2);
    ASSERT_FALSE(hote.progressions.empty());
    EXPECT_EQ(hote.progressions.front(), 0);
    EXPECT_EQ(hote.progressions.back(), 100);

    const QJsonArray f = feuilles(chemin);
    ASSERT_EQ(f.size(), 1);
    const QJsonObject s = f[0].toObject();
    // The sheet's name at the 31 characters a spreadsheet accepts.
    EXPECT_EQ(s.value(QStringLiteral("nom")).toString(), QStringLiteral("Mesures du 08 déc. 25 - 14h 03m"));
    EXPECT_EQ(s.value(QStringLiteral("fusions")).toArray(), (QJsonArray { "A1:F1", "A2:F2" }));
    EXPECT_EQ(valeur(s, "A1").toString(),
              QStringLiteral("Mesures réalisées avec l'interface SYSAM SP5 le 08/12/2025 à 14:03:27"));
    EXPECT_EQ(valeur(s, "A2").toString(), QStringLiteral("5 points répartis sur 10,00 ms   2 séries mesurées "));
    for (const char* nom : { "A1", "A2" }) {
        EXPECT_TRUE(cellule(s, nom).value(QStringLiteral("gras")).toBool()) << nom;
        EXPECT_EQ(cellule(s, nom).value(QStringLiteral("fond")).toString(), QStringLiteral("FF95C9FF")) << nom;
    }
    const char* const entetes[] = { "A3", "B3", "C3", "A4", "B4", "C4" };
    const char* const textes[] = { "t", "uEA0", "uEA1", "s", "V", "V" };
    for (int i = 0; i < 6; ++i) {
        const QJsonObject c = cellule(s, entetes[i]);
        EXPECT_EQ(c.value(QStringLiteral("valeur")).toString(), QString::fromLatin1(textes[i])) << entetes[i];
        EXPECT_TRUE(c.value(QStringLiteral("gras")).toBool()) << entetes[i];
        EXPECT_EQ(c.value(QStringLiteral("fond")).toString(), QStringLiteral("FFFFF5C7")) << entetes[i];
        EXPECT_EQ(c.value(QStringLiteral("alignement")).toString(), QStringLiteral("center")) << entetes[i];
    }
    // The header range ends with the last curve: A3:C4.
    EXPECT_TRUE(cellule(s, "D3").isEmpty());
    EXPECT_TRUE(cellule(s, "D4").isEmpty());
    // Subscripts in B3 and C3 only: the name after its first letter.
    const QJsonObject runs = s.value(QStringLiteral("runs")).toObject();
    EXPECT_EQ(runs.keys(), (QStringList { QStringLiteral("B3"), QStringLiteral("C3") }));
    const QJsonArray b3 = runs.value(QStringLiteral("B3")).toArray();
    ASSERT_EQ(b3.size(), 2);
    EXPECT_EQ(b3[0].toObject(), (QJsonObject { { "texte", "u" }, { "gras", true }, { "position", "" } }));
    EXPECT_EQ(b3[1].toObject(), (QJsonObject { { "texte", "EA0" }, { "gras", true }, { "position", "subscript" } }));
    EXPECT_EQ(runs.value(QStringLiteral("C3")).toArray()[1].toObject().value(QStringLiteral("texte")).toString(),
              QStringLiteral("EA1"));
    // The data from row 5, as numbers.
    EXPECT_EQ(s.value(QStringLiteral("lignes")).toInt(), 9);
    const char* const colonnes[] = { "A", "B", "C" };
    const double attendu[5][3] = { { 0, 0, -1.25 }, { 0.0025, 0.5, -1.25 }, { 0.005, 1, -1.25 },
                                   { 0.0075, 1.5, -1.25 }, { 0.01, 2, -1.25 } };
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 3; ++c) {
            const QByteArray nom = QByteArray(colonnes[c]) + QByteArray::number(r + 5);
            const QJsonValue v = valeur(s, nom.constData());
            EXPECT_TRUE(v.isDouble()) << nom.constData();
            EXPECT_EQ(v.toDouble(), attendu[r][c]) << nom.constData();
            EXPECT_FALSE(cellule(s, nom.constData()).value(QStringLiteral("gras")).toBool());
        }
}

// "t = 0" moved: the data still start at row 5, without gaps; a point
// 0.4 × dtAX before "t = 0" is at 0; samples keep 6 digits.
TEST_F(Transfert, CursorMovedAndSixDigits)
{
    mesures.t0 = 0.0025;
    mesures.tv2[0][2] = 1.23456789f;
    ASSERT_TRUE(transfere(0));
    QJsonObject s = feuilles(classeur(1))[0].toObject();
    EXPECT_EQ(s.value(QStringLiteral("lignes")).toInt(), 8);
    EXPECT_EQ(valeur(s, "A5").toDouble(), 0.0);
    EXPECT_EQ(valeur(s, "B5").toDouble(), 0.5);
    EXPECT_EQ(valeur(s, "A6").toDouble(), 0.0025);
    EXPECT_EQ(valeur(s, "B6").toDouble(), 1.23457);
    EXPECT_EQ(valeur(s, "A8").toDouble(), 0.0075);
    EXPECT_EQ(valeur(s, "A2").toString(), QStringLiteral("4 points répartis sur 7,500 ms   2 séries mesurées "));

    mesures.t0 = 0.4 * mesures.dtAX;
    ASSERT_TRUE(transfere(0));
    s = feuilles(classeur(2))[0].toObject();
    EXPECT_EQ(valeur(s, "A5").toDouble(), 0.0);
    EXPECT_EQ(valeur(s, "A6").toDouble(), 0.0015);
}

// Option "new sheet": the last workbook written again whole, its first
// sheet as it was although the measurements changed since.
TEST_F(Transfert, NewSheetInTheLastWorkbook)
{
    ASSERT_TRUE(transfere(1)); // no workbook yet: a new one
    const QString chemin = classeur(1);
    autresMesures();
    ASSERT_TRUE(transfere(1));
    EXPECT_FALSE(QFileInfo::exists(classeur(2)));
    EXPECT_EQ(etat.numFichierTE, 1);
    EXPECT_EQ(ouvreur.ouverts, (QStringList { chemin, chemin }));
    // One entry for the file, with its new date.
    EXPECT_EQ(aSupprimer, std::vector<std::string> { QFile::encodeName(chemin).toStdString() + "||" + date(chemin) });

    // The same acquisition again: its sheet's name is made unique.
    ASSERT_TRUE(transfere(1));
    const QJsonArray f = feuilles(chemin);
    ASSERT_EQ(f.size(), 3);
    const QJsonObject premiere = f[0].toObject();
    const QJsonObject deuxieme = f[1].toObject();
    EXPECT_EQ(premiere.value(QStringLiteral("nom")).toString(), QStringLiteral("Mesures du 08 déc. 25 - 14h 03m"));
    EXPECT_EQ(deuxieme.value(QStringLiteral("nom")).toString(), QStringLiteral("Mesures du 09 déc. 25 - 10h 00m"));
    EXPECT_EQ(f[2].toObject().value(QStringLiteral("nom")).toString(), QStringLiteral("Mesures du 09 déc. 25 - 10h (2)"));
    EXPECT_EQ(premiere.value(QStringLiteral("lignes")).toInt(), 9);
    EXPECT_EQ(valeur(premiere, "B9").toDouble(), 2.0);
    EXPECT_EQ(valeur(premiere, "C9").toDouble(), -1.25);
    EXPECT_EQ(premiere.value(QStringLiteral("fusions")).toArray(), (QJsonArray { "A1:F1", "A2:F2" }));
    EXPECT_EQ(premiere.value(QStringLiteral("runs")).toObject().keys(),
              (QStringList { QStringLiteral("B3"), QStringLiteral("C3") }));
    // The added sheet is formatted like the first one, over its own columns.
    EXPECT_EQ(deuxieme.value(QStringLiteral("lignes")).toInt(), 7);
    EXPECT_EQ(valeur(deuxieme, "A2").toString(), QStringLiteral("3 points répartis sur 5,000 ms   1 série mesurée "));
    EXPECT_EQ(valeur(deuxieme, "B7").toDouble(), 3.0);
    EXPECT_EQ(cellule(deuxieme, "B3").value(QStringLiteral("fond")).toString(), QStringLiteral("FFFFF5C7"));
    EXPECT_TRUE(cellule(deuxieme, "C3").isEmpty());
    EXPECT_EQ(deuxieme.value(QStringLiteral("fusions")).toArray(), (QJsonArray { "A1:F1", "A2:F2" }));
    EXPECT_EQ(deuxieme.value(QStringLiteral("runs")).toObject().value(QStringLiteral("B3")).toArray()[1]
                  .toObject().value(QStringLiteral("position")).toString(),
              QStringLiteral("subscript"));
}

// The workbook changed on disk, or open in LibreOffice: a new workbook,
// the other left as it is.
TEST_F(Transfert, NewSheetFallsBackToANewWorkbook)
{
    ASSERT_TRUE(transfere(1));
    modifieSurDisque(classeur(1));
    const std::string dateModifiee = date(classeur(1));
    EXPECT_FALSE(classeurReutilisable(etat));
    autresMesures();
    ASSERT_TRUE(transfere(1));
    EXPECT_EQ(date(classeur(1)), dateModifiee);
    EXPECT_EQ(feuilles(classeur(1)).size(), 1);
    const QJsonArray f = feuilles(classeur(2));
    ASSERT_EQ(f.size(), 1);
    EXPECT_EQ(valeur(f[0].toObject(), "B5").toDouble(), 3.0);
    EXPECT_EQ(aSupprimer.size(), 2u);

    // Workbook 2 open in LibreOffice: its lock file lies beside it.
    QFile verrou(documents.filePath(QStringLiteral(".~lock.") + QFileInfo(classeur(2)).fileName() + QStringLiteral("#")));
    ASSERT_TRUE(verrou.open(QIODevice::WriteOnly));
    verrou.close();
    ASSERT_TRUE(transfere(1));
    EXPECT_TRUE(QFileInfo::exists(classeur(3)));
    EXPECT_EQ(feuilles(classeur(2)).size(), 1);
}

// The disk fills up while the workbook is written again with one more
// sheet: the workbook stays as it was, nothing is left beside it and the
// user is told.
TEST_F(Transfert, DiskFullWhileAddingASheetKeepsTheWorkbook)
{
    ASSERT_TRUE(transfere(1));
    const QString chemin = classeur(1);
    QFile lu(chemin);
    ASSERT_TRUE(lu.open(QIODevice::ReadOnly));
    const QByteArray avant = lu.readAll();
    lu.close();
    autresMesures();
    mesures.tv2 = { std::vector<float>(20000) };
    for (std::size_t k = 0; k < mesures.tv2[0].size(); ++k)
        mesures.tv2[0][k] = float(k % 97) * 0.125f;
    mesures.nbPtsAX = 20000;
    mesures.dureeTotaleAX = mesures.tFin = mesures.dtAX * 20000;

    const testgv::TResultatDisquePlein r = testgv::ecritSurDisquePlein(rlim_t(avant.size()), [&] {
        const bool ecrit = transfere(1);
        return std::string(ecrit ? "réussi\n" : "échec\n") + hote.journal.join(QStringLiteral("\n")).toStdString();
    });
    ASSERT_TRUE(r.termine);
    EXPECT_EQ(r.texte.rfind("échec\n", 0), 0u) << r.texte;
    const std::string attendu = "avertissement:Impossible d'écrire le classeur \"" + chemin.toStdString() + "\" :\n";
    EXPECT_NE(r.texte.find(attendu), std::string::npos) << r.texte;
    ASSERT_TRUE(lu.open(QIODevice::ReadOnly));
    EXPECT_EQ(lu.readAll(), avant);
    EXPECT_EQ(QDir(documents.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList { QFileInfo(chemin).fileName() });
    EXPECT_EQ(feuilles(chemin).size(), 1);
}

// Option "ask": asked only when the last workbook can take a sheet.
TEST_F(Transfert, AskEachTime)
{
    ASSERT_TRUE(transfere(3));
    EXPECT_EQ(hote.nbChoix, 0);
    hote.choix = 1;
    ASSERT_TRUE(transfere(3));
    EXPECT_EQ(hote.nbChoix, 1);
    EXPECT_EQ(feuilles(classeur(1)).size(), 2);
    hote.choix = 0;
    ASSERT_TRUE(transfere(3));
    EXPECT_EQ(hote.nbChoix, 2);
    EXPECT_EQ(feuilles(classeur(2)).size(), 1);

    // Cancel: nothing written, the window gets its state back.
    hote.choix = -1;
    hote.journal.clear();
    const std::vector<std::string> avant = aSupprimer;
    EXPECT_FALSE(transfere(3));
    EXPECT_EQ(hote.journal, (QStringList { QStringLiteral("debut"), QStringLiteral("choix"),
                                           QStringLiteral("message:Transfert vers EXCEL terminé "), QStringLiteral("fin") }));
    EXPECT_FALSE(QFileInfo::exists(classeur(3)));
    EXPECT_EQ(aSupprimer, avant);
    EXPECT_EQ(etat.numFichierTE, 2);
    EXPECT_EQ(ouvreur.ouverts.size(), 3);

    // Option "new workbook" never asks.
    EXPECT_EQ(hote.nbChoix, 3);
    ASSERT_TRUE(transfere(0));
    EXPECT_EQ(hote.nbChoix, 3);
    EXPECT_TRUE(QFileInfo::exists(classeur(3)));
}

TEST_F(Transfert, NothingToTransferWriteFailureAndNothingToOpenIt)
{
    mesures.t0 = mesures.dureeTotaleAX;
    EXPECT_FALSE(transfere(0));
    EXPECT_EQ(hote.journal, QStringList { QStringLiteral("information:Il n'y a pas de valeurs dans l'intervalle de temps "
                                                         "retenu entre les deux curseurs verts ! \n\rLe transfert est "
                                                         "donc inutile. ") });
    EXPECT_TRUE(QDir(documents.path()).isEmpty());

    // A documents folder that does not exist: the error, the window restored.
    mesures.t0 = 0;
    hote.journal.clear();
    EXPECT_FALSE(TransfertExcel(source, 0, documents.filePath(QStringLiteral("absent")), etat, aSupprimer, hote,
                                ouvreur));
    ASSERT_EQ(hote.journal.size(), 5);
    EXPECT_EQ(hote.journal[3], QStringLiteral("fin"));
    EXPECT_TRUE(hote.journal[4].startsWith(QStringLiteral("avertissement:Impossible d'écrire le classeur \"")
                                           + documents.filePath(QStringLiteral("absent/"))));
    EXPECT_EQ(etat.numFichierTE, 0);
    EXPECT_TRUE(aSupprimer.empty());
    EXPECT_TRUE(ouvreur.ouverts.isEmpty());

    // Written, but nothing opens it: the message says where it is.
    ouvreur.reussit = false;
    hote.journal.clear();
    EXPECT_TRUE(transfere(0));
    EXPECT_EQ(hote.journal.last(), QStringLiteral("information:Aucun programme n'a pu ouvrir le classeur. Il a été "
                                                  "enregistré dans le fichier \"")
                                       + classeur(1) + QStringLiteral("\"."));
    EXPECT_EQ(hote.journal[hote.journal.size() - 2], QStringLiteral("fin"));
}

// The progress bar once per block of about 500 cells: 3 curves, 126 rows.
TEST_F(Transfert, ProgressPerBlock)
{
    const int n = 1000;
    mesures.tv2.assign(3, std::vector<float>(n, 1.0f));
    mesures.voiesMesurees = { courbe("a"), courbe("b"), courbe("c") };
    mesures.nbVoiesMesurees = 3;
    mesures.nbPtsAX = n;
    mesures.dureeTotaleAX = n * mesures.dtAX;
    mesures.tFin = (n - 1) * mesures.dtAX;
    ASSERT_TRUE(transfere(0));
    // 0 first, then after rows 126, 252, ... 882 and the last one.
    std::vector<int> attendu { 0 };
    for (int r = 126; r < n; r += 126)
        attendu.push_back(int(std::nearbyint(r * 100.0 / n)));
    attendu.push_back(100);
    EXPECT_EQ(hote.progressions, attendu);
}

TEST(NomFeuille, WhatASpreadsheetAccepts)
{
    const struct {
        const char* souhaite;
        QStringList existants;
        const char* attendu;
    } cas[] = {
        { "Mesures du 8 mai 25 - 9h 05mn", {}, "Mesures du 8 mai 25 - 9h 05mn" },
        { "Mesures du 08 sept. 25 - 14h 03mn", {}, "Mesures du 08 sept. 25 - 14h 03" },
        { "a/b\\c?d*e[f]g:h", {}, "a-b-c-d-e-f-g-h" },
        { "'cité'", {}, "cité" },
        { "''", {}, "Mesures" },
        { "Mesures", { "MESURES" }, "Mesures (2)" },
        { "Mesures", { "Mesures", "Mesures (2)" }, "Mesures (3)" },
        { "Mesures du 08 sept. 25 - 14h 03mn", { "Mesures du 08 sept. 25 - 14h 03" }, "Mesures du 08 sept. 25 - 14 (2)" },
    };
    for (const auto& c : cas) {
        const QString nom = nomFeuilleValide(QString::fromUtf8(c.souhaite), c.existants);
        EXPECT_EQ(nom, QString::fromUtf8(c.attendu)) << c.souhaite;
        EXPECT_LE(nom.size(), kLongueurMaxNomFeuille);
    }
}

// Names of one character and names longer than the subscript's 100.
TEST(ClasseurExcel, SubscriptLimitsAndAnAbandonedWorkbook)
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("c.xlsx"));
    const QString long1 = QStringLiteral("u") + QString(100, QLatin1Char('x')) + QStringLiteral("yz");
    {
        TClasseurExcel c(chemin);
        ASSERT_TRUE(c.ouvre());
        ASSERT_TRUE(c.ajouteFeuille({ QStringLiteral("F"), QStringLiteral("l1"), QStringLiteral("l2"),
                                      { QStringLiteral("t"), QStringLiteral("U"), long1, QString() } }));
        const double valeurs[4] = { 1, std::nan(""), 2, 3 };
        c.ligne(valeurs, 4);
        ASSERT_TRUE(c.ferme()) << c.erreur().toStdString();
    }
    const QJsonObject s = feuilles(chemin)[0].toObject();
    const QJsonObject runs = s.value(QStringLiteral("runs")).toObject();
    EXPECT_EQ(runs.keys(), QStringList { QStringLiteral("C3") });
    const QJsonArray c3 = runs.value(QStringLiteral("C3")).toArray();
    ASSERT_EQ(c3.size(), 3);
    EXPECT_EQ(c3[1].toObject().value(QStringLiteral("texte")).toString(), QString(100, QLatin1Char('x')));
    EXPECT_EQ(c3[2].toObject(), (QJsonObject { { "texte", "yz" }, { "gras", true }, { "position", "" } }));
    EXPECT_EQ(valeur(s, "B3").toString(), QStringLiteral("U"));
    EXPECT_EQ(cellule(s, "D3").value(QStringLiteral("fond")).toString(), QStringLiteral("FFFFF5C7"));
    EXPECT_TRUE(cellule(s, "B5").isEmpty()); // NaN: an empty cell
    EXPECT_EQ(valeur(s, "D5").toDouble(), 3.0);

    // A workbook abandoned before it is complete leaves the old one whole.
    const QByteArray avant = [&] {
        QFile f(chemin);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    {
        TClasseurExcel c(chemin);
        ASSERT_TRUE(c.ouvre());
        ASSERT_TRUE(c.ajouteFeuille({ QStringLiteral("G"), {}, {}, { QStringLiteral("t") } }));
    }
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), avant);
    EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files | QDir::Hidden), QStringList { QStringLiteral("c.xlsx") });
}

// The window's real side: the question is the dialog TFicheGVMixteChoixTE,
// shown with nothing chosen, and its answer taken.
TEST_F(Transfert, RealChoiceDialog)
{
    int argc = 1;
    char nom[] = "test";
    char* argv[] = { nom, nullptr };
    static QApplication* application = QApplication::instance() ? nullptr : new QApplication(argc, argv);
    (void)application;

    struct HoteQt : THoteTransfertExcelQt {
        HoteQt() : THoteTransfertExcelQt(nullptr) {}
        void debutTransfert() override {}
        void message(const QString&) override {}
        void progression(int) override {}
        void finTransfert() override {}
    } hoteQt;
    ASSERT_TRUE(TransfertExcel(source, 3, documents.path(), etat, aSupprimer, hoteQt, ouvreur));
    QStringList vus;
    gv::installeIntercepteurDialogues([&](QDialog& d) {
        auto* choix = dynamic_cast<TFicheGVMixteChoixTE*>(&d);
        if (choix == nullptr || choix->BChoixTEOK->isEnabled())
            return int(QDialog::Rejected);
        vus << d.windowTitle();
        choix->RBNouvelleFeuille->click();
        choix->BChoixTEOK->click();
        return d.result();
    });
    ASSERT_TRUE(TransfertExcel(source, 3, documents.path(), etat, aSupprimer, hoteQt, ouvreur));
    gv::installeIntercepteurDialogues({});
    EXPECT_EQ(vus, QStringList { QStringLiteral("Transfert vers EXCEL...") });
    EXPECT_EQ(feuilles(classeur(1)).size(), 2);
}

} // namespace
