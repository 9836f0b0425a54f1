#pragma once
// A window stand-in that records what the read loop asks of it and can act
// "inside" the loop, as a button pressed during a run would.
#include "app/acquisition/BoucleAcquisition.h"

#include <functional>
#include <string>
#include <vector>

class THoteEspion : public THoteAcquisition {
public:
    void afficheMessage(const std::string& texte) override { messages.push_back(texte); }
    void premieresDonnees() override { ++debuts; }
    void pointsRecus(const TPointsRecus& recus, int64_t ptFront) override
    {
        blocs.push_back(recus);
        fronts.push_back(ptFront);
    }
    void traiteMessages() override
    {
        ++pompages;
        if (pendantLaBoucle)
            pendantLaBoucle();
    }
    void afficheAttenteDeclenchement() override { ++attentesLongues; }

    std::vector<std::string> messages;
    std::vector<TPointsRecus> blocs;
    std::vector<int64_t> fronts;
    int debuts = 0;
    int pompages = 0;
    int attentesLongues = 0;
    std::function<void()> pendantLaBoucle;
};
