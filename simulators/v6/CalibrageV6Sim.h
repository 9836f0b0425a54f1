#pragma once
// The 128-byte calibration block stored in the simulated unit, as it travels
// on the link: packed, numbers little-endian.
#include <array>
#include <cstdint>

inline constexpr int tailleBlocCalibrageV6 = 128;

std::array<uint8_t, tailleBlocCalibrageV6> blocCalibrageV6Sim();
