#!/usr/bin/env bash
# Builds Quorvane Editor in release mode (installing what is missing) and starts it.
# Usage: ./run.sh [FILE.etf]
set -euo pipefail

# Documents named relative to where the user stands, before moving to the source folder.
args=()
for arg in "$@"; do
  case "$arg" in
    /* | -*) args+=("$arg") ;;
    *) args+=("$PWD/$arg") ;;
  esac
done

cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCH=OFF >/dev/null
cmake --build build-release -j"$(nproc)"
exec build-release/bin/quorvane-editor "${args[@]}"
