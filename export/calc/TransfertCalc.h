#pragma once
// The transfer of the measurements between the green cursors into a sheet of
// LibreOffice Calc (or OpenOffice.org Calc), driven through the suite's UNO
// bridge. One object lives as long as the main window: it keeps the
// connection, the document made last and the transfer counter.
#include "export/calc/BlocSYLK.h"
#include "export/calc/VueTransfertCalc.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct TParametresConnexionCalc;

class TTransfertCalc {
public:
    TTransfertCalc();
    explicit TTransfertCalc(const TParametresConnexionCalc& parametres);
    ~TTransfertCalc();
    TTransfertCalc(const TTransfertCalc&) = delete;
    TTransfertCalc& operator=(const TTransfertCalc&) = delete;

    // The whole transfer (button SBtransfertDirectOOLO). optionTransfertOOo:
    // 0 new document, 1 new sheet, 3 ask each time.
    void TransfertOOCalcPP(const TSourceCalc& source, int optionTransfertOOo, TVueTransfertCalc& vue);

    // Transfers begun since the program started.
    int numTransfertOOO_CC() const;
    // The office this object started (-1 when it found one running).
    int64_t processusOffice() const;

private:
    struct TEtat;
    std::unique_ptr<TEtat> etat_;
};
