// 50 001 points of 8 curves written as a text file, against writing the same
// bytes raw; and as a workbook, with the heap it takes beyond the
// measurements for several record lengths (it should not grow with them).
#include "export/TexteTXT.h"
#include "export/TransfertExcel.h"
#include "mesures/TMesures.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

TMesures mesuresDe(int64_t n)
{
    TMesures m;
    m.nbVoiesMesurees = 8;
    m.dtAX = 1e-5;
    m.nbPtsAX = n;
    m.dureeTotaleAX = double(n) * m.dtAX;
    m.tFin = double(n - 1) * m.dtAX;
    for (int i = 0; i < 8; ++i) {
        std::vector<float> v(static_cast<std::size_t>(n));
        for (int64_t k = 0; k < n; ++k)
            v[std::size_t(k)] = float(9 * std::sin(0.001 * double(k) * (i + 1)) + 0.01 * double(k % 97));
        m.tv2.push_back(std::move(v));
        TVoieMesuree vm;
        vm.sEnteteVM = "u[EA" + std::to_string(i) + "]";
        m.voiesMesurees.push_back(vm);
    }
    return m;
}

TSourceTexte sourceTexte(const TMesures& m)
{
    TSourceTexte s;
    s.mesures = &m;
    s.versionProgramme = QStringLiteral("0.1.0.0");
    s.nomCentrale = QStringLiteral("SYSAM SP5");
    s.heureAcq = QDateTime(QDate(2025, 12, 8), QTime(14, 3, 27));
    s.locale = QLocale(QLocale::French, QLocale::France);
    return s;
}

void BM_FichierTexte50001x8(benchmark::State& state)
{
    const TMesures m = mesuresDe(50001);
    const TSourceTexte s = sourceTexte(m);
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("m.txt"));
    for (auto _ : state)
        benchmark::DoNotOptimize(EnregistrerTXT(s, chemin));
    state.SetBytesProcessed(int64_t(state.iterations()) * QFile(chemin).size());
}
BENCHMARK(BM_FichierTexte50001x8)->Unit(benchmark::kMillisecond);

// The bytes of the text file of 50 001 points of 8 curves.
QByteArray octetsTexte(const QTemporaryDir& dossier)
{
    const TMesures m = mesuresDe(50001);
    const QString chemin = dossier.filePath(QStringLiteral("m.txt"));
    EnregistrerTXT(sourceTexte(m), chemin);
    QFile lu(chemin);
    lu.open(QIODevice::ReadOnly);
    return lu.readAll();
}

// The same bytes, already in memory, written to a file and closed.
void BM_OctetsBruts50001x8(benchmark::State& state)
{
    QTemporaryDir dossier;
    const QByteArray octets = octetsTexte(dossier);
    const QByteArray nom = QFile::encodeName(dossier.filePath(QStringLiteral("brut.txt")));
    for (auto _ : state) {
        std::FILE* f = std::fopen(nom.constData(), "wb");
        benchmark::DoNotOptimize(std::fwrite(octets.constData(), 1, std::size_t(octets.size()), f));
        std::fclose(f);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * octets.size());
}
BENCHMARK(BM_OctetsBruts50001x8)->Unit(benchmark::kMillisecond);

// The same bytes written as every file of the program is: to a temporary
// file put on the disk, then renamed over the target.
void BM_OctetsBrutsEnSurete50001x8(benchmark::State& state)
{
    QTemporaryDir dossier;
    const QByteArray octets = octetsTexte(dossier);
    for (auto _ : state) {
        QSaveFile f(dossier.filePath(QStringLiteral("brut.txt")));
        f.open(QIODevice::WriteOnly);
        f.write(octets);
        benchmark::DoNotOptimize(f.commit());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * octets.size());
}
BENCHMARK(BM_OctetsBrutsEnSurete50001x8)->Unit(benchmark::kMillisecond);

// The window's side, measuring the heap in use at each block of rows.
struct HoteMesure : THoteTransfertExcel {
    std::size_t depart = mallinfo2().uordblks;
    std::size_t plusHaut = 0;
    void debutTransfert() override {}
    void message(const QString&) override {}
    void progression(int) override { plusHaut = std::max(plusHaut, mallinfo2().uordblks); }
    void finTransfert() override {}
    void information(const QString&) override {}
    void avertissement(const QString&) override {}
    int choixClasseurOuFeuille() override { return 0; }
};

struct SansOuverture : TOuvreurDocuments {
    bool ouvre(const QString&) override { return true; }
};

void BM_Classeur8Courbes(benchmark::State& state)
{
    const TMesures m = mesuresDe(state.range(0));
    TSourceClasseur s;
    s.mesures = &m;
    s.nomCentrale = QStringLiteral("SYSAM SP5");
    s.heureAcq = QDateTime(QDate(2025, 12, 8), QTime(14, 3, 27));
    s.sDateAcq0 = QStringLiteral("08 déc. 25 - 14h 03mn");
    s.sdateAcqX = QStringLiteral("08 déc. 25 - 14h 03mn 27s");
    s.locale = QLocale(QLocale::French, QLocale::France);
    QTemporaryDir documents;
    SansOuverture ouvreur;
    double tasMax = 0;
    for (auto _ : state) {
        TEtatTransfertExcel etat;
        std::vector<std::string> aSupprimer;
        HoteMesure hote;
        benchmark::DoNotOptimize(TransfertExcel(s, 0, documents.path(), etat, aSupprimer, hote, ouvreur));
        tasMax = std::max(tasMax, double(hote.plusHaut - std::min(hote.plusHaut, hote.depart)));
        state.PauseTiming();
        for (const QString& f : QDir(documents.path()).entryList(QDir::Files))
            QFile::remove(documents.filePath(f));
        state.ResumeTiming();
    }
    state.counters["tas_Mo"] = tasMax / 1e6;
    state.counters["points"] = double(state.range(0));
}
BENCHMARK(BM_Classeur8Courbes)->Arg(10001)->Arg(50001)->Arg(200001)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
