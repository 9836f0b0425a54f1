#pragma once
// A real office for the tests: a private profile made for this run, a pipe of
// its own, started (headless) by Galvora's own connection code at the first
// transfer, read back through a second bridge, and ended with the tests.
#include "export/calc/BlocSYLK.h"
#include "export/calc/ConnexionUno.h"
#include "export/calc/TransfertCalc.h"

#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>

#include <functional>
#include <string>
#include <vector>

namespace officetest {

// How the tests' Galvora reaches the test office.
TParametresConnexionCalc parametres();
// Remembers the office a transfer started, so that it is ended after the tests.
void retiensOffice(const TTransfertCalc& transfert);
// Ends the office at once (as a crash would) and clears its profile lock.
void tueOffice();
// Ends the office and removes the profile (at the end of the run).
void termine();

// The reading side, through a bridge of its own.
css::uno::Reference<css::frame::XDesktop2> bureau();
// The open spreadsheet documents, in the order their windows were made.
std::vector<css::uno::Reference<css::sheet::XSpreadsheetDocument>> documents();
std::vector<std::string> nomsFeuilles(const css::uno::Reference<css::sheet::XSpreadsheetDocument>& document);
css::uno::Reference<css::sheet::XSpreadsheet> feuille(const css::uno::Reference<css::sheet::XSpreadsheetDocument>& document,
                                                     const std::string& nom);

// One cell as read back: a number, or a text ("" for an empty cell).
struct TCellule {
    bool nombre = false;
    double valeur = 0;
    std::string texte;
};
std::vector<std::vector<TCellule>> contenu(const css::uno::Reference<css::sheet::XSpreadsheet>& feuille,
                                           const std::string& plage);
bool fusionnee(const css::uno::Reference<css::sheet::XSpreadsheet>& feuille, const std::string& plage);
// What the sheet shows in one cell, in the cell's number format.
std::string texteAffiche(const css::uno::Reference<css::sheet::XSpreadsheet>& feuille, const std::string& cellule);
// A property of a range (void when its cells differ).
css::uno::Any propriete(const css::uno::Reference<css::sheet::XSpreadsheet>& feuille, const std::string& plage,
                        const char* nom);
// The selected range of the document's view, as "D5" or "A1:B2".
std::string selection(const css::uno::Reference<css::sheet::XSpreadsheetDocument>& document);
void ferme(const css::uno::Reference<css::sheet::XSpreadsheetDocument>& document);
// The types of what the office's clipboard offers (none when it is empty).
std::vector<std::string> typesPressePapiers();

// Measurements: nbCourbes curves named u[EA0].., nbPoints points dt apart.
TMesures mesures(int nbCourbes, int64_t nbPoints, double dt);
float echantillon(int courbe, int64_t k);

// Records what the transfer asks of the window.
class TVueEnregistree : public TVueTransfertCalc {
public:
    std::vector<std::string> journal;
    std::vector<int> progressions;
    std::vector<TChoixCalc> reponses;
    int nbChoix = 0;
    std::function<void(int)> pendantProgression;

    void etatTransfert(bool enCours) override { journal.push_back(enCours ? "etat 8" : "etat rendu"); }
    void afficheMessage(const std::string& t) override { journal.push_back("message: " + t); }
    void information(const std::string& t) override { journal.push_back("information: " + t); }
    void avertissement(const std::string& t) override { journal.push_back("avertissement: " + t); }
    void messageSimple(const std::string& t) override { journal.push_back("simple: " + t); }
    TChoixCalc choixCible() override
    {
        journal.push_back("choix");
        return size_t(nbChoix) < reponses.size() ? reponses[size_t(nbChoix++)] : TChoixCalc::annule;
    }
    void progression(int p) override
    {
        progressions.push_back(p);
        if (pendantProgression)
            pendantProgression(p);
    }
    void presenceVisible(bool v) override { journal.push_back(v ? "presence visible" : "presence cachee"); }
    void sablier(bool a) override { journal.push_back(a ? "sablier" : "curseur normal"); }
    void desactiveBoutonCalc() override { journal.push_back("bouton Calc desactive"); }
    bool contient(const std::string& ligne) const;
};

} // namespace officetest
