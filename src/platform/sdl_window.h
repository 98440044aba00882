#pragma once

#include <SDL.h>

#include "game/mform.h"
#include "screen/window_image.h"

namespace zelvane {

// The real window around the game: shows the composed client area, turns SDL's
// events into the window's events, and sleeps until the next event or tick.
class SdlWindow {
 public:
  SdlWindow(Mform& form, const Image& icon, const Image& captions);
  ~SdlWindow();
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  bool Open();
  // Runs until the game ends; returns the process's exit status.
  int Run();

 private:
  void Handle(const SDL_Event& event);
  void HandleKey(const SDL_KeyboardEvent& key);
  void HandleMouse(const SDL_Event& event);
  int ButtonAt(int x, int y) const;
  void Show(bool everything);
  void SyncClock();

  Mform& form_;
  const Image& icon_;
  WindowImage picture_;
  SDL_Window* window_ = nullptr;
  int focused_ = 0;
  int pressed_ = -1;
  bool spaceHeld_ = false;
};

}  // namespace zelvane
