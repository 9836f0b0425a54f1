#pragma once
// Rounding and small numeric helpers shared by the drivers, the screen and the exports.
// Every rounding of a real to an integer here is to the nearest, ties to even.
#include <cstdint>

// x = mantisse × puissance, puissance a power of ten and 1 <= |mantisse| < 10.
// For 0 (and for a value that is not finite) mantisse := x and puissance := 1.
void decomposeMantisse(long double& mantisse, long double& puissance, long double x);

// Rounds x to n significant digits (n below 1 counts as 1).
void chiffresSignificatifs(long double& x, int n);

// x := pas × round(x / pas); x is left alone when pas is 0.
void arrondiMultiple(float& x, float pas);

// Rounds an axis bound up to a simple value: the next whole mantissa when it lies
// within `tolerance` percent, otherwise the next tenth of the mantissa.
// 0.83 gives 0.9 with a 10 % tolerance and 0.83 with 5 %.
float arrondiSup(float tolerance, float x);

double maxDouble(double a, double b);
double minDouble(double a, double b);
// 1, 0 or -1.
int signe(float x);

// Nearest integer, ties to even, saturated to the type's range (0 for NaN).
int32_t arrondiEntier(long double x);
int64_t arrondiEntier64(long double x);

// The larger (smaller) of two values, rounded to an integer.
int32_t maxEntier(long double a, long double b);
int32_t minEntier(long double a, long double b);
int64_t maxEntier64(long double a, long double b);
int64_t minEntier64(long double a, long double b);
