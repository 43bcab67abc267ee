#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for SECONDS (default 60) on a copy of its
# seed corpus, so the corpus in the repository never grows. Prints the executions per
# target; exits 1 when a target crashes, hangs or fails a check. Crashing inputs and the
# target's log are kept in build-fuzz/artifacts/.
#   fuzz/run.sh [SECONDS]            BUILD_DIR=... to build elsewhere (default build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
case "$seconds" in '' | *[!0-9]*) echo "usage: fuzz/run.sh [SECONDS]" >&2; exit 2 ;; esac
build=${BUILD_DIR:-build-fuzz}

# Nothing is installed here; say what is missing instead.
missing=()
for tool in clang clang++ cmake pkg-config; do
  command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
if command -v clang++ >/dev/null 2>&1; then
  fuzzer_lib=$(clang++ -print-file-name=libclang_rt.fuzzer-x86_64.a 2>/dev/null || true)
  [ -f "$fuzzer_lib" ] || missing+=("libFuzzer runtime (libclang_rt.fuzzer-x86_64.a)")
fi
if command -v pkg-config >/dev/null 2>&1 && ! pkg-config --exists libusb; then
  missing+=("libusb-0.1 headers (libusb.pc)")
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "fuzz/run.sh: missing: ${missing[*]}" >&2
  echo "On Debian 12: apt-get install clang libclang-rt-14-dev cmake pkg-config libusb-dev" >&2
  exit 2
fi

cmake -S fuzz -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVRX_WERROR=ON >/dev/null
cmake --build "$build" -j2

# Scratch space in memory when there is some: corpus copies and the targets' temp files.
base=/tmp
[ -d /dev/shm ] && [ -w /dev/shm ] && base=/dev/shm
scratch=$(mktemp -d "$base/vrx-fuzz-run.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
artifacts="$build/artifacts"
mkdir -p "$artifacts"

failed=0
summary=()
while read -r target; do
  [ -n "$target" ] || continue
  work="$scratch/$target"
  mkdir -p "$work/corpus" "$work/tmp"
  cp fuzz/corpus/"$target"/* "$work/corpus/" 2>/dev/null || true
  log="$work/log"
  echo "== $target: ${seconds}s"
  status=0
  # A hang of 25 s on one input counts as a failure, as does any sanitizer report. Inputs
  # may use the full length at once: the text formats' limits (198-byte texts, 62-byte
  # settings lines) lie beyond what a short run would otherwise grow to.
  TMPDIR="$work/tmp" "$build/$target" -max_total_time="$seconds" -timeout=25 -len_control=0 \
    -print_final_stats=1 -artifact_prefix="$artifacts/$target-" "$work/corpus" >"$log" 2>&1 || status=$?
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  execs=${execs:-?}
  if [ "$status" -ne 0 ]; then
    failed=1
    cp "$log" "$artifacts/$target.log"
    echo "-- $target FAILED (exit $status); input and log in $artifacts/" >&2
    grep -E 'ERROR|runtime error|check failed|Test unit written|SUMMARY' "$log" | head -n 20 >&2 || true
    summary+=("$(printf '%-22s %12s  FAILED' "$target" "$execs")")
  else
    summary+=("$(printf '%-22s %12s  ok' "$target" "$execs")")
  fi
done <"$build/targets.txt"

echo
printf '%-22s %12s  %s\n' target executions result
printf '%s\n' "${summary[@]}"
exit "$failed"
