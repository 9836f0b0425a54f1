#pragma once
// The main window opened on the simulated units the way a user's start opens
// it, the choice dialog answered for the unit a test wants.
#include "app/FabriqueCentrales.h"
#include "app/Messages.h"
#include "app/TFicheGVChoixCentrale.h"
#include "app/TFicheGVMixte.h"
#include "app/TFicheGVMixteTitre.h"
#include "model/TCentrale.h"

#include <QPushButton>
#include <QtTest>
#include <filesystem>
#include <memory>
#include <string>

namespace testgv {

class TFenetreSimulee {
public:
    // With `type` V6 or CAMPUS, the simulated V6 and CAMPUS are linked into
    // the user's unit folder (under `racineTest`) and that unit is chosen;
    // with the SP5 the folder is emptied and the simulated SP5 stands alone.
    std::unique_ptr<TFicheGVMixte> ouvre(const std::string& racineTest, int32_t type,
                                         gv::TFabriqueCentrales fabrique = {})
    {
        namespace fs = std::filesystem;
        const std::string dossier = racineTest + "/data/Galvora/centrales";
        fs::remove_all(dossier);
        if (type != kSysamSP5) {
            fs::create_directories(dossier);
            for (const char* fichier : {"FTD2XX-V6.DLL", "Campus.DLL"})
                fs::create_symlink(std::string(GALVORA_SIM_DIR) + "/" + fichier, dossier + "/" + fichier);
        }
        gv::installeIntercepteurDialogues([type](QDialog& dialogue) {
            auto* c = qobject_cast<TFicheGVChoixCentrale*>(&dialogue);
            if (!c)
                return 0;
            dialogue.show();
            QPushButton* boutons[] = {c->BSP5, c->BV6, c->BCampus};
            QTest::mouseClick(boutons[type - 1], Qt::LeftButton);
            QTest::mouseClick(c->BOK, Qt::LeftButton);
            return dialogue.result();
        });
        titre_ = std::make_unique<TFicheGVMixteTitre>(QStringLiteral("0.1.0.0"));
        choix_ = std::make_unique<TFicheGVChoixCentrale>();
        TContexteGV contexte;
        contexte.emplacements = gv::emplacementsParDefaut();
        contexte.fabrique = fabrique ? fabrique : gv::fabriqueDesPilotes();
        contexte.titre = titre_.get();
        contexte.choix = choix_.get();
        contexte.version = QStringLiteral("0.1.0.0");
        contexte.ouvreurDocuments = ouvreurDocuments;
        contexte.fabriqueCalc = fabriqueCalc;
        auto fiche = std::make_unique<TFicheGVMixte>(contexte);
        gv::installeIntercepteurDialogues({});
        fiche->show();
        return fiche;
    }

    // The title window and the choice dialog go with the test's window.
    void ferme()
    {
        titre_.reset();
        choix_.reset();
    }

    // What the window is given beside the units, when a test sets it.
    TOuvreurDocuments* ouvreurDocuments = nullptr;
    std::function<std::unique_ptr<TTransfertCalc>()> fabriqueCalc;

    TFicheGVMixteTitre* titre() const { return titre_.get(); }

private:
    std::unique_ptr<TFicheGVMixteTitre> titre_;
    std::unique_ptr<TFicheGVChoixCentrale> choix_;
};

} // namespace testgv
