#pragma once
// Names of the measured series. Runs of the same input are told apart by a
// letter: the first keeps its name until a second one comes, then both get
// "a" and "b", the third "c", ... "z", "aa", "ab" ...
#include <cstdint>
#include <string>
#include <vector>

class TNommageSeries {
public:
    // A run that does not add its curves to the previous ones starts afresh.
    void vide();

    // Names curve `indice` (whose name is `noms[indice]`) of a new run,
    // renaming the first curve of the same base name when it gets its first
    // sibling. Base names are compared on their first six characters.
    void nomme(std::vector<std::string>& noms, int32_t indice);

    // After a series was deleted: the lists start afresh and every curve is
    // named again in order. A name that equals the first five characters of
    // a base name met before takes the next letter of that base; any other
    // name is kept and becomes a base of its own.
    void renomme(std::vector<std::string>& noms);

    const std::vector<std::string>& sUMesurees() const { return sUMesurees_; }
    const std::vector<int32_t>& nbUMesurees() const { return nbUMesurees_; }
    const std::vector<int32_t>& nPrem() const { return nPrem_; }

private:
    // Curve `indice` joins base `j`: letters for it (and for the base's first
    // curve when it was alone).
    void rejoint(std::vector<std::string>& noms, int32_t indice, std::size_t j);
    void nouvelleBase(const std::string& base, int32_t indice);

    std::vector<std::string> sUMesurees_; // base names met
    std::vector<int32_t> nbUMesurees_;    // series carrying each
    std::vector<int32_t> nPrem_;          // index of the first curve of each
};

// The display unit of a curve from its greatest value: factor and text.
struct TUniteCourbe {
    float multVM;
    const char* sUniteVM;
};
TUniteCourbe uniteDeCourbe(float max);
// The same from the larger of its extremes in size (the permanent mode's
// curves swing both ways).
TUniteCourbe uniteDeCourbeExtremes(float max, float min);
