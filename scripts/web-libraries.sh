#!/usr/bin/env bash
# Builds the libraries the browser build links (SDL2, FreeType and the media library's parts the game
# uses) with Debian's emscripten, from Debian's source packages at the versions the desktop links,
# into a cache folder outside the clone named after those versions; rebuilt only when missing.
#   scripts/web-libraries.sh    prints the folder (include/, lib/, lib/pkgconfig/); the build's own
#                               output goes to <folder>.log
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/debian-sources.sh
source scripts/ffmpeg-parts.sh

# emscripten's JavaScript optimiser needs acorn, which Debian installs outside node's own search path.
export NODE_PATH=/usr/share/nodejs

# The name of the cache folder: every version that goes into it, and the media library's parts.
web_libraries_key() {
  local parts
  parts=$(printf '%s\n' "${JIZDAVO_FFMPEG_PARTS[@]}" | sha256sum | cut -c1-12)
  local key="web-emscripten_$(jizdavo_debian_version emscripten)"
  key+="-sdl2_$(jizdavo_debian_version libsdl2-dev)"
  key+="-freetype_$(jizdavo_debian_version libfreetype-dev)"
  key+="-ffmpeg_$(jizdavo_debian_version libavcodec-dev)-$parts"
  echo "${key//:/_}"
}

# A CMake project of a source package, built as a static library and installed into the prefix.
build_with_cmake() {
  local source=$1 prefix=$2
  shift 2
  local work="$prefix.work/$(basename "$source")"
  emcmake cmake -S "$source" -B "$work" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBUILD_SHARED_LIBS=OFF "$@"
  cmake --build "$work" -j2
  cmake --install "$work"
}

build_sdl2() {
  build_with_cmake "$(jizdavo_debian_source libsdl2 libsdl2-dev)" "$1" -DSDL_SHARED=OFF -DSDL_STATIC=ON
}

# Glyphs only: the game's fonts are plain TrueType files, so none of FreeType's optional helpers.
build_freetype() {
  build_with_cmake "$(jizdavo_debian_source freetype libfreetype-dev)" "$1" -DFT_DISABLE_ZLIB=ON \
    -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
}

# Plain C for a 32-bit target with no threads: the page runs the game on its one thread.
build_ffmpeg() {
  local prefix=$1
  local source
  source=$(jizdavo_debian_source ffmpeg libavcodec-dev)
  local work="$prefix.work/ffmpeg"
  mkdir -p "$work"
  (cd "$work" && emconfigure "$source/configure" --prefix="$prefix" --enable-cross-compile --target-os=none \
    --arch=x86_32 --cc=emcc --cxx=em++ --ar=emar --ranlib=emranlib --nm=emnm --disable-asm \
    --disable-inline-asm --disable-x86asm --disable-stripping --disable-pthreads --disable-w32threads \
    --disable-os2threads --disable-runtime-cpudetect "${JIZDAVO_FFMPEG_PARTS[@]}")
  make -C "$work" -j2
  make -C "$work" install
}

# Each library builds in the background with its own log; their configure steps, which run the
# compiler hundreds of times one after another, take most of the time.
jizdavo_web_libraries() {
  local prefix
  prefix="$(jizdavo_cache_root)/$(web_libraries_key)"
  if [ ! -f "$prefix/.built" ]; then
    rm -rf "$prefix" "$prefix.work"
    mkdir -p "$prefix" "$prefix.work"
    local started=$SECONDS library failed=()
    local -A builds=()
    for library in sdl2 freetype ffmpeg; do
      "build_$library" "$prefix" >"$prefix.work/$library.log" 2>&1 &
      builds[$library]=$!
    done
    for library in sdl2 freetype ffmpeg; do
      wait "${builds[$library]}" || failed+=("$library")
    done
    for library in "${failed[@]}"; do
      tail -n 40 "$prefix.work/$library.log" >&2
      echo "The browser's $library failed to build; the whole log is $prefix.work/$library.log" >&2
    done
    [ ${#failed[@]} -eq 0 ] || return 1
    rm -rf "$prefix.work"
    echo "Built the browser's libraries in $((SECONDS - started)) s: $prefix" >&2
    touch "$prefix/.built"
  fi
  echo "$prefix"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  jizdavo_web_libraries
fi
