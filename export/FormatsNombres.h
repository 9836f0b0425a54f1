#pragma once
// Number texts of the files handed to other programs: REGRESSI and the
// spreadsheets read the general and exponent formats of the Windows runtime,
// digit for digit.
#include <string>

// General format: `chiffres` significant digits and no trailing zeros; plain
// decimals for 0 and when 0.0001 <= |x| < 10^chiffres, otherwise a mantissa,
// "E", "-" for a negative exponent only (nothing for a positive one), and the
// exponent on at least `chiffresExposant` digits.
std::string texteGeneral(double x, int chiffres, int chiffresExposant, char separateur);

// Exponent format: d.ddd with `chiffres` significant digits, "E", the sign
// "+" or "-", and the exponent on at least `chiffresExposant` digits.
std::string texteExposant(double x, int chiffres, int chiffresExposant, char separateur);

// The four forms the exports use.
inline std::string texteG6(double x, char separateur = '.') { return texteGeneral(x, 6, 3, separateur); }
inline std::string texteG3(double x, char separateur = '.') { return texteGeneral(x, 3, 1, separateur); }
inline std::string texteE6(double x, char separateur = '.') { return texteExposant(x, 6, 3, separateur); }
inline std::string texteE2(double x, char separateur = '.') { return texteExposant(x, 2, 2, separateur); }

// texteG6(x) written at `debut`, without allocating, for the data lines of
// large files; `debut` has room for at least kLongueurMaxG6 characters.
// Returns the end of the text.
inline constexpr int kLongueurMaxG6 = 16;
char* ecritG6(char* debut, double x);
