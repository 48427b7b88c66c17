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
