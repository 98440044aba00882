#include "platform/game_window.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/dropped_keys.h"
#include "platform/key_map.h"
#include "platform/session_signals.h"
#include "platform/window_frame.h"
#include "platform/window_icon.h"
#include "screen/layout.h"
#include "screen/virtual_keys.h"
#include "window/form_scene.h"
#include "window/window_scale.h"

namespace zelvane {
namespace {

// The scale for the display the window opens on: its whole client area, and
// its frame where the window system tells that before the window shows, must fit.
int ScaleForDisplay(SDL_Window* window) {
  SDL_Rect usable{};
  if (SDL_GetDisplayUsableBounds(SDL_GetWindowDisplayIndex(window), &usable) != 0) return 1;
  int top = 0;
  int left = 0;
  int bottom = 0;
  int right = 0;
  if (SDL_GetWindowBordersSize(window, &top, &left, &bottom, &right) == 0) {
    usable.w -= left + right;
    usable.h -= top + bottom;
  }
  return ChooseScale(DisplayDensity(window).value_or(kBaseDensity), {usable.w, usable.h},
                     {layout::kClientWidth, layout::kClientHeight});
}

// What a save may still wait for once the process is about to be ended:
// Windows gives a window five seconds to answer the session's end.
constexpr std::int64_t kLastPatience = 4000;

int FloorDivided(int value, int by) { return value >= 0 ? value / by : -((-value + by - 1) / by); }

bool IsRgb32(const SDL_PixelFormat& format) {
  return format.format == SDL_PIXELFORMAT_ARGB8888 || format.format == SDL_PIXELFORMAT_RGB888;
}

}  // namespace

GameWindow::GameWindow() : image_(layout::kClientWidth, layout::kClientHeight, ButtonCaptions()) {
  // The window surface is drawn by the processor and sent to the display as it
  // is: no GL libraries to load for a picture this small.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // Closing the window is one close: a quit on its heels would be a second,
  // which gives up a save that waits.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // A click on Start or End presses it even when the window was not the active one, as on X11;
  // Windows would otherwise only activate the window with it.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  window_ = SDL_CreateWindow("Zelvane", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, layout::kClientWidth,
                             layout::kClientHeight, SDL_WINDOW_HIDDEN);
  if (!window_) return;
  scale_ = ScaleForDisplay(window_);
  if (scale_ > 1) {
    SDL_SetWindowSize(window_, layout::kClientWidth * scale_, layout::kClientHeight * scale_);
    // Where no window manager places it, it stays centred as SDL put it at its first size.
    const int centred = SDL_WINDOWPOS_CENTERED_DISPLAY(SDL_GetWindowDisplayIndex(window_));
    SDL_SetWindowPosition(window_, centred, centred);
  }
  AskForPlainFrame(window_);
  SetGameIcon(window_);
  // Keys are all the game reads; no text composition.
  SDL_StopTextInput();
  WatchForDroppedKeys();
}

GameWindow::~GameWindow() {
  if (window_) SDL_DestroyWindow(window_);
}

int GameWindow::Run(Mform& form) {
  CloseWhenTheSessionEnds(window_, [this, &form] {
    playerThere_ = false;
    CloseBeforeTheEnd(form);
  });
  while (!form.EndRequested()) {
    SDL_Event event;
    if (WaitForEventOrTick(form, event)) {
      do {
        Handle(form, event);
      } while (!form.EndRequested() && SDL_PollEvent(&event));
    }
    DeliverDueTicks(form);
    TellNotices(form);
    if (form.EndRequested()) break;
    Present(form);
  }
  CloseWhenTheSessionEnds(window_, {});
  TellNotices(form);
  if (!form.SaveProblem().empty() && playerThere_) TellSaveFailure(form);
  return form.ExitStatus();
}

void GameWindow::TellNotices(Mform& form) {
  for (const std::string& notice : form.TakeNotices()) TellThePlayer(window_, notice);
}

void GameWindow::TellSaveFailure(const Mform& form) {
  // The box waits for the player; a signal now ends the game at once rather than waiting with it.
  EndAtOnceOnSignals();
  const std::string message = "The scores could not be saved.\n\n" + form.SaveProblem();
  if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Zelvane", message.c_str(), window_) != 0) {
    std::fprintf(stderr, "zelvane: cannot show that the scores were not saved: %s\n", SDL_GetError());
  }
}

bool WaitForEventOrTick(const Mform& form, SDL_Event& event) {
  const auto due = form.NextDue();
  if (!due) return SDL_WaitEvent(&event) == 1;
  const std::int64_t wait = *due - GameWindow::Now();
  if (wait <= 0) return SDL_PollEvent(&event) == 1;
  return SDL_WaitEventTimeout(&event, static_cast<int>(std::min<std::int64_t>(wait, INT_MAX))) == 1;
}

bool DeliverDueTickNow(Mform& form) { return form.DeliverDueTick(GameWindow::Now()); }

void CloseBeforeTheEnd(Mform& form) {
  if (!form.SaveWaiting()) form.DeliverClose(GameWindow::Now());
  const std::int64_t deadline = GameWindow::Now() + kLastPatience;
  while (form.SaveWaiting() && GameWindow::Now() < deadline) {
    const std::int64_t wait = std::min(form.NextDue().value_or(deadline), deadline) - GameWindow::Now();
    if (wait > 0) SDL_Delay(static_cast<Uint32>(wait));
    DeliverDueTickNow(form);
  }
  if (form.SaveWaiting()) form.DeliverClose(GameWindow::Now());
}

void GameWindow::DeliverDueTicks(Mform& form) {
  while (!form.EndRequested() && DeliverDueTickNow(form)) {
  }
}

void GameWindow::Handle(Mform& form, const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:
      Close(form, false);
      break;
    case SDL_WINDOWEVENT:
      HandleWindowEvent(form, event.window);
      break;
    case SDL_KEYDOWN:
      KeyDown(form, VirtualKeyOf(event.key.keysym.sym, event.key.keysym.scancode, event.key.keysym.mod),
              ShiftMaskOf(event.key.keysym.mod));
      break;
    case SDL_SYSWMEVENT:
      // A key SDL knows no code for has none in the game either.
      if (IsDroppedKeyPress(event)) KeyDown(form, vk::Unassigned, ShiftMaskOf(SDL_GetModState()));
      break;
    case SDL_KEYUP: {
      const std::int16_t code = VirtualKeyOf(event.key.keysym.sym, event.key.keysym.scancode, event.key.keysym.mod);
      Click(form, buttons_.KeyUp(form.Cm1, code));
      break;
    }
    case SDL_MOUSEBUTTONDOWN:
      if (event.button.button == SDL_BUTTON_LEFT) {
        buttons_.MouseDown(form.Cm1, GamePoint(event.button.x, event.button.y));
      }
      break;
    case SDL_MOUSEMOTION:
      if (event.motion.state & SDL_BUTTON_LMASK) {
        buttons_.MouseMove(form.Cm1, GamePoint(event.motion.x, event.motion.y));
      }
      break;
    case SDL_MOUSEBUTTONUP:
      if (event.button.button == SDL_BUTTON_LEFT) {
        Click(form, buttons_.MouseUp(form.Cm1, GamePoint(event.button.x, event.button.y)));
      }
      break;
    default:
      break;
  }
}

void GameWindow::HandleWindowEvent(Mform& form, const SDL_WindowEvent& event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
      Close(form, true);
      break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      Repaint(form);
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      buttons_.Cancel();
      break;
    default:
      break;
  }
}

// Held keys repeat as further presses, as the game expects.
void GameWindow::KeyDown(Mform& form, std::int16_t code, std::int16_t shift) {
  form.DeliverKeyDown(Now(), code, shift);
  if (form.EndRequested()) return;
  Click(form, buttons_.KeyDown(form.Cm1, code, shift));
}

void GameWindow::Click(Mform& form, std::optional<std::int16_t> index) {
  if (!index) return;
  playerThere_ = true;
  form.DeliverClick(Now(), *index);
}

// The close that ends the game decides whether its failed save is the player's to see.
void GameWindow::Close(Mform& form, bool byPlayer) {
  if (form.EndRequested()) return;
  playerThere_ = byPlayer;
  form.DeliverClose(Now());
}

Point GameWindow::GamePoint(int x, int y) const { return {FloorDivided(x, scale_), FloorDivided(y, scale_)}; }

void GameWindow::Show(Mform& form) {
  SDL_ShowWindow(window_);
  Repaint(form);
  Present(form);
}

void GameWindow::Repaint(Mform& form) {
  form.RepaintAll();
  image_.Invalidate();
}

void GameWindow::Present(Mform& form) {
  buttons_.Follow(form.Cm1);
  const std::vector<Rect> parts = image_.Compose(SceneOf(form, buttons_));
  if (parts.empty()) return;
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (!surface) return;
  // Game pixels that the surface holds whole.
  const Rect onSurface{0, 0, surface->w / scale_, surface->h / scale_};
  std::vector<SDL_Rect> uploads;
  for (const Rect& part : parts) {
    const Rect r = part.Intersected(onSurface);
    if (r.Empty()) continue;
    Upload(*surface, r);
    uploads.push_back({r.x * scale_, r.y * scale_, r.w * scale_, r.h * scale_});
  }
  if (!uploads.empty()) SDL_UpdateWindowSurfaceRects(window_, uploads.data(), static_cast<int>(uploads.size()));
}

void GameWindow::Upload(SDL_Surface& surface, Rect part) {
  const int width = part.w * scale_;
  const int height = part.h * scale_;
  auto* target = static_cast<std::uint8_t*>(surface.pixels) + part.y * scale_ * surface.pitch +
                 part.x * scale_ * surface.format->BytesPerPixel;
  if (IsRgb32(*surface.format)) {
    ScaleNearest(image_.Picture(), part, scale_, reinterpret_cast<std::uint32_t*>(target), surface.pitch);
    return;
  }
  staging_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  const int pitch = width * static_cast<int>(sizeof(std::uint32_t));
  ScaleNearest(image_.Picture(), part, scale_, staging_.data(), pitch);
  SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_ARGB8888, staging_.data(), pitch, surface.format->format, target,
                    surface.pitch);
}

}  // namespace zelvane
