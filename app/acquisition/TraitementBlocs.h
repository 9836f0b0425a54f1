#pragma once
// Turns the unit's FIFO blocks into curve points. Every driver hands its
// samples over in one form: blocks of 16-bit words, each a 12-bit code shifted
// left by 4, in frames of one word per signal input; `idxTraitGV` gives each
// signal's place in a frame. A frame may straddle two blocks: its first
// samples are carried over to the next block.
#include "mesures/TMesures.h"
#include "model/TCentrale.h"

#include <array>
#include <cstdint>
#include <vector>

// Points of the curves updated by one block: indexes `premier` .. `dernier`
// (relative to the frame) in every curve of the run.
struct TPointsRecus {
    int64_t premier = 0;
    int64_t dernier = -1;
    bool vide() const { return dernier < premier; }
};

class TTraitementBlocs {
public:
    // A block of at most 256 words plus the samples of an unfinished frame.
    static constexpr int kTailleTravail = 264;
    // The converter's codes: 12 bits.
    static constexpr int kNbCodes = 4096;

    // Prepares a run whose curves start at `premiereCourbe` in `mesures.tv2`,
    // storing point k of the frame at index `pt0Trame` + k.
    void debut(int32_t premiereCourbe, int64_t pt0Trame = 0);

    // Converts once, through the driver's Ux, every code each signal input
    // can deliver: a block then costs a table look-up per sample. Called when
    // a run starts and again whenever its inputs or calibres may have
    // changed (between two frames); a block of other inputs than those of
    // the table builds it anew.
    void prepareConversion(TCentrale& centrale);

    // Converts and stores the `n` words of `bloc`: volts through the driver's
    // Ux, extremes in the curve records, and for the threshold trigger the
    // value at the trigger instant between two raw samples.
    TPointsRecus traite(TCentrale& centrale, TMesures& mesures, const TFifoSP5& bloc, int32_t n);

    // Points received since debut (the groups complete so far).
    int64_t recus() const { return faits_; }
    // Index of the last point received: the acquisition front.
    int64_t ptFront() const { return ptFront_; }
    // Index of the last point stored, -1 before any: with the threshold
    // trigger the newest raw sample only waits for the next one.
    int64_t dernierStocke() const { return dernierStocke_; }

private:
    void stocke(TCentrale& centrale, TMesures& mesures, int32_t groupes, TPointsRecus& recus);
    bool conversionPrete(const TCentrale& centrale) const;

    std::array<uint16_t, kTailleTravail> travail_ {};
    int32_t reportes_ = 0;
    int64_t faits_ = 0;
    int64_t ptFront_ = 0;
    int64_t dernierStocke_ = -1;
    int32_t premiereCourbe_ = 0;
    int64_t pt0Trame_ = 0;
    // Volts of code c of signal i at volts_[i * kNbCodes + c], for the inputs
    // voiesConverties_.
    std::vector<float> volts_;
    std::vector<int32_t> voiesConverties_;
};
