#!/usr/bin/env bash
# Installs what is needed, builds everything with warnings as errors, runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVRX_WERROR=ON
cmake --build build -j2
ctest --test-dir build --output-on-failure -j2
