#!/usr/bin/env bash
# Listens to the real program at the default volumes through SDL's disk audio driver: a minute and
# more of the menu tune alone, ten menu clicks over it, then a Standard game in which the pedestrian
# steps into the traffic until the game ends, with its end sequence. Fails if any sample of the
# capture is at full scale, or if the menu tune's loudness in the capture is more than 2 LU from the
# tune files' own (it is not known which of the four plays, so it must be within 2 LU of each).
# It takes about two and a half minutes, so it is not part of the default suite.
#
#   audio_capture.sh <program> [folder to keep sound.raw and the last screenshot in]
set -euo pipefail
source "$(dirname "$0")/lib.sh"
command -v ffmpeg >/dev/null || { echo "ffmpeg is not installed: skipped"; exit 77; }

readonly bytes_per_second=$((44100 * 4))  # the mixer's stream: 44100 Hz, stereo, 16-bit
keep=${2:-}
e2e_audio=disk
e2e_start "$1" audio-capture
# Where the stream has got to, in seconds.
now_at() {
  awk -v b="$(stat -c %s "$work/sound.raw")" -v r=$bytes_per_second 'BEGIN { printf "%.2f", b / r }'
}

skip_film
sleep 2  # the title's own "Menu" sound
music_from=$(now_at)
# A stretch of the stream longer than any menu tune, so it holds a whole loop of whichever plays.
until awk -v a="$music_from" -v b="$(now_at)" 'BEGIN { exit !(b - a >= 62) }'; do sleep 1; done
music_to=$(now_at)

for round in {1..5}; do
  click_at 280 380  # "Options"
  wait_for 15 panel_is_not "$main_menu" || fail "the Options screen did not show"
  sleep 0.5
  click_at 280 450  # "Back"
  wait_for 15 panel_is "$main_menu" || fail "Back did not return to the main menu"
  sleep 0.5
done
clicks_to=$(now_at)

click_at 305 270  # "Standard"
wait_for 15 panel_is_not "$main_menu" || fail "the Standard game screen did not show"
click_at 280 363  # "Start"
wait_for 30 game_shown || fail "the game did not start"
sleep 4  # the countdown
# Short steps down: the pedestrian comes to stand in a lane, where a car runs it over.
game_ended() {
  if menu_shown; then return 0; fi
  press_key Down
  sleep 1
  return 1
}
wait_for 120 game_ended || fail "the game did not end"
sleep 2
game_to=$(now_at)
kill "$pid"
wait "$pid" || true
pid=
if [[ -n $keep ]]; then cp "$work/sound.raw" "$work/screen.png" "$keep/"; fi

# ffmpeg reads the capture as raw samples; `stretch from to filters` prints what the filters find.
stretch() {
  ffmpeg -nostats -hide_banner -f s16le -ar 44100 -ac 2 -ss "$1" -to "$2" -i "$work/sound.raw" \
    -af "$3" -f null - 2>&1
}
# astats gives the lowest and highest sample in the samples' own units.
full_scale=$(stretch 0 "$game_to" astats=measure_overall=Min_level+Max_level:measure_perchannel=none |
  awk '/Min level:/ { min = $NF } /Max level:/ { max = $NF }
       END { print (min <= -32768 || max >= 32767) ? "yes" : "no" }')
echo "capture: ${game_to}s; menu tune alone ${music_from}..${music_to}s, clicks until ${clicks_to}s"
for part in "0 $music_to menu-tune" "$music_to $clicks_to ten-clicks" "$clicks_to $game_to game-and-end"; do
  read -r from to label <<<"$part"
  peak=$(stretch "$from" "$to" ebur128=peak=sample | awk '/Peak:/ { p = $2 } END { print p }')
  echo "  $label: sample peak $peak dBFS"
done
[[ $full_scale == no ]] || fail "samples at full scale in the capture"

loudness() { awk '/^ *I:/ { i = $2 } END { print i }'; }
heard=$(stretch "$music_from" "$music_to" ebur128 | loudness)
echo "  menu tune in the capture: $heard LUFS"
for tune in MenuTune1 MenuTune2 MenuTune3 MenuTune4; do
  own=$(ffmpeg -nostats -hide_banner -i "$(dirname "$1")/Music/$tune.wav" -af ebur128 -f null - 2>&1 |
    loudness)
  echo "  $tune.wav: $own LUFS"
  awk -v a="$heard" -v b="$own" 'BEGIN { d = a - b; exit !(d <= 2 && d >= -2) }' ||
    fail "the menu tune is heard at $heard LUFS, more than 2 LU from $tune.wav's $own LUFS"
done
echo "audio capture passed"
