#pragma once
// The sentences that describe the measurements at the head of every export
// (REGRESSI file, text file, workbooks): who measured them and when, and
// how many points over how long.
#include <QDateTime>
#include <QLocale>
#include <QString>

#include <cstdint>

// The user's short date, and long time without a time zone.
QString dateCourte(const QLocale& locale, const QDateTime& instant);
QString heureLongue(const QLocale& locale, const QDateTime& instant);

// "Mesures réalisées avec l'interface " + unit + " le " + date + " à " + time.
QString phraseMesures(const QString& nomCentrale, const QLocale& locale, const QDateTime& instant);

// n + " points répartis sur " + duration + "   " + nv + " série(s) mesurée(s) ":
// the duration tFin - t0 with an SI prefix ("10,00 ms") when it is above
// 1000 s or under 0.1 s, otherwise in the general format + " s".
QString phrasePoints(int64_t n, double t0, double tFin, int nv, const QLocale& locale);
