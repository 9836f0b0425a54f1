// The six ways a run is read back (short and long records, no trigger,
// threshold, external), against the simulated unit's documented signals.
#include "tests/drivers/campus/SimulateurCampus.h"

#include "platform/PompeMessages.h"
#include "platform/Temps.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

struct Releve {
    std::vector<uint16_t> mots;
    std::vector<int32_t> blocs;
    int32_t nbDelaisDepasses = 0;
    // The driver had read the whole record when it handed back its first block.
    bool completAuPremierBloc = false;
};

// One run as the main window drives it: program, start, read blocks until
// the record is in, stop.
Releve acquiert(TSYSAMCAMPUS& c, std::function<void()> avantDemarrage = {}, int32_t nbPtsFifo = 0)
{
    Releve releve;
    c.Reset();
    c.NbPtsFifo = nbPtsFifo > 0
        ? nbPtsFifo
        : std::max(std::max(std::min(int32_t(std::lround(0.1 / c.dt0X)), 256), c.nbVoiesSignaux), c.nbPtsFifoMin);
    c.prepareTousPRX(true);
    c.TailleTransfertFifo(c.NbPtsFifo);
    c.ViderFifo();
    if (avantDemarrage)
        avantDemarrage();
    c.attenteDeclenchement = c.modeDecl != kDeclImmediat;
    c.declencheAcq();
    const size_t attendus = size_t(c.nbPts0X * c.nbVoiesSignaux);
    const double debut = plateforme::secondesMonotones();
    TFifoSP5 bloc {};
    while (releve.mots.size() < attendus && plateforme::secondesMonotones() - debut < 5.0) {
        const int32_t n = c.LireFifo(&bloc);
        if (n > 0) {
            if (releve.blocs.empty())
                releve.completAuPremierBloc = c.recupTerminee;
            releve.blocs.push_back(n);
            releve.mots.insert(releve.mots.end(), bloc.begin(), bloc.begin() + n);
        } else {
            if (n == kLireFifoDelaiDepasse)
                ++releve.nbDelaisDepasses;
            plateforme::dors(1);
        }
    }
    c.arreteAcq();
    return releve;
}

// The record is the simulated unit's samples premier, premier + 1, ... of
// every active input, interleaved in input order, each code shifted left by 4.
void verifieSignaux(const TSYSAMCAMPUS& c, const Releve& releve, int64_t premier)
{
    const int32_t n = c.nbVoiesSignaux;
    ASSERT_EQ(releve.mots.size(), size_t(c.nbPts0X * n));
    int32_t ecarts = 0;
    for (size_t m = 0; m < releve.mots.size(); ++m) {
        const int64_t rang = int64_t(m) / n;
        const int32_t entree = c.VoiesActivesSignaux[m % n];
        const LigneCampusSim ligne = campussimLigne(entree, c.VoiesX[entree].idxCalibreUt);
        const double t = double(premier + rang) * c.dt0X;
        const int32_t attendu = campussimCode(campussimTension(entree, t), ligne);
        if (releve.mots[m] != uint16_t(attendu << 4) && ecarts++ < 5)
            ADD_FAILURE() << "word " << m << " (row " << rang << ", input " << entree << "): "
                          << releve.mots[m] << " instead of " << (attendu << 4);
    }
    EXPECT_EQ(ecarts, 0);
}

void verifieBlocs(const Releve& releve, int32_t tailleBloc)
{
    ASSERT_FALSE(releve.blocs.empty());
    for (size_t b = 0; b + 1 < releve.blocs.size(); ++b)
        EXPECT_EQ(releve.blocs[b], tailleBloc) << "block " << b;
    EXPECT_GE(releve.blocs.back(), 1);
    EXPECT_LE(releve.blocs.back(), tailleBloc);
}

// Rows the simulated unit delivers before its trigger sample, as it rounds
// the pre-trigger percentage it was given.
int64_t nbPretrigSimule(const TSYSAMCAMPUS& c)
{
    return std::min<int64_t>(int64_t(std::nearbyint(c.aPreTrig1 * double(c.aNombreDePoint1) / 100.0)),
                             c.aNombreDePoint1);
}

// The simulated unit's threshold trigger: the first sample from
// max(Npre, 1) on whose code lies strictly beyond the threshold while the
// previous one lies strictly on the other side.
int64_t declenchementSeuilSimule(const TSYSAMCAMPUS& c, int64_t nbPretrig)
{
    const int32_t entree = c.voieSynchro;
    const LigneCampusSim ligne = campussimLigne(entree, c.VoiesX[entree].idxCalibreUt);
    const double codeSeuil = (double(c.USeuilDecl) - ligne.offset) / ligne.gain;
    auto code = [&](int64_t s) { return campussimCode(campussimTension(entree, double(s) * c.dt0X), ligne); };
    for (int64_t s = std::max<int64_t>(nbPretrig, 1);; ++s) {
        const bool montant = code(s - 1) < codeSeuil && code(s) > codeSeuil;
        const bool descendant = code(s - 1) > codeSeuil && code(s) < codeSeuil;
        if (c.asensDeclenchement1 == _MONTANT ? montant : descendant)
            return s;
    }
}

// The first sample at or after an edge of the simulated external input for
// which the pre-trigger rows exist.
int64_t declenchementExterneSimule(const TSYSAMCAMPUS& c, int64_t nbPretrig)
{
    for (int64_t front = 1;; ++front) {
        const double position = front * campussimPeriodeDeclenchementExterne / c.dt0X;
        const auto echantillon = int64_t(std::ceil(position - 1e-9 * std::max(1.0, position)));
        if (echantillon >= nbPretrig)
            return echantillon;
    }
}

} // namespace

class AcquisitionCampus : public AvecSimulateurCampus {
protected:
    void SetUp() override
    {
        AvecSimulateurCampus::SetUp();
        installeLignesSimulateur();
    }

    void active(int entree, int calibre)
    {
        centrale->activeVoieA(uint8_t(entree), false);
        centrale->setCal(uint8_t(entree), calibre, false);
    }

    void regleDeclenchement(int32_t mode, int32_t voie, float seuil, int32_t idxPretrig)
    {
        centrale->setVoieSynchro(voie, false);
        centrale->setSeuilDecl(seuil);
        centrale->setSensDeclSeuil(0, false);
        centrale->setModeDeclenchement(mode, false);
        centrale->setPretrig(idxPretrig, false);
    }
};

TEST_F(AcquisitionCampus, CourtSansDeclenchementRenvoieChaqueBlocLu)
{
    TSYSAMCAMPUS& c = *centrale;
    active(0, 2);
    c.setDurees(0.1, 1001, false);
    ASSERT_EQ(c.modeRecuperation, 1);
    const Releve releve = acquiert(c, {}, 100);
    EXPECT_EQ(c.NBValTrame, 1001);
    verifieSignaux(c, releve, 0);
    verifieBlocs(releve, 100);
    EXPECT_EQ(releve.blocs.size(), 11u);
    EXPECT_EQ(c.dtPretrig, 0.0);
}

TEST_F(AcquisitionCampus, LongSansDeclenchementEntrelaceLesEntrees)
{
    TSYSAMCAMPUS& c = *centrale;
    active(0, 2);
    active(1, 1);
    c.setDurees(0.2, 201, false);
    ASSERT_EQ(c.modeRecuperation, 0);
    ASSERT_NEAR(c.dt0X, 1e-3, 1e-12);
    const Releve releve = acquiert(c);
    EXPECT_EQ(c.NbPtsFifo, 100);
    verifieSignaux(c, releve, 0);
    verifieBlocs(releve, 100);
}

TEST_F(AcquisitionCampus, CourtAuSeuilAligneEtRenvoieLEnregistrementComplet)
{
    TSYSAMCAMPUS& c = *centrale;
    active(0, 2);
    active(2, 2);
    regleDeclenchement(kDeclSeuil, 0, 1.0f, 1);
    c.setDurees(0.05, 501, false);
    ASSERT_EQ(c.modeRecuperation, 1);
    ASSERT_EQ(c.nbPts0X, 502);
    const Releve releve = acquiert(c);
    const int64_t k = declenchementSeuilSimule(c, nbPretrigSimule(c));
    // Row nbPtsPretrig is the last sample before the crossing.
    verifieSignaux(c, releve, k - 1 - c.nbPtsPretrig);
    EXPECT_TRUE(releve.completAuPremierBloc);
    for (int32_t n : releve.blocs)
        EXPECT_LE(n, 256);
    const double u1 = c.Ux(0, c.vPre);
    const double u2 = c.Ux(0, c.vPost);
    EXPECT_LT(u1, 1.0);
    EXPECT_GT(u2, 1.0);
    EXPECT_NEAR(c.dtPretrig, (1.0 - u1) / (u2 - u1) * c.dt0X, 1e-9);
}

TEST_F(AcquisitionCampus, LongAuSeuilSurLaSecondeEntreeRenvoieLePretrigPuisLeFlux)
{
    TSYSAMCAMPUS& c = *centrale;
    active(0, 2);
    active(1, 1);
    regleDeclenchement(kDeclSeuil, 1, 1.0f, 1);
    c.setDurees(0.2, 201, false);
    ASSERT_EQ(c.modeRecuperation, 0);
    ASSERT_EQ(c.voieSynchroVA, 1);
    const Releve releve = acquiert(c);
    const int64_t k = declenchementSeuilSimule(c, nbPretrigSimule(c));
    verifieSignaux(c, releve, k - 1 - c.nbPtsPretrig);
    EXPECT_FALSE(releve.completAuPremierBloc);
    // The pre-trigger rows, with the extra ones kept after the alignment,
    // come back first (in one block here).
    const int64_t rangsSupprimes = nbPretrigSimule(c) - 1 - c.nbPtsPretrig;
    EXPECT_EQ(releve.blocs.front(), c.nbVoiesSignaux * (c.nbPtsPretrig + c.psc1 + c.psc2 - rangsSupprimes));
    EXPECT_GT(c.dtPretrig, 0.0);
    EXPECT_LE(c.dtPretrig, c.dt0X);
}

TEST_F(AcquisitionCampus, SeuilSansFranchissementDansLeSensChoisiNeDeplaceRien)
{
    TSYSAMCAMPUS& c = *centrale;
    active(0, 2);
    regleDeclenchement(kDeclSeuil, 0, 1.0f, 1);
    c.setDurees(0.05, 501, false);
    // The unit triggers on a rising edge, the driver looks for a falling one.
    const Releve releve = acquiert(c, [&] { c.sensDeclSeuil = 1; });
    const int64_t nbPretrig = nbPretrigSimule(c);
    const int64_t k = declenchementSeuilSimule(c, nbPretrig);
    verifieSignaux(c, releve, k - nbPretrig);
}

TEST_F(AcquisitionCampus, LongPretrigTotalCompletLEnregistrementDesLePretrig)
{
    TSYSAMCAMPUS& c = *centrale;
    active(0, 2);
    regleDeclenchement(kDeclSeuil, 0, 1.0f, 4);
    c.setDurees(0.2, 201, false);
    ASSERT_EQ(c.modeRecuperation, 0);
    ASSERT_EQ(c.nbPtsPretrig, 200);
    const Releve releve = acquiert(c);
    const int64_t k = declenchementSeuilSimule(c, nbPretrigSimule(c));
    verifieSignaux(c, releve, k - 1 - c.nbPtsPretrig);
    EXPECT_EQ(c.etapeAcq, 5);
}

TEST_F(AcquisitionCampus, CourtExterneCommenceAuPretrigDuFront)
{
    TSYSAMCAMPUS& c = *centrale;
    active(0, 2);
    regleDeclenchement(kDeclExterne, 0, 0.0f, 1);
    c.setDurees(0.1, 1001, false);
    ASSERT_EQ(c.modeRecuperation, 1);
    ASSERT_EQ(c.psc1 + c.psc2, 0);
    const Releve releve = acquiert(c);
    const int64_t nbPretrig = nbPretrigSimule(c);
    const int64_t k = declenchementExterneSimule(c, nbPretrig);
    verifieSignaux(c, releve, k - nbPretrig);
    // The edge falls within a row of the pre-trigger point.
    EXPECT_LE(std::llabs(nbPretrig - c.nbPtsPretrig), 1);
    EXPECT_EQ(c.dtPretrig, 0.0);
    for (int32_t n : releve.blocs)
        EXPECT_LE(n, 256);
}

TEST_F(AcquisitionCampus, LongExterneRenvoieLePretrigPuisLeFlux)
{
    TSYSAMCAMPUS& c = *centrale;
    active(0, 2);
    active(2, 2);
    regleDeclenchement(kDeclExterne, 0, 0.0f, 3);
    c.setDurees(0.2, 201, false);
    ASSERT_EQ(c.modeRecuperation, 0);
    const Releve releve = acquiert(c);
    const int64_t nbPretrig = nbPretrigSimule(c);
    const int64_t k = declenchementExterneSimule(c, nbPretrig);
    verifieSignaux(c, releve, k - nbPretrig);
    // The 2 x 150 pre-trigger words come back first, in blocks of at most 256.
    ASSERT_GE(releve.blocs.size(), 2u);
    EXPECT_EQ(releve.blocs[0], 256);
    EXPECT_EQ(releve.blocs[1], 2 * c.nbPtsPretrig - 256);
}

TEST_F(AcquisitionCampus, UnDeclenchementQuiNeVientPasDonneLeDelaiDepasseAuPremierAppel)
{
    struct Cas {
        int32_t mode;
        double duree;
        int32_t etapeSuivante;
    };
    // A long record moves on to collecting its pre-trigger, a short one to
    // streaming; a threshold trigger keeps waiting at the next call.
    const Cas cas[] = { { kDeclExterne, 0.2, 2 }, { kDeclExterne, 0.1, 4 }, { kDeclSeuil, 0.2, 1 } };
    sim.DeclenchementExterne(0);
    active(0, 2);
    for (const Cas& un : cas) {
        SCOPED_TRACE(testing::Message() << "mode " << un.mode << ", " << un.duree << " s");
        TSYSAMCAMPUS& c = *centrale;
        regleDeclenchement(un.mode, 0, 9.5f, 1); // V1 never reaches 9 V
        c.setDurees(un.duree, 201, false);
        c.NbPtsFifo = 100;
        c.prepareTousPRX(true);
        c.TailleTransfertFifo(c.NbPtsFifo);
        c.declencheAcq();
        EXPECT_EQ(c.NbProcessus, 1);
        TFifoSP5 bloc {};
        const double debut = plateforme::secondesMonotones();
        EXPECT_EQ(c.LireFifo(&bloc), kLireFifoDelaiDepasse);
        EXPECT_GE(plateforme::secondesMonotones() - debut, 0.9);
        EXPECT_EQ(c.etapeAcq, un.etapeSuivante);
        c.arreteAcq();
        EXPECT_FALSE(c.acqPeriodiqueEnCours);
        EXPECT_EQ(c.NbProcessus, 0);
        EXPECT_EQ(c.LireFifo(&bloc), 0);
    }
}

TEST_F(AcquisitionCampus, LArretCompteLeProcessusUneSeuleFois)
{
    TSYSAMCAMPUS& c = *centrale;
    active(0, 2);
    c.setDurees(0.1, 101, false);
    c.prepareTousPRX(true);
    c.TailleTransfertFifo(100);
    c.declencheAcq();
    EXPECT_EQ(c.NbProcessus, 1);
    EXPECT_TRUE(c.acqPeriodiqueEnCours);
    c.arreteAcq();
    EXPECT_EQ(c.MSGErreurAcq, "%");
    EXPECT_EQ(c.NbProcessus, 0);
    // The main window stops a run twice when the user stops it.
    c.arreteAcq();
    EXPECT_EQ(c.NbProcessus, 0);
    EXPECT_GE(c.tAcqTotal1, 0.0);
}

TEST_F(AcquisitionCampus, UnArretDeLUtilisateurPendantLAttenteRendZero)
{
    TSYSAMCAMPUS& c = *centrale;
    active(0, 2);
    regleDeclenchement(kDeclSeuil, 0, 100.0f, 1); // beyond what V1 reaches
    c.setDurees(0.05, 501, false);
    c.prepareTousPRX(true);
    c.TailleTransfertFifo(100);
    c.declencheAcq();
    int appels = 0;
    plateforme::installePompeMessages([&] {
        if (++appels == 5)
            c.acqPeriodiqueEnCours = false;
    });
    TFifoSP5 bloc {};
    const double debut = plateforme::secondesMonotones();
    EXPECT_EQ(c.LireFifo(&bloc), 0);
    EXPECT_LT(plateforme::secondesMonotones() - debut, 0.5);
    plateforme::installePompeMessages({});
    c.arreteAcq();
}

// Without pre-trigger, the first two rows come back at once, then the rest.
TEST_F(AcquisitionCampus, SansPretrigLesDeuxPremiersRangsViennentDAbord)
{
    struct Cas {
        int32_t mode;
        double duree;
    };
    const Cas cas[] = { { kDeclSeuil, 0.05 }, { kDeclSeuil, 0.2 }, { kDeclExterne, 0.2 } };
    active(0, 2);
    active(1, 1);
    for (const Cas& un : cas) {
        SCOPED_TRACE(testing::Message() << "mode " << un.mode << ", " << un.duree << " s");
        TSYSAMCAMPUS& c = *centrale;
        regleDeclenchement(un.mode, 0, 1.0f, 0);
        c.setDurees(un.duree, 201, false);
        ASSERT_EQ(c.nbValPretrig, 0);
        const Releve releve = acquiert(c);
        ASSERT_EQ(nbPretrigSimule(c), 0);
        const int64_t k = un.mode == kDeclSeuil ? declenchementSeuilSimule(c, 0) : declenchementExterneSimule(c, 0);
        verifieSignaux(c, releve, k);
        ASSERT_FALSE(releve.blocs.empty());
        EXPECT_EQ(releve.blocs.front(), 2 * c.nbVoiesSignaux);
        // The unit's first row already lies beyond the threshold.
        EXPECT_EQ(c.dtPretrig, 0.0);
    }
}
