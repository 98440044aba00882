#include <SDL_syswm.h>

#include "platform/window_frame.h"

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xutil.h>
#endif

namespace zelvane {

#if defined(SDL_VIDEO_DRIVER_X11)
namespace {

// The Motif window manager hints, which most window managers still honour.
constexpr long kHintFunctions = 1L << 0;
constexpr long kHintDecorations = 1L << 1;
constexpr long kFunctionMove = 1L << 2;
constexpr long kFunctionClose = 1L << 5;
constexpr long kDecorBorder = 1L << 1;
constexpr long kDecorTitle = 1L << 3;
constexpr long kDecorMenu = 1L << 4;

void AskX11ForPlainFrame(Display* display, ::Window window) {
  // flags, functions, decorations, input mode, status: a frame that can be moved and closed only.
  const long motif[5] = {kHintFunctions | kHintDecorations, kFunctionMove | kFunctionClose,
                         kDecorBorder | kDecorTitle | kDecorMenu, 0, 0};
  const Atom hints = XInternAtom(display, "_MOTIF_WM_HINTS", False);
  XChangeProperty(display, window, hints, hints, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(motif),
                  5);

  // SDL asks for the spot it computed; the game leaves placement to the window manager.
  XSizeHints* size = XAllocSizeHints();
  long supplied = 0;
  if (size && XGetWMNormalHints(display, window, size, &supplied)) {
    size->flags &= ~(USPosition | PPosition);
    XSetWMNormalHints(display, window, size);
  }
  XFree(size);
  XFlush(display);
}

}  // namespace
#endif

void AskForPlainFrame(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11) {
    AskX11ForPlainFrame(info.info.x11.display, info.info.x11.window);
  }
#else
  (void)window;
#endif
}

}  // namespace zelvane
