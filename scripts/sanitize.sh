#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-sanitize/ (float-cast-overflow named as well: GCC's "undefined" set
# does not check conversions of out-of-range floating values), runs every
# suite against a throw-away PostgreSQL server, then the damaged-reference-
# files harness for a few hundred iterations. The first sanitizer report
# stops the run and fails it.
#
#   scripts/sanitize.sh            FUZZ_ITERATIONS (default 400), JOBS (2)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-sanitize"
iterations="${FUZZ_ITERATIONS:-400}"
jobs="${JOBS:-2}"

sanitizers="address,undefined,float-cast-overflow"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="-fsanitize=$sanitizers -fno-sanitize-recover=all -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=$sanitizers" >/dev/null
cmake --build "$build" -j"$jobs"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"

pgenv="$(mktemp)"
"$root/scripts/pg-test-server.sh" start "$pgenv"
trap '"$root/scripts/pg-test-server.sh" stop "$pgenv"; rm -f "$pgenv"' EXIT
# shellcheck disable=SC1090
source "$pgenv"

(cd "$build" && ctest --output-on-failure -j"$jobs")

echo "Damaged reference files: $iterations iterations"
PLEXIWEAVE_SAMPLES="$root/samples" "$build/tests/weave/fuzz_reffiles" "$iterations"
echo "sanitize.sh: every suite and the harness ran without a report"
