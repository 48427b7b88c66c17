#!/usr/bin/env bash
# The installed game: `cmake --install` into a scratch DESTDIR gives a desktop entry and metainfo
# that validate, the licence where Debian looks for it, a program that answers --help and --version
# without a window and refuses a bad option, and that plays to the main menu and out with "Exit"
# without writing into the install tree.
#
#   installed.sh <build folder>
set -euo pipefail
build=$1
source "$(dirname "$0")/lib.sh"
scenario=installed

work=$(mktemp -d)
root=$work/root
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null || fail "cmake --install failed"
program=$root/usr/bin/jizdavo
desktop-file-validate "$root/usr/share/applications/jizdavo.desktop" || fail "the desktop entry is not valid"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml >/dev/null ||
  fail "the metainfo is not valid"
grep -qx 'License: GPL-3.0-or-later' "$root/usr/share/doc/jizdavo/copyright" || fail "no licence in the package's copyright file"
for size in 16 32 64 128 256; do
  [[ $(identify -format '%wx%h' "$root/usr/share/icons/hicolor/${size}x$size/apps/jizdavo.png") == "${size}x$size" ]] ||
    fail "no ${size}x$size icon"
done

# No display at all: --help and --version must not need one.
env -u DISPLAY "$program" --version >"$work/out" || fail "--version did not exit 0"
grep -q '^Jizdavo v1.0 (build ' "$work/out" || fail "--version printed: $(cat "$work/out")"
env -u DISPLAY "$program" --help >"$work/out" || fail "--help did not exit 0"
grep -q -- '--data-dir DIR' "$work/out" || fail "--help printed no usage"
status=0
env -u DISPLAY "$program" --scale 0 >/dev/null 2>"$work/out" || status=$?
((status == 2)) && grep -q '^Usage: jizdavo' "$work/out" || fail "a bad option gave exit code $status"

tree_state() { find "$root" -printf '%p %s %T@ %m\n' | sort; }
tree_state >"$work/before"
export HOME=$work/home
unset XDG_DATA_HOME
mkdir -p "$HOME"
SDL_AUDIODRIVER=dummy "$program" >"$work/program.log" 2>&1 &
pid=$!
skip_film
e2e_exit
tree_state >"$work/after"
diff "$work/before" "$work/after" >&2 || fail "the program wrote into the install tree"
[[ -d $HOME/.local/share/jizdavo ]] || fail "the user's data folder was not made"
echo "PASS"
