#!/usr/bin/env bash
# Plays the real program: skips the film with a click, checks the main menu, opens Options and goes
# back (which writes Settings.ini), starts a Standard game, pauses it with Esc, aborts to the main
# menu and leaves with "Exit".
#
#   play_through.sh <program> [folder for screenshots]
set -euo pipefail
source "$(dirname "$0")/lib.sh"

shots=${2:-}
e2e_start "$1" play-through
skip_film
swept_shot screenshot-main-menu.png

click_at 280 380  # "Options"
wait_for 15 panel_is_not "$main_menu" || fail "the Options screen did not show"
swept_shot screenshot-options.png
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

pause_game
click_at 290 275  # "Abort game"
wait_for 15 panel_is "$main_menu" || fail "Abort game did not return to the main menu"

e2e_exit
echo "play-through passed"
