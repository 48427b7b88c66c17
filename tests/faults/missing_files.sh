#!/usr/bin/env bash
# The real program without its music, its intro film and its pointer file: it starts silent, shows
# the main menu, plays a game and leaves with "Exit" and exit code 0.
#
#   missing_files.sh <program>
set -euo pipefail
source "$(dirname "$0")/../e2e/lib.sh"
source "$(dirname "$0")/scenario.sh"

e2e_before_start() {
  rm "$work"/Music/*.wav "$work/Graphics/logo.avi" "$work/Graphics/Cursor.cur"
}
e2e_start "$1" missing-files
skip_film

# "Standard"
click_until 305 270 panel_is_not "$main_menu" || fail "the Standard game screen did not show"
# "Start"
click_until 280 363 game_shown || fail "the game did not start"
pause_game
# "Abort game"
click_until 290 275 panel_is "$main_menu" || fail "Abort game did not return to the main menu"
e2e_exit
echo "missing files passed"
