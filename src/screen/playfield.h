#pragma once

// The playfield: 5 columns by 10 rows of square cells, and every tile of the
// sprite atlas fills one cell. Cell (column c, row r) has its top-left pixel at
// (c x kCell, r x kCell) of the playfield panel Mpc.
namespace zelvane {

inline constexpr int kColumns = 5;
inline constexpr int kRows = 10;
inline constexpr int kCell = 30;

}  // namespace zelvane
