// What the window layer adds to an event once its handler has returned: the
// changed parts of the client area composed, and on screen, converted into the
// window surface and sent to the display. The handler itself runs outside the
// timing (zelvane_bench times it). "Scaled" adds the widening of the changed
// parts into a window 2 or 3 times larger. Run under an X server for figures
// worth quoting; under SDL's dummy driver the upload goes nowhere. The window
// takes the scale the X server's density gives it (Xvfb -dpi 96, 192, 288).
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "bench_form.h"
#include "platform/game_window.h"
#include "screen/layout.h"
#include "window/form_scene.h"
#include "window/window_scale.h"

namespace zelvane {
namespace {

using bench::BenchEvent;
using bench::BenchForm;
using bench::Rehearse;

// The picture only, as the window composes it before sending it anywhere.
class Composed {
 public:
  bool Open(Mform& form) {
    Frame(form);
    return true;
  }
  void Invalidate(Mform& form) {
    form.RepaintAll();
    image_.Invalidate();
  }
  // Returns the number of pixels drawn again.
  long Frame(Mform& form) { return Pixels(Compose(form)); }
  // The picture is composed at the game's own size, whatever the window's scale.
  int Scale() const { return 1; }

 protected:
  std::vector<Rect> Compose(Mform& form) { return image_.Compose(SceneOf(form, input_)); }
  const Image& Picture() const { return image_.Picture(); }
  static long Pixels(const std::vector<Rect>& parts) {
    long pixels = 0;
    for (const Rect& part : parts) pixels += static_cast<long>(part.w) * part.h;
    return pixels;
  }

 private:
  WindowImage image_{layout::kClientWidth, layout::kClientHeight, ButtonCaptions()};
  ButtonInput input_;
};

// Composed, then each changed part widened into a window-sized picture as the
// window does into its surface: the processor's share of a frame at that
// scale, without the X server's.
template <int kScale>
class Scaled : public Composed {
 public:
  long Frame(Mform& form) {
    const std::vector<Rect> parts = Compose(form);
    for (const Rect& part : parts) {
      const std::size_t at =
          static_cast<std::size_t>(part.y * kScale) * kWidth + static_cast<std::size_t>(part.x * kScale);
      ScaleNearest(Picture(), part, kScale, &window_[at], static_cast<int>(kWidth * sizeof(std::uint32_t)));
    }
    return Pixels(parts);
  }
  int Scale() const { return kScale; }

 private:
  static constexpr std::size_t kWidth = layout::kClientWidth * kScale;
  std::vector<std::uint32_t> window_ = std::vector<std::uint32_t>(kWidth * layout::kClientHeight * kScale);
};

// The game's own window, presenting as its event loop does.
class Presented {
 public:
  bool Open(Mform& form) {
    if (!window_) return false;
    window_.Show(form);
    return true;
  }
  void Invalidate(Mform& form) { window_.Repaint(form); }
  // The window keeps its parts to itself: no pixel count.
  long Frame(Mform& form) {
    window_.Present(form);
    return 0;
  }
  int Scale() const { return window_.Scale(); }

 private:
  GameWindow window_;
};

// Times only the frame after each untimed `event`; `holds` checks once that
// the event still does what the benchmark is named after.
template <typename Frame, typename Event, typename Check>
void MeasureFrame(benchmark::State& run, Mform& form, Event event, Check holds, const char* what) {
  Frame frame;
  if (!frame.Open(form)) {
    run.SkipWithError(SDL_GetError());
    return;
  }
  const auto deliver = [&] { event(frame); };
  if (!Rehearse(run, deliver, holds, what)) return;
  const long pixels = frame.Frame(form);
  for (auto _ : run) {
    event(frame);
    const auto start = std::chrono::steady_clock::now();
    frame.Frame(form);
    run.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  if (pixels > 0) run.counters["pixels"] = static_cast<double>(pixels);
  run.counters["scale"] = frame.Scale();
}

template <typename Frame>
void MeasureEventFrame(benchmark::State& run, const BenchEvent& event) {
  BenchForm bench;
  event.setUp(bench);
  MeasureFrame<Frame>(
      run, bench.form, [&](Frame&) { event.deliver(bench); }, [&] { return event.holds(bench.form); }, event.failure);
}

template <typename Frame>
void BM_KeyHitFrame(benchmark::State& run) {
  MeasureEventFrame<Frame>(run, bench::kKeyHit);
}

template <typename Frame>
void BM_DescentMoveFrame(benchmark::State& run) {
  MeasureEventFrame<Frame>(run, bench::kDescentMove);
}

// The title's 5 ms tick: the most frequent frame of all.
template <typename Frame>
void BM_TitleTickFrame(benchmark::State& run) {
  MeasureEventFrame<Frame>(run, bench::kTitleTick);
}

// The whole client area, as after an expose.
template <typename Frame>
void BM_FullRepaintFrame(benchmark::State& run) {
  BenchForm bench;
  bench.StartPlay();
  Mform& form = bench.form;
  MeasureFrame<Frame>(
      run, form, [&](Frame& frame) { frame.Invalidate(form); }, [] { return true; }, "");
}

BENCHMARK_TEMPLATE(BM_KeyHitFrame, Composed)->UseManualTime();
BENCHMARK_TEMPLATE(BM_DescentMoveFrame, Composed)->UseManualTime();
BENCHMARK_TEMPLATE(BM_TitleTickFrame, Composed)->UseManualTime();
BENCHMARK_TEMPLATE(BM_FullRepaintFrame, Composed)->UseManualTime();
BENCHMARK_TEMPLATE(BM_KeyHitFrame, Scaled<2>)->UseManualTime();
BENCHMARK_TEMPLATE(BM_DescentMoveFrame, Scaled<2>)->UseManualTime();
BENCHMARK_TEMPLATE(BM_TitleTickFrame, Scaled<2>)->UseManualTime();
BENCHMARK_TEMPLATE(BM_FullRepaintFrame, Scaled<2>)->UseManualTime();
BENCHMARK_TEMPLATE(BM_KeyHitFrame, Scaled<3>)->UseManualTime();
BENCHMARK_TEMPLATE(BM_DescentMoveFrame, Scaled<3>)->UseManualTime();
BENCHMARK_TEMPLATE(BM_TitleTickFrame, Scaled<3>)->UseManualTime();
BENCHMARK_TEMPLATE(BM_FullRepaintFrame, Scaled<3>)->UseManualTime();
BENCHMARK_TEMPLATE(BM_KeyHitFrame, Presented)->UseManualTime();
BENCHMARK_TEMPLATE(BM_DescentMoveFrame, Presented)->UseManualTime();
BENCHMARK_TEMPLATE(BM_TitleTickFrame, Presented)->UseManualTime();
BENCHMARK_TEMPLATE(BM_FullRepaintFrame, Presented)->UseManualTime();

}  // namespace
}  // namespace zelvane

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "frame_bench: no window system: %s\n", SDL_GetError());
    return 1;
  }
  benchmark::AddCustomContext("video driver", SDL_GetCurrentVideoDriver());
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  SDL_Quit();
  return 0;
}
