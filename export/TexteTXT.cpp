#include "export/TexteTXT.h"

#include "export/FluxTexteWindows.h"
#include "export/FormatsNombres.h"
#include "export/SourceExport.h"
#include "export/TextesMesures.h"
#include "mesures/TMesures.h"

#include <algorithm>
#include <cstring>

namespace {

QString colonne(const QString& texte)
{
    return texte.leftJustified(kLargeurColonneTXT, QLatin1Char(' '));
}

int nombreCourbes(const TMesures& m)
{
    return std::max(0, std::min({int(m.nbVoiesMesurees), int(m.voiesMesurees.size()), int(m.tv2.size())}));
}

// The points between the cursors that the first curve holds.
TPlageExport plageTexte(const TMesures& m)
{
    TPlageExport plage = plageExport(m);
    if (!m.tv2.empty())
        plage.k1 = std::min<int64_t>(plage.k1, int64_t(m.tv2[0].size()) - 1);
    return plage;
}

QString ligneNoms(const TMesures& m)
{
    QString ligne = colonne(QStringLiteral("t(s)"));
    for (int i = 0; i < nombreCourbes(m); ++i)
        ligne += colonne(QString::fromStdString(m.voiesMesurees[std::size_t(i)].sEnteteVM) + QStringLiteral("(V)"));
    return ligne;
}

// A number and the spaces after it, up to the column's width.
char* ecritColonne(char* p, double x)
{
    char* fin = ecritG6(p, x);
    char* bord = p + kLargeurColonneTXT;
    if (fin < bord) {
        std::memset(fin, ' ', std::size_t(bord - fin));
        fin = bord;
    }
    return fin;
}

char* colonneVide(char* p)
{
    std::memset(p, ' ', kLargeurColonneTXT);
    return p + kLargeurColonneTXT;
}

void lignesValeurs(TFluxTexteWindows& flux, const TMesures& m, const TPlageExport& plage)
{
    const int nv = nombreCourbes(m);
    const std::size_t largeurMax = std::size_t(nv + 1) * std::max(kLargeurColonneTXT, kLongueurMaxG6);
    for (int64_t k = plage.k0; k <= plage.k1; ++k) {
        char* p = ecritColonne(flux.place(largeurMax), tempsExporte(m, k));
        for (int i = 0; i < nv; ++i) {
            const std::vector<float>& valeurs = m.tv2[std::size_t(i)];
            // A curve kept from a shorter record has no sample there.
            p = k < int64_t(valeurs.size()) ? ecritColonne(p, valeurs[std::size_t(k)]) : colonneVide(p);
        }
        flux.finLigne(p);
    }
}

} // namespace

bool intervalleSansValeurs(const TMesures& mesures)
{
    return mesures.dureeTotaleAX <= mesures.t0 || plageExport(mesures).vide();
}

bool EnregistrerTXT(const TSourceTexte& s, const QString& nomfichierTXT, QString* erreur)
{
    const TMesures& m = *s.mesures;
    TFluxTexteWindows flux(nomfichierTXT);
    if (flux.ouvre()) {
        flux.ligne(colonne(QStringLiteral("Galvora - ") + s.versionProgramme));
        flux.ligne(QString());
        flux.ligne(colonne(phraseMesures(s.nomCentrale, s.locale, s.heureAcq)));
        flux.ligne(QString());
        flux.ligne(ligneNoms(m));
        flux.ligne(QString());
        lignesValeurs(flux, m, plageTexte(m));
    }
    return flux.termine(erreur);
}
