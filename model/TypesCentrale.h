#pragma once
// Scalar, array and record types shared by the unit model and its drivers.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

using TArrayOfBoolean = std::vector<bool>;
using TArrayOfByte = std::vector<uint8_t>;
using TArrayOfInteger = std::vector<int32_t>;
using TArrayOfSingle = std::vector<float>;
using TArrayOfDouble = std::vector<double>;
using TArrayOfString = std::vector<std::string>;
using TArrayOfArrayOfSingle = std::vector<std::vector<float>>;
using TArrayOfArrayOfDouble = std::vector<std::vector<double>>;
using TArrayOfArrayOfString = std::vector<std::vector<std::string>>;
using TArrayOfArrayOfBoolean = std::vector<std::vector<bool>>;
using TArrayOfArrayOfInteger = std::vector<std::vector<int32_t>>;

// Sensor buttons of the sibling host's toolbar: an opaque list here.
using TArrayOfSpeedButton = std::vector<void*>;

using TCALCAPExt = std::array<float, 4>;
using TDoublet = std::array<double, 2>;

// One block of raw samples as delivered by a FIFO read: 12-bit codes shifted
// left by 4, in frames of one word per signal input.
inline constexpr int kTailleFifoSP5 = 256;
using TFifoSP5 = std::array<uint16_t, kTailleFifoSP5>;
using TPtrFifoSP5 = TFifoSP5*;

// A conversion function carried per input by the sibling host.
using TFcUUp = double (*)(double);

// Dates as days since 1899-12-30, the fraction being the time of day.
using TDateTime = double;

// A remembered time setting: tells whether a new acquisition has the same
// timing as the previous one.
struct TReglagesTemporels {
    int32_t RTmodeTe = 0;
    int64_t RTnbPts = 0;
    int64_t RTndt = 0;
};

// A saved copy of the conversion coefficients, per input then per calibre.
struct TMemoCalibrage {
    TArrayOfArrayOfSingle a1m, b1m, b1diffm;
    TArrayOfArrayOfBoolean a1mCorr, b1mCorr, b1diffmCorr;
};

// Texts stored in fixed-size records are cut to their capacity.
std::string texteCourt(const std::string& texte, std::size_t capacite);

// What is behind one input: a sensor, or (always in this program) the bare
// voltage input.
struct TCapteur {
    TDoublet a { 1.0, 1.0 };
    TDoublet b { 0.0, 0.0 };
    int32_t CodeCapteur = 0;
    float ValMinCapteur = 0, ValMaxCapteur = 0;
    float ValMinUt = 0, ValMaxUt = 0;
    float U1et = 0, U2et = 0, gp1et = 0, gp2et = 0;
    std::array<float, 2> ResolutionsCapteur {};
    std::array<float, 2> incertitudes {};
    std::string sDesignation;     // at most 100 characters
    std::string sSymboleGrandeur; // at most 30
    std::string sTypeGrandeur;    // at most 50
    std::string sUnite;           // at most 20
    std::string sGrandeur;        // at most 50
    int32_t calNominal = 0;
    int32_t nbGrPhyX = 1;
    TCALCAPExt calCAPMin {}, calCAPMax {};
    int32_t GrAEtalonner_ = 0;
    bool etalonne = false;
    int32_t codeEtalonnage = 0;
    float parProp = 0;
    std::string ns; // at most 11
    float calCapteur = 0, a1Capteur = 0, b1Capteur = 0;
};

// The bare voltage input: the physical value is the voltage.
TCapteur capteurTensionNue();

// The state of one analogue input.
struct TVoie {
    std::array<int32_t, 8> CalsVoie {};  // whole volts per calibre, -1 when absent
    std::array<float, 8> calsVoieR {};   // volts per calibre, -1.0 when absent
    int32_t idxCalibreUt = 0;
    int32_t idxCalibreEA = 0;
    int32_t idxCalibreCap = 0;
    float calibreR = 0;
    bool active = false;
    float echVoie = 0;
    bool bloqueeParCapteur = false;
    uint16_t mesDir = 0;
    float mesDirR = 0;
    TCapteur cap;
    bool capDouble = false;
    int32_t xeAnc = 0, yeAnc = 0;
    float tAnc = 0, uAnc = 0, tPrec = 0, uPrecC = 0, uPrecG = 0;
    std::array<float, 2> ca {};
    std::array<float, 2> cb {};
    int32_t gUt = 0;
    int32_t nbGUCapX = 1;
    std::array<int32_t, 2> grCap {};
    int32_t sensConv = 1;
    TFcUUp FcUUp = nullptr;
};

// Placeholders for the waveform generator's signal descriptions, which this
// program never prepares.
struct TuPer {};
struct TuSalve {};
struct TuImpulsion {};
