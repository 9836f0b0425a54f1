// Transfers through Galvora's code into a real office, read back through UNO.
#include "OfficeTest.h"

#include "model/UniteBaseChaines.h"

#include <com/sun/star/awt/FontWeight.hpp>
#include <com/sun/star/sheet/XSpreadsheets.hpp>
#include <com/sun/star/table/CellHoriJustify.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace officetest;
using namespace css;
using css::uno::Reference;

namespace {

const std::string kConnexion = "message: Connexion à OpenOffice/LibreOffice...";
const std::string kEnCours = "message: Transfert vers OpenOffice.org Calc en cours...";
const std::string kTermine = "message: Transfert vers OO/LO terminé. ";

class Environnement : public ::testing::Environment {
public:
    void TearDown() override { termine(); }
};
const auto* const environnement = ::testing::AddGlobalTestEnvironment(new Environnement);

TSourceCalc source(const TMesures& m)
{
    return {&m, "SYSAM SP5", QDateTime(QDate(2025, 12, 8), QTime(14, 3, 27)), QLocale(QLocale::French, QLocale::France)};
}

// Runs one transfer and remembers the office it may have started.
void transfere(TTransfertCalc& t, const TMesures& m, int option, TVueEnregistree& vue)
{
    t.TransfertOOCalcPP(source(m), option, vue);
    retiensOffice(t);
}

double tempsAttendu(const TMesures& m, int64_t k)
{
    const double t = double(k) * m.dtAX - m.t0;
    return std::fabs(t) < m.dtAX / 2 ? 0.0 : t;
}

// Rows 5 .. n + 4 hold points k0 .. k1 (time then samples) and row n + 5 is empty.
void verifieValeurs(const Reference<sheet::XSpreadsheet>& f, const TMesures& m)
{
    const TPlageExport p = plageExport(m);
    const int nv = m.nbVoiesMesurees;
    const auto lignes = contenu(f, "A5:" + lettresColonne(nv + 1) + std::to_string(p.n() + 5));
    ASSERT_EQ(int64_t(lignes.size()), p.n() + 1);
    for (int64_t i = 0; i < p.n(); ++i) {
        const int64_t k = p.k0 + i;
        const auto& ligne = lignes[std::size_t(i)];
        ASSERT_TRUE(ligne[0].nombre) << "row " << i + 5;
        ASSERT_NEAR(ligne[0].valeur, tempsAttendu(m, k), 1e-6 * std::fabs(tempsAttendu(m, k)) + 1e-15) << "row " << i + 5;
        for (int c = 0; c < nv; ++c) {
            const double v = echantillon(c, k);
            ASSERT_TRUE(ligne[std::size_t(c + 1)].nombre) << "row " << i + 5 << " curve " << c;
            ASSERT_NEAR(ligne[std::size_t(c + 1)].valeur, v, 1e-5 * std::fabs(v) + 1e-15) << "row " << i + 5;
        }
        ASSERT_FALSE(ligne[std::size_t(nv + 1)].nombre) << "column after the curves, row " << i + 5;
        ASSERT_EQ(ligne[std::size_t(nv + 1)].texte, "");
    }
    for (const TCellule& c : lignes.back())
        ASSERT_TRUE(!c.nombre && c.texte.empty()) << "a row after the last point";
}

sal_Int32 entier(const uno::Any& a)
{
    sal_Int32 v = -1;
    a >>= v;
    return v;
}

table::CellHoriJustify alignement(const Reference<sheet::XSpreadsheet>& f, const std::string& plage)
{
    table::CellHoriJustify j = table::CellHoriJustify_REPEAT;
    propriete(f, plage, "HoriJustify") >>= j;
    return j;
}

float graisse(const Reference<sheet::XSpreadsheet>& f, const std::string& plage)
{
    float g = 0;
    propriete(f, plage, "CharWeight") >>= g;
    return g;
}

} // namespace

TEST(TransfertCalc, FirstTransferOfTwoCurvesGivesTheWholeSheet)
{
    setSeparateurDecimal(',');
    TMesures m = mesures(2, 7, 0.0025);
    TTransfertCalc t(parametres());
    TVueEnregistree vue;
    const std::size_t avant = 0; // the office is not running yet: no document
    transfere(t, m, 3, vue);     // the option asks, but a first transfer never does
    setSeparateurDecimal('.');

    EXPECT_EQ(vue.nbChoix, 0);
    const std::vector<std::string> attendu = {
        "etat 8", kConnexion, "sablier", kEnCours, "presence cachee", "etat rendu", "presence visible", kTermine,
        "curseur normal"};
    EXPECT_EQ(vue.journal, attendu);
    EXPECT_EQ(vue.progressions, (std::vector<int>{0, 100, 0}));
    EXPECT_EQ(t.numTransfertOOO_CC(), 1);

    const auto docs = documents();
    ASSERT_EQ(docs.size(), avant + 1);
    EXPECT_EQ(nomsFeuilles(docs.back()), (std::vector<std::string>{"Transfert"}));
    const auto f = feuille(docs.back(), "Transfert");
    const auto enTete = contenu(f, "A1:D4");
    EXPECT_EQ(enTete[0][0].texte, "Mesures réalisées avec l'interface SYSAM SP5 le 08/12/2025 à 14:03:27");
    EXPECT_EQ(enTete[1][0].texte, "7 points répartis sur 15,00 ms   2 séries mesurées ");
    const std::vector<std::string> noms = {"t", "uEA0", "uEA1", ""}, unites = {"s", "V", "V", ""};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(enTete[2][std::size_t(c)].texte, noms[std::size_t(c)]);
        EXPECT_EQ(enTete[3][std::size_t(c)].texte, unites[std::size_t(c)]);
    }
    verifieValeurs(f, m);

    EXPECT_TRUE(fusionnee(f, "A1:G1"));
    EXPECT_TRUE(fusionnee(f, "A2:G2"));
    EXPECT_FALSE(fusionnee(f, "A3:G3"));
    EXPECT_EQ(graisse(f, "A1:A2"), awt::FontWeight::BOLD);
    EXPECT_EQ(graisse(f, "A3:C4"), awt::FontWeight::BOLD);
    EXPECT_EQ(graisse(f, "A5:C11"), awt::FontWeight::NORMAL);
    EXPECT_EQ(graisse(f, "D3:D4"), awt::FontWeight::NORMAL);
    EXPECT_EQ(entier(propriete(f, "A1", "CellBackColor")), 9816575);
    EXPECT_EQ(entier(propriete(f, "A2", "CellBackColor")), 9816575);
    EXPECT_EQ(entier(propriete(f, "A3:C4", "CellBackColor")), 16774599);
    EXPECT_NE(entier(propriete(f, "D3", "CellBackColor")), 16774599);
    EXPECT_EQ(alignement(f, "A1"), table::CellHoriJustify_LEFT);
    EXPECT_EQ(alignement(f, "A3:C4"), table::CellHoriJustify_CENTER);
    EXPECT_EQ(alignement(f, "A5:C12"), table::CellHoriJustify_CENTER);
    // The data read as numbers, not as the clock times of the suite's key 61.
    EXPECT_EQ(entier(propriete(f, "A5:C12", "NumberFormat")), 0);
    for (const char* cellule : {"A6", "B7", "C8"}) {
        std::string montre = texteAffiche(f, cellule);
        std::replace(montre.begin(), montre.end(), ',', '.');
        EXPECT_EQ(montre.find(':'), std::string::npos) << cellule << " " << montre;
        EXPECT_NEAR(std::stod(montre), contenu(f, cellule)[0][0].valeur, 1e-3) << cellule << " " << montre;
    }
    EXPECT_EQ(selection(docs.back()), "D5");
}

TEST(TransfertCalc, BlocksOfAboutFiveHundredCellsFollowWithoutGaps)
{
    struct Cas {
        int courbes;
        int64_t points;
        std::vector<int> progressions; // one per block, between the 0 of the start and of the end
    };
    // 1 curve: blocks of 251 points end at 250, 501, 599; 3 curves: of 126 at 125, 251, 299.
    const Cas cas[] = {{1, 600, {0, 42, 84, 100, 0}}, {3, 300, {0, 42, 84, 100, 0}}};
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.courbes);
        const TMesures m = mesures(c.courbes, c.points, 0.001);
        TTransfertCalc t(parametres());
        TVueEnregistree vue;
        transfere(t, m, 0, vue);
        EXPECT_EQ(vue.progressions, c.progressions) << ::testing::PrintToString(vue.journal);
        verifieValeurs(feuille(documents().back(), "Transfert"), m);
        EXPECT_EQ(selection(documents().back()), lettresColonne(c.courbes + 1) + "5");
    }
}

TEST(TransfertCalc, CursorTZeroMovedStillStartsAtRowFiveWithTimeZero)
{
    TMesures m = mesures(2, 40, 0.001);
    m.t0 = 3.4 * m.dtAX; // point 3 lies 0.4 × dtAX before "t = 0"
    m.tFin = 30 * m.dtAX;
    TTransfertCalc t(parametres());
    TVueEnregistree vue;
    transfere(t, m, 0, vue);
    const auto f = feuille(documents().back(), "Transfert");
    const auto premiere = contenu(f, "A5:C5")[0];
    EXPECT_TRUE(premiere[0].nombre);
    EXPECT_EQ(premiere[0].valeur, 0.0);
    EXPECT_NEAR(premiere[1].valeur, echantillon(0, 3), 1e-6);
    EXPECT_EQ(contenu(f, "A2")[0][0].texte.substr(0, 3), "28 ");
    verifieValeurs(f, m);
    EXPECT_EQ(entier(propriete(f, "A5:C33", "NumberFormat")), 0);
}

TEST(TransfertCalc, NewSheetsInTheLastDocumentThenANewOneWhenTheUserClosedIt)
{
    const TMesures m = mesures(2, 30, 0.001);
    TTransfertCalc t(parametres());
    TVueEnregistree vue;
    transfere(t, m, 1, vue);
    const auto docs1 = documents();
    const auto document = docs1.back();
    EXPECT_EQ(nomsFeuilles(document), (std::vector<std::string>{"Transfert"}));

    // The user named a sheet like the next one: another name is chosen.
    document->getSheets()->insertNewByName("TRANSFERT2", 1);
    transfere(t, m, 1, vue);
    transfere(t, m, 1, vue);
    EXPECT_EQ(documents().size(), docs1.size());
    EXPECT_EQ(nomsFeuilles(document),
              (std::vector<std::string>{"Transfert", "TRANSFERT2", "Transfert2a", "Transfert3"}));
    verifieValeurs(feuille(document, "Transfert3"), m);
    verifieValeurs(feuille(document, "Transfert2a"), m);
    EXPECT_EQ(selection(document), "D5");
    EXPECT_FALSE(vue.contient("choix"));

    ferme(document);
    const std::size_t apresFermeture = documents().size();
    transfere(t, m, 1, vue);
    EXPECT_EQ(t.numTransfertOOO_CC(), 4);
    ASSERT_EQ(documents().size(), apresFermeture + 1);
    EXPECT_EQ(nomsFeuilles(documents().back()), (std::vector<std::string>{"Transfert"}));
    verifieValeurs(feuille(documents().back(), "Transfert"), m);
}

TEST(TransfertCalc, AskingOptionFollowsTheDialogAndCancelLeavesEverything)
{
    const TMesures m = mesures(1, 10, 0.01);
    TTransfertCalc t(parametres());
    TVueEnregistree vue;
    vue.reponses = {TChoixCalc::nouvelleFeuille, TChoixCalc::nouveauClasseur, TChoixCalc::annule};
    transfere(t, m, 3, vue);
    const auto premier = documents().back();
    const std::size_t nbDocuments = documents().size();

    transfere(t, m, 3, vue);
    EXPECT_EQ(nomsFeuilles(premier), (std::vector<std::string>{"Transfert", "Transfert2"}));
    transfere(t, m, 3, vue);
    EXPECT_EQ(documents().size(), nbDocuments + 1);
    EXPECT_EQ(nomsFeuilles(documents().back()), (std::vector<std::string>{"Transfert"}));

    vue.journal.clear();
    transfere(t, m, 3, vue);
    EXPECT_EQ(vue.nbChoix, 3);
    EXPECT_EQ(t.numTransfertOOO_CC(), 3);
    EXPECT_EQ(documents().size(), nbDocuments + 1);
    EXPECT_EQ(nomsFeuilles(documents().back()), (std::vector<std::string>{"Transfert"}));
    const std::vector<std::string> attendu = {"etat 8", kConnexion, "sablier", "choix", "etat rendu",
                                              "presence visible", kTermine, "curseur normal"};
    EXPECT_EQ(vue.journal, attendu);

    // Option 0 (and an unknown value, acting as 0): a new document every time.
    for (int option : {0, 7}) {
        const std::size_t avant = documents().size();
        transfere(t, m, option, vue);
        EXPECT_EQ(documents().size(), avant + 1) << option;
    }
}

TEST(TransfertCalc, NoPointBetweenTheCursorsOnlySaysSo)
{
    TMesures m = mesures(2, 10, 0.001);
    m.t0 = m.dureeTotaleAX;
    TTransfertCalc t(parametres());
    TVueEnregistree vue;
    t.TransfertOOCalcPP(source(m), 1, vue);
    const std::vector<std::string> attendu = {
        "information: Il n'y a pas de valeurs dans l'intervalle de temps retenu entre les deux curseurs verts ! "
        "\n\rLe transfert est donc inutile. "};
    EXPECT_EQ(vue.journal, attendu);
    EXPECT_TRUE(vue.progressions.empty());
    EXPECT_EQ(t.numTransfertOOO_CC(), 0);
}

TEST(TransfertCalc, MissingOrSilentOfficeDisablesTheButtonAfterTheClosingSteps)
{
    const TMesures m = mesures(1, 10, 0.01);
    TParametresConnexionCalc absent = parametres();
    absent.nomTube += "-absent";
    absent.delaiDemarrageMs = 1500;
    for (const char* programme : {"/nonexistent/soffice", "true"}) {
        SCOPED_TRACE(programme);
        absent.programme = programme;
        TTransfertCalc t(absent);
        TVueEnregistree vue;
        t.TransfertOOCalcPP(source(m), 0, vue);
        const std::vector<std::string> attendu = {
            "etat 8", kConnexion, "sablier",
            "information: Impossible de se connecter à OpenOffice/LibreOffice. Le logiciel n'est sans doute pas "
            "installé sur cet ordinateur ",
            "etat rendu", "presence visible", kTermine, "curseur normal", "bouton Calc desactive"};
        EXPECT_EQ(vue.journal, attendu);
        EXPECT_EQ(t.numTransfertOOO_CC(), 0);
    }
}

// Last: the office is ended in the middle of a transfer, then started again.
TEST(TransfertCalc, OfficeLostDuringTheFillingWarnsThenTheNextTransferReconnects)
{
    const TMesures m = mesures(1, 1000, 0.001);
    TTransfertCalc t(parametres());
    TVueEnregistree vue;
    transfere(t, m, 1, vue);
    ASSERT_FALSE(vue.contient("avertissement: L'application OpenOffice.org Calc n'a pas été trouvée.  \n\rImpossible "
                              "de passer directement à OpenOffice.org Calc."));

    vue.journal.clear();
    vue.pendantProgression = [](int p) {
        if (p > 0 && p < 100)
            tueOffice();
    };
    transfere(t, m, 1, vue);
    vue.pendantProgression = nullptr;
    const std::vector<std::string> attendu = {
        "etat 8", kConnexion, "sablier", kEnCours, "presence cachee",
        "avertissement: L'application OpenOffice.org Calc n'a pas été trouvée.  \n\rImpossible de passer directement "
        "à OpenOffice.org Calc.",
        "etat rendu", "presence visible", kTermine, "curseur normal"};
    EXPECT_EQ(vue.journal, attendu);

    // The previous document is gone with its office: connect again (a new
    // office is started) and make a new document, whatever the option.
    vue.journal.clear();
    transfere(t, m, 1, vue);
    EXPECT_FALSE(vue.contient("bouton Calc desactive"));
    EXPECT_TRUE(vue.contient(kEnCours));
    EXPECT_EQ(t.numTransfertOOO_CC(), 3);
    const auto docs = documents();
    ASSERT_EQ(docs.size(), 1u);
    EXPECT_EQ(nomsFeuilles(docs.back()), (std::vector<std::string>{"Transfert"}));
    verifieValeurs(feuille(docs.back(), "Transfert"), m);
}
