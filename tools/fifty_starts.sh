#!/usr/bin/env bash
# Starts the game 50 times to its main menu while two processes keep both cores busy, and reports how
# many starts got there and the slowest. Not part of the test suite: it takes a few minutes.
#
#   tools/fifty_starts.sh [program]   (default build/jizdavo; uses $DISPLAY, else its own Xvfb)
set -uo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/jizdavo}")
runs=${JIZDAVO_STARTS:-50}

if [[ -z ${DISPLAY:-} ]]; then
  export DISPLAY=:$((200 + RANDOM % 100))
  Xvfb "$DISPLAY" -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi
source tests/e2e/lib.sh

hogs=()
stop_all() {
  e2e_cleanup
  if ((${#hogs[@]})); then kill "${hogs[@]}" 2>/dev/null; fi
  if [[ -n ${xvfb:-} ]]; then kill "$xvfb" 2>/dev/null; fi
}
trap stop_all EXIT
for _ in 1 2; do
  (while :; do :; done) &
  hogs+=($!)
done

reached=0
slowest=0
for run in $(seq "$runs"); do
  start=$(date +%s%N)
  e2e_start "$program" fifty-starts
  if wait_for 60 film_skipped; then
    took=$((($(date +%s%N) - start) / 1000000))
    reached=$((reached + 1))
    ((took > slowest)) && slowest=$took
    echo "start $run: main menu after $took ms"
  else
    echo "start $run: no main menu within 60 s; the program printed:"
    cat "$work/program.log"
  fi
  e2e_cleanup
  pid=
  work=
done
echo "$reached of $runs starts reached the main menu; the slowest took $slowest ms"
((reached == runs))
