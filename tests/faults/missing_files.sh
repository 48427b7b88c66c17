#!/usr/bin/env bash
# The real program without its music, its intro film and its pointer file: it starts silent, shows
# the main menu, plays a game and leaves with "Exit" and exit code 0.
#
#   missing_files.sh <program>
set -euo pipefail
source "$(dirname "$0")/../e2e/lib.sh"

e2e_before_start() {
  rm "$work"/Music/*.wav "$work/Graphics/logo.avi" "$work/Graphics/Cursor.cur"
}
e2e_start "$1" missing-files
skip_film

click_at 305 270  # "Standard"
wait_for 15 panel_is_not "$main_menu" || fail "the Standard game screen did not show"
click_at 280 363  # "Start"
wait_for 30 game_shown || fail "the game did not start"
pause_game
click_at 290 275  # "Abort game"
wait_for 15 panel_is "$main_menu" || fail "Abort game did not return to the main menu"
e2e_exit
echo "missing files passed"
