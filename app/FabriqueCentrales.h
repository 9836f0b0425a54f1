#pragma once
// Creates the driver object of a unit type for a library path. The program
// uses the real drivers; tests may give a function of their own.
#include <cstdint>
#include <functional>
#include <string>

class TCentrale;

namespace gv {

// A new driver of the class of `type` (1 and 4 TSP5, 2 TSYSAMV6,
// 3 TSYSAMCAMPUS) built with `cheminDLL` and the program's identifier 1, or
// nullptr when this build has no driver for the type.
using TFabriqueCentrales = std::function<TCentrale*(int32_t type, const std::string& cheminDLL)>;

TFabriqueCentrales fabriqueDesPilotes();

} // namespace gv
