#!/usr/bin/env bash
# The real program installed where its user cannot write, with nowhere else to keep its files: it
# starts with the stored options, says in a message box that it cannot save them when Options is
# left, goes on, and leaves with "Exit" and exit code 0; nothing stored is changed.
#
#   read_only_install.sh <program>
set -euo pipefail
source "$(dirname "$0")/../e2e/lib.sh"
source "$(dirname "$0")/scenario.sh"

program_name=$(basename "$1")

# The copy moves into install/, closed to writing, and a launcher takes its place that becomes it as
# "nobody" when the test runs as root (whom permissions do not stop). The user's data folder lies
# inside install/ too, so the fallback cannot be written either. The scratch folder itself stays
# writable for the screenshots.
e2e_before_start() {
  mkdir "$work/install"
  mv "$work/$program_name" "$work/Music" "$work/Graphics" "$work/install/"
  printf '[Options]\nShowFPS=1\nMVolume=12\n' >"$work/install/Settings.ini"
  printf '\xca' >"$work/install/Levels.dat"  # level 5, complemented
  (cd "$work/install" && md5sum Settings.ini Levels.dat) >"$work/stored.md5"
  local as_user=
  if ((EUID == 0)); then as_user='setpriv --reuid=nobody --regid=nogroup --clear-groups'; fi
  local installed="$work/install/$program_name"
  printf '#!/bin/sh\nXDG_DATA_HOME=%s exec %s %s\n' "$work/install/data" "$as_user" "$installed" \
    >"$work/$program_name"
  chmod 755 "$work" "$work/$program_name"
  chmod -R a-w "$work/install"
}
# A program held in the message box does not end on SIGTERM, and the closed folder must be opened
# again to be removed.
cleanup() {
  if [[ -n $pid ]]; then kill -KILL "$pid" 2>/dev/null || true; fi
  if [[ -d $work/install ]]; then chmod -R u+w "$work/install"; fi
  e2e_cleanup
}
trap cleanup EXIT
e2e_start "$1" read-only-install
skip_film

# "Options"
click_until 280 380 panel_is_not "$main_menu" || fail "the Options screen did not show"
box=
# The message box is a window of its own, titled "Jizdavo" (the game's is "Jizdavo v0.9").
message_shown() {
  box=$(xwininfo -root -children | awk '$2 == "\"Jizdavo\":" { print $1; exit }')
  [[ -n $box ]]
}
# "Back"
click_until 280 450 message_shown || fail "no message said that the options could not be saved"
xdotool windowfocus "$box" key Return
wait_for 15 panel_is "$main_menu" || fail "the main menu did not come back after the message"
e2e_exit

(cd "$work/install" && md5sum --quiet -c "$work/stored.md5") || fail "a stored file changed"
[[ $(ls -A "$work/install" | wc -l) == 5 ]] ||
  fail "files were added to the installation: $(ls -A "$work/install")"
echo "read-only install passed"
