#include <SDL_syswm.h>

#include <cstdlib>
#include <vector>

#include "platform/window_frame.h"

#include <X11/Xatom.h>
#include <X11/Xresource.h>
#include <X11/Xutil.h>

namespace zelvane {
namespace {

// A density read from anywhere: nothing unless it is a positive number.
std::optional<double> Positive(double dpi) {
  if (dpi > 0) return dpi;
  return std::nullopt;
}

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
  XChangeProperty(display, window, hints, hints, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(motif), 5);

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

// Several sizes in one property: width, height and the pixels of each, one
// pixel to a long as Xlib hands 32-bit properties over.
void SetX11Icons(Display* display, ::Window window, std::initializer_list<Icon> icons) {
  std::vector<long> property;
  for (const Icon& icon : icons) {
    property.push_back(icon.width);
    property.push_back(icon.height);
    property.insert(property.end(), icon.argb.begin(), icon.argb.end());
  }
  const Atom name = XInternAtom(display, "_NET_WM_ICON", False);
  XChangeProperty(display, window, name, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(property.data()), static_cast<int>(property.size()));
  XFlush(display);
}

// Desktops set Xft.dpi in the resources of the root window for their scaling.
std::optional<double> DesktopDensity(Display* display) {
  const char* resources = XResourceManagerString(display);
  if (resources == nullptr) return std::nullopt;
  XrmInitialize();
  XrmDatabase database = XrmGetStringDatabase(resources);
  if (database == nullptr) return std::nullopt;
  std::optional<double> dpi;
  char* type = nullptr;
  XrmValue value{};
  if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr != nullptr) {
    char* end = nullptr;
    const double read = std::strtod(value.addr, &end);
    if (end != value.addr) dpi = Positive(read);
  }
  XrmDestroyDatabase(database);
  return dpi;
}

std::optional<double> ScreenDensity(Display* display) {
  const int screen = DefaultScreen(display);
  const int millimetres = DisplayWidthMM(display, screen);
  if (millimetres <= 0) return std::nullopt;
  constexpr double kMillimetresPerInch = 25.4;
  return Positive(DisplayWidth(display, screen) * kMillimetresPerInch / millimetres);
}

// The window's display and X window, when it has them.
bool X11WindowOf(SDL_Window* window, Display*& display, ::Window& x11Window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  display = info.info.x11.display;
  x11Window = info.info.x11.window;
  return true;
}

}  // namespace

void OfferIconSizes(SDL_Window* window, std::initializer_list<Icon> icons) {
  Display* display = nullptr;
  ::Window x11Window = 0;
  if (X11WindowOf(window, display, x11Window)) SetX11Icons(display, x11Window, icons);
}

std::optional<double> DisplayDensity(SDL_Window* window) {
  Display* display = nullptr;
  ::Window x11Window = 0;
  if (X11WindowOf(window, display, x11Window)) {
    if (const auto desktop = DesktopDensity(display)) return desktop;
    return ScreenDensity(display);
  }
  // The same game may run on another of SDL's video drivers, such as Wayland's.
  float dpi = 0;
  if (SDL_GetDisplayDPI(SDL_GetWindowDisplayIndex(window), nullptr, &dpi, nullptr) != 0) return std::nullopt;
  return Positive(dpi);
}

void AskForPlainFrame(SDL_Window* window) {
  Display* display = nullptr;
  ::Window x11Window = 0;
  if (X11WindowOf(window, display, x11Window)) AskX11ForPlainFrame(display, x11Window);
}

void TellThePlayer(SDL_Window*, const std::string&) {}

}  // namespace zelvane
