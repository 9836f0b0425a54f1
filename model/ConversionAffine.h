#pragma once
// How an input turns its 12-bit codes into volts: one gain, one offset and
// the limits of its calibre, the same for every code. A driver states them
// once per input, so that its single-code conversion and the table a run
// fills for all 4096 codes are one formula, and the table looks the input's
// calibration up once instead of once per code.
#include <algorithm>
#include <cstdint>
#include <limits>

struct TConversionAffine {
    double gain = 0.0;
    double offset = 0.0;
    double min = -std::numeric_limits<double>::infinity();
    double max = std::numeric_limits<double>::infinity();

    double operator()(int32_t code) const { return std::clamp(code * gain + offset, min, max); }

    void remplit(float* volts, int32_t nbCodes) const
    {
        for (int32_t c = 0; c < nbCodes; ++c)
            volts[c] = float((*this)(c));
    }
};
