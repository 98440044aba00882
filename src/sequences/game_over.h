#pragma once

#include <array>
#include <cstdint>

namespace zelvane {

// One letter tile of the GAME OVER lettering: a slot code and its playfield cell.
struct Lettering {
  std::int16_t code;
  std::int16_t column;
  std::int16_t row;
};

// GAME in row 4 from column 0, OVER in row 5 one column further right.
inline constexpr std::array<Lettering, 8> kGameOverLettering{{
    {6, 0, 4},
    {0, 1, 4},
    {12, 2, 4},
    {4, 3, 4},
    {14, 1, 5},
    {21, 2, 5},
    {4, 3, 5},
    {17, 4, 5},
}};

}  // namespace zelvane
