#!/usr/bin/env bash
# Installs what is needed, then runs every check: the build with warnings as errors and all
# its tests; the same tests built with AddressSanitizer and UndefinedBehaviorSanitizer; a
# short run of every fuzz target; and installing the program (prefix and Debian package).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

echo "== build and test"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVRX_WERROR=ON
cmake --build build -j2
ctest --test-dir build --output-on-failure -j2

echo "== sanitizers"
# Light optimisation keeps both the build and the instrumented tests quick.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" -DCMAKE_C_FLAGS_DEBUG="-O1 -g1" \
  -DVRX_WERROR=ON -DVRX_SANITIZE=ON -DVRX_BUILD_BENCH=OFF
cmake --build build-asan -j2
ctest --test-dir build-asan --output-on-failure -j2

echo "== fuzzing"
bash fuzz/run.sh "${VRX_FUZZ_SECONDS:-60}"

echo "== installation"
bash scripts/check-install.sh build
