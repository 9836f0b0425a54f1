#include "LienSimV6.h"

#include <thread>

using namespace d2xx;

namespace {

template <typename F>
bool resous(plateforme::HandleBibliotheque bibliotheque, F& f, const char* nom)
{
    f = plateforme::procedure<F>(bibliotheque, nom);
    return f != nullptr;
}

BibliothequeSimV6 chargeUneFois()
{
    BibliothequeSimV6 b;
    auto* h = plateforme::chargeBibliotheque(GALVORA_SIM_DIR "/FTD2XX-V6.DLL");
    if (h == nullptr)
        return {};
    const bool complet = resous(h, b.openEx, "FT_OpenEx") && resous(h, b.close, "FT_Close")
        && resous(h, b.read, "FT_Read") && resous(h, b.write, "FT_Write")
        && resous(h, b.setBaudRate, "FT_SetBaudRate")
        && resous(h, b.setDataCharacteristics, "FT_SetDataCharacteristics")
        && resous(h, b.setFlowControl, "FT_SetFlowControl") && resous(h, b.setRts, "FT_SetRts")
        && resous(h, b.setChars, "FT_SetChars") && resous(h, b.purge, "FT_Purge")
        && resous(h, b.setTimeouts, "FT_SetTimeouts") && resous(h, b.getQueueStatus, "FT_GetQueueStatus")
        && resous(h, b.branche, "SimV6_Branche") && resous(h, b.perdEcho, "SimV6_PerdEcho")
        && resous(h, b.reinitialise, "SimV6_Reinitialise")
        && resous(h, b.octetsParasites, "SimV6_OctetsParasites")
        && resous(h, b.fixeDebutRuns, "SimV6_FixeDebutRuns") && resous(h, b.debutRun, "SimV6_DebutRun");
    return complet ? b : BibliothequeSimV6{};
}

} // namespace

const BibliothequeSimV6* BibliothequeSimV6::charge()
{
    static const BibliothequeSimV6 bibliotheque = chargeUneFois();
    return bibliotheque.openEx != nullptr ? &bibliotheque : nullptr;
}

void SimulateurV6::SetUp()
{
    api = BibliothequeSimV6::charge();
    ASSERT_NE(api, nullptr) << "simulated V6 library missing or incomplete";
    avantMiseSousTension = Horloge::now();
    api->reinitialise();
    apresMiseSousTension = Horloge::now();
    // Most tests read each run from the signals' phase 0; the clock that runs
    // on between runs has tests of its own.
    api->fixeDebutRuns(0);
}

void SimulateurV6::TearDown()
{
    if (api != nullptr && poignee != nullptr)
        api->close(poignee);
}

FT_HANDLE SimulateurV6::ouvre()
{
    char description[50] = "Sysam-V6";
    EXPECT_EQ(api->openEx(description, FT_OPEN_BY_DESCRIPTION, &poignee), FT_OK);
    EXPECT_EQ(api->setBaudRate(poignee, 1'250'000), FT_OK);
    EXPECT_EQ(api->setDataCharacteristics(poignee, FT_BITS_8, FT_STOP_BITS_1, FT_PARITY_NONE), FT_OK);
    EXPECT_EQ(api->setFlowControl(poignee, FT_FLOW_RTS_CTS, 0x11, 0x13), FT_OK);
    EXPECT_EQ(api->setChars(poignee, 0, 0, 0, 0), FT_OK);
    EXPECT_EQ(api->setTimeouts(poignee, 100, 1000), FT_OK);
    EXPECT_EQ(api->setRts(poignee), FT_OK);
    EXPECT_EQ(api->purge(poignee, FT_PURGE_RX), FT_OK);
    EXPECT_EQ(api->purge(poignee, FT_PURGE_TX), FT_OK);
    return poignee;
}

void SimulateurV6::ecrit(const std::string& octets)
{
    std::string tampon = octets;
    DWORD ecrits = 0;
    ASSERT_EQ(api->write(poignee, tampon.data(), static_cast<DWORD>(tampon.size()), &ecrits), FT_OK);
    ASSERT_EQ(ecrits, tampon.size());
}

DWORD SimulateurV6::enAttente()
{
    DWORD n = 0;
    EXPECT_EQ(api->getQueueStatus(poignee, &n), FT_OK);
    return n;
}

std::string SimulateurV6::lit(size_t nombre, double delaiS)
{
    std::string recu;
    const auto debut = Horloge::now();
    while (recu.size() < nombre && secondesDepuis(debut) < delaiS) {
        std::string tampon(nombre - recu.size(), '\0');
        DWORD lus = 0;
        if (api->read(poignee, tampon.data(), static_cast<DWORD>(tampon.size()), &lus) != FT_OK)
            break;
        recu.append(tampon.data(), lus);
    }
    return recu;
}

std::string SimulateurV6::litJusquaFinDeTrame(double delaiS)
{
    std::string recu;
    const auto debut = Horloge::now();
    while (secondesDepuis(debut) < delaiS) {
        if (enAttente() == 0) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            continue;
        }
        recu += lit(1);
        if (recu.size() >= 3 && recu.compare(recu.size() - 3, 3, "@\n\r") == 0)
            break;
    }
    return recu;
}

std::string SimulateurV6::echange(const std::string& commande)
{
    ecrit(commande);
    return litJusquaFinDeTrame();
}
