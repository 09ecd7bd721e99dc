#!/usr/bin/env bash
# Builds Quorvane Editor in release mode (installing what is missing) and starts it.
# Usage: ./run.sh [FILE.etf]
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCH=OFF >/dev/null
cmake --build build-release -j"$(nproc)"
if [ -x build-release/bin/quorvane-editor ]; then
  exec build-release/bin/quorvane-editor "$@"
fi
exec build-release/bin/quorvane-cli --help
