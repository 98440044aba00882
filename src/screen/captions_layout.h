#pragma once

#include <cstdint>

// The button captions picture (assets/captions.png): one cell per button and
// state, stacked top to bottom: "Start" enabled, "Start" disabled, "End"
// enabled, "End" disabled. Each caption is drawn onto the button face colour.
namespace zelvane::captions {

inline constexpr int kCellWidth = 61;
inline constexpr int kCellHeight = 16;
inline constexpr int kButtons = 2;
inline constexpr int kCells = 2 * kButtons;
inline constexpr int kSheetWidth = kCellWidth;
inline constexpr int kSheetHeight = kCellHeight * kCells;
// The face of a classic push button, 0xRRGGBB.
inline constexpr std::uint32_t kFaceColour = 0xC0C0C0;

// Which cell shows button `button` (0 "Start", 1 "End") in the given state.
constexpr int CellIndex(int button, bool enabled) { return 2 * button + (enabled ? 0 : 1); }

}  // namespace zelvane::captions
