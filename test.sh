#!/usr/bin/env bash
# Installs what is missing, builds the game and runs the whole test suite under a virtual display.
#   ./test.sh             the suite
#   ./test.sh --sanitize  the suite built with AddressSanitizer and UndefinedBehaviorSanitizer
#   ./test.sh --web       the web page built (build-web/) and played in chromium, headless
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh

if [ "${1:-}" = "--web" ]; then
  source scripts/web-build.sh
  jizdavo_install_packages "${JIZDAVO_WEB_PACKAGES[@]}" chromium chromium-driver python3-selenium
  jizdavo_web_build
  exec /usr/bin/python3 tests/web/browser_test.py build-web
fi

jizdavo_install_packages

folder=build
options=()
if [ "${1:-}" = "--sanitize" ]; then
  folder=build-sanitize
  options+=(-DJIZDAVO_SANITIZE=ON -DJIZDAVO_BENCH=OFF)
  # Set before the build: listing the tests runs the instrumented programs already.
  source scripts/sanitizers.sh
  jizdavo_sanitizer_environment
fi
jizdavo_build "$folder" "${options[@]}"

# Tests that open a window get their own X server, on a display number it finds free itself (another
# suite on the machine may hold one); audio goes to SDL's dummy driver.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null || true; rm -f "$display_file"' EXIT
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  sleep 0.1
done
display=:$(head -n 1 "$display_file")
for _ in $(seq 50); do
  xdpyinfo -display "$display" >/dev/null 2>&1 && break
  sleep 0.1
done
export DISPLAY=$display SDL_AUDIODRIVER=dummy

# Tests that open a window hold the display alone (the ctest resource lock "display").
ctest --test-dir "$folder" --output-on-failure -j2 --timeout 300
