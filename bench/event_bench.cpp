// What one delivered event costs: the handler, its drawing and the presenting
// of every panel it touched, as the window system hands the event over.
#include <benchmark/benchmark.h>

#include "bench_form.h"

namespace zelvane {
namespace {

using bench::BenchEvent;
using bench::BenchForm;
using bench::kFiveLetters;
using bench::kKeyB;
using bench::kKeyZ;
using bench::kLevelFourScore;
using bench::kOneHitEach;
using bench::Rehearse;

template <typename Event, typename Check>
void Measure(benchmark::State& run, Event event, Check holds, const char* what) {
  if (!Rehearse(run, event, holds, what)) return;
  for (auto _ : run) event();
}

void MeasureEvent(benchmark::State& run, const BenchEvent& event) {
  BenchForm bench;
  event.setUp(bench);
  Measure(
      run, [&] { event.deliver(bench); }, [&] { return event.holds(bench.form); }, event.failure);
}

void BM_KeyHit(benchmark::State& run) { MeasureEvent(run, bench::kKeyHit); }
BENCHMARK(BM_KeyHit);

void BM_KeyMiss(benchmark::State& run) {
  BenchForm bench;
  bench.StartPlay();
  Mform& form = bench.form;
  Measure(
      run,
      [&] {
        bench.SetWave(kFiveLetters, kOneHitEach, 3);
        form.state.score = 1000;
        form.DeliverKeyDown(form.clock.now, kKeyZ, 0);
      },
      [&] { return form.state.score == 850; }, "Z was not a miss at level 1");
}
BENCHMARK(BM_KeyMiss);

void BM_KeyClearsWave(benchmark::State& run) {
  BenchForm bench;
  bench.StartPlay();
  Mform& form = bench.form;
  Measure(
      run,
      [&] {
        bench.SetWave({1, SlotEmpty, SlotEmpty, SlotEmpty, SlotEmpty}, {1, 0, 0, 0, 0}, 3);
        form.state.score = kLevelFourScore;
        form.DeliverKeyDown(form.clock.now, kKeyB, 0);
      },
      [&] { return form.state.waveRow == 0 && form.state.level == 4; },
      "B did not clear the wave and deal a level-4 one");
}
BENCHMARK(BM_KeyClearsWave);

void BM_DescentMoves(benchmark::State& run) { MeasureEvent(run, bench::kDescentMove); }
BENCHMARK(BM_DescentMoves);

void BM_DescentLandsFiveLetters(benchmark::State& run) {
  BenchForm bench;
  bench.StartPlay();
  Mform& form = bench.form;
  Measure(
      run,
      [&] {
        bench.SetWave(kFiveLetters, kOneHitEach, 6);
        form.state.pileCount = 0;
        form.state.score = kLevelFourScore;
        bench.Tick(form.GMtime);
      },
      [&] { return form.state.pileCount == 5 && form.state.waveRow == 0 && form.GMtime.Enabled(); },
      "the tick did not land five letters");
}
BENCHMARK(BM_DescentLandsFiveLetters);

void BM_TitleTick(benchmark::State& run) { MeasureEvent(run, bench::kTitleTick); }
BENCHMARK(BM_TitleTick);

void BM_CurtainTick(benchmark::State& run) {
  BenchForm bench;
  Mform& form = bench.form;
  form.GOtimer.Enable();
  Measure(
      run,
      [&] {
        form.state.curtainRow = 0;
        form.state.curtainCol = 0;
        form.state.curtainDir = 1;
        bench.Tick(form.GOtimer);
      },
      [&] { return form.state.curtainCol == 1 && form.GOtimer.Enabled(); }, "the tick did not lay a block");
}
BENCHMARK(BM_CurtainTick);

// The curtain's last tick: eight letter tiles, each presented.
void BM_CurtainLettering(benchmark::State& run) {
  BenchForm bench;
  Mform& form = bench.form;
  Measure(
      run,
      [&] {
        form.OVtimer.Disable();
        form.GOtimer.Enable();
        form.state.curtainRow = kRows;
        bench.Tick(form.GOtimer);
      },
      [&] { return form.OVtimer.Enabled() && !form.GOtimer.Enabled(); }, "the tick did not write GAME OVER");
}
BENCHMARK(BM_CurtainLettering);

// The seventh results tick: 300 diagonal lines over the playfield.
void BM_ResultsWipe(benchmark::State& run) {
  BenchForm bench;
  Mform& form = bench.form;
  Measure(
      run,
      [&] {
        form.OPtimer.Disable();
        form.PointCtimer.Enable();
        form.state.resultStep = 6;
        bench.Tick(form.PointCtimer);
      },
      [&] { return form.OPtimer.Enabled() && !form.PointCtimer.Enabled() && form.state.resultStep == 0; },
      "the tick did not wipe and restart the title");
}
BENCHMARK(BM_ResultsWipe);

}  // namespace
}  // namespace zelvane
