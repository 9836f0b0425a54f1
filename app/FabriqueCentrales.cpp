#include "app/FabriqueCentrales.h"

#include "drivers/campus/TSYSAMCAMPUS.h"
#include "drivers/sp5/TSP5.h"
#include "drivers/v6/TSYSAMV6.h"
#include "model/TCentrale.h"

namespace gv {

TFabriqueCentrales fabriqueDesPilotes()
{
    return [](int32_t type, const std::string& cheminDLL) -> TCentrale* {
        switch (type) {
        case kSysamSP5:
        case kSimulationSP5:
            return new TSP5(cheminDLL, 1);
        case kSysamV6:
            return new TSYSAMV6(cheminDLL, 1);
        case kSysamCampus:
            return new TSYSAMCAMPUS(cheminDLL, 1);
        default:
            return nullptr;
        }
    };
}

} // namespace gv
