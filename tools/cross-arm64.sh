#!/usr/bin/env bash
# Cross-builds the SDL-free platform library and its tests for 64-bit ARM, and runs those tests under
# qemu. Not part of ./test.sh: it installs a cross compiler and a second set of libraries.
#   tools/cross-arm64.sh               install what is missing, build into build-arm64/, run the tests
#   tools/cross-arm64.sh --no-install  the same without the install
# The tests are tests/platform/ without the sdl_* files, which need SDL, a window or a sound device.
#
# Needs root (or sudo) for the install. It changes the machine: `dpkg --add-architecture arm64` lets
# apt install the arm64 builds of FreeType, Fontconfig, FFmpeg and GoogleTest beside the native ones.
set -euo pipefail
cd "$(dirname "$0")/.."

folder=build-arm64
native_packages=(g++-aarch64-linux-gnu qemu-user cmake ninja-build pkg-config)
arm64_packages=(libfreetype-dev libfontconfig-dev libavformat-dev libavcodec-dev libswscale-dev libavutil-dev
                libgtest-dev libgmock-dev)
# The test fonts are the same files for every architecture.
font_packages=(fonts-wine fonts-liberation2 fonts-lato fonts-dejavu-core)

install_packages() {
  if ! dpkg --print-foreign-architectures | grep -qx arm64; then
    echo "Adding arm64 as a foreign architecture (dpkg --add-architecture arm64)"
    if [ "$(id -u)" -eq 0 ]; then dpkg --add-architecture arm64; else sudo dpkg --add-architecture arm64; fi
  fi
  source scripts/packages.sh
  JIZDAVO_PACKAGES=("${native_packages[@]}" "${font_packages[@]}")
  local package
  for package in "${arm64_packages[@]}"; do JIZDAVO_PACKAGES+=("$package:arm64"); done
  jizdavo_install_packages
}

[ "${1:-}" = "--no-install" ] || install_packages

# No vector loops exist for this processor, so the plain ones are built (the configure step says so).
nice cmake -S . -B "$folder" -G Ninja --toolchain "$PWD/tools/arm64-toolchain.cmake" \
  -DJIZDAVO_PLATFORM_ONLY=ON -DJIZDAVO_BENCH=OFF | grep 'Pixel loops'
nice cmake --build "$folder" -j2
# One run of the whole test program under the emulator; ctest would start it once per test.
nice qemu-aarch64 -L /usr/aarch64-linux-gnu "$folder/tests/jizdavo_tests_platform" --gtest_brief=1
