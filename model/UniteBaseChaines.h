#pragma once
// Number texts with SI prefixes or powers of ten, and letter indexes.
// Texts are UTF-8; the micro prefix is written "µ" (U+00B5).
#include <string>

// The user's decimal separator, used for reading and writing number texts.
// Until it is set, it is the C library's locale separator taken at first use;
// the interface sets it from the user's locale at start-up.
char separateurDecimal();
// Digits, signs, spaces, "e" and "E" cannot separate decimals: they select ".".
void setSeparateurDecimal(char separateur);

// Results of valeurDeTexte.
enum : int {
    valeurLue = 0,
    erreurExposantVide = 2,    // nothing after the exponent mark
    erreurExposantIncorrect = 3, // exponent not an integer, or out of range
    erreurMantisseIncorrecte = 4, // mantissa not a number
    erreurTexteVide = 5,       // nothing left to read
};

// Reads a number typed with an SI prefix ("5 ms", "1 µs", also "1 us") or a power
// of ten ("2e-3", "2E-3", "2x10-3", "2.10-3"); the prefix and anything after it
// (the unit) are ignored. Returns valeurLue or an error code; an empty text
// returns valeurLue with `valeur` untouched, and so does every error.
int valeurDeTexte(const std::string& texte, long double& valeur);

// Styles of formatValeur.
enum : int {
    stylePuissanceDix = 2,  // mantissa ".10" then the exponent between the characters 9 and 10
    styleIngenieur = 4,     // engineering notation with SI prefix: "12.5 m"; zero is "0.00 "
    styleIngenieurCourt = 5, // the same, zero being "0.0 "
};

// Writes x with `chiffres` significant digits (1 to 20) in the given style with
// the user's decimal separator. The engineering styles end with a space and the
// prefix; callers append the unit. Other styles write as styleIngenieur.
void formatValeur(int chiffres, int style, std::string& texte, long double x);
std::string formatValeur(int chiffres, int style, long double x);

// Symbol of the SI prefix of 1000^puissance1000 (-5 to 4), "" outside.
const char* prefixeSI(int puissance1000);

// Spreadsheet column letters: 0 -> "A", 25 -> "Z", 26 -> "AA"; "" for n < 0.
std::string lettresColonne(int n);
// The same in lower case: 0 -> "a", 26 -> "aa".
std::string lettresIndice(int n);

// Upper-cases the letters a to z only; every other byte is kept.
std::string majusculesASCII(const std::string& texte);

// A series name as other programs accept it: without "[", "]", "{" and "}".
std::string sansCrochets(const std::string& nom);
