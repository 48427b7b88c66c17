#!/usr/bin/env bash
# Plays the real program on the X display in $DISPLAY (640 x 480, where the game fills the screen at
# scale 1): skips the film with a click, checks the main menu, opens Options and goes back (which
# writes Settings.ini), starts a Standard game, pauses it with Esc, aborts to the main menu and leaves
# with "Exit". Each step waits for the screen to show the expected state rather than sleeping.
#
#   play_through.sh <program> [folder for screenshots]
set -euo pipefail

program=$1
shots=${2:-}
if [[ -z ${DISPLAY:-} ]]; then
  echo "DISPLAY is not set: skipped"
  exit 77
fi

# The program runs from a copy, so its Settings.ini and best times stay out of the build folder.
work=$(mktemp -d)
pid=
cleanup() {
  if [[ -n $pid ]] && kill -0 "$pid" 2>/dev/null; then kill "$pid"; fi
  rm -rf "$work"
}
trap cleanup EXIT
cp "$program" "$work/"
cp -r "$(dirname "$program")/Music" "$(dirname "$program")/Graphics" "$work/"

fail() {
  echo "FAIL: $*" >&2
  if [[ -f $work/screen.png ]]; then cp "$work/screen.png" "${TMPDIR:-/tmp}/jizdavo-e2e-failure.png"; fi
  exit 1
}

# The menu panel of the 640 x 480 frame, and its captions' colour (177, 187, 174) after the trip
# through 5-6-5 pixels.
readonly panel=176x260+232+220

screen() { import -window root "$work/screen.png" 2>/dev/null; }

# Pixels of `region` in the captions' colour, one "x,y" a line.
caption_pixels() {
  convert "$work/screen.png" -crop "$1" +repage txt:- |
    awk -F'[(),]' 'NR > 1 && $3 >= 168 && $3 <= 184 && $4 >= 178 && $4 <= 195 && $5 >= 164 && $5 <= 182 {
      print $1 "," $2 }'
}
caption_count() { caption_pixels "$1" | wc -l; }
# What the panel shows, as a fingerprint of its caption pixels.
panel_print() { caption_pixels "$panel" | md5sum | cut -d' ' -f1; }

# Runs the check `$2..` on fresh screenshots until it holds, for up to $1 seconds.
wait_for() {
  local seconds=$1
  shift
  local end=$((SECONDS + seconds))
  while ((SECONDS < end)); do
    screen
    if "$@"; then return 0; fi
    sleep 0.3
  done
  return 1
}

menu_shown() { (($(caption_count "$panel") > 300)); }
panel_is() { menu_shown && [[ $(panel_print) == "$1" ]]; }
panel_is_not() { menu_shown && [[ $(panel_print) != "$1" ]]; }
# The play field: no menu captions, and a road that is far from black.
game_shown() {
  (($(caption_count "$panel") < 20)) &&
    (($(convert "$work/screen.png" -colorspace gray -format '%[fx:int(mean*1000)]' info:) > 100))
}

# A press long enough for the game's polling to see it.
click_at() {
  xdotool mousemove "$1" "$2"
  xdotool mousedown 1
  sleep 0.15
  xdotool mouseup 1
}
press_key() {
  xdotool keydown "$1"
  sleep 0.15
  xdotool keyup "$1"
}
save_shot() { if [[ -n $shots ]]; then cp "$work/screen.png" "$shots/$1"; fi; }

SDL_AUDIODRIVER=dummy "$work/jizdavo" &
pid=$!

# The film: a click anywhere skips it; clicks go to a black corner with no menu item.
skipped() {
  if menu_shown; then return 0; fi
  click_at 20 470
  return 1
}
wait_for 60 skipped || fail "the main menu did not show after the film"
main_menu=$(panel_print)
save_shot screenshot-main-menu.png

click_at 280 380  # "Options"
wait_for 15 panel_is_not "$main_menu" || fail "the Options screen did not show"
save_shot screenshot-options.png
click_at 280 450  # "Back"
wait_for 15 panel_is "$main_menu" || fail "Back did not return to the main menu"
grep -q '^\[Options\]' "$work/Settings.ini" || fail "Back wrote no Settings.ini"
grep -q '^PlayMusic=' "$work/Settings.ini" || fail "Settings.ini holds no PlayMusic"

click_at 305 270  # "Standard"
wait_for 15 panel_is_not "$main_menu" || fail "the Standard game screen did not show"
click_at 280 363  # "Start"
wait_for 30 game_shown || fail "the game did not start"
sleep 1
screen
save_shot screenshot-game.png

# Esc pauses once the countdown is over.
paused() {
  if menu_shown; then return 0; fi
  press_key Escape
  return 1
}
wait_for 30 paused || fail "Esc did not pause the game"
click_at 290 275  # "Abort game"
wait_for 15 panel_is "$main_menu" || fail "Abort game did not return to the main menu"

click_at 275 440  # "Exit"
end=$((SECONDS + 15))
while kill -0 "$pid" 2>/dev/null && ((SECONDS < end)); do sleep 0.2; done
kill -0 "$pid" 2>/dev/null && fail "Exit did not end the program"
status=0
wait "$pid" || status=$?
pid=
((status == 0)) || fail "the program ended with exit code $status"
echo "play-through passed"
