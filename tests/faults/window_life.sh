#!/usr/bin/env bash
# The program's life in its window: without a display it says so and ends with code 1 at once; with
# OpenGL unusable (indirect rendering) it still reaches the main menu; after another window took the
# focus, a click gives it back and the game goes on; SIGTERM at any moment of the start, during the
# film and SIGINT during a game end it within a second with exit code 0, its stored files as they were. On screens of its own with
# no window manager: full screen on 1920 x 1080 shows the menu doubled over the whole screen, and
# `--windowed --scale 2` on 1366 x 768 opens a window wholly on the screen (at scale 1), remembered so.
#
#   window_life.sh <program>
set -euo pipefail
source "$(dirname "$0")/../e2e/lib.sh"
source "$(dirname "$0")/scenario.sh"

# No display at all, and one that does not answer: a message on stderr and exit code 1 within 2 s.
log=$(mktemp)
for display in none :59999; do
  start=$(now_ms)
  status=0
  if [[ $display == none ]]; then
    env -u DISPLAY timeout 10 "$1" >"$log" 2>&1 || status=$?
  else
    DISPLAY=$display timeout 10 "$1" >"$log" 2>&1 || status=$?
  fi
  took=$(($(now_ms) - start))
  ((status == 1)) || fail "with display $display the exit code was $status"
  ((took <= 2000)) || fail "with display $display the program took $took ms to end"
  grep -q 'Video cannot start' "$log" || fail "with display $display nothing was said: $(cat "$log")"
  echo "display $display: exit code 1 after $took ms: $(grep 'Video cannot start' "$log")"
done
rm -f "$log"

e2e_before_start() {
  printf '[Options]\r\nMVolume=40\r\n' >"$work/Settings.ini"
  printf '\xcd' >"$work/Levels.dat"  # level 2, complemented
  (cd "$work" && md5sum Settings.ini Levels.dat) >"$work/stored.md5"  # checked by end_by_signal
}

film_shown() { ! menu_shown && (($(brightness) > 30)); }
e2e_start "$1" window-life-film
wait_for 30 film_shown || fail "the film did not show"
end_by_signal TERM "the film"
e2e_cleanup

# SIGTERM at ten random moments of the first second, whatever step of its start the program is at:
# each ends it within a second, exit code 0, the stored files as they were. A moment at which the
# program has not yet set its handler (its status shows) came before its first instruction (a busy
# machine may take 100 ms and more to load its libraries), and is drawn again, up to five times.
sigterm_caught() { ((0x$(awk '/^SigCgt:/ { print $2 }' "/proc/$pid/status") & 0x4000)); }
for attempt in {1..10}; do
  for draw in 1 2 3 4 5; do
    e2e_start "$1" window-life-start
    moment=$((30 + RANDOM % 970))
    sleep "$((moment / 1000)).$(printf '%03d' $((moment % 1000)))"
    if sigterm_caught; then break; fi
    e2e_cleanup
  done
  end_by_signal TERM "the start, at $moment ms"
  e2e_cleanup
done

export LIBGL_ALWAYS_INDIRECT=1
e2e_start "$1" window-life
skip_film
unset LIBGL_ALWAYS_INDIRECT

# Another window takes the focus and goes away; nobody gives it back but the player's click.
thief=
screen_pid=
cleanup() {
  if [[ -n $thief ]]; then kill "$thief" 2>/dev/null || true; fi
  e2e_cleanup
  if [[ -n $screen_pid ]]; then kill "$screen_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT
convert -size 40x40 xc:red "$work/thief.png"
display -geometry +0+0 -title thief "$work/thief.png" &
thief=$!
thief_window() { thief_id=$(xdotool search --name '^thief$' 2>/dev/null | head -n 1) && [[ -n $thief_id ]]; }
for _ in {1..50}; do thief_window && break; sleep 0.2; done
[[ -n ${thief_id:-} ]] || fail "the other window did not open"
xdotool windowfocus --sync "$thief_id"
[[ $(xdotool getwindowfocus getwindowname) == thief ]] || fail "the other window did not take the focus"
kill "$thief"
wait "$thief" 2>/dev/null || true
thief=
game_has_focus() { [[ $(xdotool getwindowfocus getwindowname 2>/dev/null) == "Jizdavo v0.9" ]]; }
game_has_focus && fail "the game had the focus before it was clicked"
# "Standard"
click_until 305 270 panel_is_not "$main_menu" || fail "a click on the game without the focus did nothing"
wait_for 5 game_has_focus || fail "the click did not give the game the focus"
# "Start"
click_until 280 363 game_shown || fail "the game did not start"
end_by_signal INT "a game"

# A virtual screen of its own, `$1` (W x H) pixels, with no window manager: DISPLAY names it.
own_screen() {
  if [[ -n $screen_pid ]]; then kill "$screen_pid" 2>/dev/null || true; fi
  local display_file
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
  screen_pid=$!
  for _ in {1..100}; do [[ -s $display_file ]] && break; sleep 0.1; done
  export DISPLAY=:$(head -n 1 "$display_file")
  rm -f "$display_file"
  for _ in {1..50}; do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
}
# Clicks the black corner at ($1, $2) until the menu panel at frame pixels' place $3 shows.
skip_film_to() {
  local x=$1 y=$2 region=$3
  shown() { (($(caption_count "$region") > 300)); }
  skipped() { shown && return 0; click_at "$x" "$y"; return 1; }
  wait_for 60 skipped || fail "the main menu did not show in $region"
}
exit_at() {
  click_at "$1" "$2"
  e2e_wait_end 15 || fail "Exit did not end the program"
  wait "$pid" || fail "the program ended with exit code $?"
  pid=
}

# Full screen on 1920 x 1080: the frame doubled in the middle, its menu panel at (784, 500) and four
# times the captions' pixels.
own_screen 1920x1080
e2e_start "$1" window-life-full-hd
skip_film_to 20 1060 352x520+784+500
(($(caption_count 352x520+784+500) > 1200)) || fail "the main menu is not shown doubled on 1920 x 1080"
echo "1920 x 1080, full screen, no window manager: the main menu fills the screen doubled"
exit_at $((320 + 2 * 275)) $((60 + 2 * 440))  # "Exit"
e2e_cleanup

# A window of scale 2 does not fit 1366 x 768: it opens at scale 1, centred, and is remembered so.
own_screen 1366x768
e2e_start "$1" window-life-small --windowed --scale 2
for _ in {1..100}; do
  window_id=$(xdotool search --name '^Jizdavo v0.9$' 2>/dev/null | head -n 1) && [[ -n $window_id ]] && break
  sleep 0.2
done
[[ -n ${window_id:-} ]] || fail "no window on 1366 x 768"
read -r x y width height < <(xwininfo -id "$window_id" |
  awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
       /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }')
echo "1366 x 768, --windowed --scale 2: a window of $width x $height at ($x, $y)"
((x >= 0 && y >= 0 && x + width <= 1366 && y + height <= 768)) || fail "the window leaves the screen"
((width == 640 && height == 480)) || fail "the window is not at scale 1"
skip_film_to $((x + 20)) $((y + 470)) 176x260+$((x + 232))+$((y + 220))
exit_at $((x + 275)) $((y + 440))
grep -q '^Scale=1' "$work/Settings.ini" || fail "the scale kept is not 1: $(cat "$work/Settings.ini")"
echo "window life passed"
