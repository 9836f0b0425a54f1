#include "export/FichierTexteWindows.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(FichierTexteWindows, CodePageAndLineEnds)
{
    const QByteArray octets = octetsWindows1252({ QStringLiteral("£3 NOM VAR"), QStringLiteral("entrée à 5 µs"), QString() });
    EXPECT_EQ(octets, QByteArray("\xA3" "3 NOM VAR\r\nentr\xE9" "e \xE0 5 \xB5s\r\n\r\n"));
    EXPECT_EQ(octetsWindows1252({ QStringLiteral("€ œ") }), QByteArray("\x80 \x9C\r\n"));
    EXPECT_EQ(octetsWindows1252({ QStringLiteral("R = 2 kΩ"), QStringLiteral("é") }), QByteArray("R = 2 k?\r\n\xE9\r\n"));
}

TEST(FichierTexteWindows, ReplacesAFileAndNeverDestroysOneOnFailure)
{
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    const QString chemin = dossier.filePath(QStringLiteral("mesures.rw3"));
    ASSERT_TRUE(ecritFichierWindows(chemin, { QStringLiteral("ancien") }));
    ASSERT_TRUE(ecritFichierWindows(chemin, { QStringLiteral("nouveau") }));
    QFile lu(chemin);
    ASSERT_TRUE(lu.open(QIODevice::ReadOnly));
    EXPECT_EQ(lu.readAll(), QByteArray("nouveau\r\n"));
    EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files), QStringList { QStringLiteral("mesures.rw3") });

    // A target that cannot be written: the error is reported, nothing is lost.
    const QString absent = dossier.filePath(QStringLiteral("pas/de/dossier.rw3"));
    QString erreur;
    EXPECT_FALSE(ecritFichierWindows(absent, { QStringLiteral("x") }, &erreur));
    EXPECT_FALSE(erreur.isEmpty());
    ASSERT_TRUE(QDir(dossier.path()).mkdir(QStringLiteral("occupe.rw3")));
    EXPECT_FALSE(ecritFichierWindows(dossier.filePath(QStringLiteral("occupe.rw3")), { QStringLiteral("x") }));
    EXPECT_TRUE(QFileInfo(dossier.filePath(QStringLiteral("occupe.rw3"))).isDir());
    EXPECT_EQ(lu.fileName(), chemin);
}

TEST(FichierTexteWindows, AppendsInTheSameFormAndNeedsTheFile)
{
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    const QString chemin = dossier.filePath(QStringLiteral("mesures.rw3"));
    ASSERT_TRUE(ecritFichierWindows(chemin, { QStringLiteral("£1 PAGE COMMENT") }));
    ASSERT_TRUE(ajouteAuFichierWindows(chemin, { QStringLiteral("entrée"), QStringLiteral("1") }));
    auto lit = [](const QString& nom) {
        QFile f(nom);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    EXPECT_EQ(lit(chemin), QByteArray("\xA3" "1 PAGE COMMENT\r\nentr\xE9" "e\r\n1\r\n"));
    EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files), QStringList { QStringLiteral("mesures.rw3") });

    // A last line left open is closed before the new ones.
    const QString ouvert = dossier.filePath(QStringLiteral("ouvert.rw3"));
    QFile f(ouvert);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("fin");
    f.close();
    ASSERT_TRUE(ajouteAuFichierWindows(ouvert, { QStringLiteral("suite") }));
    EXPECT_EQ(lit(ouvert), QByteArray("fin\r\nsuite\r\n"));

    QString erreur;
    EXPECT_FALSE(ajouteAuFichierWindows(dossier.filePath(QStringLiteral("absent.rw3")), { QStringLiteral("x") }, &erreur));
    EXPECT_FALSE(erreur.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dossier.filePath(QStringLiteral("absent.rw3"))));
}
