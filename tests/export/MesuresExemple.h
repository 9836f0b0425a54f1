#pragma once
// The measurements of the exports' worked example: unit SYSAM SP5, two
// curves u[EA0] (0, 0.5, 1, 1.5, 2 V) and u[EA1] (-1.25 V), 5 points 2.5 ms
// apart, cursors at 0 and 10 ms, acquisition ended 08/12/2025 at 14:03:27.
#include "mesures/TMesures.h"

#include <QDateTime>

inline TVoieMesuree courbe(const char* nom)
{
    TVoieMesuree vm;
    vm.sEnteteVM = nom;
    return vm;
}

inline TMesures mesuresExemple()
{
    TMesures m;
    m.tv2 = { { 0, 0.5f, 1, 1.5f, 2 }, std::vector<float>(5, -1.25f) };
    m.voiesMesurees = { courbe("u[EA0]"), courbe("u[EA1]") };
    m.nbVoiesMesurees = 2;
    m.dtAX = 0.0025;
    m.nbPtsAX = 5;
    m.dureeTotaleAX = 0.0125;
    m.t0 = 0;
    m.tFin = 0.01;
    return m;
}

inline const QDateTime heureAcqExemple { QDate(2025, 12, 8), QTime(14, 3, 27) };
