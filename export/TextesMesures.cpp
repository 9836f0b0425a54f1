#include "export/TextesMesures.h"

#include "export/FormatsNombres.h"
#include "model/UniteBaseChaines.h"

namespace {

// The user's long time format without its time-zone part: Windows' long
// time ("HH:mm:ss") has none.
QString formatHeureLongue(const QLocale& locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return format.trimmed();
}

QString dureeExportee(double t0, double tFin, const QLocale& locale)
{
    const double duree = tFin - t0;
    const char separateur = locale.decimalPoint().at(0).toLatin1();
    if (duree > 1000 || duree < 0.0999999)
        return QString::fromStdString(formatValeur(4, styleIngenieur, duree)) + QStringLiteral("s");
    return QString::fromStdString(texteG6(duree, separateur ? separateur : '.')) + QStringLiteral(" s");
}

} // namespace

QString dateCourte(const QLocale& locale, const QDateTime& instant)
{
    return locale.toString(instant.date(), QLocale::ShortFormat);
}

QString heureLongue(const QLocale& locale, const QDateTime& instant)
{
    return locale.toString(instant.time(), formatHeureLongue(locale));
}

QString phraseMesures(const QString& nomCentrale, const QLocale& locale, const QDateTime& instant)
{
    return QStringLiteral("Mesures réalisées avec l'interface ") + nomCentrale + QStringLiteral(" le ")
        + dateCourte(locale, instant) + QStringLiteral(" à ") + heureLongue(locale, instant);
}

QString phrasePoints(int64_t n, double t0, double tFin, int nv, const QLocale& locale)
{
    return QString::number(n) + QStringLiteral(" points répartis sur ") + dureeExportee(t0, tFin, locale)
        + QStringLiteral("   ") + QString::number(nv)
        + (nv < 2 ? QStringLiteral(" série mesurée ") : QStringLiteral(" séries mesurées "));
}
