#pragma once
// The "save as REGRESSI file" command: proposes a name, asks for the file,
// applies the extension rule, asks before replacing, writes the file.
#include "export/DialoguesExport.h"
#include "export/RegressiRW3.h"

#include <QString>

// Runs the command; true when a file was written.
bool enregistreRegressi(const TSourceRegressi& source, TEtatEnregistrement& etat, TDialoguesEnregistrement& dialogues);
