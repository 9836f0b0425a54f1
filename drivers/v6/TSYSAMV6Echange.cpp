// One command exchange: each character is echoed by the unit, then the answer
// comes framed as ":" text "@" LF CR. An empty answer is the only failure
// signal.
#include "drivers/v6/LiaisonV6.h"
#include "drivers/v6/TSYSAMV6.h"

namespace {
constexpr uint32_t kDelaiEcho = 1000;
constexpr uint32_t kDelaiCaractereReponse = 5000;
constexpr uint8_t kEchap = 27;
// No answer of the unit comes near this length: a longer one is a stream
// gone wrong, not an answer.
constexpr std::size_t kLongueurMaxReponse = 4096;
} // namespace

std::string TSYSAMV6::Send_V6(const std::string& aTexte)
{
    if (!liaisonV6().liaisonOuverte)
        return {};
    for (const char c : aTexte) {
        EcrireUnCaractere(static_cast<uint8_t>(c));
        if (!AttendreUnCaractereTimeOut(c, kDelaiEcho))
            return {};
    }
    if (!AttendreUnCaractereTimeOut(':', kDelaiEcho))
        return {};
    std::string reponse;
    for (;;) {
        char c = 0;
        if (!LireUnCaractereTimeOut(c, kDelaiCaractereReponse))
            return {};
        if (c == '@')
            break;
        if (reponse.size() >= kLongueurMaxReponse)
            return {};
        reponse += c;
    }
    if (!AttendreUnCaractereTimeOut('\n', kDelaiEcho) || !AttendreUnCaractereTimeOut('\r', kDelaiEcho))
        return {};
    return reponse;
}

bool TSYSAMV6::Presente()
{
    if (!Open_V6())
        return false;
    EcrireUnCaractere(kEchap);
    CentralePresente = AttendreUnCaractereTimeOut(char(kEchap), 200);
    if (CentralePresente) {
        V6TrouveeAuMoinsUneFois = true;
        RecupereCalibration();
    }
    return CentralePresente;
}

void TSYSAMV6::Reset()
{
    Send_V6("I");
    ccP_TempsEchMod = ccV_VoiesAAcqMod = ccA_VoieMod = true;
    ccN_NbPointsMod = ccE_SynchroMod = ccO_PretrigMod = true;
}
