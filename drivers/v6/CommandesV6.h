#pragma once
// The texts of the V6 settings commands, built from plain values so that each
// rule can be checked on its own. Hexadecimal digits are upper case.
#include "model/TypesCentrale.h"

#include <cstdint>
#include <string>

// Physical input digit of program input k: its k-th character.
inline constexpr char kEntreesPhysiquesV6[] = "02461357";

// `valeur` in hexadecimal, at least `chiffresMin` digits.
std::string hexaV6(int64_t valeur, int chiffresMin);

// Value of the sampling-period field. Fast mode: 50 ns clock steps counted up
// to 65536, one step per input sampled; slow mode: the interval in ms minus 1.
int64_t valeurPeriodeV6(bool modeLent, double dt0X, int32_t nbVoiesES);

// The unit reads exactly four digits: a value outside 0..65535 is brought back
// into the field rather than sent with a fifth digit.
std::string commandePeriodeV6(int64_t valeur);

// "V" and five two-character fields; fields 1 to 4 carry the physical code of
// the active inputs in order, "F" when none.
std::string commandeVoiesV6(bool acquisitionUtilisateur, const TArrayOfInteger& voiesActives,
                            int32_t nbVoiesActives);

// The unit is asked for 10 points more than the driver keeps.
std::string commandePointsV6(int64_t nbPts0X, int32_t pretrigCache);

// "E" command: 0 immediate, 1 threshold (rising when `montant`), 2 external.
std::string commandeDeclenchementV6(int32_t modeDecl, bool montant, int32_t codeSeuil, int32_t voieSynchro);

std::string commandePretrigV6(int32_t nbPtsPretrig, int32_t pretrigCache);
