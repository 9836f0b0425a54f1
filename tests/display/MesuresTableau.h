#pragma once
// Measurements as a run leaves them, for the table's tests and benchmarks.
#include "mesures/TMesures.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using TSignal = std::function<double(double)>;

// Measurements as a run leaves them: n points over `duree`, one curve per
// signal, named and given their display unit by the end of the run.
inline TMesures mesuresDe(double duree, int64_t n, const std::vector<TSignal>& signaux,
                          const std::vector<std::string>& noms)
{
    TMesures m;
    const double dt = duree / double(n - 1);
    m.PrepareTV2(int32_t(signaux.size()), n, false);
    std::vector<TDescriptionCourbe> descriptions;
    for (std::size_t i = 0; i < signaux.size(); ++i) {
        TVoieMesuree& vm = m.voiesMesurees[i];
        for (int64_t k = 0; k < n; ++k) {
            const float u = float(signaux[i](double(k) * dt));
            m.tv2[i][std::size_t(k)] = u;
            vm.max = std::max(vm.max, u);
            vm.min = std::min(vm.min, u);
        }
        TDescriptionCourbe d;
        d.sEnteteVM = noms[i];
        descriptions.push_back(d);
    }
    m.finAcquisition({dt, n, n, duree}, descriptions, false);
    m.curseursAuxBornes(duree);
    return m;
}
