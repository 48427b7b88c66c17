#!/usr/bin/env bash
# CPU time and peak memory of the real program while a game is played, beside the floor of showing
# a game at all. Starts its own X server (640 x 480 x 24), runs the program from a scratch copy with
# its Music and Graphics, skips the film with a click, starts a Standard game and plays it for 20
# seconds with keys held and released (walk down, then left and right). The CPU time (utime + stime of
# /proc/<pid>/stat) over exactly that window, as a percentage of one core, and the frames presented
# per second (counted by bench/present_count.c: the median second, and the average) are printed.
# Then the bare present loop (bench/present_floor.c: a 640 x 480 RGB 5-6-5 frame shown at 60 Hz as
# the game shows its frames) runs on the same display for the same time, and the ratio of the two CPU
# figures comes last:
#
#   bench/cpu-while-playing.sh [program]      (default: build/jizdavo)
#   ...
#   peak_memory_mb: N
#   fps: N            (the median of the one-second counts)
#   fps_average: N
#   cpu_percent: N
#   floor_fps: N
#   floor_cpu_percent: N
#   cpu_ratio: N
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "${1:-$here/../build/jizdavo}")
readonly play_seconds=20

# A display number nobody uses.
display=
for n in $(seq 80 99); do
  if [[ ! -e /tmp/.X$n-lock && ! -e /tmp/.X11-unix/X$n ]]; then
    display=:$n
    break
  fi
done
[[ -n $display ]] || { echo "no free X display number" >&2; exit 1; }
Xvfb "$display" -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# shellcheck source=../tests/e2e/lib.sh
source "$here/../tests/e2e/lib.sh"
tools=$(mktemp -d)
trap 'e2e_cleanup; kill "$xvfb" 2>/dev/null || true; rm -rf "$tools"' EXIT
cc -O2 -shared -fPIC "$here/present_count.c" -o "$tools/present_count.so" -ldl
# shellcheck disable=SC2046  # sdl2-config's flags are meant to split
cc -O2 "$here/present_floor.c" -o "$tools/present_floor" $(sdl2-config --cflags --libs)
presents_file=$tools/presents
presents() { od -An -tu8 -N8 "$presents_file" | tr -d ' '; }

# utime + stime of the program, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
# The game's walking keys held in turn: down for a second, then left and right for two each.
walk() {
  local end=$((SECONDS + play_seconds))
  while ((SECONDS < end)); do
    for key in Down Left Right; do
      xdotool keydown "$key"
      if [[ $key == Down ]]; then sleep 1; else sleep 2; fi
      xdotool keyup "$key"
      ((SECONDS < end)) || break
    done
  done
}

JIZDAVO_PRESENT_COUNT=$presents_file LD_PRELOAD=$tools/present_count.so e2e_start "$program" cpu-while-playing
skip_film
click_at 305 270  # "Standard"
wait_for 15 panel_is_not "$main_menu" || fail "the Standard game screen did not show"
click_at 280 363  # "Start"
wait_for 30 game_shown || fail "the game did not start"

ticks_start=$(cpu_ticks)
presents_start=$(presents)
time_start=$(date +%s.%N)
walk &
walker=$!
# The presents counted each second, for the rate while frames run: the crash's one-second music fade
# shows no frames and would pull a plain average under 60.
per_second=()
last=$presents_start
for _ in $(seq "$play_seconds"); do
  sleep 1
  now=$(presents)
  per_second+=($((now - last)))
  last=$now
done
ticks_end=$(cpu_ticks)
presents_end=$(presents)
time_end=$(date +%s.%N)
wait "$walker" 2>/dev/null || true
peak_kb=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")

# Leave through the menus: Esc pauses (or the game is over and the menu shows), "Abort game", "Exit".
if wait_for 30 paused_by_escape; then
  click_at 290 275  # "Abort game"
  if wait_for 15 panel_is "$main_menu"; then e2e_exit; fi
fi

ticks=$((ticks_end - ticks_start))
hz=$(getconf CLK_TCK)
awk -v a="$time_start" -v b="$time_end" 'BEGIN { printf "play_seconds: %.2f\n", b - a }'
awk -v t="$ticks" -v hz="$hz" 'BEGIN { printf "cpu_seconds: %.2f\n", t / hz }'
awk -v kb="$peak_kb" 'BEGIN { printf "peak_memory_mb: %.1f\n", kb / 1024 }'
printf '%s\n' "${per_second[@]}" | sort -n | awk '{ n[NR] = $1 } END { printf "fps: %d\n", n[int((NR + 1) / 2)] }'
awk -v n="$((presents_end - presents_start))" -v a="$time_start" -v b="$time_end" \
  'BEGIN { printf "fps_average: %.1f\n", n / (b - a) }'
cpu_percent=$(awk -v t="$ticks" -v hz="$hz" -v a="$time_start" -v b="$time_end" \
  'BEGIN { printf "%.1f", 100 * t / hz / (b - a) }')
echo "cpu_percent: $cpu_percent"

# The floor on the same display, once the game has gone.
if [[ -n $pid ]]; then
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=
fi
floor=$("$tools/present_floor" software "$play_seconds")
floor_fps=$(awk '/^fps:/ { print $2 }' <<<"$floor")
floor_cpu=$(awk '/^cpu_percent:/ { print $2 }' <<<"$floor")
echo "floor_fps: $floor_fps"
echo "floor_cpu_percent: $floor_cpu"
awk -v a="$cpu_percent" -v b="$floor_cpu" 'BEGIN { printf "cpu_ratio: %.2f\n", (b > 0 ? a / b : 0) }'
