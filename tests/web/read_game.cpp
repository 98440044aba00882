// The browser tests' eyes, the desktop end-to-end tests' own, as a command:
//   read_game screen <png>    what a picture of the game's canvas shows
//   read_game records <file>  the table a records file holds, and whether its
//                             bytes are exactly those the game writes for that
//                             table and the date and time in the file
// Each prints one JSON object on one line.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "e2e/screen_reading.h"
#include "records/records_file.h"
#include "screen/atlas.h"

namespace zelvane {
namespace {

template <typename Number>
std::string Json(const std::optional<Number>& value) {
  return value ? std::to_string(*value) : "null";
}

std::string Json(bool value) { return value ? "true" : "false"; }

template <typename Each>
std::string JsonList(int count, Each each) {
  std::string list = "[";
  for (int i = 0; i < count; ++i) list += (i ? "," : "") + each(i);
  return list + "]";
}

int ReadScreen(const char* path) {
  const std::optional<Image> shot = LoadPng(path);
  if (!shot) {
    std::fprintf(stderr, "read_game: not a PNG: %s\n", path);
    return 1;
  }
  const auto wave = e2e::FallingWaveIn(*shot);
  std::ostringstream out;
  out << R"({"buttonsWaiting":)" << Json(e2e::ButtonsWaiting(*shot))               //
      << R"(,"ready":)" << Json(e2e::ReadyBannerShown(*shot))                      //
      << R"(,"waveRow":)" << Json(wave ? std::optional(wave->row) : std::nullopt)  //
      << R"(,"wave":)"
      << (wave ? JsonList(static_cast<int>(wave->letters.size()),
                          [&](int i) { return std::to_string(wave->letters[static_cast<std::size_t>(i)]); })
               : "null")
      << R"(,"score":)" << Json(e2e::ScoreIn(*shot))  //
      << R"(,"records":)" << JsonList(5, [&](int rank) { return Json(e2e::RecordIn(*shot, rank)); })
      << R"(,"gameOver":)" << Json(e2e::GameOverShown(*shot))  //
      << R"(,"rates":)" << JsonList(3, [&](int row) { return Json(e2e::ResultRateShown(*shot, row)); }) << "}";
  std::puts(out.str().c_str());
  return 0;
}

// The text between "-*- " and " -*-" on line `number`, 1 first.
std::string Framed(std::string_view text, int number) {
  for (int line = 1; line < number; ++line) text.remove_prefix(std::min(text.size(), text.find("\r\n") + 2));
  text = text.substr(0, text.find("\r\n"));
  constexpr std::string_view kOpen = "-*- ", kClose = " -*-";
  if (!text.starts_with(kOpen) || !text.ends_with(kClose)) return {};
  return std::string(text.substr(kOpen.size(), text.size() - kOpen.size() - kClose.size()));
}

int ReadRecords(const char* path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "read_game: cannot read %s\n", path);
    return 1;
  }
  const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  const HiScores scores = ParseRecordsLine(FirstField(bytes)).scores;
  const bool exact = bytes == FormatRecordsFile(scores, Framed(bytes, 2), Framed(bytes, 16));
  std::printf("{\"scores\":%s,\"exact\":%s}\n",
              JsonList(5, [&](int i) { return std::to_string(scores[static_cast<std::size_t>(i)]); }).c_str(),
              Json(exact).c_str());
  return 0;
}

}  // namespace
}  // namespace zelvane

int main(int argc, char** argv) {
  const std::string_view what = argc == 3 ? argv[1] : "";
  if (what == "screen") return zelvane::ReadScreen(argv[2]);
  if (what == "records") return zelvane::ReadRecords(argv[2]);
  std::fprintf(stderr, "usage: read_game screen <png> | records <file>\n");
  return 2;
}
