#include "app/FabriqueCentrales.h"

#include "model/TCentrale.h"

#if GALVORA_AVEC_SP5
#include "drivers/sp5/TSP5.h"
#endif
#if GALVORA_AVEC_V6
#include "drivers/v6/TSYSAMV6.h"
#endif
#if GALVORA_AVEC_CAMPUS
#include "drivers/campus/TSYSAMCAMPUS.h"
#endif

namespace gv {

TFabriqueCentrales fabriqueDesPilotes()
{
    return [](int32_t type, const std::string& cheminDLL) -> TCentrale* {
        switch (type) {
#if GALVORA_AVEC_SP5
        case kSysamSP5:
        case kSimulationSP5:
            return new TSP5(cheminDLL, 1);
#endif
#if GALVORA_AVEC_V6
        case kSysamV6:
            return new TSYSAMV6(cheminDLL, 1);
#endif
#if GALVORA_AVEC_CAMPUS
        case kSysamCampus:
            return new TSYSAMCAMPUS(cheminDLL, 1);
#endif
        default:
            (void)cheminDLL;
            return nullptr;
        }
    };
}

} // namespace gv
