#!/usr/bin/env bash
# Starts a Car chase from the main menu, checks its play field, pauses it with one tap of Esc shorter
# than a frame, checks the pause panel, aborts to the main menu and leaves with "Exit".
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
click_at 280 340  # "Start"

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

e2e_exit
echo "Car chase started, paused and aborted"
