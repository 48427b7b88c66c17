#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it.
#   ./run.sh [game options]     the game on this desktop
#   ./run.sh --web [--port N]   the game as a web page in build-web/, served on http://127.0.0.1:8080/
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
if [ "${1:-}" = "--web" ]; then
  port=8080
  if [ "${2:-}" = "--port" ]; then port=${3:?--port needs a number}; fi
  source scripts/web-build.sh
  jizdavo_install_packages "${JIZDAVO_WEB_PACKAGES[@]}"
  jizdavo_web_build
  echo "The game is served on http://127.0.0.1:$port/ (build-web.zip holds the same files for any web host; Ctrl+C stops)"
  exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build-web
fi
jizdavo_install_packages
jizdavo_build build -DJIZDAVO_TESTS=OFF -DJIZDAVO_BENCH=OFF
exec ./build/jizdavo "$@"
