#!/usr/bin/env bash
# Drags both volume gauges of the Options screen to the left with the mouse held down, leaves by
# "Back", and finds the new positions in Settings.ini (both start full, at 80); then leaves with
# "Exit". The sound is written to a file: the main menu's tune is heard at the stored music volume,
# loud with MVolume=80 stored, and near silent (-35 dB) with 0 in a second run.
#
#   options_volume.sh <program>
set -euo pipefail
source "$(dirname "$0")/lib.sh"

# The outlines over the gauges, 80 pixels wide, start one pixel right of the gauges: the music gauge
# at (282, 305), the effects gauge at (282, 385). A mouse x inside an outline is the new position.
readonly music_left=283 music_y=309 effects_left=283 effects_y=389

e2e_audio=disk
stored_volume=80
# Without effects, only the tune is heard.
e2e_before_start() {
  printf '[Options]\r\nPlaySE=0\r\nMVolume=%s\r\n' "$stored_volume" >"$work/Settings.ini"
}
# The loudness the main menu's tune is heard at, from a second and a half once it has settled.
menu_tune_level() {
  sleep 0.5
  sound_level 1.5
}
e2e_start "$1" options-volume
skip_film
loud=$(menu_tune_level)
((loud >= 30)) || fail "the main menu's tune with MVolume=80 stored is heard at $loud/1000, not loud"

click_at 280 380  # "Options"
wait_for 15 panel_is_not "$main_menu" || fail "the Options screen did not show"

# Presses at `from`, moves in steps to `to` and releases there, all on the row `y`.
drag() {
  local from=$1 to=$2 y=$3 x
  xdotool mousemove "$from" "$y" mousedown 1
  for ((x = from; x != to; x += (to > from ? 5 : -5))); do
    xdotool mousemove "$x" "$y"
    sleep 0.05
  done
  xdotool mousemove "$to" "$y"
  sleep 0.15
  xdotool mouseup 1
}
drag $((music_left + 70)) $((music_left + 30)) $music_y
drag $((effects_left + 60)) $((effects_left + 20)) $effects_y

# Right of a shortened bar the gauge's middle row is black again: `bar_ends_before x width y` checks
# the row y from a few pixels after x to a few before the gauge's outline.
bar_ends_before() { (($(count_pixels "$(($2 - 5))x1+$(($1 + 5))+$3" 'r + g + b > 60') == 0)); }
gauges_dragged() {
  bar_ends_before $((music_left + 30)) 40 $music_y && bar_ends_before $((effects_left + 20)) 50 $effects_y
}
wait_for 10 gauges_dragged || fail "the gauges' bars did not follow the drags"

click_at 280 450  # "Back"
wait_for 15 panel_is "$main_menu" || fail "Back did not return to the main menu"
setting() { sed -n "s/^$1=\([0-9]*\)\r\?$/\1/p" "$work/Settings.ini"; }
music=$(setting MVolume)
effects=$(setting SEVolume)
((music >= 29 && music <= 31)) || fail "Settings.ini holds MVolume \"$music\", not about 30"
((effects >= 19 && effects <= 21)) || fail "Settings.ini holds SEVolume \"$effects\", not about 20"

e2e_exit

rm -rf "$work"
stored_volume=0
e2e_start "$1" options-volume-stored
skip_film
quiet=$(menu_tune_level)
((quiet < 10)) || fail "the main menu's tune with MVolume=0 stored is heard at $quiet/1000, not near silent"
e2e_exit
echo "volumes dragged and saved; the menu tune heard at $loud/1000 with 80 stored, $quiet/1000 with 0"
