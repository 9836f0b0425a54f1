#pragma once
// A V6 driver on the scripted D2XX library. The driver is built while no
// device is attached (a quick construction that sends nothing); the test then
// attaches the device and opens the link itself.
#include "BibliothequeTest.h"
#include "FauxD2XX.h"
#include "drivers/v6/TSYSAMV6.h"
#include "platform/PompeMessages.h"
#include "platform/Temps.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class FixtureFauxD2XX : public ::testing::Test {
protected:
    BibliothequeTest faux { FAUX_D2XX_CHEMIN };
    std::unique_ptr<TSYSAMV6> v6;

    void SetUp() override
    {
        ASSERT_TRUE(faux.chargee());
        faux.fonction<PtrFauxD2XX_Reinitialise>("FauxD2XX_Reinitialise")();
        branche(false);
        v6 = std::make_unique<TSYSAMV6>(FAUX_D2XX_CHEMIN, 1);
        ASSERT_TRUE(v6->CentraleInstallee);
        ASSERT_EQ(v6->numeroSerie, "V6Absente");
        branche(true);
    }

    void TearDown() override
    {
        plateforme::installePompeMessages({});
        if (v6)
            v6->free(true);
        v6.reset();
    }

    void branche(bool oui) { faux.fonction<PtrFauxD2XX_Branche>("FauxD2XX_Branche")(oui ? 1 : 0); }
    void echo(bool oui) { faux.fonction<PtrFauxD2XX_Echo>("FauxD2XX_Echo")(oui ? 1 : 0); }
    void echoLimite(int n) { faux.fonction<PtrFauxD2XX_EchoLimite>("FauxD2XX_EchoLimite")(n); }
    void entree(const std::string& octets)
    {
        faux.fonction<PtrFauxD2XX_AjouteEntree>("FauxD2XX_AjouteEntree")(octets.data(), int32_t(octets.size()));
    }
    void reponse(const std::string& declencheur, const std::string& octets)
    {
        faux.fonction<PtrFauxD2XX_Reponse>("FauxD2XX_Reponse")(declencheur.data(), int32_t(declencheur.size()),
                                                               octets.data(), int32_t(octets.size()));
    }
    // The framed answer of the unit to a command.
    static std::string cadre(const std::string& texte) { return ":" + texte + "@\n\r"; }
    std::string ecrits()
    {
        char tampon[65536];
        const int32_t n = faux.fonction<PtrFauxD2XX_Ecrits>("FauxD2XX_Ecrits")(tampon, sizeof tampon);
        return std::string(tampon, std::size_t(std::min<int32_t>(n, sizeof tampon)));
    }
    std::string journal()
    {
        char tampon[8192];
        const int32_t n = faux.fonction<PtrFauxD2XX_Journal>("FauxD2XX_Journal")(tampon, sizeof tampon);
        return std::string(tampon, std::size_t(std::min<int32_t>(n, sizeof tampon)));
    }
    int32_t enAttente() { return faux.fonction<PtrFauxD2XX_EnAttente>("FauxD2XX_EnAttente")(); }
    void erreursEcriture(uint32_t statut, int32_t nombre)
    {
        faux.fonction<PtrFauxD2XX_ErreursEcriture>("FauxD2XX_ErreursEcriture")(statut, nombre);
    }
    void ouvre() { ASSERT_TRUE(v6->Open_V6()); }
};
