#!/usr/bin/env bash
# The program's life in its window: without a display it says so and ends with code 1 at once; with
# OpenGL unusable (indirect rendering) it still reaches the main menu; after another window took the
# focus, a click gives it back and the game goes on; SIGTERM during the film and SIGINT during a game
# end it within a second with exit code 0, its stored files as they were.
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

export LIBGL_ALWAYS_INDIRECT=1
e2e_start "$1" window-life
skip_film
unset LIBGL_ALWAYS_INDIRECT

# Another window takes the focus and goes away; nobody gives it back but the player's click.
thief=
cleanup() {
  if [[ -n $thief ]]; then kill "$thief" 2>/dev/null || true; fi
  e2e_cleanup
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
echo "window life passed"
