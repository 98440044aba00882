#pragma once

#include <cstdint>

// The button captions picture (assets/captions.png): one cell per button and
// state, stacked top to bottom: "Start" enabled, "Start" disabled, "End"
// enabled, "End" disabled. Each caption is drawn onto the button face, shade::Face.
namespace zelvane::captions {

inline constexpr int kCellWidth = 61;
inline constexpr int kCellHeight = 16;
inline constexpr int kButtons = 2;
inline constexpr int kCells = 2 * kButtons;
inline constexpr int kSheetWidth = kCellWidth;
inline constexpr int kSheetHeight = kCellHeight * kCells;

// Which cell shows button `button` (0 "Start", 1 "End") in the given state.
constexpr int CellIndex(int button, bool enabled) { return 2 * button + (enabled ? 0 : 1); }

}  // namespace zelvane::captions
