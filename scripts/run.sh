#!/usr/bin/env bash
# Installs what is needed, builds, and starts vrx. With a Corvane logger on the USB bus the
# program talks to it; without one it starts beside the simulated demo logger. Without a
# display it runs under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target vrx vrx-sim-launch

logger_attached() {
  local d
  for d in /sys/bus/usb/devices/*; do
    [ -f "$d/idVendor" ] || continue
    if [ "$(cat "$d/idVendor")" = "04d8" ] && [ "$(cat "$d/idProduct")" = "fffd" ]; then return 0; fi
  done
  return 1
}

cmd=(build/app/vrx)
logger_attached || cmd=(build/sim/vrx-sim-launch build/app/vrx)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "${cmd[@]}"
fi
exec "${cmd[@]}"
