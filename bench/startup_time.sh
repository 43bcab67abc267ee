#!/usr/bin/env bash
# Start-up to the main window: starts vrx under Xvfb beside the simulated logger and waits for
# the map event of its window ("Unbennant"), ROUNDS times, alternating with an empty frame of
# the same toolkit started the same way. Prints both medians and their ratio.
#   bench/startup_time.sh [ROUNDS]        (build vrx, vrx-sim-launch, map_wait, startup_empty)
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-15}
build=$(realpath "${BUILD_DIR:-build}")
for f in app/vrx sim/vrx-sim-launch bench/map_wait bench/startup_empty; do
  [ -x "$build/$f" ] || { echo "missing $build/$f (build it first)" >&2; exit 2; }
done
# A private copy, so the settings file beside it starts out missing: every run is the first
# start, with the tips dialog, as a new user sees it.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$build/app/vrx" "$build/bench/startup_empty" "$work/"

# A random first display number: other runs on a shared machine start at 99 too.
xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1280x1024x24" bash -c '
  set -euo pipefail
  build=$1 work=$2 rounds=$3
  launch=("$build/sim/vrx-sim-launch")
  wait_for() { "$build/bench/map_wait" "$1" 20000 "${launch[@]}" "$2"; }
  wait_for vrx-empty "$work/startup_empty" >/dev/null  # warm the caches once, not counted
  wait_for Unbennant "$work/vrx" >/dev/null
  rm -f "$work"/*.ini
  : >"$work/vrx.times"
  : >"$work/empty.times"
  for ((i = 0; i < rounds; i++)); do
    wait_for Unbennant "$work/vrx" >>"$work/vrx.times"
    rm -f "$work"/*.ini
    wait_for vrx-empty "$work/startup_empty" >>"$work/empty.times"
  done
' _ "$build" "$work" "$rounds"

median() { sort -n "$1" | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
vrx=$(median "$work/vrx.times")
empty=$(median "$work/empty.times")
echo "vrx to its window:          median ${vrx} ms  (runs: $(sort -n "$work/vrx.times" | tr '\n' ' '))"
echo "empty frame to its window:  median ${empty} ms  (runs: $(sort -n "$work/empty.times" | tr '\n' ' '))"
awk -v a="$vrx" -v b="$empty" 'BEGIN {printf "vrx / empty frame: %.2f; beyond the empty frame: %.0f ms\n", a / b, a - b}'
