// What the page's scores (packaging/web/scores.js) call in the game: saving,
// entering the final score when the tab is hidden or closed, and loading
// another records file's scores.
#include "platform/browser_scores.h"

#include <emscripten.h>

#include <system_error>

#include "records/records_file.h"

namespace zelvane {
namespace {

Mform* gForm = nullptr;
StoredRecordsFiles* gFiles = nullptr;

// A save the page did not start: the run's scores stay entered for the page's own.
Opened NotNow() { return {kNoFile, std::make_error_code(std::errc::operation_would_block)}; }

}  // namespace

Opened StoredRecordsFiles::CreateNew(const std::string& path, const std::string& like) {
  return saving_ ? NativeFileSystem::CreateNew(path, like) : NotNow();
}

Opened StoredRecordsFiles::OpenExisting(const std::string& path) {
  return saving_ ? NativeFileSystem::OpenExisting(path) : NotNow();
}

void ServeScores(Mform& form, StoredRecordsFiles& files) {
  gForm = &form;
  gFiles = &files;
}

}  // namespace zelvane

extern "C" {

// Enters this run's scores into the records file in the game's folder, which
// the page has just made the stored one; whether it was written.
EMSCRIPTEN_KEEPALIVE int zelvane_save_records() {
  const zelvane::StoredRecordsFiles::Saving saving(*zelvane::gFiles);
  return zelvane::gForm->SaveRecords() ? 1 : 0;
}

// The tab is hidden or closing: whether a final score entered the table, to be saved now.
EMSCRIPTEN_KEEPALIVE int zelvane_enter_final_score() {
  const zelvane::HiScores before = zelvane::gForm->state.hiScores;
  zelvane::gForm->EnterFinalScore();
  return zelvane::gForm->state.hiScores != before ? 1 : 0;
}

// Reads the records file at `path` with the game's own loader and enters its
// scores for the next save. Empty when it did; else why the file was refused.
EMSCRIPTEN_KEEPALIVE const char* zelvane_load_scores(const char* path) {
  static std::string refused;
  const zelvane::LoadOutcome loaded = zelvane::LoadRecordsFile(path);
  refused = loaded.kind == zelvane::LoadOutcome::Kind::Missing ? std::string(path) + ": missing" : loaded.problem;
  if (refused.empty()) zelvane::gForm->EnterScores(loaded.scores);
  return refused.c_str();
}
}
