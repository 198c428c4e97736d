#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, checks that every C++
# file keeps the tree's format (.clang-format) and every include the layer order
# of the source folders (scripts/check-layers.sh), and runs every test in
# stages: the quick tests (no display), the display tests on a private virtual X
# server, the quick tests built again with AddressSanitizer and
# UndefinedBehaviorSanitizer (build-sanitize/), and each fuzz target for a while
# (build-fuzz/, clang). Each stage names itself when it starts; the first stage
# that fails ends the run and is named. VEYORA_FUZZ_SECONDS sets each fuzz
# target's time (30 s).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="$(nproc)"
fuzz_seconds="${VEYORA_FUZZ_SECONDS:-30}"

stage=""
stage_started=0
stage_times=()
begin_stage() {
  end_stage
  stage="$1"
  stage_started=$SECONDS
  echo
  echo "=== stage: $stage"
}
end_stage() {
  if [ -n "$stage" ]; then
    stage_times+=("$(printf '%5d s  %s' $((SECONDS - stage_started)) "$stage")")
    echo "=== stage done in $((SECONDS - stage_started)) s: $stage"
  fi
  stage=""
}
# Subshells run this too; only the script itself names the failed stage.
trap 'if [ "$BASHPID" = "$$" ] && [ -n "$stage" ]; then echo "=== FAILED: stage \"$stage\"" >&2; fi' EXIT

begin_stage "build with warnings as errors"
bash scripts/build.sh -DVEYORA_WERROR=ON
# Every C++ file keeps the tree's format (.clang-format at the root).
find bench frontend platform renderer tests tools \( -name '*.cpp' -o -name '*.h' \) -print0 |
  xargs -0 clang-format --dry-run --Werror
# Every include keeps to the layer order of the source folders.
bash scripts/check-layers.sh

begin_stage "quick tests"
# Every test needs a label: an unlabelled quick test would miss the sanitizer stage.
unlabelled="$(cd build && ctest -N -LE '^(quick|display|wayland)$' | grep -E '^ *Test +#' || true)"
if [ -n "$unlabelled" ]; then
  echo "tests without a quick, display or wayland label:" >&2
  echo "$unlabelled" >&2
  exit 1
fi
(cd build && env -u DISPLAY -u WAYLAND_DISPLAY \
  ctest -L quick --output-on-failure -j"$jobs" --timeout 600)

begin_stage "display tests (X server and Wayland compositor)"
(
  . scripts/xvfb.sh
  start_xvfb 1280x1024
  # Mesa's software renderer; no sound card needed.
  export LIBGL_ALWAYS_SOFTWARE=1
  export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
  cd build
  ctest -LE quick --output-on-failure -j"$jobs" --timeout 600
)

begin_stage "sanitizer build of the quick tests"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVEYORA_WERROR=ON \
  -DVEYORA_SANITIZE=ON >/dev/null
cmake --build build-sanitize --target quick_tests -j"$jobs"

begin_stage "quick tests under the sanitizers"
(cd build-sanitize && env -u DISPLAY -u WAYLAND_DISPLAY \
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS="suppressions=$PWD/../tests/leak_suppressions.txt:print_suppressions=0" \
  ctest -L quick --output-on-failure -j"$jobs" --timeout 1200)

begin_stage "fuzz target build"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVEYORA_FUZZ=ON -DVEYORA_WERROR=ON >/dev/null
cmake --build build-fuzz --target fuzzers -j"$jobs"

begin_stage "fuzzing, ${fuzz_seconds} s per target"
# Each target found under a fuzz folder starts from that folder's seeds and
# dictionary when it has them; what it finds is kept in build-fuzz/findings.
mkdir -p build-fuzz/findings
fuzzed=0
while IFS= read -r fuzzer; do
  name="$(basename "$fuzzer")"
  sources="tests/$(dirname "${fuzzer#build-fuzz/tests/}")"
  corpus="build-fuzz/corpus/$name"
  mkdir -p "$corpus"
  options=(-max_total_time="$fuzz_seconds" -print_final_stats=1
           -artifact_prefix="build-fuzz/findings/$name-")
  dictionary="$(find "$sources" -maxdepth 1 -name '*.dict' | head -n 1)"
  [ -n "$dictionary" ] && options+=(-dict="$dictionary")
  seeds=()
  [ -d "$sources/seeds" ] && seeds=("$sources/seeds")
  echo "--- $name"
  "$fuzzer" "${options[@]}" "$corpus" "${seeds[@]}" 2>"build-fuzz/$name.log" ||
    { tail -n 60 "build-fuzz/$name.log" >&2; echo "$name found a fault" >&2; exit 1; }
  grep -E '^stat::number_of_executed_units' "build-fuzz/$name.log" || true
  fuzzed=$((fuzzed + 1))
done < <(find build-fuzz/tests -path '*/fuzz/*' -not -path '*/CMakeFiles/*' -type f \
           -perm -u+x | sort)
if [ "$fuzzed" -eq 0 ]; then echo "no fuzz target was built" >&2; exit 1; fi
end_stage

echo
echo "=== every stage passed"
printf '%s\n' "${stage_times[@]}"
