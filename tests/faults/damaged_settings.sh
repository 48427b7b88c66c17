#!/usr/bin/env bash
# The real program with a damaged Settings.ini (binary noise, a cut line, values out of range or not
# numbers): it starts with the default options, and "Back" on Options writes them back valid.
#
#   damaged_settings.sh <program>
set -euo pipefail
source "$(dirname "$0")/../e2e/lib.sh"
source "$(dirname "$0")/scenario.sh"

e2e_before_start() {
  {
    printf '\x00\xff\xfe garbage\x01\n[Options]\nPlayMusic=yes please\nPlaySE=\n'
    printf 'MVolume=99999999999999999999\nSEVolume=0x7fffffffffff\nShowF'
  } >"$work/Settings.ini"
}
e2e_start "$1" damaged-settings
skip_film

# "Options"
click_until 280 380 panel_is_not "$main_menu" || fail "the Options screen did not show"
# "Back"
click_until 280 450 panel_is "$main_menu" || fail "Back did not return to the main menu"
for line in PlayMusic=1 PlaySE=1 ShowFPS=0 MVolume=80 SEVolume=80; do
  grep -qax "$line" "$work/Settings.ini" ||
    fail "Settings.ini does not hold $line: $(cat -v "$work/Settings.ini")"
done
e2e_exit
echo "damaged settings passed"
