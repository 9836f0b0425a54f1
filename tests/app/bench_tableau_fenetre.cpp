// The table button of the main window after a run of 50 001 points on the 8
// inputs of the simulated SP5: from the press to the first painted table
// (the grid filled again each time, the window laid out, the screen redrawn
// narrower), and a repaint of the table scrolled to its end.
#include "EnvironnementTest.h"
#include "FenetreSimulee.h"
#include "display/VueTableau.h"

#include <QApplication>
#include <QCheckBox>
#include <QScrollBar>
#include <QToolButton>
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <filesystem>

namespace {

// Notes when a widget is painted.
class TGuetPeinture : public QObject {
public:
    bool peint = false;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (evenement->type() == QEvent::Paint)
            peint = true;
        return QObject::eventFilter(objet, evenement);
    }
};

struct TFenetreMesuree {
    std::string racine = testgv::prepareEnvironnement("bench-tableau");
    testgv::TFenetreSimulee fenetre;
    std::unique_ptr<TFicheGVMixte> fiche;
    TPanneauTableau* tableau = nullptr;
    QToolButton* bouton = nullptr;

    TFenetreMesuree()
    {
        fiche = fenetre.ouvre(racine, kSysamSP5);
        if (!QTest::qWaitForWindowExposed(fiche.get()))
            qWarning("window not exposed");
        for (int v = 0; v < 8; ++v) {
            auto* active = fiche->findChild<QCheckBox*>(QStringLiteral("CBVoiesActives%1").arg(v));
            if (!active->isChecked())
                QTest::mouseClick(active, Qt::LeftButton, {}, QPoint(8, active->height() / 2));
        }
        fiche->SP5->setDurees(0.5, 50001, false);
        QTest::mouseClick(fiche->findChild<QPushButton*>(QStringLiteral("BAcquisition")), Qt::LeftButton);
        tableau = fiche->findChild<TPanneauTableau*>(QStringLiteral("PTableau"));
        bouton = fiche->findChild<QToolButton*>(QStringLiteral("SBVoirTableau"));
    }
    ~TFenetreMesuree()
    {
        fiche.reset();
        fenetre.ferme();
        std::filesystem::remove_all(racine);
    }
    bool pret() const
    {
        return tableau && bouton && bouton->isEnabled() && fiche->mesures.nbVoiesMesurees == 8 &&
               fiche->mesures.nbPtsAffAX == 50001;
    }
};

TFenetreMesuree& fenetreMesuree()
{
    static int argc = 1;
    static char nom[] = "bench_tableau";
    static char* argv[] = {nom, nullptr};
    static QApplication* application = new QApplication(argc, argv);
    (void)application;
    static TFenetreMesuree f;
    return f;
}

} // namespace

void BM_BoutonJusquAuTableauPeint(benchmark::State& state)
{
    TFenetreMesuree& f = fenetreMesuree();
    if (!f.pret()) {
        state.SkipWithError("no run of 8 × 50 001 points");
        return;
    }
    TGuetPeinture guet;
    f.tableau->SGMesures->viewport()->installEventFilter(&guet);
    for (auto _ : state) {
        state.PauseTiming();
        if (f.bouton->isChecked())
            QTest::mouseClick(f.bouton, Qt::LeftButton);
        f.tableau->MAJTableauFaite = false;
        QApplication::processEvents();
        guet.peint = false;
        state.ResumeTiming();
        QTest::mouseClick(f.bouton, Qt::LeftButton);
        while (!guet.peint)
            QApplication::processEvents();
    }
    f.tableau->SGMesures->viewport()->removeEventFilter(&guet);
}
BENCHMARK(BM_BoutonJusquAuTableauPeint)->Unit(benchmark::kMillisecond);

void BM_TableauDefileALaFinRepeint(benchmark::State& state)
{
    TFenetreMesuree& f = fenetreMesuree();
    if (!f.pret()) {
        state.SkipWithError("no run of 8 × 50 001 points");
        return;
    }
    if (!f.bouton->isChecked())
        QTest::mouseClick(f.bouton, Qt::LeftButton);
    QApplication::processEvents();
    TVueTableau& v = *f.tableau->SGMesures;
    v.scrollToBottom();
    QApplication::processEvents();
    for (auto _ : state) {
        v.viewport()->repaint();
        benchmark::ClobberMemory();
    }
    state.counters["derniere_ligne_visible"] = v.rowAt(v.viewport()->height() - 1);
}
BENCHMARK(BM_TableauDefileALaFinRepeint)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
