// The settings controller without a window, on the SP5 driver and its
// simulator library: what each gesture does to the unit, to the panels'
// data and to the general state, and when a change waits for the frame loop.
#include "app/ControleurReglages.h"
#include "drivers/sp5/TSP5.h"
#include "model/UniteBaseChaines.h"
#include "platform/Bibliotheque.h"

#include <gtest/gtest.h>

namespace {

const char* const kSimulateur = GALVORA_SIM_DIR "/SP5SIM.DLL";

// The window as the controller sees it, recording what it is asked.
class TVueEspion : public TVueReglages {
public:
    TModeGeneral mode = TModeGeneral::rienAcquis;
    std::vector<std::string> informations;
    std::vector<TActionEcran> actions;
    std::array<std::string, 8> valeurs;
    int montres = 0;

    void montre(const TPanneaux&, const TActivations&) override { ++montres; }
    void montreValeur(int voie, const std::string& texte) override { valeurs[std::size_t(voie)] = texte; }
    void information(const std::string& texte) override { informations.push_back(texte); }
    void demandeEcran(TActionEcran action) override { actions.push_back(action); }
    void setModeGeneral(TModeGeneral m) override { mode = m; }
    void relancePresence() override {}
};

struct Controleur : ::testing::Test {
    plateforme::HandleBibliotheque simulateur = plateforme::chargeBibliotheque(kSimulateur);
    TSP5 centrale {kSimulateur, 1};
    TMesures mesures;
    TDrapeauxAcquisition drapeaux;
    gv::TReglagesGV reglages;
    TVueEspion vue;
    TControleurReglages c {vue, mesures, drapeaux, vue.mode, reglages};

    void SetUp() override
    {
        ASSERT_NE(simulateur, nullptr);
        plateforme::procedure<void (*)()>(simulateur, "SimSP5_Reinitialise")();
        ASSERT_TRUE(centrale.Presente());
        c.setCentrale(&centrale);
        c.prepareCBTemporels();
        c.reglagesDefautMI();
        c.prepareComposants();
    }
    void TearDown() override { plateforme::libereBibliotheque(simulateur); }
};

} // namespace

TEST_F(Controleur, AGestureIsAppliedAndTheStateLeavesZero)
{
    const int avant = vue.montres;
    c.cocheVoie(2, true);
    EXPECT_TRUE(centrale.VoiesX[2].active);
    EXPECT_TRUE(c.panneaux().voies[2].coche);
    EXPECT_TRUE(c.activations().calibre[2]);
    EXPECT_EQ(vue.mode, TModeGeneral::reglageModifie);
    EXPECT_TRUE(c.activations().outil(TBoutonOutil::nouveau));
    // One gesture, one refresh of the panels, however many steps it took.
    EXPECT_EQ(vue.montres, avant + 1);
    EXPECT_EQ(drapeaux.typeSortieMP, TTypeSortieMP::aucune);
}

TEST_F(Controleur, DuringARunAChangeIsRecordedThenAppliedBetweenFrames)
{
    for (TModeGeneral enCours : {TModeGeneral::acquisitionEnCours, TModeGeneral::permanentEnCours}) {
        vue.mode = enCours;
        drapeaux = TDrapeauxAcquisition {};
        c.choisitCalibre(0, 1);
        EXPECT_EQ(drapeaux.typeSortieMP, TTypeSortieMP::calibre);
        EXPECT_TRUE(drapeaux.nouveauxParametres);
        EXPECT_EQ(centrale.VoiesX[0].idxCalibreUt, 0); // not yet
        EXPECT_EQ(c.panneaux().voies[0].calibre, 1);    // the group shows the click
        EXPECT_EQ(c.enAttente().MPCalibre, 1);
        c.appliqueEnAttente();
        EXPECT_EQ(centrale.VoiesX[0].idxCalibreUt, 1);
        c.changeCalibre(0, 0);
    }
    // A typed duration left while the mode runs waits too.
    vue.mode = TModeGeneral::permanentEnCours;
    const double duree = centrale.dureeTotale0X;
    c.entreDansBoite(TBoite::dureeTotale, -1);
    c.texteModifie(TBoite::dureeTotale, -1);
    c.quitteBoite(TBoite::dureeTotale, "50 ms");
    EXPECT_EQ(drapeaux.typeSortieMP, TTypeSortieMP::dureeTotale);
    EXPECT_EQ(centrale.dureeTotale0X, duree);
    c.appliqueEnAttente();
    EXPECT_NEAR(centrale.dureeTotale0X, 0.05, 1e-9);
    EXPECT_EQ(vue.mode, TModeGeneral::permanentEnCours);
}

TEST_F(Controleur, ABoxLeftWithoutTypingChangesNothing)
{
    const double duree = centrale.dureeTotale0X;
    c.entreDansBoite(TBoite::dureeTotale, c.panneaux().indexDuree);
    c.quitteBoite(TBoite::dureeTotale, "2 s");
    EXPECT_EQ(centrale.dureeTotale0X, duree);
    EXPECT_EQ(vue.mode, TModeGeneral::rienAcquis);
    c.entreDansBoite(TBoite::dureeTotale, c.panneaux().indexDuree);
    c.texteModifie(TBoite::dureeTotale, -1);
    c.quitteBoite(TBoite::dureeTotale, "2 s");
    EXPECT_NEAR(centrale.dureeTotale0X, 2, 1e-9);
    EXPECT_EQ(c.panneaux().texteDuree, formatValeur(3, styleIngenieur, 2.0L) + "s");
    EXPECT_EQ(mesures.tFin, centrale.dureeTotale0X); // the green cursors follow
}

TEST_F(Controleur, EnabledStatesOfASingleRun)
{
    c.desactiveComposantsAcqSimple();
    const TActivations& a = c.activations();
    EXPECT_FALSE(a.baseDeTemps);
    EXPECT_FALSE(a.typeDecl);
    EXPECT_FALSE(a.modePermanent);
    for (int i = 0; i < 8; ++i)
        EXPECT_FALSE(a.voieCochable[std::size_t(i)] || a.calibre[std::size_t(i)]) << i;
    for (int b = 0; b < kNbBoutonsOutils; ++b) {
        const auto bouton = TBoutonOutil(b);
        const bool reste = bouton == TBoutonOutil::aproposDe || bouton == TBoutonOutil::quitter;
        EXPECT_EQ(a.outil(bouton), reste) << b;
    }
    EXPECT_EQ(vue.actions.back(), TActionEcran::zoomsDesactives);

    // The end of a run with one curve: the exports and the table are usable;
    // Calc only with an office suite.
    vue.mode = TModeGeneral::acquisitionFinie;
    mesures.PrepareTV2(1, 11, false);
    mesures.finAcquisition({0.001, 11, 11, 0.01}, {TDescriptionCourbe {}}, false);
    c.activeComposantsAcqSimple();
    EXPECT_TRUE(a.baseDeTemps && a.typeDecl && a.modePermanent);
    EXPECT_TRUE(a.voieCochable[0] && a.calibre[0]);
    EXPECT_FALSE(a.calibre[1]); // inactive input
    for (TBoutonOutil b : {TBoutonOutil::nouveau, TBoutonOutil::enregistrerRW3, TBoutonOutil::voirTableau,
                           TBoutonOutil::mesures, TBoutonOutil::options})
        EXPECT_TRUE(a.outil(b)) << int(b);
    EXPECT_FALSE(a.outil(TBoutonOutil::transfertOOLO));
    c.environnement.LOInstalle = true;
    c.activeComposantsAcqSimple();
    EXPECT_TRUE(a.outil(TBoutonOutil::transfertOOLO));
    EXPECT_EQ(vue.actions.back(), TActionEcran::zoomsPlusSeulement);
}

// Before the first acquisition, the copies kept for the previous acquisition
// follow every change of the time base; after it they stay the run's.
TEST_F(Controleur, BeforeTheFirstRunTheTimeBaseCopiesFollow)
{
    c.ChangeDureeTotale("50 ms");
    EXPECT_EQ(mesures.dtAX, centrale.dt0X);
    EXPECT_EQ(mesures.dureeTotaleAX, centrale.dureeTotale0X);
    EXPECT_EQ(mesures.nbPtsAX, centrale.nbPts0X);
    c.changeNbPts("501");
    EXPECT_EQ(centrale.nbPts0X, 501);
    EXPECT_EQ(mesures.nbPtsAX, 501);
    EXPECT_EQ(mesures.dtAX, centrale.dt0X);
    c.premiereAcq = false;
    c.changeNbPts("1001");
    EXPECT_EQ(mesures.nbPtsAX, 501);
}
