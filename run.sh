#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
jizdavo_install_packages
jizdavo_build build -DJIZDAVO_TESTS=OFF -DJIZDAVO_BENCH=OFF
exec ./build/jizdavo "$@"
