// The measurement table with 8 curves of 50 001 points: filling and first
// paint, a repaint after scrolling to the end, and the memory the table adds
// for 1 001, 10 001 and 50 001 points.
#include "Fixtures.h"
#include "MesuresTableau.h"
#include "display/ModeleTableau.h"
#include "display/VueTableau.h"

#include <QAbstractTableModel>
#include <QScrollBar>
#include <QTableView>
#include <benchmark/benchmark.h>
#include <cmath>
#include <malloc.h>
#include <memory>

namespace {

TMesures huitCourbes(int64_t n)
{
    std::vector<TSignal> signaux;
    std::vector<std::string> noms;
    for (int i = 0; i < 8; ++i) {
        signaux.push_back([i](double t) { return (i + 1) * std::sin((i + 1) * 20 * t) + 0.01 * std::sin(9000 * t); });
        noms.push_back("u[" + std::to_string(i) + "_M]");
    }
    return mesuresDe(1.0, n, signaux, noms);
}

// Paints the panel now, as the window's first paint after showing it.
void peint(TPanneauTableau& p)
{
    p.repaint();
    benchmark::ClobberMemory();
}

size_t octetsAlloues()
{
    return mallinfo2().uordblks;
}

} // namespace

// From the button (the grid out of date, hidden) to the painted table.
void BM_TableauAfficheRempli(benchmark::State& state)
{
    assureApplication();
    const TMesures m = huitCourbes(50001);
    TPanneauTableau p(m);
    p.resize(700, 700);
    for (auto _ : state) {
        state.PauseTiming();
        p.hide();
        p.MAJTableauFaite = false;
        QApplication::processEvents();
        state.ResumeTiming();
        p.MAJTableau(1.0f);
        p.show();
        peint(p);
    }
}
BENCHMARK(BM_TableauAfficheRempli)->Unit(benchmark::kMillisecond);

void BM_RepeintApresDefilementALaFin(benchmark::State& state)
{
    assureApplication();
    const TMesures m = huitCourbes(50001);
    TPanneauTableau p(m);
    p.resize(700, 700);
    p.MAJTableau(1.0f);
    p.show();
    p.SGMesures->scrollToBottom();
    QApplication::processEvents();
    if (p.SGMesures->verticalScrollBar()->value() != p.SGMesures->verticalScrollBar()->maximum())
        state.SkipWithError("not at the end");
    for (auto _ : state)
        peint(p);
}
BENCHMARK(BM_RepeintApresDefilementALaFin)->Unit(benchmark::kMillisecond);

// What building, filling and painting the table allocates and keeps, with the
// measurements already there.
void BM_MemoireDuTableau(benchmark::State& state)
{
    assureApplication();
    const TMesures m = huitCourbes(state.range(0));
    double octets = 0;
    for (auto _ : state) {
        const size_t avant = octetsAlloues();
        auto p = std::make_unique<TPanneauTableau>(m);
        p->resize(700, 700);
        p->MAJTableau(1.0f);
        p->show();
        peint(*p);
        p->SGMesures->scrollToBottom();
        peint(*p);
        octets = double(octetsAlloues()) - double(avant);
        p.reset();
        QApplication::processEvents();
    }
    state.counters["octets"] = octets;
    state.counters["octets_par_point"] = octets / double(state.range(0));
}
BENCHMARK(BM_MemoireDuTableau)->Arg(1001)->Arg(10001)->Arg(50001)->Unit(benchmark::kMillisecond);

// The same for a bare QTableView over a model of n empty rows: what Qt's
// item view keeps per row whatever the model (its row header's sections).
namespace {
class TModeleVide : public QAbstractTableModel {
public:
    explicit TModeleVide(int n) : n_(n) {}
    int rowCount(const QModelIndex&) const override { return n_; }
    int columnCount(const QModelIndex&) const override { return 10; }
    QVariant data(const QModelIndex&, int) const override { return {}; }

private:
    int n_;
};
} // namespace

void BM_MemoireDUneVueQtNue(benchmark::State& state)
{
    assureApplication();
    TModeleVide modele(int(state.range(0)));
    double octets = 0;
    for (auto _ : state) {
        const size_t avant = octetsAlloues();
        auto v = std::make_unique<QTableView>();
        v->setModel(&modele);
        v->resize(700, 700);
        v->show();
        v->repaint();
        v->scrollToBottom();
        v->repaint();
        octets = double(octetsAlloues()) - double(avant);
        v.reset();
        QApplication::processEvents();
    }
    state.counters["octets"] = octets;
    state.counters["octets_par_point"] = octets / double(state.range(0));
}
BENCHMARK(BM_MemoireDUneVueQtNue)->Arg(1001)->Arg(10001)->Arg(50001)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
