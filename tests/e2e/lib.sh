#!/usr/bin/env bash
# Shared helpers of the end-to-end scenarios, which play the real program on the X display in
# $DISPLAY (640 x 480, where the game fills the screen at scale 1). Source it, then:
#
#   e2e_start <program> [name] [option..]
#                                copy the program with Music and Graphics into a scratch folder
#                                and start it there with the options ($work, $pid; [name] tags
#                                failure screenshots);
#                                a function e2e_before_start, if defined, runs just before the start;
#                                with e2e_audio=disk the sound goes to $work/sound.raw, else nowhere
#   sound_level <seconds>        the loudness of the sound of the next seconds, 0..1000
#   wait_for <seconds> <check..> poll fresh screenshots until the check holds
#   e2e_exit                     "Exit" on the main menu; fails unless the program ends with code 0
#
# Every wait polls the screen; a failure keeps the last screenshot and says what was expected.

if [[ -z ${DISPLAY:-} ]]; then
  echo "DISPLAY is not set: skipped"
  exit 77
fi

work=
pid=
scenario=e2e
shots=

# The next scenario must not meet this one's window on the display: the program is waited for, and
# killed if it does not end in 5 s.
e2e_cleanup() {
  if [[ -n $pid ]] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
    e2e_wait_end 5 || kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  if [[ -n $work ]]; then rm -rf "$work"; fi
}

# Waits up to $1 seconds for the program to end; false while it still runs.
e2e_wait_end() {
  local end=$((SECONDS + $1))
  while kill -0 "$pid" 2>/dev/null && ((SECONDS < end)); do sleep 0.1; done
  ! kill -0 "$pid" 2>/dev/null
}
trap e2e_cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  if [[ -f $work/screen.png ]]; then
    local keep="${TMPDIR:-/tmp}/jizdavo-$scenario-failure.png"
    cp "$work/screen.png" "$keep"
    echo "last screenshot: $keep" >&2
  fi
  if [[ -n $pid ]]; then
    if kill -0 "$pid" 2>/dev/null; then
      echo "the program is still running; the input focus is on \"$(xdotool getwindowfocus getwindowname 2>&1)\"" >&2
    else
      echo "the program has ended" >&2
    fi
  fi
  if [[ -s $work/program.log ]]; then
    echo "the program printed:" >&2
    tail -n 20 "$work/program.log" >&2
  fi
  exit 1
}

# The program runs from a copy, so its Settings.ini, best times and progress stay out of the build
# folder and every run starts from a fresh installation.
e2e_start() {
  local program=$1
  scenario=${2:-$scenario}
  shift $(($# < 2 ? $# : 2))
  work=$(mktemp -d)
  cp "$program" "$work/"
  cp -r "$(dirname "$program")/Music" "$(dirname "$program")/Graphics" "$work/"
  # A scenario may change the fresh installation before the program starts.
  if declare -F e2e_before_start >/dev/null; then e2e_before_start; fi
  SDL_AUDIODRIVER=${e2e_audio:-dummy} SDL_DISKAUDIOFILE="$work/sound.raw" \
    "$work/$(basename "$program")" "$@" >"$work/program.log" 2>&1 &
  pid=$!
}

# The menu panel of the 640 x 480 frame, and its captions' colour (177, 187, 174) after the trip
# through 5-6-5 pixels.
readonly panel=176x260+232+220

screen() { import -window root "$work/screen.png" 2>/dev/null; }

# Pixels of `region` in the captions' colour, one "x,y" a line.
caption_pixels() {
  convert "$work/screen.png" -crop "$1" +repage txt:- |
    awk -F'[(),]' 'NR > 1 && $3 >= 168 && $3 <= 184 && $4 >= 178 && $4 <= 195 && $5 >= 164 && $5 <= 182 {
      print $1 "," $2 }'
}
caption_count() { caption_pixels "$1" | wc -l; }
# How many pixels of `region` have a red r, green g and blue b for which the awk condition `$2` holds.
count_pixels() {
  convert "$work/screen.png" -crop "$1" +repage txt:- |
    awk -F'[(),]' "NR > 1 { r = \$3; g = \$4; b = \$5; if ($2) n++ } END { print n + 0 }"
}
# What the panel shows, as a fingerprint of its caption pixels.
panel_print() { caption_pixels "$panel" | md5sum | cut -d' ' -f1; }
# The fingerprint once two screenshots in a row agree: a screenshot can catch a frame half presented.
settled_panel_print() {
  local previous= current attempt
  for attempt in {1..20}; do
    screen
    current=$(panel_print)
    if [[ $current == "$previous" ]]; then
      echo "$current"
      return 0
    fi
    previous=$current
    sleep 0.2
  done
  return 1
}
# The mean grey level of `region` (the whole screen when omitted), 0..1000.
brightness() {
  convert "$work/screen.png" ${1:+-crop "$1" +repage} -colorspace gray -format '%[fx:int(mean*1000)]' info:
}

# The root mean square of the 16-bit samples the program writes in the next $1 seconds, in thousandths
# of full scale (SDL's disk driver writes them at the pace they would be heard).
sound_level() {
  local from to
  from=$(stat -c %s "$work/sound.raw")
  sleep "$1"
  to=$(stat -c %s "$work/sound.raw")
  head -c $((from + (to - from) / 4 * 4)) "$work/sound.raw" | tail -c +$((from + 1)) | od -An -v -t d2 |
    awk '{ for (i = 1; i <= NF; i++) { s += $i * $i; n++ } } END { print n ? int(sqrt(s / n) / 32.768) : 0 }'
}

# Runs the check `$2..` on fresh screenshots until it holds, for up to $1 seconds.
wait_for() {
  local seconds=$1
  shift
  local end=$((SECONDS + seconds))
  while ((SECONDS < end)); do
    screen
    if "$@"; then return 0; fi
    # A program that has ended will not show it.
    if [[ -n $pid ]] && ! kill -0 "$pid" 2>/dev/null; then return 1; fi
    sleep 0.3
  done
  return 1
}

menu_shown() { (($(caption_count "$panel") > 300)); }
panel_is() { menu_shown && [[ $(panel_print) == "$1" ]]; }
panel_is_not() { menu_shown && [[ $(panel_print) != "$1" ]]; }
# The play field: no menu captions, and a road that is far from black.
game_shown() { (($(caption_count "$panel") < 20)) && (($(brightness) > 100)); }

# A press long enough for the game's polling to see it.
click_at() {
  xdotool mousemove "$1" "$2"
  xdotool mousedown 1
  sleep 0.15
  xdotool mouseup 1
}
press_key() {
  xdotool keydown "$1"
  sleep 0.15
  xdotool keyup "$1"
}
save_shot() { if [[ -n $shots ]]; then cp "$work/screen.png" "$shots/$1"; fi; }
# A screenshot once the title's sweep has drawn the new title and the veil has taken the old one's
# letters (the menus run at ten frames a second before the first game: a few seconds).
swept_shot() {
  if [[ -z $shots ]]; then return; fi
  sleep 5
  screen
  save_shot "$1"
}

# The film: a click anywhere skips it; clicks go to a black corner with no menu item. Leaves the
# main menu's fingerprint in $main_menu.
film_skipped() {
  if menu_shown; then return 0; fi
  click_at 20 470
  return 1
}
skip_film() {
  wait_for 60 film_skipped || fail "the main menu did not show after the film"
  main_menu=$(settled_panel_print) || fail "the main menu did not settle"
}

# Esc pauses once the countdown is over: pressed until the pause panel shows.
paused_by_escape() {
  if menu_shown; then return 0; fi
  press_key Escape
  return 1
}
pause_game() {
  wait_for 30 paused_by_escape || fail "Esc did not pause the game"
}

e2e_exit() {
  click_at 275 440  # "Exit"
  e2e_wait_end 15 || fail "Exit did not end the program"
  local status=0
  wait "$pid" || status=$?
  pid=
  ((status == 0)) || fail "the program ended with exit code $status"
}
