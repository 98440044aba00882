// What a save of the records costs on the real disk: the lock, the table read
// afresh, the new file written and flushed, and its renaming into place.
// Each iteration is one whole save; run with --benchmark_repetitions=100 for
// the median of a hundred.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "records/records_file.h"
#include "support/new_directory.h"

namespace zelvane {
namespace {

void BM_SaveRecords(benchmark::State& run) {
  const std::filesystem::path folder = testing::NewDirectory("zelvane-save-bench-");
  const std::string path = (folder / "jkl.yen").string();
  const RecordsRun game{{900, 800, 700, 600, 500}, {650, 0, 0, 0, 0}};
  WriteRecordsFile(path, FormatRecordsFile(game.loaded, "2024/03/09", "21:05:07"));
  for (auto _ : run) {
    const SaveOutcome outcome = SaveRecordsFile(path, game, NowStamp());
    if (!outcome.problem.empty()) run.SkipWithError(outcome.problem.c_str());
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SaveRecords)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelvane
