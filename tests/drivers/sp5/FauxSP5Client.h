#pragma once
// The test side of the fake SP5 library: its paths and its hooks, opened on
// the same file as the driver so that both share the library's state.
#include "platform/Bibliotheque.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace faux_sp5 {

inline std::string chemin(const std::string& variante, const std::string& nom)
{
    return std::string(FAUX_SP5_DIR) + "/" + variante + "/" + nom;
}
inline std::string complet() { return chemin("faux", "SP5.DLL"); }
inline std::string sansLireFifo() { return chemin("incomplet", "SP5.DLL"); }
inline std::string simSansAfficheInfos() { return chemin("fauxsim", "SP5SIM.DLL"); }
inline std::string simComplet() { return chemin("fauxsimcomplet", "SP5SIM.DLL"); }
inline std::string minuscules() { return chemin("minuscules", "sp5.dll"); }

class Crochets {
public:
    explicit Crochets(const std::string& cheminBibliotheque)
        : h_(plateforme::chargeBibliotheque(cheminBibliotheque))
    {
        if (h_ != nullptr)
            appel<void (*)()>("FauxSP5_Reinitialise")();
    }
    ~Crochets() { plateforme::libereBibliotheque(h_); }
    Crochets(const Crochets&) = delete;
    Crochets& operator=(const Crochets&) = delete;

    bool charge() const { return h_ != nullptr; }
    void branche(bool oui) { appel<void (*)(int32_t)>("FauxSP5_Branche")(oui ? 1 : 0); }
    void poseRegistre(uint32_t adresse, uint32_t valeur) { appel<void (*)(uint32_t, uint32_t)>("FauxSP5_PoseRegistre")(adresse, valeur); }
    void oublieEcritures() { appel<void (*)()>("FauxSP5_OublieEcritures")(); }
    std::vector<std::pair<uint32_t, uint32_t>> ecritures()
    {
        std::vector<std::pair<uint32_t, uint32_t>> liste;
        const int32_t n = appel<int32_t (*)()>("FauxSP5_NbEcritures")();
        for (int32_t i = 0; i < n; ++i) {
            uint32_t adresse = 0, valeur = 0;
            appel<void (*)(int32_t, uint32_t*, uint32_t*)>("FauxSP5_Ecriture")(i, &adresse, &valeur);
            liste.emplace_back(adresse, valeur);
        }
        return liste;
    }
    void poseBloc(const std::vector<uint16_t>& mots)
    {
        appel<void (*)(const uint16_t*, int32_t)>("FauxSP5_PoseBloc")(mots.data(), int32_t(mots.size()));
    }
    int32_t nbReset() { return appel<int32_t (*)()>("FauxSP5_NbReset")(); }
    int32_t nbViderFifo() { return appel<int32_t (*)()>("FauxSP5_NbViderFifo")(); }
    int32_t tailleBloc() { return appel<int32_t (*)()>("FauxSP5_TailleBloc")(); }

private:
    template <typename F>
    F appel(const char* nom) { return plateforme::procedure<F>(h_, nom); }
    plateforme::HandleBibliotheque h_;
};

} // namespace faux_sp5
