# Sourced by run.sh and test.sh: builds the game as a web page into build-web/ (index.html,
# jizdavo.js, jizdavo.wasm, jizdavo.data) and packs that folder into build-web.zip beside it.

JIZDAVO_WEB_PACKAGES=(emscripten python3)

jizdavo_web_build() {
  # The generator of the pictures, sounds and tunes runs on this machine, from the desktop build.
  cmake -S . -B build -G Ninja >/dev/null
  cmake --build build -j2 --target assetgen
  local libraries
  libraries=$(scripts/web-libraries.sh)
  export NODE_PATH=/usr/share/nodejs
  cmake -S . -B build-web -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/web.cmake -DJIZDAVO_WEB_LIBRARIES="$libraries" \
    -DJIZDAVO_HOST_ASSETGEN="$PWD/build/tools/assetgen/assetgen" >/dev/null
  cmake --build build-web -j2 --target jizdavo
  rm -f build-web.zip
  (cd build-web && python3 -m zipfile -c ../build-web.zip index.html jizdavo.js jizdavo.wasm jizdavo.data)
}
