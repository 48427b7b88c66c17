#!/usr/bin/env bash
# Fails on an include that reaches up or sideways between the layers, or against the inner order of the
# platform's parts, or round a cycle, naming the file and the line. Every layer's folder may include
# its own headers and those of the layers below it; the tests of a layer are held to the same rule. The
# main window's header is for the main window and the program alone.
#
#   tools/check-layers.sh   (ctest runs it as the test "layers")
set -euo pipefail
cd "$(dirname "$0")/.."

# The platform: its seams at the root (platform), then its parts, lowest first. sdl is over them all.
platform_all="platform platform/text platform/pixels platform/pictures platform/display platform/sound
              platform/film platform/input platform/time platform/assets"
declare -A may_include=(
  [platform]="platform"
  [platform/text]="platform/text platform"
  [platform/pixels]="platform/pixels platform/text platform"
  [platform/pictures]="platform/pictures platform/pixels platform/text platform"
  [platform/display]="platform/display platform/pixels platform/text platform"
  [platform/sound]="platform/sound platform"
  [platform/film]="platform/film platform"
  [platform/input]="platform/input platform"
  [platform/time]="platform/time platform"
  [platform/assets]="platform/assets platform/pictures platform/display platform/sound platform/pixels
                     platform/text platform"
  [platform/sdl]="platform/sdl $platform_all"
  [state]="state $platform_all"
  [sprites]="sprites state $platform_all"
  [files]="files state $platform_all"
  [widgets]="widgets $platform_all"
  [main_window]="main_window sprites files widgets state $platform_all"
  [program]="program main_window sprites files widgets state $platform_all platform/sdl"
)
include_pattern='^\s*#\s*include\s+"[^"]+/[^"]+"'

# The layer of a path inside src/ or tests/ (each part of the platform is a layer of its own), in $layer.
layer_of() {
  case "$1" in
    platform/*/*) layer="${1%/*}" ;;
    platform/*) layer="platform" ;;
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
  local words=" ${2//$'\n'/ } "
  [[ $words == *" $1 "* ]]
}

check_layers() {
  local file line target from allowed needed reach
  while IFS=: read -r file line target; do
    target=${target#*\"}
    target=${target%%\"*}
    layer_of "${file#*/}"
    from=$layer
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
        fail "$file:$line: $from may include only $(echo $allowed), not \"$target\" ($reach)"
        break
      fi
    done
  done < <(grep -rnE "$include_pattern" src "${layer_tests[@]}")
}

check_main_window_header() {
  local file line rest
  while IFS=: read -r file line rest; do
    case "$file" in
      src/main_window/* | src/program/*) ;;
      *) fail "$file:$line: only the main window's own files and the program include main_window/jizdavo.h" ;;
    esac
  done < <(grep -rnE '^\s*#\s*include\s+"main_window/jizdavo\.h"' src fuzz)
}

# A header and its source are one unit; no unit of the platform may reach itself through others'
# includes.
check_cycles() {
  local file target loop
  loop=$(
    grep -rE "$include_pattern" src/platform | while IFS=: read -r file target; do
      target=${target#*\"}
      target=${target%%\"*}
      file=${file#src/}
      [[ ${file%.*} != "${target%.*}" ]] && echo "${file%.*} ${target%.*}"
    done | tsort 2>&1 >/dev/null || true
  )
  [[ -z $loop ]] || fail "includes run round a cycle: $(echo $loop)"
}

layer_tests=()
for folder in "${!may_include[@]}"; do
  [[ $folder != */* && -d tests/$folder ]] && layer_tests+=("tests/$folder")
done
check_layers
check_main_window_header
check_cycles
if ((failures)); then
  echo "layers: $failures wrong include(s) found" >&2
  exit 1
fi
echo "layers: every include reaches only down"
