# Sourced by run.sh and test.sh: installs the Debian packages the build, the game and the tests need.
JIZDAVO_PACKAGES=(
  cmake ninja-build g++ clang pkg-config
  libsdl2-dev libx11-dev libfreetype-dev libfontconfig-dev
  libavformat-dev libavcodec-dev libswscale-dev libavutil-dev
  libgtest-dev libgmock-dev libbenchmark-dev libclang-rt-14-dev
  fonts-wine fonts-liberation2 fonts-lato fonts-dejavu-core fonts-dejavu-extra
  xvfb xauth xdotool imagemagick x11-utils ffmpeg
  zlib1g-dev desktop-file-utils appstream dpkg-dev file
)

# Installs what is missing of JIZDAVO_PACKAGES and of the packages named as arguments.
jizdavo_install_packages() {
  local missing=()
  local package
  for package in "${JIZDAVO_PACKAGES[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local apt=(env DEBIAN_FRONTEND=noninteractive apt-get)
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
      apt=(sudo env DEBIAN_FRONTEND=noninteractive apt-get)
    else
      echo "Please install them first, then run this again:"
      echo "  sudo apt-get install -y ${missing[*]}"
      exit 1
    fi
  fi
  "${apt[@]}" update -qq
  "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
}

# Configures and builds into the given folder with the extra CMake arguments that follow.
jizdavo_build() {
  local folder=$1
  shift
  cmake -S . -B "$folder" -G Ninja "$@" >/dev/null
  cmake --build "$folder" -j2
}
