// Fast frames of the permanent mode on the simulated SP5: how many frames a
// second the loop achieves beside what the unit itself allows (the frame's
// duration plus its programming), and where the host's time goes in each
// frame: programming the unit, converting and storing the blocks, drawing
// the points off screen, and showing the finished frame.
//
// The frame loop and the screen are the program's own; only the window
// around them is left out (its message processing and the widget's repaint
// after each frame are not counted). Built into bench_acquisition.
#include "app/acquisition/BoucleTrames.h"
#include "BancAcquisition.h"

#include <benchmark/benchmark.h>
#include <chrono>

namespace {

using THorloge = std::chrono::steady_clock;

double secondesDepuis(THorloge::time_point t0)
{
    return std::chrono::duration<double>(THorloge::now() - t0).count();
}

// The window's part of the frame loop, on a screen without a window: what
// THoteTramesFenetre does to the screen, with a stopwatch on each part.
class THoteBanc : public THoteTrames {
public:
    THoteBanc(TCentrale& centrale, TEcran& ecran, TModeGeneral& mode) : centrale_(centrale), ecran_(ecran), mode_(mode)
    {
    }

    TBoucleTrames* boucle = nullptr;
    int tramesVoulues = 10;

    // Totals over the frames timed (every frame but the first).
    int trames = 0;
    double programmation = 0; // from the frame's preparation to its start, screen excluded
    double dessin = 0;        // the screen prepared, points drawn off screen
    double montre = 0;        // the finished frame shown
    double periode = 0;       // from each frame's start to the next one's
    double entre = 0;         // from a frame shown to the next one's start
    int64_t echantillons = 0;

    void afficheMessage(const std::string&) override {}
    void premieresDonnees() override {}
    void pointsRecus(const TPointsRecus& recus, int64_t ptFront) override
    {
        const auto t0 = THorloge::now();
        ecran_.progres().ptFront = ptFront;
        for (int i = 0; i < centrale_.nbVoiesSignaux; ++i)
            ecran_.dessinePointsAcquis(i, recus.premier, recus.dernier);
        if (compte_)
            dessin += secondesDepuis(t0);
        // Stop during the last frame: it is completed and shown first.
        if (numero_ == tramesVoulues && !arrete_) {
            arrete_ = true;
            boucle->arrete();
        }
    }
    void traiteMessages() override {}
    void afficheAttenteDeclenchement() override {}

    bool modePermanent() const override { return true; }
    bool tramesRapides() const override { return centrale_.dureeTotale0X <= centrale_.tRemanence; }
    bool optionEffaceTrame() const override { return false; }
    int32_t indexPretrig() const override
    {
        // The first thing the loop asks before programming a frame.
        debutPreparation_ = THorloge::now();
        return 0;
    }
    bool pretrigActif() const override { return false; }
    bool ajouterCoche() const override { return false; }
    void appliqueChangement() override {}
    void setModepermanent(bool) override {}
    void setModeGeneral(TModeGeneral mode) override { mode_ = mode; }
    void debutModePermanent() override { mode_ = TModeGeneral::permanentEnCours; }
    void SortieNormaleMP() override { mode_ = TModeGeneral::permanentArrete; }
    void Quitter() override {}

    void setModeDessinVM() override { ecran_.geometrie.setModeDessinVM(); }
    void prepareEcranMode() override { ecran_.preparePourAcquisition(); }
    void dessineEcranN(bool avecCourbes) override
    {
        ecran_.progres().ptFront = 0;
        ecran_.dessineEcranN(avecCourbes);
    }
    void prepareFondTrames() override { ecran_.prepareFondTrames(); }
    void prepareEcranTrame() override
    {
        const auto t0 = THorloge::now();
        ecran_.progres().ptFront = 0;
        ecran_.dessinePretrig();
        ecran_.prepareAxesX();
        ecran_.prepareQuadAxes();
        ecranTrame_ = secondesDepuis(t0);
    }
    void debutTrame(const TTrame& trame) override
    {
        const auto maintenant = THorloge::now();
        ++numero_;
        compte_ = numero_ > 1;
        if (numero_ > 1) {
            periode += std::chrono::duration<double>(maintenant - precedente_).count();
            entre += std::chrono::duration<double>(maintenant - montree_).count();
            ++trames;
            programmation += std::chrono::duration<double>(maintenant - debutPreparation_).count() - ecranTrame_;
            dessin += ecranTrame_;
            echantillons += centrale_.nbPts0X * centrale_.nbVoiesSignaux;
        }
        precedente_ = maintenant;
        TProgresTrame& progres = ecran_.progres();
        progres.ptFront = 0;
        progres.pt0Trame = trame.pt0Trame;
        progres.trameX = 0;
        progres.modeDoubleTrameX = false;
        ecran_.debutTrameRapide();
    }
    void finTrameRapide(int64_t) override
    {
        const auto t0 = THorloge::now();
        ecran_.finTrameRapide();
        montree_ = THorloge::now();
        if (compte_)
            montre += std::chrono::duration<double>(montree_ - t0).count();
    }

    // Each mode's first frame is not timed: it follows the mode's own start.
    void nouveauMode()
    {
        numero_ = 0;
        arrete_ = false;
        compte_ = false;
    }

private:
    TCentrale& centrale_;
    TEcran& ecran_;
    TModeGeneral& mode_;
    mutable THorloge::time_point debutPreparation_;
    THorloge::time_point precedente_;
    THorloge::time_point montree_;
    double ecranTrame_ = 0;
    int numero_ = 0;
    bool arrete_ = false;
    bool compte_ = false;
};

// range(0): frame duration, µs; range(1): inputs.
void BM_TramesRapides(benchmark::State& state)
{
    const double duree = double(state.range(0)) * 1e-6;
    const int nbSignaux = int(state.range(1));
    TSP5 centrale(banc::kSimulateur, 1);
    banc::activeVoies(centrale, nbSignaux);
    centrale.setDurees(duree, 1001, false);
    TMesures mesures;
    TModeGeneral mode = TModeGeneral::permanentArrete;
    TEcran ecran;
    banc::prepareEcran(ecran, centrale, mesures, &mode);
    TDrapeauxAcquisition drapeaux;
    TEtatTrames etat;
    bool ajouter = false;
    THoteBanc hote(centrale, ecran, mode);
    TBoucleTrames boucle(centrale, mesures, drapeaux, mode, etat, ajouter, hote);
    hote.boucle = &boucle;
    // About a third of a second of frames per mode.
    hote.tramesVoulues = std::max(6, int(0.3 / duree));
    if (!hote.tramesRapides()) {
        state.SkipWithError("not a fast frame");
        return;
    }
    for (auto _ : state) {
        hote.nouveauMode();
        boucle.Acquisition();
    }
    const double n = std::max(hote.trames, 1);
    const double programmation = hote.programmation / n;
    const double limite = 1.0 / (centrale.dureeTotale0X + programmation);
    const double atteint = hote.trames / hote.periode;
    state.counters["trames/s"] = atteint;
    state.counters["limite/s"] = limite;
    state.counters["%limite"] = 100.0 * atteint / limite;
    state.counters["points"] = double(centrale.nbPts0X);
    state.counters["prog_us"] = 1e6 * programmation;
    state.counters["dessin_us"] = 1e6 * hote.dessin / n;
    state.counters["montre_us"] = 1e6 * hote.montre / n;
    // The points are drawn while the unit acquires: a frame lasts its
    // duration plus what follows its last block; between two frames come
    // the checks of the loop and the programming.
    state.counters["trame_us"] = 1e6 * (hote.periode - hote.entre) / n;
    state.counters["entre_us"] = 1e6 * hote.entre / n;
    state.counters["ech/trame"] = double(hote.echantillons) / n;
}
BENCHMARK(BM_TramesRapides)
    ->ArgsProduct({{1000, 10000, 100000}, {1, 8}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// Drawing alone in the column style (many points per pixel): the points are
// stored once, then drawn a block's worth at a time, as a run does.
void BM_DessinColonnes(benchmark::State& state)
{
    const int64_t nbPts = state.range(0);
    const int64_t parBloc = 128;
    TSP5 centrale(banc::kSimulateur, 1);
    banc::activeVoies(centrale, 1);
    centrale.setDurees(double(nbPts - 1) * 1e-5, nbPts, false);
    centrale.prepareTousPRX(false);
    TMesures mesures;
    mesures.tv2.assign(1, std::vector<float>(std::size_t(centrale.nbPts0X)));
    mesures.voiesMesurees.assign(1, TVoieMesuree {});
    for (std::size_t k = 0; k < mesures.tv2[0].size(); ++k)
        mesures.tv2[0][k] = float(std::sin(double(k) * 0.001) * 4.0 + double(k % 7) * 0.1);
    TEcran ecran;
    const TModeGeneral enCours = TModeGeneral::acquisitionEnCours;
    banc::prepareEcran(ecran, centrale, mesures, &enCours);
    ecran.preparePourAcquisition();
    int64_t k = 0, echantillons = 0;
    for (auto _ : state) {
        if (k + parBloc > centrale.nbPts0X) {
            state.PauseTiming();
            k = 0;
            ecran.reinitialiseTraces();
            state.ResumeTiming();
        }
        ecran.dessinePointsAcquis(0, k, k + parBloc - 1);
        benchmark::DoNotOptimize(ecran.iEcranX.constBits());
        k += parBloc;
        echantillons += parBloc;
    }
    state.counters["pts/pixel"] = double(centrale.nbPts0X) / ecran.geometrie.larG;
    state.counters["ns/echantillon"] =
        benchmark::Counter(double(echantillons), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_DessinColonnes)->Arg(20001)->Arg(100001)->Unit(benchmark::kMicrosecond);

} // namespace
