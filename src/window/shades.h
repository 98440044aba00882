#pragma once

#include "screen/image.h"

// The grey shades of classic 3D controls; the button captions are drawn onto the face.
namespace zelvane::shade {

inline constexpr Rgb Face = 0xC0C0C0;
inline constexpr Rgb Highlight = 0xFFFFFF;
inline constexpr Rgb Light = 0xDFDFDF;
inline constexpr Rgb Shadow = 0x808080;
inline constexpr Rgb DarkShadow = 0x000000;

}  // namespace zelvane::shade
