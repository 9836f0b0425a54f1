#include "export/RegressiRW3.h"

#include "export/EtapesEnregistrement.h"
#include "export/FormatsNombres.h"
#include "export/TextesMesures.h"
#include "model/UniteBaseChaines.h"
#include "model/UniteMath.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace {

QString q(const std::string& texte)
{
    return QString::fromStdString(texte);
}

QString phraseMesures(const TSourceRegressi& s, const QDateTime& instant)
{
    return phraseMesures(s.nomCentrale, s.locale, instant);
}

int nombreCourbes(const TSourceRegressi& s)
{
    return std::min(s.mesures->nbVoiesMesurees, kNbCourbesRegressiMax);
}

// Times count from the cursor "t = 0".
double tempsDuPoint(const TSourceRegressi& s, int64_t k)
{
    return tempsExporte(*s.mesures, k, 6);
}

float echantillon(const TSourceRegressi& s, int courbe, int64_t k)
{
    const std::vector<float>& valeurs = s.mesures->tv2[std::size_t(courbe)];
    return k >= 0 && k < int64_t(valeurs.size()) ? valeurs[std::size_t(k)] : 0.0f;
}

QString ligneValeurs(const TSourceRegressi& s, int64_t k)
{
    std::string ligne = texteG6(tempsDuPoint(s, k));
    for (int i = 0; i < nombreCourbes(s); ++i)
        ligne += " " + texteG6(echantillon(s, i, k));
    return q(ligne);
}

QString ligneRetenue(const TSourceRegressi& s, int64_t k)
{
    std::string ligne = texteE6(tempsDuPoint(s, k));
    for (int i = 0; i < nombreCourbes(s); ++i)
        ligne += "\t" + texteG6(echantillon(s, i, k));
    return q(ligne + "\t");
}

QString nomCourbe(const TSourceRegressi& s, int i)
{
    return corrigeEnteteReg(q(s.mesures->voiesMesurees[std::size_t(i)].sEnteteVM));
}

QString signification(const TVoieMesuree& vm)
{
    if (vm.ModeDiffVM)
        return QStringLiteral("Tension diff. entre les entrées ") + q(vm.capCommRegvoie1VM) + QStringLiteral(" et ")
            + q(vm.capCommRegvoie2VM);
    return QStringLiteral("Tension entre l'entrée ") + q(vm.capCommRegvoie1VM) + QStringLiteral(" et la masse");
}

// One step of the 12-bit converter over the calibre's range: what a reading
// of that curve can be trusted to.
double incertitude(const TSourceRegressi& s, const TVoieMesuree& vm)
{
    if (vm.calVM < 0 || vm.calVM >= int(s.calibresEAStandard.size()))
        return 0.0;
    return 2.0 * s.calibresEAStandard[std::size_t(vm.calVM)] / 4096.0;
}

void repete(QStringList& sl, const QString& ligne, int fois)
{
    for (int i = 0; i < fois; ++i)
        sl << ligne;
}

void enTete(QStringList& sl, const TSourceRegressi& s, const TPlageExport& plage)
{
    const int nv = nombreCourbes(s);
    const QString m = QString::number(nv + 1);
    sl << QStringLiteral("EVARISTE REGRESSI WINDOWS 1.0");
    sl << QStringLiteral("£") + m + QStringLiteral(" NOM VAR") << QStringLiteral("t");
    for (int i = 0; i < nv; ++i)
        sl << nomCourbe(s, i);
    sl << QStringLiteral("£") + m + QStringLiteral(" GENRE VAR");
    repete(sl, QStringLiteral("0"), nv + 1);
    sl << QStringLiteral("£") + m + QStringLiteral(" UNITE VAR") << QStringLiteral("s");
    repete(sl, QStringLiteral("V"), nv);
    sl << QStringLiteral("£") + m + QStringLiteral(" FORMAT VAR");
    repete(sl, QStringLiteral("0"), nv + 1);
    sl << QStringLiteral("£") + m + QStringLiteral(" PRECISION VAR") << QStringLiteral("6");
    repete(sl, QStringLiteral("4"), nv);
    sl << QStringLiteral("£") + m + QStringLiteral(" SIGNIF VAR") << QStringLiteral("Temps");
    for (int i = 0; i < nv; ++i)
        sl << signification(s.mesures->voiesMesurees[std::size_t(i)]);
    sl << QStringLiteral("£") + m + QStringLiteral(" INCERTITUDE") << q(texteE2(s.mesures->dtAX));
    for (int i = 0; i < nv; ++i)
        sl << q(texteG3(incertitude(s, s.mesures->voiesMesurees[std::size_t(i)])));
    sl << QStringLiteral("£1 TRIGO") << QStringLiteral("0");
    sl << QStringLiteral("£1 uniteSI") << QStringLiteral("0");
    sl << QStringLiteral("£2 DATETIME") << QStringLiteral("dd/MM/yy") << QStringLiteral("hh:mm:ss");
    sl << QStringLiteral("£1 LOGBOX") << QStringLiteral("0");
    sl << QStringLiteral("£2 MEMO GRANDEURS");
    sl << QStringLiteral("'") + phraseMesures(s, s.heureAcq);
    sl << QStringLiteral("'") + phrasePoints(plage.n(), s.mesures->t0, s.mesures->tFin, nv, s.locale);
    sl << QStringLiteral("£2 ACQUISITION") << QStringLiteral("EXTERNE") << s.cheminProgramme;
}

void graphe(QStringList& sl, const TSourceRegressi& s)
{
    const int nv = nombreCourbes(s);
    const QString nvTexte = QString::number(nv);
    sl << QStringLiteral("£0 GRAPHE VAR");
    if (s.OptionCouleursRegressi == 1) {
        sl << QStringLiteral("&") + nvTexte + QStringLiteral(" COULEUR");
        for (int i = 0; i < nv; ++i)
            sl << QString::number(s.mesures->voiesMesurees[std::size_t(i)].clVM);
    }
    sl << QStringLiteral("&") + nvTexte + QStringLiteral(" X");
    repete(sl, QStringLiteral("t"), nv);
    sl << QStringLiteral("&") + nvTexte + QStringLiteral(" Y");
    for (int i = 0; i < nv; ++i)
        sl << nomCourbe(s, i);
    sl << QStringLiteral("&") + nvTexte + QStringLiteral(" TRACE");
    repete(sl, QStringLiteral("1"), nv);
    sl << QStringLiteral("&") + nvTexte + QStringLiteral(" MONDE");
    repete(sl, QStringLiteral("1"), nv);
    sl << QStringLiteral("&3 GRADUATION");
    repete(sl, QStringLiteral("0"), 3);
    sl << QStringLiteral("&3 ZERO");
    repete(sl, QStringLiteral("1"), 3);
    sl << QStringLiteral("&12 OPTIONS") << QStringLiteral("8") << QStringLiteral("2") << QStringLiteral("1")
       << QStringLiteral("3") << QStringLiteral("3");
    repete(sl, QStringLiteral("0"), 7);
    sl << QStringLiteral("&2 ANIMATION temporelle") << QStringLiteral("1") << QStringLiteral("FALSE");
    sl << QStringLiteral("&1 COM PERSO") << QStringLiteral("Acquisition Galvora");
}

void valeurs(QStringList& sl, const TSourceRegressi& s, const TPlageExport& plage)
{
    sl << QStringLiteral("&") + QString::number(std::max<int64_t>(plage.n(), 0)) + QStringLiteral(" VALEUR VAR");
    for (int64_t k = plage.k0; k <= plage.k1; ++k)
        sl << ligneValeurs(s, k);
    sl << QStringLiteral("&2 OPTIONS") << QStringLiteral("1") << QStringLiteral("1");
}

void fin(QStringList& sl, const TSourceRegressi& s)
{
    sl << QStringLiteral("&10 VALEUR PARAM");
    repete(sl, QStringLiteral("1E-26"), 10);
    sl << QStringLiteral("&10 INCERT PARAM");
    repete(sl, QStringLiteral("0"), 10);
    sl << QStringLiteral("&1 ORIGINE TEMPS") << dateCourte(s.locale, s.heureAcq);
}

} // namespace

QString corrigeEnteteReg(const QString& entete1)
{
    return q(sansCrochets(entete1.toStdString()));
}

TTexteRegressi prepareSL(const TSourceRegressi& s, bool derniereLigne)
{
    TTexteRegressi texte;
    const TPlageExport complete = plageExport(*s.mesures);
    const TPlageExport plage = derniereLigne ? complete : plageExport(*s.mesures, kNbDernieresLignes);
    enTete(texte.SL, s, plage);
    graphe(texte.SL, s);
    texte.SL << QStringLiteral("£1 PAGE COMMENT") << phraseMesures(s, s.maintenant);
    valeurs(texte.SL, s, plage);
    fin(texte.SL, s);
    if (!derniereLigne) {
        // Only points that exist are held back: a record shorter than 25
        // points holds back what it has, from the first line on.
        const int64_t premier = std::max(plage.k1 + 1, complete.k0);
        for (int64_t k = premier; k <= complete.k1; ++k)
            texte.sDerniereLigne[std::size_t(k - premier)] = ligneRetenue(s, k);
    }
    return texte;
}

QStringList prepareSLPage(const TSourceRegressi& s)
{
    QStringList sl;
    sl << QStringLiteral("£1 PAGE COMMENT") << phraseMesures(s, s.maintenant);
    valeurs(sl, s, plageExport(*s.mesures));
    return sl;
}

QString nomFichierRegressi(const QString& choisi)
{
    return nomAvecExtension(choisi, QStringLiteral(".rw3"));
}

QString nomPropose(int numAcqDef)
{
    return QStringLiteral("Galvora ") + QStringLiteral("%1").arg(numAcqDef, 3, 10, QLatin1Char('0'));
}
