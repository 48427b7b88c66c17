#!/usr/bin/env bash
# Plays the real program with the keyboard alone: skips the film with Esc, starts a Standard game
# from the highlighted menu items, walks a few steps, pauses, aborts, steps the music gauge down
# three times on Options, goes back with Esc, finds MVolume=56 in Settings.ini and leaves by "Exit".
#
#   keyboard_only.sh <program>
set -euo pipefail
source "$(dirname "$0")/lib.sh"

e2e_start "$1" keyboard-only
# Keys go to the window under the pointer's focus; the pointer stays where it is, off the panel.
film_skipped_by_key() {
  if menu_shown; then return 0; fi
  press_key Escape
  return 1
}
wait_for 60 film_skipped_by_key || fail "Esc did not skip the film"
main_menu=$(settled_panel_print) || fail "the main menu did not settle"

keys() { for key in "$@"; do press_key "$key"; sleep 0.1; done; }
# Waits until the panel's fingerprint differs from $1 and has settled; prints the new one.
next_screen() {
  wait_for 15 panel_is_not "$1" || return 1
  settled_panel_print
}

keys Down  # shows the outline on "Standard"
lit_main=$(next_screen "$main_menu") || fail "the first arrow key showed no highlight"
keys Return
new_game=$(next_screen "$lit_main") || fail "Enter on \"Standard\" did not open the new game screen"
keys Down Down Down Down Return  # Easy, Medium, Hard, Level, Start
wait_for 30 game_shown || fail "the game did not start from \"Start\""
sleep 4  # the countdown
keys Down Down Left Right
pause_game
keys Down Return  # from "Resume game" to "Abort game"
wait_for 15 panel_is "$lit_main" || fail "\"Abort game\" did not return to the main menu"

keys Down Down Down Down Return  # "Options"
next_screen "$lit_main" >/dev/null || fail "the Options screen did not show"
keys Down Down Left Left Left  # the music gauge, 80 -> 56
keys Escape
wait_for 15 panel_is "$lit_main" || fail "Esc did not go back from Options"
grep -q '^MVolume=56\r\?$' "$work/Settings.ini" || fail "Settings.ini holds $(grep MVolume "$work/Settings.ini")"

keys Down Down Down Down Down Down Return  # "Exit"
end=$((SECONDS + 15))
while kill -0 "$pid" 2>/dev/null && ((SECONDS < end)); do sleep 0.2; done
kill -0 "$pid" 2>/dev/null && fail "Exit did not end the program"
status=0
wait "$pid" || status=$?
pid=
((status == 0)) || fail "the program ended with exit code $status"
echo "played with the keyboard alone"
