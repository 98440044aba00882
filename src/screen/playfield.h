#pragma once

// The playfield: 5 columns by 10 rows of square cells, and every tile of the
// sprite atlas fills one cell. Cell (column c, row r) has its top-left pixel at
// (c x kCell, r x kCell) of the playfield panel Mpc.
namespace zelvane {

inline constexpr int kColumns = 5;
inline constexpr int kRows = 10;
inline constexpr int kCell = 30;

// The playfield panel's drawing area, 150 x 300 pixels.
inline constexpr int kPlayfieldWidth = kColumns * kCell;
inline constexpr int kPlayfieldHeight = kRows * kCell;

// A wave falls through rows 0 to kLandingRow; the tick after its tick in the
// landing row lands it. The rows below hold the pile.
inline constexpr int kLandingRow = 6;
// The red danger line lies on the landing row's bottom pixel row, y 209.
inline constexpr int kDangerLineY = (kLandingRow + 1) * kCell - 1;

}  // namespace zelvane
