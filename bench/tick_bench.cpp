// How punctually the real event loop delivers the game's timer ticks on the
// real clock: the title sequence's 5 ms steps (a fresh game loaded each run),
// then play with the descent at its fastest 100 ms, the 200 ms warning blink
// and ten key presses a second, each frame presented on a real window. Prints
// `name: value` lines: how late ticks arrive after their due time (median and
// 99th percentile) and how far the descent's mean period strays from 100 ms.
// Run it under an X server (xvfb-run); SDL's dummy driver polls instead of
// sleeping and so measures something else.
//
// Usage: zelvane_tick_bench [--title-runs=N] [--play-seconds=S]
#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "game/mform.h"
#include "platform/game_window.h"
#include "screen/atlas.h"
#include "support/form_fixture.h"

namespace zelvane {
namespace {

constexpr std::int32_t kFastestDescent = 100;
constexpr auto kKeyEvery = std::chrono::milliseconds(100);
constexpr int kLettersInTheAlphabet = 26;
// Keeps the pile one wave short of the game's end, so play goes on.
constexpr std::int16_t kPileKept = 9;

constexpr std::int64_t kNsPerMs = 1000000;
constexpr std::int64_t kNsPerS = 1000000000;

// Two counter readings this close bracket a turn-over of the millisecond clock.
constexpr std::int64_t kBracketNs = 2000;

std::int64_t CounterNs() { return static_cast<std::int64_t>(SDL_GetPerformanceCounter()); }

// SDL's millisecond clock, on which the game's timers run, and its
// high-resolution counter (here nanoseconds) read one clock from one start.
// Knowing that start, a tick's lateness is measured from the moment the game's
// clock first read its due time, finer than the game's own milliseconds.
class ClockMap {
 public:
  // Looks for the start a second at a time, three times at most: where the
  // start lies in its second can leave the clock rounding down for a mere
  // moment of each second (see MsAt), which a busy machine may miss.
  ClockMap() {
    for (int tries = 0; tries < 3 && !known_; ++tries) {
      Watch();
      known_ = Agrees();
    }
  }

  bool Known() const { return known_; }

  // Milliseconds since how long before `ns` the game's clock first read `ms`.
  double LateMs(std::int64_t ms, std::int64_t ns) const {
    std::int64_t early = start_ + (ms - 1) * kNsPerMs - 10000;
    std::int64_t first = start_ + ms * kNsPerMs + 10000;
    while (first - early > 1) {
      const std::int64_t middle = early + (first - early) / 2;
      if (MsAt(middle) >= ms) {
        first = middle;
      } else {
        early = middle;
      }
    }
    return static_cast<double>(ns - first) / kNsPerMs;
  }

 private:
  // Watches the millisecond clock turn over for a second. A turn-over to k
  // caught between two close counter readings puts the start at or before the
  // reading less k ms; the latest such bound is the start, give or take two
  // microseconds, once a turn-over was caught while the clock rounds down.
  void Watch() {
    const std::int64_t until = CounterNs() + kNsPerS + 20 * kNsPerMs;
    std::int64_t last = GameWindow::Now();
    for (std::int64_t before = CounterNs(), now = before; now < until; before = now) {
      now = CounterNs();
      const std::int64_t ms = GameWindow::Now();
      if (ms == last) continue;
      last = ms;
      if (now - before < kBracketNs) start_ = std::max(start_, now - ms * kNsPerMs);
    }
  }

  // Whether MsAt agrees with the game's clock, within the start's two
  // microseconds, for a tenth of a second.
  bool Agrees() const {
    const std::int64_t until = CounterNs() + 100 * kNsPerMs;
    for (std::int64_t now = CounterNs(); now < until;) {
      const std::int64_t before = CounterNs();
      const std::int64_t ms = GameWindow::Now();
      now = CounterNs();
      if (now - before < kBracketNs && (ms < MsAt(before - kBracketNs) || ms > MsAt(now + kBracketNs))) return false;
    }
    return true;
  }

  // What SDL's clock reads at counter `ns`: it subtracts seconds and
  // nanoseconds apart and truncates the latter toward zero, so it reads the
  // elapsed milliseconds rounded down, or up while the nanoseconds of the
  // second are below the start's.
  std::int64_t MsAt(std::int64_t ns) const {
    return (ns / kNsPerS - start_ / kNsPerS) * 1000 + (ns % kNsPerS - start_ % kNsPerS) / kNsPerMs;
  }

  std::int64_t start_ = 0;
  bool known_ = false;
};

struct Series {
  std::vector<double> lateMs;
  std::vector<std::int64_t> arrivedNs;
};

double Percentile(std::vector<double> values, double share) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const auto rank = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
  return values[rank];
}

// The slope of the arrival times over the tick numbers (least squares), so
// that one late first or last tick does not pass for drift.
double MeanPeriodMs(const std::vector<std::int64_t>& arrivedNs) {
  const double n = static_cast<double>(arrivedNs.size());
  const auto msOf = [&](std::size_t i) { return static_cast<double>(arrivedNs[i] - arrivedNs.front()) / kNsPerMs; };
  double meanMs = 0;
  for (std::size_t i = 0; i < arrivedNs.size(); ++i) meanMs += msOf(i) / n;
  const double meanIndex = (n - 1) / 2;
  double covariance = 0;
  double variance = 0;
  for (std::size_t i = 0; i < arrivedNs.size(); ++i) {
    const double fromMean = static_cast<double>(i) - meanIndex;
    covariance += fromMean * (msOf(i) - meanMs);
    variance += fromMean * fromMean;
  }
  return covariance / variance;
}

class TickBench {
 public:
  explicit TickBench(GameWindow& window) : window_(window) {}

  bool ClockKnown() const { return clock_.Known(); }

  void TitleRun() {
    Mform form(Atlas(), cues_);
    LoadAndRunTheTitle(form);
  }

  // From the waiting phase: Start, the ready delay, then play at the fastest
  // descent with the warning blinking and keys pressed at a steady rate.
  void Play(double seconds) {
    Mform form(Atlas(), cues_);
    LoadAndRunTheTitle(form);
    form.DeliverClick(form.clock.now, 0);
    Loop(form, [&] { return form.GMtime.Enabled(); });
    form.GMtime.SetInterval(kFastestDescent);
    form.GMtime.Disable();
    form.GMtime.Enable();
    form.state.warnPhase = 1;
    form.ATtimer.Enable();

    std::atomic<bool> typing{true};
    std::thread typist([&] {
      const auto start = std::chrono::steady_clock::now();
      for (int i = 1; typing; ++i) {
        std::this_thread::sleep_until(start + i * kKeyEvery);
        SDL_Event key{};
        key.type = SDL_USEREVENT;
        key.user.code = i % kLettersInTheAlphabet;
        SDL_PushEvent(&key);
      }
    });
    const std::int64_t until = CounterNs() + static_cast<std::int64_t>(seconds * kNsPerS);
    Loop(form, [&] { return CounterNs() >= until || form.EndRequested(); });
    typing = false;
    typist.join();
  }

  void Report() const {
    std::vector<double> all;
    for (const auto& [name, series] : series_) {
      all.insert(all.end(), series.lateMs.begin(), series.lateMs.end());
      std::printf("%s_ticks: %zu\n", name.c_str(), series.lateMs.size());
      std::printf("%s_late_median_ms: %.3f\n", name.c_str(), Percentile(series.lateMs, 0.5));
      std::printf("%s_late_p99_ms: %.3f\n", name.c_str(), Percentile(series.lateMs, 0.99));
      std::printf("%s_late_max_ms: %.3f\n", name.c_str(), Percentile(series.lateMs, 1));
    }
    std::printf("all_ticks: %zu\n", all.size());
    std::printf("all_late_median_ms: %.3f\n", Percentile(all, 0.5));
    std::printf("all_late_p99_ms: %.3f\n", Percentile(all, 0.99));
    std::printf("keys_delivered: %d\n", keys_);
    if (const auto found = series_.find("descent"); found != series_.end() && found->second.arrivedNs.size() > 2) {
      const double period = MeanPeriodMs(found->second.arrivedNs);
      const double periods = static_cast<double>(found->second.arrivedNs.size() - 1);
      std::printf("descent_period_mean_ms: %.4f\n", period);
      // How far the ticks strayed from a steady 100 ms beat over the whole run.
      std::printf("descent_drift_ms: %.3f\n", (period - kFastestDescent) * periods);
    }
  }

 private:
  // As the game starts: load, show, and the title sequence up to the waiting phase.
  void LoadAndRunTheTitle(Mform& form) {
    form.DeliverLoad(GameWindow::Now());
    if (shown_) {
      window_.Repaint(form);
    } else {
      window_.Show(form);
      shown_ = true;
    }
    // The first tick is due five milliseconds after the form's creation on the
    // clock's zero, long past: it fires at once and says nothing about the loop.
    skipFirst_ = true;
    Loop(form, [&] { return !form.OPtimer.Enabled(); });
  }

  // The game's event loop, with every tick's lateness recorded as it is delivered.
  template <typename Done>
  void Loop(Mform& form, Done done) {
    while (!done()) {
      SDL_Event event;
      if (WaitForEventOrTick(form, event)) {
        do {
          Handle(form, event);
        } while (SDL_PollEvent(&event));
      }
      while (!form.EndRequested()) {
        const auto due = form.NextDue();
        if (!due) break;
        const char* name = NameOfTimerDue(form, *due);
        const std::int64_t arrived = CounterNs();
        if (!DeliverDueTickNow(form)) break;
        if (form.state.pileCount > kPileKept) form.state.pileCount = kPileKept;
        if (skipFirst_) {
          skipFirst_ = false;
          continue;
        }
        Series& series = series_[name];
        series.lateMs.push_back(clock_.LateMs(*due, arrived));
        series.arrivedNs.push_back(arrived);
      }
      window_.Present(form);
    }
  }

  void Handle(Mform& form, const SDL_Event& event) {
    if (event.type == SDL_USEREVENT) {
      form.DeliverKeyDown(GameWindow::Now(), static_cast<std::int16_t>(vk::LetterA + event.user.code), 0);
      ++keys_;
    } else if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED) {
      window_.Repaint(form);
    }
  }

  // The timer whose tick is due at `due`, first in the order the form delivers ties.
  static const char* NameOfTimerDue(const Mform& form, std::int64_t due) {
    const std::pair<const Timer*, const char*> timers[] = {
        {&form.OPtimer, "title"},   {&form.STtimer, "ready"}, {&form.GMtime, "descent"},     {&form.ATtimer, "warning"},
        {&form.GOtimer, "curtain"}, {&form.OVtimer, "hold"},  {&form.PointCtimer, "results"}};
    for (const auto& [timer, name] : timers) {
      if (timer->Enabled() && timer->Due() == due) return name;
    }
    return "other";
  }

  GameWindow& window_;
  SilentCuePlayer cues_;
  ClockMap clock_;
  std::map<std::string, Series> series_;
  bool shown_ = false;
  bool skipFirst_ = false;
  int keys_ = 0;
};

double Option(int argc, char** argv, const char* name, double fallback) {
  const std::size_t length = std::strlen(name);
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], name, length) == 0 && argv[i][length] == '=') return std::atof(argv[i] + length + 1);
  }
  return fallback;
}

}  // namespace
}  // namespace zelvane

int main(int argc, char** argv) {
  const int titleRuns = static_cast<int>(zelvane::Option(argc, argv, "--title-runs", 8));
  const double playSeconds = zelvane::Option(argc, argv, "--play-seconds", 20);
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "tick_bench: no window system: %s\n", SDL_GetError());
    return 1;
  }
  if (SDL_GetPerformanceFrequency() != zelvane::kNsPerS) {
    std::fprintf(stderr, "tick_bench: SDL's counter does not count nanoseconds\n");
    return 1;
  }
  std::printf("video_driver: %s\n", SDL_GetCurrentVideoDriver());
  int status = 1;
  {
    zelvane::testing::ScratchDirectory scratch;
    zelvane::GameWindow window;
    if (window) {
      zelvane::TickBench bench(window);
      if (bench.ClockKnown()) {
        for (int run = 0; run < titleRuns; ++run) bench.TitleRun();
        if (playSeconds > 0) bench.Play(playSeconds);
        bench.Report();
        status = 0;
      } else {
        std::fprintf(stderr, "tick_bench: could not find the start of SDL's clock; run again\n");
      }
    } else {
      std::fprintf(stderr, "tick_bench: cannot open the window: %s\n", SDL_GetError());
    }
  }
  SDL_Quit();
  return status;
}
