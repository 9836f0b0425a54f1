#pragma once
// A unit whose FIFO delivers a prepared list of blocks, converting a code c of
// input v to c / 100 + v volts, so that every stored value tells which raw
// sample it came from.
#include "model/TCentrale.h"

#include <deque>
#include <functional>
#include <vector>

class TCentraleScriptee : public TCentrale {
public:
    explicit TCentraleScriptee(std::vector<int32_t> signaux, std::vector<int32_t> positions) : TCentrale(1)
    {
        VoiesX.resize(8);
        VoiesActivesSignaux = signaux;
        VoiesActivesSignaux.push_back(-1);
        VoiesActivesX = VoiesActivesSignaux;
        nbVoiesSignaux = nbVoiesActivesX = int32_t(signaux.size());
        idxTraitGV = std::move(positions);
        dt0X = 1e-3;
        tSleepFifo = 2;
    }

    // Appends a block of raw 12-bit codes, delivered shifted left by 4.
    void ajouteBloc(const std::vector<uint16_t>& codes)
    {
        TFifoSP5 bloc {};
        for (std::size_t i = 0; i < codes.size(); ++i)
            bloc[i] = uint16_t(codes[i] << 4);
        blocs.push_back({ bloc, int32_t(codes.size()) });
    }

    // The blocks of the next runs, one list per run: each start of the unit
    // takes the next one (a run stopped early leaves nothing for the next).
    void ajouteRun(int nbBlocs, const std::function<std::vector<uint16_t>(int bloc)>& codes)
    {
        blocs.clear();
        for (int b = 0; b < nbBlocs; ++b)
            ajouteBloc(codes(b));
        runs.push_back(std::move(blocs));
        blocs.clear();
    }

    // Divided, not multiplied by 0.01, so that the tests' expected values are
    // exact: the table is filled code by code from it.
    double Ux(int32_t voieX, int32_t vNum) override { return vNum / 100.0 + voieX; }
    void convertitCodes(int32_t voieX, float* volts, int32_t nbCodes) override
    {
        for (int32_t c = 0; c < nbCodes; ++c)
            volts[c] = float(Ux(voieX, c));
    }
    void declencheAcq() override
    {
        ++demarrages;
        if (!runs.empty()) {
            blocs = std::move(runs.front());
            runs.pop_front();
        }
        acqPeriodiqueEnCours = true;
        chronometre.Declenche();
    }
    void prepareTousPRX(bool applique) override { programmations += applique; }
    void Reset() override { ++reinitialisations; }
    void arreteAcq() override { acqPeriodiqueEnCours = false; ++arrets; }
    int32_t LireFifo(TPtrFifoSP5 bloc) override
    {
        ++lectures;
        if (blocs.empty())
            return 0;
        *bloc = blocs.front().first;
        const int32_t n = blocs.front().second;
        blocs.pop_front();
        return n;
    }
    int32_t presentePendantAcq() override { return presence; }
    void getDTPretrig() override { ++demandesDtPretrig; }

    std::deque<std::pair<TFifoSP5, int32_t>> blocs;
    std::deque<std::deque<std::pair<TFifoSP5, int32_t>>> runs;
    int demarrages = 0;
    int programmations = 0;
    int reinitialisations = 0;
    int32_t presence = 1;
    int lectures = 0;
    int arrets = 0;
    int demandesDtPretrig = 0;
};
