// Reads arbitrary bytes as the start of a records file, the way the game does
// at start-up, and checks that whatever table comes out is one the file can
// hold and survives a save and a load unchanged, and that only a file of text
// is read at all.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

#include "records/records_file.h"

namespace {

using zelvane::HiScores;
using zelvane::kScoreCap;

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "records fuzz: %s\n", what);
  std::abort();
}

// One file in the temporary directory, rewritten for every input, so that the
// loader's own reading of a file is searched as well as the parsing.
class ScratchFile {
 public:
  ScratchFile() {
    // A name that nothing holds yet.
    std::random_device random;
    do {
      path_ = (std::filesystem::temp_directory_path() / ("zelvane-fuzz-" + std::to_string(random()))).string();
    } while (std::filesystem::exists(path_));
  }
  ~ScratchFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  const std::string& Path() const { return path_; }
  const std::string& Holding(std::string_view bytes) const {
    std::ofstream file(path_, std::ios::binary | std::ios::trunc);
    Require(file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush().good(),
            "cannot write the scratch file");
    return path_;
  }

 private:
  std::string path_;
};

// Saving for real, without waiting for the disk: the fuzzer searches the
// content, and a flush per input would slow it a hundredfold.
class UnsyncedFiles final : public zelvane::NativeFileSystem {
 public:
  std::error_code Sync(zelvane::FileHandle) override { return {}; }
  std::error_code SyncFolder(const std::string&) override { return {}; }
};

bool IsDigits(std::string_view text) { return text.find_first_not_of("0123456789") == std::string_view::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string_view start = bytes.substr(0, zelvane::kRecordsReadLimit);

  const std::string_view field = zelvane::FirstField(start);
  Require(field.data() >= start.data() && field.data() + field.size() <= start.data() + start.size(),
          "the first field lies outside the bytes read");
  Require(field.find_first_of(",\r\n") == std::string_view::npos, "the first field runs past a comma or line end");

  const zelvane::RecordsLine line = zelvane::ParseRecordsLine(field);
  const HiScores& scores = line.scores;
  for (const std::int32_t entry : scores) Require(entry >= 0 && entry <= kScoreCap, "an entry out of 0..999999");

  static const ScratchFile file;
  const zelvane::LoadOutcome loaded = zelvane::LoadRecordsFile(file.Holding(bytes));
  if (zelvane::LooksLikeText(start) && (line.holdsANumber || bytes.empty())) {
    Require(loaded.kind == zelvane::LoadOutcome::Kind::Table, "a table was not read");
    Require(loaded.problem.empty() == line.holdsANumber, "a file told of no scores wrongly");
    Require(loaded.scores == scores, "the file and the bytes in memory load differently");
  } else {
    Require(loaded.kind == zelvane::LoadOutcome::Kind::Unreadable, "a file with no table was read as records");
    Require(loaded.scores == HiScores{}, "an unreadable file gave scores");
  }

  const std::string saved = zelvane::FormatRecordsFile(scores, "2024/03/09", "21:05:07");
  const std::string_view line1 = std::string_view(saved).substr(0, 32);
  Require(IsDigits(line1.substr(0, 30)) && line1.substr(30) == "\r\n", "line 1 is not thirty digits");

  static const ScratchFile savedFile;
  static UnsyncedFiles files;
  Require(zelvane::WriteRecordsFile(savedFile.Path(), saved, files).problem.empty(),
          "saving into a scratch file failed");
  Require(zelvane::LoadRecordsFile(savedFile.Path()).scores == scores, "a saved table loads back different");
  return 0;
}
