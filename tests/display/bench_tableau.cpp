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

// Paints the widget now.
void peint(QWidget& p)
{
    p.repaint();
    benchmark::ClobberMemory();
}

// Counts the paintings of a widget.
class TCompteurPeintures : public QObject {
public:
    int n = 0;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        n += evenement->type() == QEvent::Paint;
        return QObject::eventFilter(objet, evenement);
    }
};

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
    TCompteurPeintures peintures;
    p.SGMesures->viewport()->installEventFilter(&peintures);
    for (auto _ : state) {
        state.PauseTiming();
        p.hide();
        p.MAJTableauFaite = false;
        QApplication::processEvents();
        state.ResumeTiming();
        p.MAJTableau(1.0f);
        p.show();
        const int avant = peintures.n;
        while (peintures.n == avant)
            QApplication::processEvents();
    }
    // The cells were painted at each iteration.
    state.counters["peintures_des_cellules"] = benchmark::Counter(peintures.n, benchmark::Counter::kAvgIterations);
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
    TCompteurPeintures peintures;
    p.SGMesures->viewport()->installEventFilter(&peintures);
    for (auto _ : state)
        peint(*p.SGMesures->viewport());
    state.counters["peintures_des_cellules"] = benchmark::Counter(peintures.n, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_RepeintApresDefilementALaFin)->Unit(benchmark::kMillisecond);

// What a widget built, shown, painted, its view scrolled to the end and
// painted again keeps allocated, measured at each iteration, as counters.
template <class Construit, class VueDe>
void mesureMemoire(benchmark::State& state, Construit construit, VueDe vueDe)
{
    double octets = 0;
    for (auto _ : state) {
        const size_t avant = octetsAlloues();
        auto widget = construit();
        widget->resize(700, 700);
        QTableView& vue = vueDe(*widget);
        TCompteurPeintures peintures;
        vue.viewport()->installEventFilter(&peintures);
        widget->show();
        while (peintures.n == 0)
            QApplication::processEvents();
        vue.scrollToBottom();
        peint(*vue.viewport());
        vue.viewport()->removeEventFilter(&peintures);
        octets = double(octetsAlloues()) - double(avant);
        widget.reset();
        QApplication::processEvents();
    }
    state.counters["octets"] = octets;
    state.counters["octets_par_point"] = octets / double(state.range(0));
}

// What building, filling and painting the table allocates and keeps, with the
// measurements already there.
void BM_MemoireDuTableau(benchmark::State& state)
{
    assureApplication();
    const TMesures m = huitCourbes(state.range(0));
    mesureMemoire(
        state,
        [&] {
            auto p = std::make_unique<TPanneauTableau>(m);
            p->MAJTableau(1.0f);
            return p;
        },
        [](TPanneauTableau& p) -> QTableView& { return *p.SGMesures; });
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
    mesureMemoire(
        state,
        [&] {
            auto v = std::make_unique<QTableView>();
            v->setModel(&modele);
            return v;
        },
        [](QTableView& v) -> QTableView& { return v; });
}
BENCHMARK(BM_MemoireDUneVueQtNue)->Arg(1001)->Arg(10001)->Arg(50001)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
