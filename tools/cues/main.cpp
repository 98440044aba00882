// zelvane-cues <output-dir>: synthesises the game's nine sound cues as WAV
// files. The same program always writes the same bytes.
#include <cstdio>
#include <exception>
#include <filesystem>

#include "master.h"
#include "recipes.h"
#include "wav_file.h"

int main(int argc, char** argv) {
  namespace cues = zelvane::cues;
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output-dir>\n", argv[0]);
    return 2;
  }
  try {
    const std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out);
    for (const cues::Recipe& recipe : cues::Recipes()) {
      cues::WriteWav((out / recipe.file).string(), cues::Master(recipe.mix()), cues::kSampleRate);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "zelvane-cues: %s\n", error.what());
    return 1;
  }
  return 0;
}
