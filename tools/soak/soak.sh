#!/usr/bin/env bash
# Builds the soak driver with AddressSanitizer and UndefinedBehaviorSanitizer (in build-sanitize) and
# plays the game for MINUTES minutes; exits non-zero on any sanitizer report or failed check.
#   tools/soak/soak.sh [MINUTES] [SEED]
set -euo pipefail
cd "$(dirname "$0")/../.."
minutes=${1:-30}
seed=${2:-$RANDOM}
source scripts/packages.sh
jizdavo_install_packages
source scripts/sanitizers.sh
jizdavo_sanitizer_environment
# A smaller quarantine for freed blocks fills within the first minute, so that growth after it is the
# game's own; recently freed blocks are still caught when used.
export ASAN_OPTIONS=$ASAN_OPTIONS:quarantine_size_mb=64
cmake -S . -B build-sanitize -G Ninja -DJIZDAVO_SANITIZE=ON -DJIZDAVO_BENCH=OFF >/dev/null
cmake --build build-sanitize -j2 --target jizdavo_soak
folder=$(mktemp -d /tmp/jizdavo_soak_XXXXXX)
trap 'rm -rf "$folder"' EXIT
build-sanitize/jizdavo_soak --seconds $((minutes * 60)) --seed "$seed" --folder "$folder"
