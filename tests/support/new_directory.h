#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace zelvane::testing {

// A new, empty directory in the system's temporary one, whose name no other
// test holds: creating it fails where one already does.
inline std::filesystem::path NewDirectory(const std::string& prefix) {
  std::random_device random;
  std::filesystem::path path;
  do {
    path = std::filesystem::temp_directory_path() / (prefix + std::to_string(random()));
  } while (!std::filesystem::create_directory(path));
  return path;
}

}  // namespace zelvane::testing
