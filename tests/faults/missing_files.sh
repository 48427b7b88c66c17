#!/usr/bin/env bash
# The real program without its music, its intro film and its pointer file, and with a damaged arrow
# picture: it starts silent, shows the main menu, plays a game and leaves with "Exit" and exit code 0.
# Then asset files that are no plain files (a folder, FIFOs, links to /dev/zero): each start reaches
# the main menu within 10 s under 200 MB, tells the file on stderr, and SIGTERM ends it within 2 s.
# Eight tunes padded with 1 GB of zeros, and eight ten-minute compressed ones: the main menu within
# 2 s under 100 MB.
# Then menu tunes in the WAVE forms other tools write (24-bit, float, extensible with three channels,
# a LIST chunk of odd size before the samples, and the compressed IMA and Microsoft ADPCM, mu-law and
# A-law, made by ffmpeg) are each heard on SDL's disk audio driver.
#
#   missing_files.sh <program>
set -euo pipefail
source "$(dirname "$0")/../e2e/lib.sh"
source "$(dirname "$0")/scenario.sh"

e2e_before_start() {
  rm "$work"/Music/*.wav "$work/Graphics/logo.avi" "$work/Graphics/Cursor.cur"
  truncate -s 30 "$work/Graphics/ArrowNext.bmp"
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
grep -q "^Graphics/ArrowNext.bmp: .*; the built-in copy is shown$" "$work/program.log" ||
  fail "the damaged arrow picture was not told on stderr"
echo "missing files passed"

# The peak memory of the program, in MB.
peak_mb() { awk '/^VmHWM:/ { print int($2 / 1024) }' "/proc/$pid/status"; }

for blocked in cursor-folder cursor-fifo cursor-zero tunes-fifo tunes-zero film-fifo; do
  rm -rf "$work"
  e2e_before_start() {
    local n
    case $blocked in
      cursor-folder) rm "$work/Graphics/Cursor.cur" && mkdir "$work/Graphics/Cursor.cur" ;;
      cursor-fifo) rm "$work/Graphics/Cursor.cur" && mkfifo "$work/Graphics/Cursor.cur" ;;
      cursor-zero) ln -sf /dev/zero "$work/Graphics/Cursor.cur" ;;
      tunes-fifo) for n in 1 2 3 4; do rm "$work/Music/MenuTune$n.wav" && mkfifo "$work/Music/MenuTune$n.wav"; done ;;
      tunes-zero) for n in 1 2 3 4; do ln -sf /dev/zero "$work/Music/MenuTune$n.wav"; done ;;
      film-fifo) rm "$work/Graphics/logo.avi" && mkfifo "$work/Graphics/logo.avi" ;;
    esac
  }
  e2e_start "$1" "blocked-$blocked"
  wait_for 10 film_skipped || fail "with $blocked the main menu did not show within 10 s"
  peak=$(peak_mb)
  ((peak < 200)) || fail "with $blocked the program took $peak MB"
  grep -q "is not a plain file" "$work/program.log" || fail "with $blocked nothing was told on stderr"
  end_by_signal TERM "the main menu with $blocked" 2000
  echo "$blocked: main menu, $peak MB at most"
done

# The little-endian bytes of the value $1 in $2 bytes, as printf escapes.
le() {
  local i out=
  for ((i = 0; i < $2; i++)); do out+=$(printf '\\x%02x' $((($1 >> (8 * i)) & 255))); done
  printf '%s' "$out"
}

# Tunes that would take long to read whole are read only as they play: eight tunes padded with 1 GB of
# zeros each, and eight ten-minute mu-law tunes (sparse files): the main menu (the film removed, so
# nothing is clicked) within 2 s of the program's own time, under 100 MB, and SIGTERM still obeyed.
# The program's time (user and system, all its threads) is what reading or decoding the tunes costs;
# the time on the clock, which a machine busy with other work stretches, is shown and held to 10 s.
for tunes in padded compressed; do
  rm -rf "$work"
  e2e_before_start() {
    local n name data=$((600 * 44100 * 2))
    rm "$work/Graphics/logo.avi"
    for name in MenuTune1 MenuTune2 MenuTune3 MenuTune4 InGame1 InGame2 InGame3 InGame4; do
      if [[ $tunes == padded ]]; then
        truncate -s +1G "$work/Music/$name.wav"
      else
        printf "RIFF$(le $((4 + 8 + 18 + 8 + data)) 4)WAVEfmt $(le 18 4)$(le 7 2)$(le 2 2)$(le 44100 4)" \
          >"$work/Music/$name.wav"
        printf "$(le $((2 * 44100)) 4)$(le 2 2)$(le 8 2)$(le 0 2)data$(le $data 4)" >>"$work/Music/$name.wav"
        truncate -s $((12 + 8 + 18 + 8 + data)) "$work/Music/$name.wav"
      fi
    done
    started=$(now_ms)  # the program starts now
  }
  e2e_start "$1" "tunes-$tunes"
  wait_for 10 menu_shown || fail "with $tunes tunes the main menu did not show within 10 s"
  took=$(($(now_ms) - started))
  cpu=$(awk '{ print ($14 + $15) * 10 }' "/proc/$pid/stat")  # clock ticks of 10 ms
  peak=$(peak_mb)
  ((cpu <= 2000)) || fail "with $tunes tunes the program took $cpu ms of its own time to the main menu"
  ((peak < 100)) || fail "with $tunes tunes the program took $peak MB"
  end_by_signal TERM "the main menu with $tunes tunes" 2000
  echo "$tunes tunes: main menu after $took ms ($cpu ms of the program's time), $peak MB at most"
done

# Writes to $1 about a second of a loud 441 Hz square wave at 44100 Hz in the form $2.
write_tune() {
  local file=$1 tag=1 channels=1 bits high low extra= before=
  case $2 in
    pcm24) bits=24 high='\x00\x00\x40' low='\x00\x00\xc0' ;;
    float) tag=3 bits=32 high='\x00\x00\x00\x3f' low='\x00\x00\x00\xbf' ;;
    extensible)
      tag=65534 channels=3 bits=32 high='\x00\x00\x00\x40' low='\x00\x00\x00\xc0'
      extra="$(le 22 2)$(le 32 2)$(le 7 4)$(le 1 2)\x00\x00\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71" ;;
    odd-list) bits=16 high='\x00\x40' low='\x00\xc0' before="LIST$(le 5 4)INFOx\x00" ;;
    *) # a compressed form: the 16-bit tune through ffmpeg's encoder of that name
      write_tune "$file.pcm.wav" odd-list
      ffmpeg -nostdin -y -loglevel error -i "$file.pcm.wav" -c:a "$2" "$file"
      rm "$file.pcm.wav"
      return ;;
  esac
  local period=$work/period i
  : >"$period"
  for ((i = 0; i < 50 * channels; i++)); do printf "$high" >>"$period"; done
  for ((i = 0; i < 50 * channels; i++)); do printf "$low" >>"$period"; done
  for i in {1..9}; do cat "$period" "$period" >"$period.2" && mv "$period.2" "$period"; done
  local align=$((channels * bits / 8)) data=$(stat -c %s "$period")
  local fmt_size=16 before_size=0
  if [[ -n $extra ]]; then fmt_size=40; fi
  if [[ -n $before ]]; then before_size=14; fi
  {
    printf "RIFF$(le $((4 + 8 + fmt_size + before_size + 8 + data)) 4)WAVE"
    printf "fmt $(le $fmt_size 4)$(le $tag 2)$(le $channels 2)$(le 44100 4)$(le $((44100 * align)) 4)"
    printf "$(le $align 2)$(le $bits 2)$extra$before"
    printf "data$(le "$data" 4)"
    cat "$period"
  } >"$file"
  rm "$period"
}

# With the effects off only the tune can sound: its square wave is half full scale.
e2e_audio=disk
for form in pcm24 float extensible odd-list adpcm_ima_wav adpcm_ms pcm_mulaw pcm_alaw; do
  rm -rf "$work"
  e2e_before_start() {
    for n in 1 2 3 4; do write_tune "$work/Music/MenuTune$n.wav" "$form"; done
    printf '[Options]\r\nPlaySE=0\r\n' >"$work/Settings.ini"
  }
  e2e_start "$1" "tune-$form"
  skip_film
  sleep 1.5
  loud=$(tr -d '\000' <"$work/sound.raw" | wc -c)
  ((loud > 20000)) || fail "the $form menu tune was not heard ($loud bytes of sound)"
  e2e_exit
  grep -q "stays silent" "$work/program.log" && fail "a $form tune was refused"
  echo "$form menu tune heard"
done
