#pragma once
// A window stand-in for the frame loop: the settings it answers are fields
// a test sets, and every request is written to a journal, so that a test
// sees what happened in which order (a change applied between two frames,
// never inside one). It can act "inside" the loop, as a button pressed
// during a frame would.
#include "app/acquisition/BoucleTrames.h"

#include <functional>
#include <string>
#include <vector>

class THoteTramesEspion : public THoteTrames {
public:
    explicit THoteTramesEspion(TModeGeneral& modeGeneral) : modeGeneral_(modeGeneral) {}

    // Settings.
    bool permanent = true;
    bool rapides = false;
    bool efface = false;
    int32_t pretrig = 0;
    bool ajouter = false;
    // What applying the recorded change does to the unit.
    std::function<void()> changement;
    // Called after each block was stored, and at each pass of messages.
    std::function<void()> pendantLaBoucle;
    // The measurements, whose records the screen extends.
    TMesures* mesures = nullptr;

    std::vector<std::string> journal;
    std::vector<TTrame> trames;
    int blocs = 0;

    // The journal's entries that start with `debut`, in order.
    std::vector<std::string> entrees(const std::string& debut) const
    {
        std::vector<std::string> r;
        for (const std::string& e : journal)
            if (e.rfind(debut, 0) == 0)
                r.push_back(e);
        return r;
    }
    // Index of the first entry equal to `e` from `depuis` on, -1 none.
    int position(const std::string& e, int depuis = 0) const
    {
        for (int i = depuis; i < int(journal.size()); ++i)
            if (journal[std::size_t(i)] == e)
                return i;
        return -1;
    }

    void afficheMessage(const std::string& texte) override { journal.push_back("message " + texte); }
    void premieresDonnees() override { journal.push_back("premieres donnees"); }
    void pointsRecus(const TPointsRecus& recus, int64_t ptFront) override
    {
        ++blocs;
        journal.push_back("bloc " + std::to_string(recus.premier) + " " + std::to_string(recus.dernier) + " " +
                          std::to_string(ptFront));
        if (pendantLaBoucle)
            pendantLaBoucle();
    }
    void traiteMessages() override
    {
        if (pendantLaBoucle)
            pendantLaBoucle();
    }
    void afficheAttenteDeclenchement() override { journal.push_back("attente longue"); }

    bool modePermanent() const override { return permanent; }
    bool tramesRapides() const override { return rapides; }
    bool optionEffaceTrame() const override { return efface; }
    int32_t indexPretrig() const override { return pretrig; }
    bool pretrigActif() const override { return pretrig > 0; }
    bool ajouterCoche() const override { return ajouter; }
    void appliqueChangement() override
    {
        journal.push_back("applique");
        if (changement)
            changement();
    }
    void setModepermanent(bool mp) override
    {
        permanent = mp;
        journal.push_back(std::string("mode permanent ") + (mp ? "1" : "0"));
    }
    void setModeGeneral(TModeGeneral mode) override
    {
        modeGeneral_ = mode;
        journal.push_back("etat " + std::to_string(int(mode)));
    }
    void debutModePermanent() override
    {
        journal.push_back("debut du mode");
        setModeGeneral(TModeGeneral::permanentEnCours);
    }
    void SortieNormaleMP() override
    {
        journal.push_back("sortie");
        modeGeneral_ = TModeGeneral::permanentArrete;
    }
    void Quitter() override { journal.push_back("quitter"); }
    void setModeDessinVM() override {}
    void prepareEcranMode() override { journal.push_back("ecran du mode"); }
    void dessineEcranN(bool avecCourbes) override
    {
        journal.push_back(std::string("ecran ") + (avecCourbes ? "avec" : "sans") + " courbes");
    }
    void prepareFondTrames() override { journal.push_back("fond"); }
    void prepareEcranTrame() override
    {
        journal.push_back("ecran de la trame");
        // As the screen does when it prepares its axes: one record per
        // input after the kept curves, whatever the curves.
        if (mesures && mesures->voiesMesurees.size() < std::size_t(mesures->nbVoiesMesurees + 8))
            mesures->voiesMesurees.resize(std::size_t(mesures->nbVoiesMesurees + 8));
    }
    void debutTrame(const TTrame& trame) override
    {
        trames.push_back(trame);
        journal.push_back(std::string("trame ") + (trame.rapide ? "rapide " : "lente ") +
                          std::to_string(trame.pt0Trame));
    }
    void finTrameRapide(int64_t ptFront) override { journal.push_back("montre " + std::to_string(ptFront)); }

private:
    TModeGeneral& modeGeneral_;
};
