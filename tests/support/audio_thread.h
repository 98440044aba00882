#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace zelvane::testing {

// Whether SDL's audio thread for a playing device runs in this process: it
// names itself after the device, and the device is busy exactly while it runs.
inline bool AudioThreadRuns() {
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
    std::string name;
    std::getline(std::ifstream(task.path() / "comm"), name);
    if (name.starts_with("SDLAudioP")) return true;
  }
  return false;
}

}  // namespace zelvane::testing
