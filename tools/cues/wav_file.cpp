#include "wav_file.h"

#include <sndfile.h>

#include <memory>
#include <stdexcept>

namespace zelvane::cues {

void WriteWav(const std::string& path, const std::vector<std::int16_t>& pcm, int sampleRate) {
  SF_INFO info{};
  info.samplerate = sampleRate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> file(sf_open(path.c_str(), SFM_WRITE, &info), sf_close);
  if (!file) throw std::runtime_error(path + ": " + sf_strerror(nullptr));
  const auto frames = static_cast<sf_count_t>(pcm.size());
  if (sf_write_short(file.get(), pcm.data(), frames) != frames) {
    throw std::runtime_error(path + ": " + sf_strerror(file.get()));
  }
  // The header's sizes are written on close, so its failure counts too.
  if (sf_close(file.release()) != 0) throw std::runtime_error(path + ": cannot finish the file");
}

}  // namespace zelvane::cues
