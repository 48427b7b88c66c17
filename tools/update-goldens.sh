#!/usr/bin/env bash
# Renews the window tests' stored expectations on purpose, after a change meant to alter what a replay
# ends in or what a scene looks like: the replays' state lines (tests/main_window/golden/*.txt) and the
# scene pictures (tests/main_window/golden/*.bmp). Review the diff and look at the pictures before committing.
#
#   tools/update-goldens.sh [build folder]   (default build; the folder must be configured)
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${1:-build}
nice cmake --build "$folder" -j2 --target jizdavo_tests_main_window
JIZDAVO_UPDATE_GOLDEN=1 SDL_AUDIODRIVER=dummy "$folder/tests/jizdavo_tests_main_window" --gtest_filter='Replay.*' \
  --gtest_brief=1 2>/dev/null
git status --short tests/main_window/golden
