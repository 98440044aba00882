#!/usr/bin/env bash
# Measures the real game in its window under an Xvfb of its own and prints
# `name: value` lines:
#   first_frame_ms      exec to the window showing its first frame, read back
#                       from the X server (bench/first_frame.cpp; 0.5 ms steps)
#   map_ms              exec to the window being mapped
#   rss_kb              VmRSS once the title sequence is over
#   idle_cpu_percent    processor use over 20 s in the waiting phase, in % of a core
#   idle_main_thread_cpu_percent  the part of it on the game's own thread
#   play_cpu_percent    the same over 20 s of play, xdotool typing 10 keys a second
#   play_xvfb_cpu_percent  what the X server spent meanwhile drawing the frames
#   play_keys_per_second   how fast xdotool really typed
#   bare_*              a bare SDL2 window (bench/bare_window.cpp) beside the
#                       game on the same display, for comparison
#   audio_*             the game again with SDL's dummy sound driver, which
#                       runs the audio thread as a real sound card would; this
#                       machine has none, so the game otherwise plays nothing.
#                       The nine cues are loaded just after the first frame:
#                       *_first_frame_ms
#   disk_audio_*        the same with SDL's disk driver, which writes what it
#                       plays to a file at a sound card's pace
#   *_first_cue_ms      from Play to the device taking the start cue, after 10 s
#                       of silence, in the game's own player (bench/cue_latency.cpp)
#   silent_audio_first_frame_ms  exec to first frame with a sound device that
#                       does not answer: SDL's disk driver on a named pipe nobody reads
# Processor time is the sum over the process's threads of /proc/PID/task/*/schedstat.
# Each run's lines come first (after a "# run N" comment), then the medians.
#
# Usage: bench/measure-window.sh [BUILD_DIR] [--runs N]
#   BUILD_DIR  a Release build with the benchmarks (default: build-perf)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-perf"
runs=3
while [[ $# -gt 0 ]]; do
  case "$1" in
    --runs) runs="$2"; shift 2 ;;
    *) build=$(cd "$1" && pwd); shift ;;
  esac
done
game="$build/src/platform/zelvane"
first_frame="$build/bench/first_frame"
bare_window="$build/bench/bare_window"
cue_latency="$build/bench/cue_latency"
for program in "$game" "$first_frame" "$bare_window" "$cue_latency"; do
  [[ -x "$program" ]] || { echo "measure-window: $program is missing; build $build first" >&2; exit 1; }
done
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "measure-window: $tool is missing (scripts/setup.sh test)" >&2; exit 1; }
done

# The game's frame shows this grey at (16, 16), the playfield's sunken edge; so does the bare window.
readonly probe=(16 16 808080)
readonly idle_seconds=20 play_seconds=20
# 127 title ticks of 5 ms, with room to spare.
readonly title_seconds=1.5
# Start's ready delay is 3 s.
readonly ready_seconds=3.5

scratch=$(mktemp -d)
started=()
cleanup() {
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

# Waits up to $2 seconds for the file $1 to hold a line starting with $3.
wait_for_line() {
  local deadline=$((SECONDS + $2))
  until grep -q "^$3" "$1" 2>/dev/null; do
    ((SECONDS < deadline)) || { echo "measure-window: no '$3' in $1" >&2; return 1; }
    sleep 0.01
  done
}

value_of() { awk -v key="$2:" '$1 == key { print $2 }' "$1"; }

# Nanoseconds on the processor so far, all threads of process $1 (or only thread $2).
cpu_ns() {
  local total=0 used
  for stat in /proc/"$1"/task/${2:-*}/schedstat; do
    { read -r used _ <"$stat"; } 2>/dev/null && total=$((total + used))
  done
  echo "$total"
}

# Percent of one core between two cpu_ns readings over $3 seconds.
percent() { awk -v a="$1" -v b="$2" -v s="$3" 'BEGIN { printf "%.3f", (b - a) / (s * 1e7) }'; }

# Starts the command $2... under `first_frame` in directory $1, its output in
# $1.out, and returns once its first frame is on screen, with its pid in $launched.
launched=
launch() {
  local directory=$1
  shift
  (cd "$directory" && exec "$first_frame" "${probe[@]}" "$@") >"$directory.out" 2>"$directory.err" &
  started+=($!)
  wait_for_line "$directory.out" 15 first_frame_ms
  launched=$(value_of "$directory.out" pid)
  started+=("$launched")
}

# The colour inside the Start button's place, face grey while it waits there.
start_button_pixel() { import -window "$1" -crop 1x1+405+20 -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}'; }

rss_kb() { awk '$1 == "VmRSS:" { print $2 }' "/proc/$1/status"; }

# The game waiting with the sound driver $3, in directory $1, its figures named
# $2_*; meanwhile the player alone times the first cue after a silence.
audio_run() {
  local dir=$1 name=$2 driver=$3 pid game0 game1 latency
  mkdir -p "$dir"
  cp "$root"/assets/sounds/*.wav "$dir/"
  launch "$dir" env SDL_AUDIODRIVER="$driver" SDL_DISKAUDIOFILE="$dir/played.raw" "$game"
  pid=$launched
  echo "${name}_first_frame_ms: $(value_of "$dir.out" first_frame_ms)"
  sleep "$title_seconds"
  echo "${name}_rss_kb: $(rss_kb "$pid")"
  (cd "$dir" && SDL_AUDIODRIVER="$driver" SDL_DISKAUDIOFILE="$dir/cue.raw" exec "$cue_latency" 10) \
    >"$dir.latency" 2>/dev/null &
  latency=$!
  started+=("$latency")
  game0=$(cpu_ns "$pid")
  sleep "$idle_seconds"
  game1=$(cpu_ns "$pid")
  echo "${name}_idle_cpu_percent: $(percent "$game0" "$game1" "$idle_seconds")"
  kill "$pid"
  wait "$latency" || { echo "measure-window: cue_latency failed with $driver" >&2; return 1; }
  echo "${name}_first_cue_ms: $(value_of "$dir.latency" first_cue_ms)"
  echo "${name}_rested_in_silence: $(value_of "$dir.latency" rested_in_silence)"
  if [[ $driver == disk ]]; then
    echo "${name}_cue_at_first_sample: $(value_of "$dir.latency" cue_at_first_sample)"
  fi
}

# The game with a sound device that never answers, in directory $1.
silent_audio_run() {
  local dir=$1
  mkdir -p "$dir"
  cp "$root"/assets/sounds/*.wav "$dir/"
  mkfifo "$dir/played.raw"
  launch "$dir" env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$dir/played.raw" "$game"
  echo "silent_audio_first_frame_ms: $(value_of "$dir.out" first_frame_ms)"
  kill "$launched"
}

one_run() {
  local run=$1
  local dir="$scratch/run$run"
  mkdir -p "$dir/game" "$dir/bare"
  cp "$root"/assets/sounds/*.wav "$dir/game/"

  Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$dir/display" 2>/dev/null &
  local xvfb=$!
  started+=("$xvfb")
  wait_for_line "$dir/display" 10 '[0-9]'
  DISPLAY=":$(head -n1 "$dir/display")"
  export DISPLAY

  local game_pid bare_pid
  launch "$dir/game" "$game"
  game_pid=$launched
  echo "first_frame_ms: $(value_of "$dir/game.out" first_frame_ms)"
  echo "map_ms: $(value_of "$dir/game.out" map_ms)"
  sleep "$title_seconds"
  echo "rss_kb: $(rss_kb "$game_pid")"

  launch "$dir/bare" "$bare_window"
  bare_pid=$launched
  echo "bare_first_frame_ms: $(value_of "$dir/bare.out" first_frame_ms)"
  sleep 0.5
  echo "bare_rss_kb: $(rss_kb "$bare_pid")"

  local game0 main0 bare0 game1 main1 bare1
  game0=$(cpu_ns "$game_pid") main0=$(cpu_ns "$game_pid" "$game_pid") bare0=$(cpu_ns "$bare_pid")
  sleep "$idle_seconds"
  game1=$(cpu_ns "$game_pid") main1=$(cpu_ns "$game_pid" "$game_pid") bare1=$(cpu_ns "$bare_pid")
  echo "idle_cpu_percent: $(percent "$game0" "$game1" "$idle_seconds")"
  echo "idle_main_thread_cpu_percent: $(percent "$main0" "$main1" "$idle_seconds")"
  echo "bare_idle_cpu_percent: $(percent "$bare0" "$bare1" "$idle_seconds")"
  # The bare window lies over the game and would take the keys.
  kill "$bare_pid"
  sleep 0.2

  # The keyboard went with the bare window: give it back to the game. Enter presses Start.
  local window
  window=$(xdotool search --onlyvisible --name '^Zelvane$' | head -n1)
  xdotool windowfocus --sync "$window" key Return
  sleep "$ready_seconds"
  if [[ "$(start_button_pixel "$window")" == "#C0C0C0" ]]; then
    echo "measure-window: Start did not start the game" >&2
    return 1
  fi
  local letters=({a..z}) keys=() xvfb0 xvfb1 typing_began typist
  for ((i = 0; i < 10 * play_seconds; ++i)); do keys+=("${letters[i % 26]}"); done
  typing_began=$(date +%s.%N)
  xdotool key --delay 100 "${keys[@]}" &
  typist=$!
  started+=("$typist")
  game0=$(cpu_ns "$game_pid") xvfb0=$(cpu_ns "$xvfb")
  sleep "$play_seconds"
  game1=$(cpu_ns "$game_pid") xvfb1=$(cpu_ns "$xvfb")
  wait "$typist" || true
  echo "play_cpu_percent: $(percent "$game0" "$game1" "$play_seconds")"
  echo "play_xvfb_cpu_percent: $(percent "$xvfb0" "$xvfb1" "$play_seconds")"
  echo "play_keys_per_second: $(awk -v n="${#keys[@]}" -v t0="$typing_began" -v t1="$(date +%s.%N)" \
    'BEGIN { printf "%.1f", n / (t1 - t0) }')"
  kill "$game_pid"

  audio_run "$dir/audio" audio dummy
  audio_run "$dir/disk" disk_audio disk
  silent_audio_run "$dir/silent"
  kill "$xvfb"
  wait 2>/dev/null || true
  started=()
}

for ((run = 1; run <= runs; ++run)); do
  echo "# run $run"
  one_run "$run" >"$scratch/run$run.txt"
  tee -a "$scratch/all" <"$scratch/run$run.txt"
done
echo "# median of $runs runs"
awk -F': ' '
  !($1 in count) { order[++names] = $1 }
  { values[$1, ++count[$1]] = $2 }
  END {
    for (n = 1; n <= names; ++n) {
      name = order[n]; k = count[name]
      for (i = 1; i <= k; ++i) sorted[i] = values[name, i] + 0
      for (i = 2; i <= k; ++i) for (j = i; j > 1 && sorted[j - 1] > sorted[j]; --j) {
        t = sorted[j]; sorted[j] = sorted[j - 1]; sorted[j - 1] = t
      }
      median = k % 2 ? sorted[(k + 1) / 2] : (sorted[k / 2] + sorted[k / 2 + 1]) / 2
      print name ": " median
    }
  }' "$scratch/all"
