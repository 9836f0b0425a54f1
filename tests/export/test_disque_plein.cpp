// The save commands on a disk that fills up mid-write: the file being
// replaced stays as it was, no temporary file is left beside it, and the
// user is told.
#include "DialoguesScriptes.h"
#include "MesuresExemple.h"
#include "export/CommandeEnregistrementRW3.h"
#include "export/CommandeEnregistrementTXT.h"
#include "export/FichierTexteWindows.h"
#include "tests/platform/DisquePlein.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr rlim_t kPlaceLibre = 4096; // bytes a file may still take

// A record far larger than the room left.
TMesures grandesMesures()
{
    TMesures m = mesuresExemple();
    constexpr int n = 20000;
    for (auto& voie : m.tv2) {
        voie.resize(n);
        for (int k = 0; k < n; ++k)
            voie[std::size_t(k)] = float(k % 97) * 0.125f;
    }
    m.nbPtsAX = n;
    m.dureeTotaleAX = m.dtAX * n;
    m.tFin = m.dureeTotaleAX;
    return m;
}

QByteArray contenu(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(illisible)");
}

struct Cas {
    const char* nom;
    const char* fichier;
    // Writes over the file at `chemin`; the messages the user got, or "réussi".
    std::function<std::string(const TMesures&, const QString& chemin)> ecrit;
};

std::string messages(bool ecrit, const DialoguesScriptes& d)
{
    return ecrit ? std::string("réussi") : d.avertissements.join(QStringLiteral("\n--\n")).toStdString();
}

const Cas kCas[] = {
    { "REGRESSI file", "mesure.rw3",
      [](const TMesures& m, const QString& chemin) {
          TSourceRegressi source;
          source.mesures = &m;
          source.nomCentrale = QStringLiteral("SYSAM SP5");
          source.heureAcq = source.maintenant = heureAcqExemple;
          source.locale = QLocale(QLocale::French, QLocale::France);
          TEtatEnregistrement etat;
          DialoguesScriptes d;
          d.reponseNom = chemin;
          return messages(enregistreRegressi(source, etat, d), d);
      } },
    { "text file", "mesure.txt",
      [](const TMesures& m, const QString& chemin) {
          TSourceTexte source;
          source.mesures = &m;
          source.versionProgramme = QStringLiteral("0.1.0.0");
          source.nomCentrale = QStringLiteral("SYSAM SP5");
          source.heureAcq = heureAcqExemple;
          source.locale = QLocale(QLocale::French, QLocale::France);
          TEtatEnregistrement etat;
          DialoguesScriptes d;
          d.reponseNom = chemin;
          return messages(enregistreTexte(source, etat, d), d);
      } },
    // A page added to a REGRESSI file handed over before: the whole file is
    // written again.
    { "page added to a REGRESSI file", "transfert.rw3",
      [](const TMesures& m, const QString& chemin) {
          QStringList lignes;
          for (int64_t k = 0; k < std::min<int64_t>(m.nbPtsAX * 10, 2000); ++k)
              lignes << QStringLiteral("%1\t%2").arg(k).arg(k * 0.5);
          QString erreur;
          return ajouteAuFichierWindows(chemin, lignes, &erreur) ? std::string("réussi")
                                                                : ("erreur:" + erreur.toStdString());
      } },
};

} // namespace

// A file larger than the program's write buffer fails while it is written;
// a small one only when the buffer is emptied, at the end.
struct Taille {
    const char* nom;
    TMesures mesures;
    rlim_t placeLibre;
};

TEST(DisquePlein, TheFileBeingReplacedStaysWholeAndTheUserIsTold)
{
    const Taille tailles[] = { { "large file", grandesMesures(), kPlaceLibre }, { "small file", mesuresExemple(), 64 } };
    for (const auto& [nomTaille, mesures, placeLibre] : tailles)
    for (const Cas& cas : kCas) {
        SCOPED_TRACE(std::string(cas.nom) + ", " + nomTaille);
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QString::fromLatin1(cas.fichier));
        const QByteArray ancien("ancien contenu\r\n");
        {
            QFile f(chemin);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(ancien);
        }
        // With room enough the same write succeeds: the failure below is the disk's.
        {
            QTemporaryDir autre;
            const QString ailleurs = autre.filePath(QString::fromLatin1(cas.fichier));
            QFile f(ailleurs);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(ancien);
            f.close();
            EXPECT_EQ(cas.ecrit(mesures, ailleurs), "réussi");
            EXPECT_GT(contenu(ailleurs).size(), qsizetype(placeLibre));
        }

        const testgv::TResultatDisquePlein r
            = testgv::ecritSurDisquePlein(placeLibre, [&] { return cas.ecrit(mesures, chemin); });
        ASSERT_TRUE(r.termine);
        EXPECT_EQ(contenu(chemin), ancien);
        EXPECT_EQ(QDir(dossier.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList { QString::fromLatin1(cas.fichier) });
        if (std::string(cas.fichier) == "transfert.rw3") {
            // The transfer's own message is built from this reason.
            EXPECT_EQ(r.texte.rfind("erreur:", 0), 0u) << r.texte;
            EXPECT_GT(r.texte.size(), std::string("erreur:").size());
        } else {
            const std::string attendu = "Impossible d'enregistrer le fichier \"" + chemin.toStdString() + "\" :\n";
            EXPECT_EQ(r.texte.rfind(attendu, 0), 0u) << r.texte;
            EXPECT_GT(r.texte.size(), attendu.size());
        }
    }
}
