#include "platform/sdl_window.h"

#include <cstdio>

#include "platform/virtual_keys.h"
#include "screen/layout.h"

namespace zelvane {
namespace {

constexpr std::int16_t kEnter = 13;

}  // namespace

SdlWindow::SdlWindow(Mform& form, const Image& icon, const Image& captions)
    : form_(form), icon_(icon), picture_(captions) {}

SdlWindow::~SdlWindow() {
  if (window_) SDL_DestroyWindow(window_);
}

bool SdlWindow::Open() {
  window_ = SDL_CreateWindow("Zelvane", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, layout::kClientWidth,
                             layout::kClientHeight, SDL_WINDOW_HIDDEN);
  if (!window_) {
    std::fprintf(stderr, "zelvane: cannot open the window: %s\n", SDL_GetError());
    return false;
  }
  SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<std::uint32_t*>(icon_.Row(0)), icon_.Width(), icon_.Height(), 32, icon_.Width() * 4,
      SDL_PIXELFORMAT_ARGB8888);
  if (icon) {
    SDL_SetWindowIcon(window_, icon);
    SDL_FreeSurface(icon);
  }
  SyncClock();
  form_.DeliverLoad();
  SDL_ShowWindow(window_);
  Show(true);
  return true;
}

void SdlWindow::SyncClock() { form_.clock.now = static_cast<std::int64_t>(SDL_GetTicks64()); }

void SdlWindow::Show(bool everything) {
  if (everything) form_.RepaintAll();
  if (!picture_.Compose(form_, focused_, pressed_) && !everything) return;
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (!surface) return;
  SDL_Surface* frame = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<std::uint32_t*>(picture_.Pixels().Row(0)), layout::kClientWidth, layout::kClientHeight, 32,
      layout::kClientWidth * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!frame) return;
  SDL_BlitSurface(frame, nullptr, surface, nullptr);
  SDL_FreeSurface(frame);
  SDL_UpdateWindowSurface(window_);
}

int SdlWindow::ButtonAt(int x, int y) const {
  for (int i = 0; i < 2; ++i) {
    const Rect box = form_.Cm1[static_cast<std::size_t>(i)].Bounds();
    if (x >= box.x && y >= box.y && x < box.Right() && y < box.Bottom()) return i;
  }
  return -1;
}

void SdlWindow::HandleMouse(const SDL_Event& event) {
  if (event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT) {
    const int button = ButtonAt(event.button.x, event.button.y);
    if (button >= 0 && form_.Cm1[static_cast<std::size_t>(button)].enabled) {
      pressed_ = button;
      focused_ = button;
    }
  } else if (event.type == SDL_MOUSEBUTTONUP && event.button.button == SDL_BUTTON_LEFT && pressed_ >= 0) {
    const int button = pressed_;
    pressed_ = -1;
    if (ButtonAt(event.button.x, event.button.y) == button) form_.DeliverClick(static_cast<std::int16_t>(button));
  }
}

void SdlWindow::HandleKey(const SDL_KeyboardEvent& key) {
  const std::int16_t code = VirtualKeyOf(key.keysym);
  if (key.type == SDL_KEYDOWN && form_.KeyPreview) {
    form_.DeliverKeyDown(code, ShiftStateOf(key.keysym.mod));
    return;
  }
  // Outside play only the enabled buttons hear the keyboard, as push buttons do.
  if (!form_.Cm1[0].enabled && !form_.Cm1[1].enabled) return;
  const auto index = static_cast<std::int16_t>(focused_);
  if (key.type == SDL_KEYDOWN) {
    if (code == kEnter && form_.Cm1[0].enabled) {
      form_.DeliverClick(0);
    } else if (code == ' ' && !key.repeat) {
      spaceHeld_ = true;
      pressed_ = focused_;
    } else if (code == 9 || (code >= 37 && code <= 40)) {
      focused_ = 1 - focused_;
    }
  } else if (code == ' ' && spaceHeld_) {
    spaceHeld_ = false;
    pressed_ = -1;
    form_.DeliverClick(index);
  }
}

void SdlWindow::Handle(const SDL_Event& event) {
  SyncClock();
  switch (event.type) {
    case SDL_QUIT:
      form_.DeliverClose();
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      HandleKey(event.key);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      HandleMouse(event);
      break;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) form_.DeliverClose();
      if (event.window.event == SDL_WINDOWEVENT_EXPOSED || event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        Show(true);
      }
      break;
    default:
      break;
  }
}

int SdlWindow::Run() {
  while (!form_.EndRequested()) {
    SyncClock();
    while (form_.DeliverDueTick(form_.clock.now) && !form_.EndRequested()) SyncClock();
    if (form_.EndRequested()) break;
    Show(false);
    int wait = -1;
    if (const auto due = form_.NextDue()) {
      const std::int64_t ahead = *due - static_cast<std::int64_t>(SDL_GetTicks64());
      wait = ahead < 0 ? 0 : static_cast<int>(ahead);
    }
    SDL_Event event;
    const int got = wait < 0 ? SDL_WaitEvent(&event) : SDL_WaitEventTimeout(&event, wait);
    if (got) {
      Handle(event);
      while (!form_.EndRequested() && SDL_PollEvent(&event)) Handle(event);
    }
  }
  return form_.ExitStatus();
}

}  // namespace zelvane
