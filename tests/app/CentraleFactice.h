#pragma once
// A unit that "loads" when its library file exists, and whose presence a
// test switches on and off; it counts what the window asks of it.
#include "model/TCentrale.h"

#include <map>
#include <string>
#include <vector>

struct EtatFactice {
    std::map<int, bool> presente;             // per unit type
    std::map<int, int> calibrationsLues;      // RecupereCalibration per type
    std::map<int, int> programmations;        // prepareTousPRX(true) per type
    std::vector<std::pair<int, std::string>> creations; // (type, library) of each object built
    int vivantes = 0;                         // objects not deleted
};

EtatFactice& etatFactice();

class TCentraleFactice : public TCentrale {
public:
    TCentraleFactice(int32_t type, const std::string& sDLL);
    ~TCentraleFactice() override;
    void Create(const std::string& sDLL, int32_t logiUti1) override;
    bool Presente() override;
    void RecupereCalibration() override;
    void prepareTousPRX(bool applique) override;
    void activeVoieA(uint8_t numV, bool applique) override;
    void desactiveVoieA(uint8_t numV, bool applique) override;
    void setDurees(double dureeTotale1, int64_t nbPts1, bool applique) override;
    std::string GetCapU(int32_t numV) override;

private:
    int32_t type_;
};
