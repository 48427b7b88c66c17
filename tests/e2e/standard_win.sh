#!/usr/bin/env bash
# Wins Standard level 1 with real keys in the traffic-free build, the player's own skip key being
# Space: walks the pedestrian down to the finish (a second window taking the focus for 2 s on the
# way), skips the victory sequence with Space, types a name into the top-ten entry, finds the name and
# time in the best-times list and in "Score.dat", leaves by "Main menu" (which unlocks level 2, kept in
# "Levels.dat"), finds the same name and time again through the main menu's "Best times", watches
# that record's replay (the figure walks to the finish again, "REPLAY" in the heads-up line) until the
# list comes back with no message over it, picks level 2 in the level choice of a new Standard game,
# then level 1 again, wins it again and types a second name over the first, which the entry offers,
# and finds exactly that name in "Score.dat": the Space that skipped is typed into neither name.
#
#   standard_win.sh <traffic-free program>
set -euo pipefail
source "$(dirname "$0")/lib.sh"

readonly name=Walker second_name=Runner
# Below the road's centre line: grass, until the grey "Victory" text grows over it.
readonly victory_region=240x60+200+245
# The name and time columns of the best-times list's first row.
readonly first_name=120x14+280+264
readonly first_time=70x14+400+264
# The heads-up line where a replay names itself.
readonly replay_label=110x14+340+464
# Left of the list, where only a message over the list writes.
readonly beside_list=150x120+60+180
# Where the level choice puts its second and third items.
readonly level_two=16x16+306+267
readonly level_three=16x16+334+267

e2e_before_start() { printf '[Keys]\nSkip=Space\n' >"$work/Settings.ini"; }
e2e_start "$1" standard-win
skip_film

click_at 305 270  # "Standard"
wait_for 15 panel_is_not "$main_menu" || fail "the Standard game screen did not show"
new_game=$(settled_panel_print) || fail "the Standard game screen did not settle"
click_at 280 363  # "Start"
wait_for 30 game_shown || fail "the game did not start"

# Grey: red, green and blue within 12 of each other.
grey_count() { count_pixels "$1" 'r - g < 12 && g - r < 12 && g - b < 12 && b - g < 12 && g > 30'; }
# The words' trail passes through the captions' colour, so the play field is told from the (black)
# menus by its brightness.
victory_shown() { (($(brightness) > 100 && $(grey_count "$victory_region") > 1000)); }

# Another window takes the focus for 2 s, then the game gets it back: no game time passes meanwhile.
thief=
cleanup() {
  if [[ -n $thief ]]; then kill "$thief" 2>/dev/null || true; fi
  e2e_cleanup
}
trap cleanup EXIT
convert -size 40x40 xc:red "$work/thief.png"
away_for_two_seconds() {
  local game_id thief_id=""
  game_id=$(xdotool search --name '^Jizdavo' 2>/dev/null | head -n 1)
  display -geometry +0+0 -title thief "$work/thief.png" &
  thief=$!
  for _ in {1..50}; do
    thief_id=$(xdotool search --name '^thief$' 2>/dev/null | head -n 1) && [[ -n $thief_id ]] && break
    sleep 0.2
  done
  [[ -n $thief_id ]] || fail "the other window did not open"
  xdotool windowfocus --sync "$thief_id"
  sleep 2
  kill "$thief"
  wait "$thief" 2>/dev/null || true
  thief=
  xdotool windowfocus --sync "$game_id"
}
# The finish lies straight below the start; the key is held through the countdown and the walk, and
# held again after a time away ($1 "away": 4 s after the start, one second into the walk).
walk_to_finish() {
  xdotool keydown Down
  if [[ ${1:-} == away ]]; then
    sleep 4
    away_for_two_seconds
    xdotool keydown Down
  fi
  wait_for 60 victory_shown || { xdotool keyup Down; fail "no \"Victory\" after walking down to the finish"; }
  xdotool keyup Down
  press_key space
}
walk_to_finish away

wait_for 30 panel_is_not "$main_menu" || fail "the name entry did not follow the victory"
xdotool type --delay 120 "$name"
press_key Return
# Only the best-times list writes into the time column.
best_times_listed() { (($(caption_count "$first_name") > 30 && $(caption_count "$first_time") > 30)); }
wait_for 15 best_times_listed || fail "Enter did not lead to the best times with a name and time in row 1"
row_print() { caption_pixels "$first_name" | md5sum; caption_pixels "$first_time" | md5sum; }
winning_row=$(row_print)

# The record is "1", the name and the time, each ended by byte 13, every byte complemented.
[[ -f $work/Score.dat ]] || fail "no Score.dat beside the program"
record=$(perl -0777 -pe '$_ = ~$_; tr/\r/\n/' "$work/Score.dat")
[[ $record =~ ^1$'\n'$name$'\n'00:([0-9]{2}):[0-9]{3}$ ]] || fail "Score.dat decodes to \"$record\""
# Walking the 400-odd rows at 0.1 pixel a millisecond takes about four seconds.
((10#${BASH_REMATCH[1]} >= 3)) || fail "the stored time $record is shorter than the walk"
replays=("$work"/Score-1-*-$(printf %s "$name" | od -An -tx1 | tr -d ' \n' | tr a-f A-F).rpl)
[[ -f ${replays[0]} ]] || fail "no replay of the record beside Score.dat"

click_at 300 427  # "Main menu"
wait_for 15 panel_is "$main_menu" || fail "\"Main menu\" did not return to the main menu"
progress=$(perl -0777 -pe '$_ = ~$_' "$work/Levels.dat")
[[ $progress == 2 ]] || fail "Levels.dat decodes to \"$progress\", not 2"

click_at 305 338  # "Best times": "Standard"
wait_for 15 panel_is_not "$main_menu" || fail "\"Best times\" did not list the Standard levels"
level_list=$(settled_panel_print) || fail "the list of Standard levels did not settle"
click_at 285 275  # "1"
# The same name and time, pixel for pixel, in the first row.
winning_row_listed() { panel_is_not "$level_list" && best_times_listed && [[ $(row_print) == "$winning_row" ]]; }
wait_for 15 winning_row_listed || fail "level 1's best times, opened from the main menu, lack the win's name and time"
beside_before=$(caption_count "$beside_list")
click_at 320 270  # the record's line
wait_for 15 game_shown || fail "a click on the record did not play its replay"
replay_named() { (($(count_pixels "$replay_label" 'r < 60 && g < 60 && b < 60') > 15)); }
wait_for 10 replay_named || fail "the replay's heads-up line does not name it"
wait_for 60 victory_shown || fail "the replay's figure did not reach the finish"
wait_for 60 winning_row_listed || fail "the best times did not come back after the replay"
sleep 1
screen
(($(caption_count "$beside_list") <= beside_before + 20)) ||
  fail "a message shows over the best times after the replay (the game with the time away does not replay)"
click_at 285 427  # "Back"
wait_for 15 panel_is "$level_list" || fail "\"Back\" did not return from the best times to the list of levels"
click_at 285 427  # "Back"
wait_for 15 panel_is "$main_menu" || fail "\"Back\" did not return from the list of levels to the main menu"

click_at 305 270  # "Standard"
wait_for 15 panel_is "$new_game" || fail "the Standard game screen did not show level 1"
click_at 290 333  # "Level: 1"
# The choice lists the unlocked levels left to right: "1", "2" and nothing after them.
level_two_offered() { panel_is_not "$new_game" && (($(caption_count "$level_two") > 10)); }
wait_for 15 level_two_offered || fail "the level choice did not show with level 2"
(($(caption_count "$level_three") == 0)) || fail "the level choice offers more than levels 1 and 2"
level_choice=$(settled_panel_print) || fail "the level choice did not settle"
click_at 313 275  # "2"
level_two_picked() { panel_is_not "$new_game" && panel_is_not "$level_choice"; }
wait_for 15 level_two_picked || fail "picking level 2 did not lead back to the new-game screen"

# Level 1 once more: the name entry offers the last name selected, and typing replaces it.
level_two_screen=$(settled_panel_print) || fail "the new-game screen did not settle on level 2"
click_at 290 333  # "Level: 2"
wait_for 15 panel_is_not "$level_two_screen" || fail "the level choice did not show again"
settled_panel_print >/dev/null || fail "the level choice did not settle"
click_at 285 275  # "1"
wait_for 15 panel_is "$new_game" || fail "picking level 1 did not lead back to the new-game screen at level 1"
click_at 280 363  # "Start"
wait_for 30 game_shown || fail "the game did not start again"
walk_to_finish
wait_for 30 menu_shown || fail "the name entry did not follow the second victory"
settled_panel_print >/dev/null || fail "the name entry did not settle"
xdotool type --delay 120 "$second_name"
press_key Return
wait_for 15 best_times_listed || fail "Enter did not lead to the best times after the second win"
record=$(perl -0777 -pe '$_ = ~$_; tr/\r/\n/' "$work/Score.dat")
[[ $record =~ ^1$'\n'$name$'\n'00:[0-9]{2}:[0-9]{3}$'\n'1$'\n'$second_name$'\n'00:[0-9]{2}:[0-9]{3}$ ]] ||
  fail "after the second win Score.dat decodes to \"$record\""

click_at 300 427  # "Main menu"
wait_for 15 panel_is "$main_menu" || fail "\"Main menu\" did not return to the main menu"

e2e_exit
echo "Standard level won twice, level 2 unlocked, the second name typed over the first"
