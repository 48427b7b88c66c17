#!/usr/bin/env bash
# The real program installed where its user cannot write, with nowhere else to keep its files: it
# starts with the stored files and says in its own message box (and on stderr) that it keeps them
# only until it closes; after Enter, saving the options (Options, then Back) tells nothing more, and
# "Exit" ends it with exit code 0. Started again, it ends on SIGTERM while the box shows, with exit
# code 0. Nothing stored is changed and nothing is added to the installation.
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
# The closed folder must be opened again to be removed.
cleanup() {
  if [[ -d $work/install ]]; then chmod -R u+w "$work/install"; fi
  e2e_cleanup
}
trap cleanup EXIT
# The message box, drawn over the menus in their colours: its text reaches left of the menu panel,
# where the main menu shows no caption.
readonly left_of_panel=200x120+20+180
message_shown() { (($(caption_count "$left_of_panel") > 200)); }
message_gone() { menu_shown && (($(caption_count "$left_of_panel") < 20)); }
# Skips the film until the message shows (a click beside the box does not close it).
film_skipped_to_message() {
  if message_shown; then return 0; fi
  click_at 20 470
  return 1
}
installation_untouched() {
  (cd "$work/install" && md5sum --quiet -c "$work/stored.md5") || fail "a stored file changed"
  [[ $(ls -A "$work/install" | wc -l) == 5 ]] ||
    fail "files were added to the installation: $(ls -A "$work/install")"
}

e2e_start "$1" read-only-install
wait_for 60 film_skipped_to_message || fail "no message said that the files are kept only in memory"
grep -q 'they are kept only until the game closes$' "$work/program.log" || fail "the message did not reach stderr"
save_shot message.png
press_key Return
wait_for 15 message_gone || fail "the main menu did not come back after Enter"
main_menu=$(settled_panel_print) || fail "the main menu did not settle"

# "Options", then "Back": the options are kept in memory, and nothing is told.
click_until 280 380 panel_is_not "$main_menu" || fail "the Options screen did not show"
click_until 280 450 panel_is "$main_menu" || fail "Back did not return to the main menu"
sleep 1
screen
message_gone || fail "a message showed when the options were saved"
e2e_exit
installation_untouched
cleanup

# Again, and SIGTERM while the message shows.
e2e_start "$1" read-only-install-signal
wait_for 60 film_skipped_to_message || fail "the message did not show again"
kill -TERM "$pid"
e2e_wait_end 2 || fail "SIGTERM did not end the program while the message showed"
status=0
wait "$pid" || status=$?
pid=
((status == 0)) || fail "SIGTERM during the message: exit code $status"
installation_untouched
echo "read-only install passed"
