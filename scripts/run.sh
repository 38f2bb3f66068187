#!/usr/bin/env bash
# Installs what is missing, builds Pellimore into build/release and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DPELLIMORE_BUILD_BENCHMARKS=OFF
cmake --build build/release -j "$jobs" --target pellimore

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Pellimore is built (build/release/src/app/pellimore), but it cannot start here: this machine has no display (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
  exit 1
fi

exec ./build/release/src/app/pellimore
