#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "game/mform.h"
#include "window/button_input.h"
#include "window/window_image.h"

namespace zelvane {

// The real window of the game and its event loop. The window opens hidden so
// that the game can load before the player sees anything; Run shows it.
class GameWindow {
 public:
  GameWindow();
  ~GameWindow();
  GameWindow(const GameWindow&) = delete;
  GameWindow& operator=(const GameWindow&) = delete;

  // False when the window could not be made; SDL_GetError tells why.
  explicit operator bool() const { return window_ != nullptr; }

  // How many screen pixels across and down each game pixel takes.
  int Scale() const { return scale_; }

  // Milliseconds on the monotonic clock; the game's timers run on it.
  static std::int64_t Now() { return static_cast<std::int64_t>(SDL_GetTicks64()); }

  // Delivers the window's events to the game until the game ends; returns the
  // exit status the game asked for. A save that waits keeps the window
  // answering. A save that failed when the player ended the game (End, or
  // closing the window) is told in a message box first, since a player who
  // started the game from a menu sees no standard error.
  int Run(Mform& form);

  // The steps of Run, public so that benchmarks time the real thing.
  // Maps the window and puts the whole picture on it.
  void Show(Mform& form);
  // The next Present draws and sends the whole client area, as after an expose.
  void Repaint(Mform& form);
  // Brings what changed onto the screen.
  void Present(Mform& form);
  // Hands one event to the game, at the monotonic clock's now.
  void Handle(Mform& form, const SDL_Event& event);

 private:
  void HandleWindowEvent(Mform& form, const SDL_WindowEvent& event);
  void KeyDown(Mform& form, std::int16_t code, std::int16_t shift);
  void DeliverDueTicks(Mform& form);
  void Click(Mform& form, std::optional<std::int16_t> index);
  // `byPlayer` when the window was closed, rather than the session ending.
  void Close(Mform& form, bool byPlayer);
  void TellNotices(Mform& form);
  void TellSaveFailure(const Mform& form);
  // The game pixel under a point of the window.
  Point GamePoint(int x, int y) const;
  // Puts `part` of the client area's picture into the window surface, scaled.
  void Upload(SDL_Surface& surface, Rect part);

  SDL_Window* window_ = nullptr;
  int scale_ = 1;
  // The scaled part on its way to a surface that is not 32-bit RGB.
  std::vector<std::uint32_t> staging_;
  WindowImage image_;
  ButtonInput buttons_;
  // False once the session, not the player, asked the game to end: nobody is there to read a box.
  bool playerThere_ = true;
};

// Sleeps until an event arrives or the next tick of `form` falls due, whichever
// comes first; true with the event in `event`.
bool WaitForEventOrTick(const Mform& form, SDL_Event& event);
// Delivers the earliest tick due by the monotonic clock's now; false when none is.
bool DeliverDueTickNow(Mform& form);
// Where the process may be ended any moment now (the session ends, the
// display is gone): closes the game, saving, unless it is already waiting to
// save; lets a save that waits go on for a few seconds more, then gives it up,
// so that the game ends with its records saved or with a word why not.
void CloseBeforeTheEnd(Mform& form);

}  // namespace zelvane
