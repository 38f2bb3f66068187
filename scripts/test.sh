#!/usr/bin/env bash
# Installs what is missing, builds Pellimore with warnings as errors and runs every test;
# then runs the core tests once more under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build/ci -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELLIMORE_WERROR=ON
cmake --build build/ci -j "$jobs"
ctest --test-dir build/ci --output-on-failure -j "$jobs"

cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPELLIMORE_WERROR=ON \
  -DPELLIMORE_SANITIZE=ON -DPELLIMORE_BUILD_GUI=OFF -DPELLIMORE_BUILD_BENCHMARKS=OFF
cmake --build build/sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/sanitize --output-on-failure -j "$jobs" -L core
