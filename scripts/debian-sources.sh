# Sourced by the scripts that build the game's libraries for another target (the browser, Windows):
# Debian's own source packages, at the versions the desktop build links, unpacked into a cache
# outside the clone and kept there.

# The cache folder shared by every target's libraries; JIZDAVO_CACHE moves it.
jizdavo_cache_root() {
  echo "${JIZDAVO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/jizdavo}"
}

# The installed version of a Debian binary package, as `dpkg` knows it.
jizdavo_debian_version() {
  dpkg-query -W -f='${Version}' "$1"
}

# Lets apt fetch sources: a deb-src entry for every archive the machine already takes binaries from.
jizdavo_enable_debian_sources() {
  if grep -rqs '^[[:space:]]*\(deb-src\|Types:.*deb-src\)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    return 0
  fi
  local as_root=()
  [ "$(id -u)" -ne 0 ] && as_root=(sudo)
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
      "${as_root[@]}" tee /etc/apt/sources.list.d/jizdavo-deb-src.sources >/dev/null
  else
    grep '^[[:space:]]*deb ' /etc/apt/sources.list | sed 's/^\([[:space:]]*\)deb /\1deb-src /' |
      "${as_root[@]}" tee /etc/apt/sources.list.d/jizdavo-deb-src.list >/dev/null
  fi
  "${as_root[@]}" apt-get update -qq
}

# Prints the folder holding Debian's source package SOURCE at the version of the installed binary
# package BINARY, unpacked with Debian's patches applied; fetched only when the cache lacks it.
jizdavo_debian_source() {
  local source=$1 binary=$2
  local version
  version=$(jizdavo_debian_version "$binary")
  local folder
  folder="$(jizdavo_cache_root)/sources/$source-${version//:/_}"
  if [ ! -f "$folder/.unpacked" ]; then
    jizdavo_enable_debian_sources
    rm -rf "$folder" "$folder.part"
    mkdir -p "$folder.part"
    (cd "$folder.part" && apt-get source -qq "$source=$version" >/dev/null)
    local unpacked
    unpacked=$(find "$folder.part" -mindepth 1 -maxdepth 1 -type d | head -n 1)
    mv "$unpacked" "$folder"
    rm -rf "$folder.part"
    touch "$folder/.unpacked"
  fi
  echo "$folder"
}
