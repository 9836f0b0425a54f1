// The simulated CAMPUS library, loaded the way the driver loads the vendor's.
#include "platform/Bibliotheque.h"
#include "drivers/campus/InterfaceCampus.h"
#include "simulators/campus/SignauxCampusSim.h"
#include "simulators/campus/SimCampus.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

namespace {

using Horloge = std::chrono::steady_clock;

struct BibliothequeCampus {
    plateforme::HandleBibliotheque handle = nullptr;
#define CHAMP(nom) T##nom nom = nullptr;
    CAMPUS_ENTREES_APPELEES(CHAMP)
#undef CHAMP
    decltype(&SimCampus_Branche) Branche = nullptr;
    decltype(&SimCampus_GainCalibre) GainCalibre = nullptr;
    decltype(&SimCampus_DeclenchementExterne) DeclenchementExterne = nullptr;
    decltype(&SimCampus_Reinitialise) Reinitialise = nullptr;
    decltype(&SimCampus_EtatLed) EtatLed = nullptr;
    decltype(&SimCampus_CalibreSelectionne) CalibreSelectionne = nullptr;
    decltype(&SimCampus_DernierePreparation) DernierePreparation = nullptr;
    decltype(&SimCampus_FixeDebutRuns) FixeDebutRuns = nullptr;
    decltype(&SimCampus_DebutRun) DebutRun = nullptr;

    void charge()
    {
        handle = plateforme::chargeBibliotheque(GALVORA_SIM_DIR "/Campus.DLL");
        if (handle == nullptr)
            return;
#define RESOUT(nom) nom = plateforme::procedure<T##nom>(handle, #nom);
        CAMPUS_ENTREES_APPELEES(RESOUT)
#undef RESOUT
        Branche = plateforme::procedure<decltype(Branche)>(handle, "SimCampus_Branche");
        GainCalibre = plateforme::procedure<decltype(GainCalibre)>(handle, "SimCampus_GainCalibre");
        DeclenchementExterne =
            plateforme::procedure<decltype(DeclenchementExterne)>(handle, "SimCampus_DeclenchementExterne");
        Reinitialise = plateforme::procedure<decltype(Reinitialise)>(handle, "SimCampus_Reinitialise");
        EtatLed = plateforme::procedure<decltype(EtatLed)>(handle, "SimCampus_EtatLed");
        CalibreSelectionne =
            plateforme::procedure<decltype(CalibreSelectionne)>(handle, "SimCampus_CalibreSelectionne");
        DernierePreparation =
            plateforme::procedure<decltype(DernierePreparation)>(handle, "SimCampus_DernierePreparation");
        FixeDebutRuns = plateforme::procedure<decltype(FixeDebutRuns)>(handle, "SimCampus_FixeDebutRuns");
        DebutRun = plateforme::procedure<decltype(DebutRun)>(handle, "SimCampus_DebutRun");
    }
};

std::u16string texte(CampusTexte t)
{
    return t == nullptr ? std::u16string() : std::u16string(t);
}

// The settings of one acquisition, as the driver passes them.
struct Reglages {
    std::vector<int32_t> entrees;
    double te = 100e-6;
    int32_t nbPoints = 100;
    int32_t source = _SOURCE_AUCUNE;
    int32_t sens = _MONTANT;
    double seuil = 0.0;
    int32_t preTrig = 0;
};

// What came out of one run: the words, and for each word the time after the
// start (measured just before DemarreAcquisition) when the test had it.
struct Releve {
    std::vector<int32_t> mots;
    std::vector<double> recuA;
    bool complet = false;
};

class SimCampusTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { campus.charge(); }

    void SetUp() override
    {
        ASSERT_NE(campus.handle, nullptr) << plateforme::derniereErreurBibliotheque();
        reinitialise();
    }

    // A freshly plugged unit whose runs read the signals from their phase 0;
    // the clock that runs on between runs has tests of its own.
    static void reinitialise()
    {
        campus.Reinitialise();
        campus.FixeDebutRuns(0);
    }

    void TearDown() override
    {
        if (campus.handle != nullptr)
            campus.Reinitialise();
    }

    static int32_t prepare(const Reglages& r, double* teUtilise = nullptr, int32_t* nbUtilise = nullptr)
    {
        TOrdreVoie ordre = {-1, -1, -1, -1, -1, -1, -1, -1, -1};
        for (int32_t e : r.entrees)
            ordre[e] = e;
        double te = r.te;
        int32_t nb = r.nbPoints;
        CampusTexte message = nullptr;
        const int32_t resultat =
            campus.PrepareAcquisition(ordre.data(), &te, &nb, r.source, r.sens, r.seuil, r.preTrig, false, &message);
        if (teUtilise != nullptr)
            *teUtilise = te;
        if (nbUtilise != nullptr)
            *nbUtilise = nb;
        return resultat;
    }

    // Starts a prepared run and reads it in small uneven chunks until
    // `attendus` words came or `limite` seconds passed.
    static Releve acquiert(size_t attendus, double limite)
    {
        Releve releve;
        const auto debut = Horloge::now();
        CampusTexte message = nullptr;
        EXPECT_EQ(campus.DemarreAcquisition(&message), 0);
        EXPECT_EQ(texte(message), u"");
        int32_t tampon[7];
        while (releve.mots.size() < attendus) {
            const int32_t lus = campus.LitDonneeNumerique(7, tampon);
            const double instant = std::chrono::duration<double>(Horloge::now() - debut).count();
            EXPECT_GE(lus, 0);
            EXPECT_LE(lus, 7);
            for (int32_t k = 0; k < lus; ++k) {
                releve.mots.push_back(tampon[k]);
                releve.recuA.push_back(instant);
            }
            if (lus == 0) {
                if (instant > limite)
                    break;
                std::this_thread::sleep_for(std::chrono::microseconds(500));
            }
        }
        releve.complet = releve.mots.size() >= attendus;
        return releve;
    }

    // The code the unit gives for input e at time t with the calibre index c.
    static int32_t codeAttendu(int e, double t, int c)
    {
        return campussimCode(campussimTension(e, t), campussimLigne(e, c));
    }

    // Checks the record against the documented signals: row j is sample
    // premier + j of a run whose sample 0 is at debutNs on the signals'
    // clock; no row came before its time.
    static void verifieRecord(const Releve& r, const Reglages& reglages, int64_t premier,
                              const std::vector<int>& calibres, int64_t debutNs = 0)
    {
        const size_t n = reglages.entrees.size();
        ASSERT_EQ(r.mots.size(), n * reglages.nbPoints);
        for (size_t w = 0; w < r.mots.size(); ++w) {
            const int64_t echantillon = premier + static_cast<int64_t>(w / n);
            const int e = reglages.entrees[w % n];
            const double t = campussimInstant(debutNs, echantillon, reglages.te);
            ASSERT_EQ(r.mots[w], codeAttendu(e, t, calibres[e])) << "word " << w;
            ASSERT_GE(r.recuA[w], echantillon * reglages.te) << "word " << w << " came before its time";
        }
    }

    static BibliothequeCampus campus;
};

BibliothequeCampus SimCampusTest::campus;

TEST_F(SimCampusTest, ExportsEveryNameOfTheLibraryAndHidesItsOwnCode)
{
    std::vector<const char*> noms;
#define NOM(nom) noms.push_back(#nom);
    CAMPUS_ENTREES_APPELEES(NOM)
    CAMPUS_ENTREES_NON_APPELEES(NOM)
    SIMCAMPUS_ENTREES(NOM)
#undef NOM
    for (const char* nom : noms)
        EXPECT_NE(plateforme::adresseProcedure(campus.handle, nom), nullptr) << nom;
    // campussim::unite(), the simulator's own function, stays inside.
    EXPECT_EQ(plateforme::adresseProcedure(campus.handle, "_ZN9campussim5uniteEv"), nullptr);
    // An entry point Galvora never calls does nothing, whatever it is given.
    auto inutilisee = plateforme::procedure<TEntreeCampusNonAppelee>(campus.handle, "DonneNomVoie");
    EXPECT_EQ(inutilisee(), 0);
}

TEST_F(SimCampusTest, SerialNumberMarksTheSimulatedUnitWhilePluggedIn)
{
    const std::u16string numero = texte(campus.DonneNumeroSerieCentrale());
    EXPECT_EQ(numero, campussimNumeroSerie);
    EXPECT_NE(numero.find(u"SIM"), std::u16string::npos);
    campus.Branche(0);
    EXPECT_EQ(texte(campus.DonneNumeroSerieCentrale()), u"");
    campus.Branche(1);
    EXPECT_EQ(texte(campus.DonneNumeroSerieCentrale()), numero);
}

TEST_F(SimCampusTest, EachCalibreHasItsOwnLineCloseToNominal)
{
    for (int e = 0; e < 4; ++e) {
        for (int c = 0; c < 4; ++c) {
            SCOPED_TRACE(testing::Message() << "input " << e << " calibre " << kCalibresCampus[c]);
            EXPECT_EQ(texte(campus.SelectionneCalibre(e, kCalibresCampus[c])), u"");
            EXPECT_EQ(campus.CalibreSelectionne(e), kCalibresCampus[c]);
            const double pleineEchelle = kCalibresCampus[c];
            const double u0 = campus.ConvertiDonneeEntreeNumeriqueEnAnalogique(0, e);
            const double u4096 = campus.ConvertiDonneeEntreeNumeriqueEnAnalogique(4096, e);
            const double u500 = campus.ConvertiDonneeEntreeNumeriqueEnAnalogique(500, e);
            EXPECT_NEAR(u0, -pleineEchelle, 0.002 * pleineEchelle);
            EXPECT_NEAR(u4096, pleineEchelle, 0.004 * pleineEchelle);
            EXPECT_NEAR(u500, u0 + 500.0 * (u4096 - u0) / 4096.0, 1e-9 * pleineEchelle);
            const LigneCampusSim ligne = campussimLigne(e, c);
            EXPECT_DOUBLE_EQ(u0, ligne.offset);
            EXPECT_DOUBLE_EQ(u4096 - u0, 4096.0 * ligne.gain);
        }
    }
    // Slightly imperfect: not every line is the nominal one.
    int nominales = 0;
    for (int e = 0; e < 4; ++e)
        for (int c = 0; c < 4; ++c)
            nominales += campussimLigne(e, c).gain == 2.0 * kCalibresCampus[c] / 4096.0 &&
                         campussimLigne(e, c).offset == -kCalibresCampus[c];
    EXPECT_LT(nominales, 16);
}

TEST_F(SimCampusTest, UnknownCalibreOrInputIsRefusedAndChangesNothing)
{
    ASSERT_EQ(texte(campus.SelectionneCalibre(2, 10)), u"");
    EXPECT_NE(texte(campus.SelectionneCalibre(2, 5)), u"");
    EXPECT_NE(texte(campus.SelectionneCalibre(4, 10)), u"");
    EXPECT_NE(texte(campus.SelectionneCalibre(-1, 10)), u"");
    EXPECT_EQ(campus.CalibreSelectionne(2), 10);
    EXPECT_TRUE(std::isnan(campus.ConvertiDonneeEntreeNumeriqueEnAnalogique(500, 4)));
}

TEST_F(SimCampusTest, TestsCanMakeOneCalibreImplausible)
{
    // Volts per code of the calibre `pleineEchelle` of input e, as the library reports it.
    const auto gainRapporte = [](int e, int32_t pleineEchelle) {
        EXPECT_EQ(texte(campus.SelectionneCalibre(e, pleineEchelle)), u"");
        return (campus.ConvertiDonneeEntreeNumeriqueEnAnalogique(3500, e) -
                campus.ConvertiDonneeEntreeNumeriqueEnAnalogique(500, e)) / 3000.0;
    };
    const auto proche = [](double mesure, double attendu) {
        return std::fabs(mesure - attendu) <= 1e-9 * std::fabs(attendu);
    };
    campus.GainCalibre(1, 2, 2.0);
    EXPECT_TRUE(proche(gainRapporte(1, 10), 2.0 * campussimLigne(1, 2).gain));
    // The other calibres of that input and the same calibre of the others keep their line.
    EXPECT_TRUE(proche(gainRapporte(1, 15), campussimLigne(1, 1).gain));
    EXPECT_TRUE(proche(gainRapporte(0, 10), campussimLigne(0, 2).gain));
    // Factors that make no line are ignored; 1 restores the unit's own line.
    campus.GainCalibre(1, 2, 0.0);
    campus.GainCalibre(1, 2, -2.0);
    campus.GainCalibre(1, 2, NAN);
    EXPECT_TRUE(proche(gainRapporte(1, 10), 2.0 * campussimLigne(1, 2).gain));
    // The samples follow the changed line too.
    campus.GainCalibre(3, 0, 2.0);
    LigneCampusSim double30V = campussimLigne(3, 0);
    double30V.gain *= 2.0;
    EXPECT_EQ(campus.LitValeurVoie(3), campussimCode(campussimTension(3, 0.0), double30V));
    campus.GainCalibre(1, 2, 1.0);
    EXPECT_TRUE(proche(gainRapporte(1, 10), campussimLigne(1, 2).gain));
}

TEST_F(SimCampusTest, IntervalsAreWholeConverterPeriods)
{
    const TOrdreVoie ordre = {0, -1, 2, -1, -1, -1, -1, -1, -1};
    struct Cas {
        double demande, attendu;
    };
    const Cas cas[] = {
        {250e-6, 250e-6},   // already whole: unchanged, bit for bit
        {330e-6, 330e-6},   {1.2e-6, 1.2e-6}, {3600.0, 3600.0},
        {333.44e-6, 333.4e-6}, {1.234e-6, 1.2e-6}, {160e-9, 200e-9},
        {50e-9, 100e-9},    {0.0, 100e-9},     {-1.0, 100e-9},
    };
    for (const Cas& c : cas) {
        const double te = campus.CalibreTe(c.demande, ordre.data());
        if (c.demande == c.attendu)
            EXPECT_EQ(te, c.attendu) << c.demande;
        else
            EXPECT_NEAR(te, c.attendu, 1e-15) << c.demande;
    }
}

TEST_F(SimCampusTest, PreparationWritesBackWhatTheUnitWillDoAndRecordsTheCall)
{
    Reglages r;
    r.entrees = {1, 3};
    r.te = 333.44e-6;
    r.nbPoints = 1022;
    r.source = _SOURCE_EA2;
    r.sens = _DESCENDANT;
    r.seuil = 1.5;
    r.preTrig = 26;
    double te = 0.0;
    int32_t nb = 0;
    EXPECT_EQ(prepare(r, &te, &nb), 0);
    EXPECT_NEAR(te, 333.4e-6, 1e-15);
    EXPECT_EQ(nb, 1022);

    TPreparationSimCampus p{};
    EXPECT_EQ(campus.DernierePreparation(&p), 1);
    const int32_t ordre[9] = {-1, 1, -1, 3, -1, -1, -1, -1, -1};
    for (int k = 0; k < 9; ++k)
        EXPECT_EQ(p.ordreVoies[k], ordre[k]) << k;
    EXPECT_EQ(p.te, 333.44e-6);
    EXPECT_EQ(p.nombreDePoints, 1022);
    EXPECT_EQ(p.sourceTrigger, _SOURCE_EA2);
    EXPECT_EQ(p.sensDeclenchement, _DESCENDANT);
    EXPECT_EQ(p.seuil, 1.5);
    EXPECT_EQ(p.preTrig, 26);
    EXPECT_EQ(p.modePermanent, 0);
}

TEST_F(SimCampusTest, PreparationRefusesWhatTheUnitCannotDo)
{
    struct Cas {
        const char* quoi;
        Reglages reglages;
    };
    Reglages aucuneVoie;
    Reglages capteur;
    capteur.entrees = {0};
    capteur.source = _SOURCE_CAPTEUR1;
    Reglages sensInconnu;
    sensInconnu.entrees = {0};
    sensInconnu.sens = 3;
    Reglages teNul;
    teNul.entrees = {0};
    teNul.te = 0.0;
    Reglages aucunPoint;
    aucunPoint.entrees = {0};
    aucunPoint.nbPoints = 0;
    const Cas cas[] = {{"no input", aucuneVoie},
                       {"sensor trigger", capteur},
                       {"unknown direction", sensInconnu},
                       {"zero interval", teNul},
                       {"no point", aucunPoint}};
    for (const Cas& c : cas) {
        EXPECT_NE(prepare(c.reglages), 0) << c.quoi;
        // Refused settings leave nothing to start.
        CampusTexte message = nullptr;
        EXPECT_NE(campus.DemarreAcquisition(&message), 0) << c.quoi;
        EXPECT_NE(texte(message), u"") << c.quoi;
    }
}

TEST_F(SimCampusTest, ShortRunWithoutTriggerDeliversTheSignalsInRealTime)
{
    ASSERT_EQ(texte(campus.SelectionneCalibre(0, 10)), u"");
    ASSERT_EQ(texte(campus.SelectionneCalibre(3, 1)), u"");
    Reglages r;
    r.entrees = {0, 1, 2, 3};
    r.te = 100e-6;
    r.nbPoints = 301; // 30 ms
    r.preTrig = 50;   // no meaning without a trigger
    ASSERT_EQ(prepare(r), 0);
    const Releve releve = acquiert(4 * 301, 2.0);
    ASSERT_TRUE(releve.complet);
    verifieRecord(releve, r, 0, {2, 0, 0, 3});
    // The last row exists only 30 ms after the start, and the record came
    // progressively, not in one piece.
    EXPECT_GE(releve.recuA.back(), 0.030);
    EXPECT_LT(releve.recuA.front(), releve.recuA.back());
    // A complete record gives nothing more.
    int32_t tampon[8];
    EXPECT_EQ(campus.LitDonneeNumerique(8, tampon), 0);
}

TEST_F(SimCampusTest, ReadingNeverExceedsTheCountAsked)
{
    Reglages r;
    r.entrees = {0, 2};
    r.te = 10e-6;
    r.nbPoints = 500;
    ASSERT_EQ(prepare(r), 0);
    CampusTexte message = nullptr;
    ASSERT_EQ(campus.DemarreAcquisition(&message), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    int32_t tampon[4] = {-7, -7, -7, -7};
    EXPECT_EQ(campus.LitDonneeNumerique(3, tampon), 3);
    EXPECT_EQ(tampon[3], -7);
    EXPECT_EQ(campus.LitDonneeNumerique(0, tampon), 0);
    EXPECT_EQ(campus.LitDonneeNumerique(-5, tampon), 0);
    EXPECT_EQ(campus.LitDonneeNumerique(4, nullptr), 0);
    // The partial row goes on where it stopped: word 3 is input 2 of row 1.
    ASSERT_EQ(campus.LitDonneeNumerique(1, tampon), 1);
    EXPECT_EQ(tampon[0], codeAttendu(2, 10e-6, 0));
}

// The first sample k >= max(npre, 1) whose code is strictly beyond the
// threshold while sample k - 1 is strictly on the other side.
// `debutNs`: sample 0 on the signals' clock.
int64_t premierFranchissement(const Reglages& r, int64_t npre, int calibre, int64_t debutNs = 0)
{
    const int e = r.source - _SOURCE_EA1;
    const LigneCampusSim ligne = campussimLigne(e, calibre);
    const double seuil = (r.seuil - ligne.offset) / ligne.gain;
    for (int64_t k = std::max<int64_t>(npre, 1);; ++k) {
        const int32_t avant = campussimCode(campussimTension(e, campussimInstant(debutNs, k - 1, r.te)), ligne);
        const int32_t apres = campussimCode(campussimTension(e, campussimInstant(debutNs, k, r.te)), ligne);
        const bool montant = avant < seuil && apres > seuil;
        const bool descendant = avant > seuil && apres < seuil;
        if ((r.sens == _MONTANT && montant) || (r.sens == _DESCENDANT && descendant) ||
            (r.sens == _SEUIL && (montant || descendant)))
            return k;
    }
}

TEST_F(SimCampusTest, ThresholdTriggerKeepsThePreTriggerRowsInBothDirections)
{
    struct Cas {
        const char* quoi;
        int32_t source, sens;
        double seuil;
        int32_t preTrig;
        int64_t npre;
    };
    // 200 rows of 100 us; V1 sine 5 V 50 Hz, V2 triangle +-8 V 25 Hz.
    const Cas cas[] = {
        {"V1 rising through 2 V, 25 %", _SOURCE_EA1, _MONTANT, 2.0, 25, 50},
        {"V1 falling through 2 V, 25 %", _SOURCE_EA1, _DESCENDANT, 2.0, 25, 50},
        {"V2 falling through -4 V, 10 %", _SOURCE_EA2, _DESCENDANT, -4.0, 10, 20},
        {"V2 either way through 7 V, 0 %", _SOURCE_EA2, _SEUIL, 7.0, 0, 0},
        {"V1 rising through -1 V, 100 %", _SOURCE_EA1, _MONTANT, -1.0, 100, 200},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.quoi);
        reinitialise();
        Reglages r;
        r.entrees = {0, 1};
        r.te = 100e-6;
        r.nbPoints = 200;
        r.source = c.source;
        r.sens = c.sens;
        r.seuil = c.seuil;
        r.preTrig = c.preTrig;
        ASSERT_EQ(prepare(r), 0);
        const int64_t k = premierFranchissement(r, c.npre, 0);
        const Releve releve = acquiert(2 * 200, 2.0);
        ASSERT_TRUE(releve.complet);
        verifieRecord(releve, r, k - c.npre, {0, 0, 0, 0});
        // Nothing came before the trigger sample existed.
        EXPECT_GE(releve.recuA.front(), k * r.te);
        // The rows around the trigger straddle the threshold in the asked direction.
        const size_t position = c.source - _SOURCE_EA1;
        const LigneCampusSim ligne = campussimLigne(static_cast<int>(position), 0);
        const auto volts = [&](int64_t rang) { return ligne.gain * releve.mots[2 * rang + position] + ligne.offset; };
        if (c.npre > 0 && c.npre < 200) {
            const double avant = volts(c.npre - 1);
            const double apres = volts(c.npre);
            if (c.sens == _MONTANT) {
                EXPECT_TRUE(avant < c.seuil && apres > c.seuil) << avant << " " << apres;
            } else if (c.sens == _DESCENDANT) {
                EXPECT_TRUE(avant > c.seuil && apres < c.seuil) << avant << " " << apres;
            }
        }
    }
}

TEST_F(SimCampusTest, ThresholdThatIsNeverCrossedGivesNothing)
{
    Reglages r;
    r.entrees = {3};
    r.te = 100e-6;
    r.nbPoints = 50;
    r.source = _SOURCE_EA4; // V4 stays at 0.5 V
    r.seuil = 1.0;
    r.preTrig = 20;
    ASSERT_EQ(prepare(r), 0);
    const Releve releve = acquiert(50, 0.05);
    EXPECT_TRUE(releve.mots.empty());
}

TEST_F(SimCampusTest, ExternalTriggerComesEveryPeriodOnceThePreTriggerExists)
{
    struct Cas {
        int32_t preTrig;
        int64_t npre, declenchement;
    };
    // 100 rows of 200 us (20 ms); edges every 50 ms, i.e. every 250 samples.
    const Cas cas[] = {{50, 50, 250}, {0, 0, 250}, {100, 100, 250}};
    ASSERT_EQ(campussimPeriodeDeclenchementExterne, 0.05);
    for (const Cas& c : cas) {
        SCOPED_TRACE(testing::Message() << "pre-trigger " << c.preTrig << " %");
        reinitialise();
        Reglages r;
        r.entrees = {1};
        r.te = 200e-6;
        r.nbPoints = 100;
        r.source = _SOURCE_EXTERNE;
        r.preTrig = c.preTrig;
        ASSERT_EQ(prepare(r), 0);
        const Releve releve = acquiert(100, 2.0);
        ASSERT_TRUE(releve.complet);
        verifieRecord(releve, r, c.declenchement - c.npre, {0, 0, 0, 0});
        EXPECT_GE(releve.recuA.front(), campussimPeriodeDeclenchementExterne);
    }
}

TEST_F(SimCampusTest, ExternalTriggerWaitsForTheNextEdgeWhenThePreTriggerIsLonger)
{
    // 400 rows of 200 us with 75 %: 300 pre-trigger samples (60 ms), so the
    // edge at 50 ms is too early and the one at 100 ms (sample 500) triggers.
    Reglages r;
    r.entrees = {0};
    r.te = 200e-6;
    r.nbPoints = 400;
    r.source = _SOURCE_EXTERNE;
    r.preTrig = 75;
    ASSERT_EQ(prepare(r), 0);
    const Releve releve = acquiert(400, 2.0);
    ASSERT_TRUE(releve.complet);
    verifieRecord(releve, r, 500 - 300, {0, 0, 0, 0});
}

TEST_F(SimCampusTest, SilencedExternalTriggerNeverComes)
{
    campus.DeclenchementExterne(0);
    Reglages r;
    r.entrees = {0};
    r.te = 100e-6;
    r.nbPoints = 20;
    r.source = _SOURCE_EXTERNE;
    ASSERT_EQ(prepare(r), 0);
    const Releve releve = acquiert(20, 2.2 * campussimPeriodeDeclenchementExterne);
    EXPECT_TRUE(releve.mots.empty());
}

TEST_F(SimCampusTest, StopEndsTheRunAndAnswersPercent)
{
    EXPECT_EQ(texte(campus.StoppeAcquisition()), u"%"); // nothing running
    Reglages r;
    r.entrees = {0};
    r.te = 1e-3;
    r.nbPoints = 1000;
    ASSERT_EQ(prepare(r), 0);
    CampusTexte message = nullptr;
    ASSERT_EQ(campus.DemarreAcquisition(&message), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    int32_t tampon[100];
    EXPECT_GT(campus.LitDonneeNumerique(100, tampon), 0);
    EXPECT_EQ(texte(campus.StoppeAcquisition()), u"%");
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(campus.LitDonneeNumerique(100, tampon), 0);
    // The same settings start again from the beginning.
    ASSERT_EQ(campus.DemarreAcquisition(&message), 0);
    ASSERT_EQ(campus.LitDonneeNumerique(1, tampon), 1);
    EXPECT_EQ(tampon[0], codeAttendu(0, 0.0, 0));
    EXPECT_EQ(texte(campus.StoppeAcquisition()), u"%");
}

TEST_F(SimCampusTest, UnpluggedUnitAnswersNothingAndKeepsItsCalibres)
{
    ASSERT_EQ(texte(campus.SelectionneCalibre(3, 1)), u"");
    Reglages r;
    r.entrees = {3};
    r.te = 1e-3;
    r.nbPoints = 1000;
    ASSERT_EQ(prepare(r), 0);
    CampusTexte message = nullptr;
    ASSERT_EQ(campus.DemarreAcquisition(&message), 0);

    campus.Branche(0);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    int32_t tampon[10];
    EXPECT_EQ(campus.LitDonneeNumerique(10, tampon), 0);
    EXPECT_NE(campus.DemarreAcquisition(&message), 0);
    EXPECT_EQ(texte(message), u"Centrale non connectée");
    EXPECT_NE(prepare(r), 0);
    EXPECT_NE(texte(campus.SelectionneCalibre(3, 10)), u"");
    EXPECT_EQ(campus.LitValeurVoie(3), -1);
    EXPECT_TRUE(std::isnan(campus.ConvertiDonneeEntreeNumeriqueEnAnalogique(500, 3)));
    EXPECT_EQ(texte(campus.StoppeAcquisition()), u"%");

    campus.Branche(1);
    // The run that was going does not come back; the calibre is still 1 V.
    EXPECT_EQ(campus.LitDonneeNumerique(10, tampon), 0);
    EXPECT_EQ(campus.CalibreSelectionne(3), 1);
    EXPECT_EQ(campus.LitValeurVoie(3), codeAttendu(3, 0.0, 3));
    ASSERT_EQ(prepare(r), 0);
    ASSERT_EQ(campus.DemarreAcquisition(&message), 0);
    ASSERT_EQ(campus.LitDonneeNumerique(1, tampon), 1);
    EXPECT_EQ(tampon[0], codeAttendu(3, 0.0, 3));
}

TEST_F(SimCampusTest, DirectReadingGivesThePresentCodeOfAnInput)
{
    ASSERT_EQ(texte(campus.SelectionneCalibre(2, 10)), u"");
    // V4 is constant; V3 is a square wave, so one of its two levels.
    EXPECT_EQ(campus.LitValeurVoie(3), codeAttendu(3, 0.0, 0));
    const int32_t carre = campus.LitValeurVoie(2);
    EXPECT_TRUE(carre == codeAttendu(2, 0.0, 2) || carre == codeAttendu(2, 0.006, 2)) << carre;
    EXPECT_EQ(campus.LitValeurVoie(4), -1);
    EXPECT_EQ(campus.LitValeurVoie(-1), -1);
}

TEST_F(SimCampusTest, LedsTakeTheColourAsked)
{
    for (int e = 0; e < 4; ++e)
        EXPECT_EQ(campus.EtatLed(e), LED_ETEINT);
    EXPECT_EQ(campus.CommandeLed(1, LED_ROUGE), 0);
    EXPECT_EQ(campus.CommandeLed(2, LED_BLEU), 0);
    EXPECT_EQ(campus.EtatLed(1), LED_ROUGE);
    EXPECT_EQ(campus.EtatLed(2), LED_BLEU);
    // Only the low byte of an enumeration counts.
    EXPECT_EQ(campus.CommandeLed(0, 0x7F00 | LED_MAUVE), 0);
    EXPECT_EQ(campus.EtatLed(0), LED_MAUVE);
    EXPECT_NE(campus.CommandeLed(4, LED_BLEU), 0);
    EXPECT_NE(campus.CommandeLed(0, 4), 0);
    EXPECT_EQ(campus.EtatLed(0), LED_MAUVE);
}

TEST_F(SimCampusTest, OutputsResetAndLinkClosesWithoutHarm)
{
    EXPECT_EQ(texte(campus.ReseteSortie(kSortieSA1)), u"");
    EXPECT_EQ(texte(campus.ReseteSortie(kSortieSA2)), u"");
    EXPECT_NE(texte(campus.ReseteSortie(3)), u"");
    EXPECT_EQ(campus.FermeConnectionUSB(), 0);
    // A later program run finds the unit again.
    EXPECT_EQ(texte(campus.DonneNumeroSerieCentrale()), campussimNumeroSerie);
}

} // namespace

// Without a pinned start: the signals follow one clock from the moment the
// unit is plugged in, as on a bench, and an acquisition does not restart it.
TEST_F(SimCampusTest, TheSignalsRunOnFromThePlugAcrossRuns)
{
    const auto ns = [](Horloge::duration d) { return std::chrono::duration_cast<std::chrono::nanoseconds>(d).count(); };
    const auto avantMise = Horloge::now();
    campus.Reinitialise();
    const auto apresMise = Horloge::now();
    EXPECT_EQ(campus.DebutRun(), -1);
    Reglages r;
    r.entrees = {0, 1};
    r.te = 100e-6;
    r.nbPoints = 50;
    // One run; its sample 0 is the instant it started, counted from the plug,
    // which came between the two instants given.
    const auto unRun = [&](Horloge::time_point avantBranche, Horloge::time_point apresBranche) {
        EXPECT_EQ(prepare(r), 0);
        const auto avant = Horloge::now();
        const Releve releve = acquiert(2 * 50, 1.0);
        const auto apres = Horloge::now();
        const int64_t debut = campus.DebutRun();
        EXPECT_GE(debut, ns(avant - apresBranche));
        EXPECT_LE(debut, ns(apres - avantBranche));
        verifieRecord(releve, r, 0, {0, 0, 0, 0}, debut);
        return debut;
    };
    const int64_t premier = unRun(avantMise, apresMise);
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
    const int64_t second = unRun(avantMise, apresMise);
    EXPECT_GE(second - premier, 25'000'000);

    // Plugged in again: the clock starts anew.
    campus.Branche(0);
    const auto avantBranche = Horloge::now();
    campus.Branche(1);
    const auto apresBranche = Horloge::now();
    unRun(avantBranche, apresBranche);
}

// The oscilloscope's still picture: a threshold trigger on a periodic input
// finds the same phase in every run, whenever the run starts.
TEST_F(SimCampusTest, AThresholdTriggerFindsTheSamePhaseEveryRun)
{
    campus.FixeDebutRuns(-1);
    Reglages r;
    r.entrees = {0};
    r.te = 100e-6;
    r.nbPoints = 200;
    r.source = _SOURCE_EA1; // 5 V, 50 Hz sine
    r.sens = _MONTANT;
    r.seuil = 2.0;
    r.preTrig = 25;
    const int64_t npre = 50;
    // Within one sample interval of phase: the sine's steepest slope over 100 us, in codes.
    const double ecartMax = 2.0 * campussimPi * 50.0 * 5.0 * r.te / campussimLigne(0, 0).gain + 2.0;
    std::vector<int32_t> premier;
    for (int pause : {0, 7, 13}) {
        SCOPED_TRACE(testing::Message() << "after " << pause << " ms");
        std::this_thread::sleep_for(std::chrono::milliseconds(pause));
        ASSERT_EQ(prepare(r), 0);
        const Releve releve = acquiert(200, 2.0);
        ASSERT_TRUE(releve.complet);
        const int64_t debut = campus.DebutRun();
        verifieRecord(releve, r, premierFranchissement(r, npre, 0, debut) - npre, {0, 0, 0, 0}, debut);
        const LigneCampusSim ligne = campussimLigne(0, 0);
        EXPECT_LT(ligne.gain * releve.mots[npre - 1] + ligne.offset, r.seuil);
        EXPECT_GT(ligne.gain * releve.mots[npre] + ligne.offset, r.seuil);
        if (premier.empty())
            premier = releve.mots;
        for (size_t j = 0; j < releve.mots.size(); ++j)
            EXPECT_LE(std::abs(releve.mots[j] - premier[j]), ecartMax) << "row " << j;
    }
}
