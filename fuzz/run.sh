#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz, writes their seed corpus from the normal build, then
# runs every target (or only the TARGETs named) for SECONDS, JOBS targets at a time (default 1). Each target keeps a working corpus
# in build-fuzz/corpus/<target> (seeded, and kept between runs) and writes what breaks it into
# build-fuzz/artifacts/<target>/. Prints one line per target; exits non-zero if any target failed.
#
#   fuzz/run.sh SECONDS [JOBS [TARGET...]]      e.g. fuzz/run.sh 600 1 fuzz_wave
set -euo pipefail

seconds=${1:?usage: fuzz/run.sh SECONDS [JOBS [TARGET...]]}
parallel=${2:-1}
shift $(($# < 2 ? $# : 2))
cd "$(dirname "$0")/.."
out=build-fuzz

targets=("$@")
if ((${#targets[@]} == 0)); then
  for source in fuzz/fuzz_*.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi
for target in "${targets[@]}"; do
  [[ -f fuzz/$target.cpp ]] || { echo "no fuzz target $target (fuzz/$target.cpp)" >&2; exit 2; }
done

# The seeds come from the game's own assets and writers, built as the game is.
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j2 --target jizdavo_fuzz_corpus >/dev/null
# The media libraries report the cut-off film seed at length; their words matter only on a failure.
if ! build/fuzz/jizdavo_fuzz_corpus build/fuzz-corpus build 2>build/fuzz-corpus.log; then
  cat build/fuzz-corpus.log >&2
  exit 1
fi

cmake -S . -B "$out" -G Ninja -DJIZDAVO_FUZZ=ON -DJIZDAVO_TESTS=OFF -DJIZDAVO_BENCH=OFF \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang >/dev/null
cmake --build "$out" -j2 --target "${targets[@]}" >/dev/null

# Undefined behaviour stops the target like a crash, so that libFuzzer keeps the input.
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

run_target() {
  local target=$1 corpus=$out/corpus/$1 artifacts=$out/artifacts/$1 log=$out/logs/$1.log
  mkdir -p "$corpus" "$artifacts" "$out/logs"
  cp build/fuzz-corpus/"$target"/* "$corpus"/
  local rc=0
  "$out/fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=30 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$corpus" >"$log" 2>&1 || rc=$?
  echo "$rc" >"$out/logs/$target.rc"
}

for target in "${targets[@]}"; do
  while (($(jobs -rp | wc -l) >= parallel)); do wait -n || true; done
  run_target "$target" &
done
wait

failed=0
for target in "${targets[@]}"; do
  log=$out/logs/$target.log
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  corpus_size=$(find "$out/corpus/$target" -type f | wc -l)
  if [[ $(cat "$out/logs/$target.rc") == 0 ]]; then
    result="no crash"
  else
    failed=1
    artifact=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -n 1)
    result="CRASH: ${artifact:-no artifact} (log $log)"
  fi
  printf '%-16s executions %10s  corpus %5s  %s\n' "$target" "${executions:-?}" "$corpus_size" "$result"
done
exit "$failed"
