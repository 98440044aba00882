#pragma once

#include <SDL.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace zelvane {

// One file a window system defines these: window_frame_x11.cpp,
// window_frame_windows.cpp, window_frame_browser.cpp.

// Asks the window manager for a frame without minimize and maximize buttons,
// and to place the window where it places new windows. On Windows it takes
// those boxes off the window's style; in a browser's page it does nothing.
void AskForPlainFrame(SDL_Window* window);

// The density of the window's display in dots per inch: the desktop's own
// setting where it has one, which is what it sets for its scaling, else what
// the screen's reported physical size gives; nothing when neither is known.
// On Windows, the density of the window's monitor; in a browser, nothing.
std::optional<double> DisplayDensity(SDL_Window* window);

struct Icon {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> argb;  // row by row, alpha in the top byte
};

// Replaces the window's icon with all of these sizes. On Windows the
// executable's own icon, which holds every size, takes their place; in a
// browser's page, which shows the page's own icon, it does nothing.
void OfferIconSizes(SDL_Window* window, std::initializer_list<Icon> icons);

// Shows `line` in a message box over the window where a player never sees
// standard error (Windows), and waits for the player to read it; elsewhere
// standard error has said it and this does nothing.
void TellThePlayer(SDL_Window* window, const std::string& line);

}  // namespace zelvane
