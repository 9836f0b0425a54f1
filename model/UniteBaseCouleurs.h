#pragma once
// Shading of 0x00BBGGRR colours (red + 256 × green + 65536 × blue).
// The result is a plain 0x00BBGGRR colour: the high byte of the argument is dropped.

// Moves red, green and blue toward 255 by `pourcent` % (clamped to 0..100):
// c + (255 - c) × pourcent / 100, truncated. 100 % gives white.
int eclaircirCouleur(int couleur, float pourcent);
// Moves red, green and blue toward 0 by `pourcent` % (clamped to 0..100):
// c - c × pourcent / 100, rounded. 100 % gives black.
int assombrirCouleur(int couleur, float pourcent);

// Building and taking apart a colour.
int couleurRGB(int rouge, int vert, int bleu);
int rougeDe(int couleur);
int vertDe(int couleur);
int bleuDe(int couleur);
