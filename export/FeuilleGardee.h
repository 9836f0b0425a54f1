#pragma once
// A sheet of the last workbook written, kept so that the workbook can be
// written again whole with one more sheet. A workbook cannot be appended to,
// and the measurements of that sheet may be gone since: the sheet's values
// are kept in a temporary file (not in memory), with its header.
#include "export/ClasseurExcel.h"

#include <QTemporaryFile>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TFeuilleGardee {
public:
    TFeuilleGardee(TEnteteFeuille entete, int nbColonnes);

    const TEnteteFeuille& entete() const { return entete_; }
    int nbColonnes() const { return nbColonnes_; }
    int64_t nbLignes() const { return nbLignes_; }

    bool ouvre();
    // One row of nbColonnes() values.
    void ajoute(const double* valeurs);
    // Everything added is on disk.
    bool termine();

    // Gives the rows back in order, one call per row.
    bool relit(const std::function<void(const double* valeurs)>& ligne);

private:
    bool vide();

    TEnteteFeuille entete_;
    int nbColonnes_;
    int64_t nbLignes_ = 0;
    std::unique_ptr<QTemporaryFile> fichier_;
    std::vector<double> tampon_;
    bool echec_ = false;
};
