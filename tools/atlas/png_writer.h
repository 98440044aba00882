#pragma once

#include <string>

#include "canvas.h"

namespace zelvane::art {

enum class Channels { Rgb, Rgba };

// Writes the canvas as an 8-bit PNG. Carries no time stamp or text, so the
// same picture always gives the same bytes. Throws when the file cannot be written.
void WritePng(const std::string& path, const Canvas& canvas, Channels channels);

}  // namespace zelvane::art
