// Point-number lookup in the point list.
#pragma once
#include <array>
#include <cstdint>

#include "library/matrix.h"
#include "platform/console.h"

namespace library {

// Finds ICB among IN(1..IB), IN[0] being IN(1); JB, the declared length of IN, is not read.
// DONE with I at the first equal entry; FAILED with I = IB + 1 (1 when IB <= 0) after the
// console line "Procedura CBODU ... Hledane cislo neexistuje" followed by ICB.
Status CBODU(const std::int16_t* IN, Index JB, Index IB, std::int16_t ICB, Index& I,
             platform::Console& console);

using PointName = std::array<char, 6>;
// The same over 6-character point names. Called by no program.
Status CBODUA(const PointName* IN, Index JB, Index IB, const PointName& ICB, Index& I,
              platform::Console& console);

}  // namespace library
