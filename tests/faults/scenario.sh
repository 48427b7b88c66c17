# Sourced by the fault scenarios after tests/e2e/lib.sh.

# Clicks at (x, y) until the check `$3..` holds, waiting up to 10 s after each click: on a busy machine
# a frame can outlast the press and the game never sees it, so a missed click is given again, while
# one that was seen is not repeated.
click_until() {
  local x=$1 y=$2
  shift 2
  for _ in 1 2 3; do
    click_at "$x" "$y"
    if wait_for 10 "$@"; then return 0; fi
  done
  return 1
}

# Milliseconds since the epoch.
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Sends signal $1 while $2 shows: the program must end within a second (with 0.5 s to spare for a
# loaded machine; $3 ms in all when given), with exit code 0 and the files listed in $work/stored.md5,
# if any, untouched.
end_by_signal() {
  local signal=$1 what=$2 limit=${3:-1500} start took status=0
  start=$(now_ms)
  kill -"$signal" "$pid"
  e2e_wait_end 5 || fail "SIG$signal during $what did not end the program"
  took=$(($(now_ms) - start))
  ((took <= limit)) || fail "SIG$signal during $what took $took ms to end the program"
  wait "$pid" || status=$?
  pid=
  ((status == 0)) || fail "SIG$signal during $what: exit code $status"
  if [[ -f $work/stored.md5 ]]; then
    (cd "$work" && md5sum --quiet -c stored.md5) || fail "a stored file changed after SIG$signal"
  fi
  echo "SIG$signal during $what: exit code 0 after $took ms"
}
