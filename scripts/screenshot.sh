#!/usr/bin/env bash
# Starts vrx under Xvfb beside the simulated demo logger and saves a PNG of the screen.
#   scripts/screenshot.sh [OUT.png] [SECONDS]     (build first: scripts/run.sh or test-all.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-vrx-screenshot.png}
wait=${2:-8}
build=${BUILD_DIR:-build}
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "
  '$build/sim/vrx-sim-launch' '$build/app/vrx' &
  pid=\$!
  sleep $wait
  import -window root '$out'
  kill \$pid 2>/dev/null || true
  wait \$pid 2>/dev/null || true
"
echo "saved $out"
