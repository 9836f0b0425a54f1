// The link and the command protocol of the simulated V6, seen through the
// D2XX entry points the driver uses.
#include "LienSimV6.h"

#include "simulators/v6/SignauxV6Sim.h"

#include <bit>
#include <cstring>
#include <thread>

using namespace d2xx;

namespace {

constexpr char ESC = 27;

float reelDuBloc(const std::string& bloc, size_t offset)
{
    uint32_t brut = 0;
    for (int i = 3; i >= 0; --i)
        brut = (brut << 8) | static_cast<uint8_t>(bloc[offset + i]);
    return std::bit_cast<float>(brut);
}

} // namespace

TEST_F(SimulateurV6, OpensOnlyByItsDescriptionAndOnlyOnce)
{
    char autre[50] = "Sysam-V5";
    char bonne[50] = "Sysam-V6";
    FT_HANDLE h = nullptr;
    EXPECT_EQ(api->openEx(autre, FT_OPEN_BY_DESCRIPTION, &h), FT_DEVICE_NOT_FOUND);
    EXPECT_EQ(api->openEx(bonne, FT_OPEN_BY_SERIAL_NUMBER, &h), FT_DEVICE_NOT_FOUND);
    EXPECT_EQ(api->openEx(bonne, FT_OPEN_BY_DESCRIPTION, nullptr), FT_INVALID_PARAMETER);

    ASSERT_EQ(api->openEx(bonne, FT_OPEN_BY_DESCRIPTION, &h), FT_OK);
    FT_HANDLE seconde = nullptr;
    EXPECT_EQ(api->openEx(bonne, FT_OPEN_BY_DESCRIPTION, &seconde), FT_DEVICE_NOT_OPENED);
    EXPECT_EQ(api->close(h), FT_OK);

    // A closed handle is no handle any more.
    DWORD n = 0;
    char octet = 'x';
    EXPECT_EQ(api->close(h), FT_INVALID_HANDLE);
    EXPECT_EQ(api->write(h, &octet, 1, &n), FT_INVALID_HANDLE);
    EXPECT_EQ(api->getQueueStatus(h, &n), FT_INVALID_HANDLE);
    EXPECT_EQ(api->getQueueStatus(nullptr, &n), FT_INVALID_HANDLE);

    ASSERT_EQ(api->openEx(bonne, FT_OPEN_BY_DESCRIPTION, &poignee), FT_OK);
    EXPECT_NE(poignee, nullptr);
}

TEST_F(SimulateurV6, RejectsLineSettingsTheBridgeCannotMake)
{
    ouvre();
    EXPECT_EQ(api->setBaudRate(poignee, 50), FT_INVALID_BAUD_RATE);
    EXPECT_EQ(api->setDataCharacteristics(poignee, 9, FT_STOP_BITS_1, FT_PARITY_NONE), FT_INVALID_PARAMETER);
    EXPECT_EQ(api->setFlowControl(poignee, 0x0300, 0x11, 0x13), FT_INVALID_PARAMETER);
}

TEST_F(SimulateurV6, EchoesEveryByteInOrder)
{
    ouvre();
    EXPECT_EQ(enAttente(), 0u);
    const std::string octets = std::string("xyz") + ESC + "\n";
    ecrit(octets);
    EXPECT_EQ(enAttente(), octets.size());
    EXPECT_EQ(lit(octets.size()), octets);
    EXPECT_EQ(enAttente(), 0u);
}

TEST_F(SimulateurV6, HearsNothingUntilTheLineIsSetToItsRate)
{
    char description[50] = "Sysam-V6";
    ASSERT_EQ(api->openEx(description, FT_OPEN_BY_DESCRIPTION, &poignee), FT_OK);
    ecrit("2"); // the bridge opens at 9600 baud
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(enAttente(), 0u);

    ASSERT_EQ(api->setBaudRate(poignee, 1'250'000), FT_OK);
    ASSERT_EQ(api->setDataCharacteristics(poignee, FT_BITS_8, FT_STOP_BITS_1, FT_PARITY_EVEN), FT_OK);
    ecrit("2");
    EXPECT_EQ(enAttente(), 0u);

    ASSERT_EQ(api->setDataCharacteristics(poignee, FT_BITS_8, FT_STOP_BITS_1, FT_PARITY_NONE), FT_OK);
    EXPECT_EQ(echange("2"), "2" + trame(v6simNumeroSerie));
}

struct CasCommande {
    const char* commande;
    const char* reponse; // "" : refused, answered by an empty frame
};

TEST_F(SimulateurV6, AnswersEachCommandInAFrame)
{
    const CasCommande cas[] = {
        {"I", "OK"},
        {"2", v6simNumeroSerie},
        {"V00040F0F0F", "OK"},
        {"V0F0F0F0F0F", "OK"},
        {"V00020F0F0F", "OK"},
        {"V01040F0F0F", ""}, // physical input 1 has no slot here
        {"V00000F0F0F", ""}, // the same input twice
        {"V10040F0F0F", ""}, // a field is "0" then a digit
        {"PD8F0", "OK"},
        {"P0001", "OK"},
        {"Pd8f0", ""}, // digits are upper case
        {"N03F3", "OK"},
        {"N0000", ""},
        {"E2028002", "OK"},
        {"E3027FF4", "OK"},
        {"E1020000", "OK"},
        {"E0000000", "OK"},
        {"E2028001", ""}, // threshold on an input without slot
        {"E5000000", ""},
        {"O0000", "OK"},
        {"O00FA", "OK"},
        {"A1", ""},
        {"A6", ""},
    };
    ouvre();
    for (const CasCommande& c : cas)
        EXPECT_EQ(echange(c.commande), std::string(c.commande) + trame(c.reponse)) << c.commande;
}

TEST_F(SimulateurV6, ForgetsACommandLeftUnfinished)
{
    ouvre();
    ecrit("V00");
    EXPECT_EQ(lit(3), "V00");
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    EXPECT_EQ(echange("2"), "2" + trame(v6simNumeroSerie));
    // ESC also drops what was typed.
    ecrit(std::string("P00") + ESC);
    EXPECT_EQ(lit(4), std::string("P00") + ESC);
    EXPECT_EQ(echange("2"), "2" + trame(v6simNumeroSerie));
}

TEST_F(SimulateurV6, SendsItsCalibrationBlock)
{
    ouvre();
    ecrit("0");
    const std::string recu = lit(1 + 1 + 128 + 3);
    ASSERT_EQ(recu.size(), 133u);
    EXPECT_EQ(recu.substr(0, 2), "0:");
    EXPECT_EQ(recu.substr(130), "@\n\r");
    const std::string bloc = recu.substr(2, 128);

    const double nominal = 50.0 / 4095.0;
    for (int k = 0; k < 3; ++k) {
        const float gain = reelDuBloc(bloc, 4 * k);
        const float offset = reelDuBloc(bloc, 16 + 4 * k);
        EXPECT_EQ(gain, v6simAmpliCan[k]);
        EXPECT_EQ(offset, v6simOffsetCan[k]);
        // A real unit's calibration: close to nominal, never exactly.
        EXPECT_NEAR(gain, nominal, nominal * 0.002) << k;
        EXPECT_NE(gain, static_cast<float>(nominal)) << k;
        EXPECT_NEAR(offset, -25.0, 0.05) << k;
        EXPECT_NE(offset, -25.0f) << k;
    }
    EXPECT_EQ(reelDuBloc(bloc, 32), v6simAmpliDac);
    EXPECT_EQ(reelDuBloc(bloc, 36), v6simOffsetDac);

    const std::string numero(bloc.data() + 64, strnlen(bloc.data() + 64, 16));
    EXPECT_EQ(numero, v6simNumeroSerie);
    EXPECT_NE(numero.find("SIM"), std::string::npos);
    EXPECT_EQ(echange("2"), "2" + trame(numero));
}

TEST_F(SimulateurV6, MeasuresEachInputDirectly)
{
    ouvre();
    for (int entree = 0; entree < 3; ++entree) {
        const std::string commande = "A" + std::to_string(2 * entree);
        const auto avant = Horloge::now();
        const std::string recu = echange(commande);
        const auto apres = Horloge::now();
        ASSERT_EQ(recu.size(), commande.size() + 3 + 4) << recu;
        const std::string texte = recu.substr(commande.size() + 1, 3);
        EXPECT_EQ(texte.find_first_not_of("0123456789ABCDEF"), std::string::npos) << texte;
        const int code = std::stoi(texte, nullptr, 16);

        // The unit read the input somewhere between these two clock values.
        const double tMin = secondesDepuis(apresMiseSousTension, avant);
        const double tMax = secondesDepuis(avantMiseSousTension, apres);
        int plusPetit = 4095;
        int plusGrand = 0;
        for (double t = tMin; t <= tMax + 1e-6; t += 1e-6) {
            plusPetit = std::min<int>(plusPetit, v6simCode(entree, t));
            plusGrand = std::max<int>(plusGrand, v6simCode(entree, t));
        }
        EXPECT_GE(code, plusPetit) << commande;
        EXPECT_LE(code, plusGrand) << commande;
    }
}

TEST_F(SimulateurV6, DropsTheEchoesItIsToldToLose)
{
    ouvre();
    api->perdEcho(1);
    EXPECT_EQ(echange("2"), trame(v6simNumeroSerie)); // acted on, not echoed
    ecrit("x");
    EXPECT_EQ(lit(1), "x");

    api->perdEcho(3);
    EXPECT_EQ(echange("N0064"), "64" + trame("OK"));
}

TEST_F(SimulateurV6, PutsStrayBytesAheadOfTheNextAnswer)
{
    ouvre();
    api->octetsParasites("#!\0", 3);
    EXPECT_EQ(echange("2"), std::string("#!\0", 3) + "2" + trame(v6simNumeroSerie));
}

TEST_F(SimulateurV6, ReadWaitsAtMostItsTimeOut)
{
    ouvre();
    ASSERT_EQ(api->setTimeouts(poignee, 60, 1000), FT_OK);
    ecrit("abc");
    char tampon[10] = {};
    DWORD lus = 0;
    auto debut = Horloge::now();
    ASSERT_EQ(api->read(poignee, tampon, 10, &lus), FT_OK);
    const double attente = secondesDepuis(debut);
    EXPECT_EQ(lus, 3u);
    EXPECT_EQ(std::string(tampon, 3), "abc");
    EXPECT_GE(attente, 0.055);
    EXPECT_LT(attente, 0.5);

    ecrit("de");
    debut = Horloge::now();
    ASSERT_EQ(api->read(poignee, tampon, 2, &lus), FT_OK);
    EXPECT_EQ(lus, 2u);
    EXPECT_LT(secondesDepuis(debut), 0.03); // enough bytes: no wait
}

TEST_F(SimulateurV6, PurgeEmptiesTheReceiveSide)
{
    ouvre();
    ecrit("abc2");
    EXPECT_GT(enAttente(), 4u);
    EXPECT_EQ(api->purge(poignee, FT_PURGE_RX | FT_PURGE_TX), FT_OK);
    EXPECT_EQ(enAttente(), 0u);
    EXPECT_EQ(echange("2"), "2" + trame(v6simNumeroSerie));
}

TEST_F(SimulateurV6, UnpluggingKillsTheHandleUntilReopened)
{
    ouvre();
    FT_HANDLE ancienne = poignee;
    api->branche(0);
    char description[50] = "Sysam-V6";
    char octet = 27;
    DWORD n = 0;
    EXPECT_EQ(api->write(ancienne, &octet, 1, &n), FT_IO_ERROR);
    EXPECT_EQ(api->read(ancienne, &octet, 1, &n), FT_IO_ERROR);
    EXPECT_EQ(api->getQueueStatus(ancienne, &n), FT_IO_ERROR);
    EXPECT_EQ(api->setBaudRate(ancienne, 1'250'000), FT_IO_ERROR);
    FT_HANDLE h = nullptr;
    EXPECT_EQ(api->openEx(description, FT_OPEN_BY_DESCRIPTION, &h), FT_DEVICE_NOT_FOUND);

    api->branche(1);
    EXPECT_EQ(api->write(ancienne, &octet, 1, &n), FT_IO_ERROR); // stays dead
    EXPECT_EQ(api->close(ancienne), FT_OK);
    EXPECT_EQ(api->close(ancienne), FT_INVALID_HANDLE);
    poignee = nullptr;
    ouvre();
    ecrit(std::string(1, ESC));
    EXPECT_EQ(lit(1), std::string(1, ESC));
    EXPECT_EQ(echange("2"), "2" + trame(v6simNumeroSerie));
}

TEST_F(SimulateurV6, UnpluggingEndsAWaitingRead)
{
    ouvre();
    ASSERT_EQ(api->setTimeouts(poignee, 0, 0), FT_OK); // wait for ever
    std::thread main([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        api->branche(0);
    });
    char tampon[4];
    DWORD lus = 0;
    const auto debut = Horloge::now();
    EXPECT_EQ(api->read(poignee, tampon, 4, &lus), FT_IO_ERROR);
    EXPECT_LT(secondesDepuis(debut), 1.0);
    main.join();
}
