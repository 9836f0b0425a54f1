#pragma once
// Why a read loop ended, and the pending change of a setting made while the
// permanent mode runs, which the frame loop applies between two frames.
#include <cstdint>

enum class TTypeSortieMP : int32_t {
    aucune = 0,
    arretUtilisateur = 1,      // Stop (or "Mode permanent" unchecked) during slow frames or a single run
    activationVoie = 2,        // an input's activation box
    calibre = 3,               // an input's calibre group
    nbPoints = 4,              // number of points (list, +/- buttons, typed text)
    dureeTotale = 5,           // total duration (list, +/- buttons, typed text)
    modeDiff = 6,              // a channel's differential box
    typeDeclenchement = 7,     // trigger type list
    seuil = 8,                 // threshold box left
    sensDeclenchement = 9,     // edge group
    voieSynchro = 10,          // trigger channel list
    pretrig = 11,              // pre-trigger list
    acquisitionPrecedente = 12, // "Acquisition précédente"
    centralePerdue = 13,       // the unit vanished during the run
    arretTramesRapides = 14,   // Stop (or the box unchecked) during fast frames: the frame is completed
    quitter = 15,              // Quit during the permanent mode
};
