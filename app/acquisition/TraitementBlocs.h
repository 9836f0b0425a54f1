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

    // Prepares a run whose curves start at `premiereCourbe` in `mesures.tv2`,
    // storing point k of the frame at index `pt0Trame` + k.
    void debut(int32_t premiereCourbe, int64_t pt0Trame = 0);

    // Converts and stores the `n` words of `bloc`: volts through the driver's
    // Ux, extremes in the curve records, and for the threshold trigger the
    // value at the trigger instant between two raw samples.
    TPointsRecus traite(TCentrale& centrale, TMesures& mesures, const TFifoSP5& bloc, int32_t n);

    // Points received since debut (the groups complete so far).
    int64_t recus() const { return faits_; }
    // Index of the last point received: the acquisition front.
    int64_t ptFront() const { return ptFront_; }

private:
    void stocke(TCentrale& centrale, TMesures& mesures, int32_t groupes, TPointsRecus& recus);

    std::array<uint16_t, kTailleTravail> travail_ {};
    int32_t reportes_ = 0;
    int64_t faits_ = 0;
    int64_t ptFront_ = 0;
    int32_t premiereCourbe_ = 0;
    int64_t pt0Trame_ = 0;
};
