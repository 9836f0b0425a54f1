#pragma once
// Placing a threshold trigger inside the rows read before and around it.
//
// The unit is asked for a few rows more than the record, before and after the
// pre-trigger part; once they are in, the driver looks for the crossing of the
// threshold itself and drops the leading rows so that row `nbPtsPretrig` is the
// last sample before the crossing and row `nbPtsPretrig` + 1 the first after.
#include <cstdint>

// Linear conversion of the trigger input's codes: volts = code x a + b.
struct ConversionSeuil {
    double a = 0.0;
    double b = 0.0;
    double volts(int32_t code) const { return code * a + b; }
};

struct AlignementSeuil {
    int64_t rangsSupprimes = 0; // rows to drop from the start
    double dtPretrig = 0.0;     // delay from row nbPtsPretrig to the crossing
    uint16_t vPre = 0, vPost = 0;
    double uPre = 0.0, uPost = 0.0;
};

// `mots` holds `nbRangs` rows of `nbParRang` words (code << 4); the trigger
// input is at `position` in each row. Walking back from the last row, the
// first pair of rows r - 1, r whose values lie strictly on both sides of
// `seuil` and move in the chosen direction (sens 0 rising, other falling) is
// the crossing; the walk stops at row nbPtsPretrig at the latest.
AlignementSeuil aligneDeclenchementSeuil(const uint16_t* mots, int64_t nbRangs, int32_t nbParRang,
                                         int32_t position, int64_t nbPtsPretrig, double seuil,
                                         int32_t sens, double dt, ConversionSeuil conversion);

// Fraction of `dt` after the sample of code c1 at which the line to the next
// sample c2 meets `seuil`, limited to 0..dt; 0 when both codes are equal.
double dtPretrigEntre(int32_t c1, int32_t c2, double seuil, double dt, ConversionSeuil conversion);
