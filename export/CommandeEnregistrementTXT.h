#pragma once
// The "save as text file" command: the same steps as the REGRESSI save
// (shared name counter, extension rule, question before replacing), for a
// ".txt" file.
#include "export/CommandeEnregistrementRW3.h"
#include "export/TexteTXT.h"

// Runs the command; true when a file was written. The chosen name is kept
// in etat.nomfichierTXT.
bool enregistreTexte(const TSourceTexte& source, TEtatEnregistrement& etat, TDialoguesEnregistrement& dialogues);
