#!/usr/bin/env bash
# Starts a Car chase from the main menu, checks its play field, pauses it with one tap of Esc shorter
# than a frame, checks the pause panel and aborts to the main menu; starts another and walks into the
# traffic until the game is lost, skips the end with Enter and restarts with a second Enter, then
# pauses, aborts and leaves with "Exit".
#
#   chase_pause.sh <program>
set -euo pipefail
source "$(dirname "$0")/lib.sh"

# The "Cars killed: n/m" item of the status line, written in black on its grey strip in a Car chase
# only.
readonly cars_killed=110x14+218+463
# The pause panel's three items, and the rows below it where the main menu would go on.
readonly pause_items=176x111+232+220
readonly below_pause=176x140+232+335

e2e_start "$1" chase-pause
skip_film

click_at 305 290  # "Car chase"
wait_for 15 panel_is_not "$main_menu" || fail "the Car chase game screen did not show"
click_at 280 370  # "Start"

dark_count() { count_pixels "$1" 'r < 60 && g < 60 && b < 60'; }
chase_shown() { game_shown && (($(dark_count "$cars_killed") > 40)); }
wait_for 30 chase_shown || fail "no Car chase play field with its \"Cars killed\" count"

# One 10 ms tap of Esc, once the countdown ("3", "2", "1", "GO") is over: no frame may miss it.
sleep 5
xdotool keydown Escape
sleep 0.01
xdotool keyup Escape
wait_for 5 menu_shown || fail "a 10 ms tap of Esc did not pause the game"
(($(caption_count "$pause_items") > 300)) || fail "the pause panel shows no items"
(($(caption_count "$below_pause") == 0)) || fail "the pause panel shows more than its three items"
click_at 290 275  # "Abort game"
wait_for 15 panel_is "$main_menu" || fail "Abort game did not return to the main menu"

# A second chase, lost by touching the wrong car (or, at the latest, by the area's minute running
# out): walking up and down across the roads, Enter after every step, until Enter has skipped the end
# to the game-over panel.
click_at 305 290  # "Car chase"
wait_for 15 panel_is_not "$main_menu" || fail "the Car chase game screen did not show again"
click_at 280 370  # "Start"
wait_for 30 chase_shown || fail "the second Car chase did not start"
now_ms() { date +%s%3N; }
# What the panel's place shows, in one pass over the screenshot (the measured seconds are the game's,
# not the tools'): the caption pixels of the pause panel's items, those below them, and the mean grey
# of the place, 0..255.
panel_place_look() {
  convert "$work/screen.png" -crop "$panel" +repage txt:- |
    awk -F'[(),]' 'NR > 1 {
        grey += ($3 + $4 + $5) / 3; n++
        if ($3 >= 168 && $3 <= 184 && $4 >= 178 && $4 <= 195 && $5 >= 164 && $5 <= 182) {
          if ($2 + 0 < 111) items++; else below++
        }
      }
      END { print items + 0, below + 0, int(grey / n) }'
}
# The game-over panel: its two items on the dark menu screen (the end words pass through the captions'
# colour too, but fewer of them and over the bright field).
game_over_shown() {
  local items below grey
  read -r items below grey < <(panel_place_look)
  ((items > 300 && below == 0 && grey < 40))
}
# The play field: no captions where the panel was, and the bright ground and roads.
field_shown() {
  local items below grey
  read -r items below grey < <(panel_place_look)
  ((items + below < 20 && grey > 60))
}
# A press the game's polling sees, short enough not to hide the game's own speed.
quick_press() {
  xdotool keydown "$1"
  sleep 0.06
  xdotool keyup "$1"
}
lost=
for step in {1..90}; do
  direction=Down
  ((step > 12 && step / 2 % 2 == 0)) && direction=Up  # past the countdown, into the roads, then to and fro
  xdotool keydown $direction
  sleep 0.4
  xdotool keyup $direction
  first_enter=$(now_ms)
  quick_press Return
  # Arrows on the game-over panel would move its highlight: no step before it is told from play.
  for _ in {1..8}; do
    screen
    if game_over_shown; then
      lost=1
      break 2
    fi
    if chase_shown; then break; fi
    sleep 0.1
  done
done
[[ -n $lost ]] || fail "the Car chase was never lost"
quick_press Return
# The time a screenshot was whole bounds when what it shows was shown.
restarted() {
  screen
  shot_at=$(now_ms)
  field_shown
}
until restarted; do
  ((shot_at - first_enter < 5000)) || fail "the second Enter did not restart the area"
  sleep 0.05
done
took=$((shot_at - first_enter))
((took <= 2000)) || fail "the area restarted $took ms after the first Enter, not within 2 s"
echo "the play field showed again $took ms after the Enter that skipped the end"

pause_game
click_at 290 275  # "Abort game"
wait_for 15 panel_is "$main_menu" || fail "Abort game did not return to the main menu after the restart"

e2e_exit
echo "Car chase started, paused and aborted; lost and restarted with two Enters"
