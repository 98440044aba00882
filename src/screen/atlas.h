#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "screen/image.h"

namespace zelvane {

// The sprite atlas compiled into the game, decoded once.
const Image& Atlas();

// Decodes a PNG held in memory or in a file; nothing when it is not a readable PNG.
std::optional<Image> DecodePng(const std::uint8_t* data, std::size_t size);
std::optional<Image> LoadPng(const std::string& path);

// Decodes a picture built into the executable. It can only be damaged in a
// broken build, so that ends the program with a message naming `what`.
Image DecodeBuiltInPng(const std::uint8_t* data, std::size_t size, const char* what);

}  // namespace zelvane
