#!/usr/bin/env bash
# Fails on an include that reaches up or sideways between the layers, naming the file and the line.
# Every layer's folder may include its own headers and those of the layers below it; the tests of a
# layer are held to the same rule. The main window's header is for the window and the program alone.
#
#   tools/check-layers.sh   (ctest runs it as the test "layers")
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A may_include=(
  [platform]="platform"
  [platform/sdl]="platform/sdl platform"
  [state]="state platform"
  [objects]="objects state platform"
  [files]="files state platform"
  [widgets]="widgets platform"
  [window]="window objects files widgets state platform"
  [program]="program window objects files widgets state platform platform/sdl"
)
include_pattern='^\s*#\s*include\s+"[^"]+/[^"]+"'

# The layer of a path inside src/ or tests/ (platform/sdl is a layer of its own), in $layer.
layer_of() {
  case "$1" in
    platform/sdl/*) layer="platform/sdl" ;;
    main.cpp) layer="program" ;;
    */*) layer="${1%%/*}" ;;
    *) layer="" ;;
  esac
}

# The layers a header of the test kit (tests/support) reaches, in $reached: it may be included
# wherever all of them may.
kit_reach() {
  local target
  while read -r target; do
    target=${target#*\"}
    target=${target%%\"*}
    if [[ $target == support/* ]]; then
      kit_reach "tests/$target"
    else
      layer_of "$target"
      reached+=" $layer"
    fi
  done < <(grep -hE "$include_pattern" "$1")
}

failures=0
fail() {
  echo "$1" >&2
  failures=$((failures + 1))
}

# Is $1 among the words of $2?
allows() {
  [[ " $2 " == *" $1 "* ]]
}

check_layers() {
  local file line target from allowed needed reach
  while IFS=: read -r file line target; do
    target=${target#*\"}
    target=${target%%\"*}
    layer_of "${file#*/}"
    from=$layer
    # The platform's tests also test its SDL back end.
    [[ $file == tests/platform/* ]] && from="platform/sdl"
    allowed=${may_include[$from]}
    if [[ $file == tests/* && $target == support/* && -f tests/$target ]]; then
      reached=""
      kit_reach "tests/$target"
      needed=$reached
    else
      layer_of "$target"
      needed=$layer
    fi
    for reach in $needed; do
      if ! allows "$reach" "$allowed"; then
        fail "$file:$line: $from may include only $allowed, not \"$target\" ($reach)"
        break
      fi
    done
  done < <(grep -rnE "$include_pattern" src "${layer_tests[@]}")
}

check_main_window_header() {
  local file line rest
  while IFS=: read -r file line rest; do
    case "$file" in
      src/window/* | src/program/*) ;;
      *) fail "$file:$line: only the main window's own files and the program include window/jizdavo.h" ;;
    esac
  done < <(grep -rnE '^\s*#\s*include\s+"window/jizdavo\.h"' src fuzz)
}

layer_tests=()
for folder in "${!may_include[@]}"; do
  [[ -d tests/$folder && $folder != platform/sdl ]] && layer_tests+=("tests/$folder")
done
check_layers
check_main_window_header
if ((failures)); then
  echo "layers: $failures wrong include(s) found" >&2
  exit 1
fi
echo "layers: every include reaches only down"
