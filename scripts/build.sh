#!/usr/bin/env bash
# Configures and builds one build tree. Usage: scripts/build.sh <release|test> [targets...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
kind="${1:-release}"; shift || true

jobs="${KC_JOBS:-$(nproc)}"
case "$kind" in
  release) dir="$root/build/release"; flags=(-DCMAKE_BUILD_TYPE=Release -DKC_BUILD_TESTS=OFF -DKC_SANITIZE=OFF) ;;
  test)    dir="$root/build/test";    flags=(-DCMAKE_BUILD_TYPE=Debug -DKC_BUILD_TESTS=ON -DKC_SANITIZE=ON) ;;
  bench)   dir="$root/build/bench";   flags=(-DCMAKE_BUILD_TYPE=Release -DKC_BUILD_TESTS=OFF -DKC_BUILD_BENCH=ON) ;;
  *) echo "usage: $0 <release|test|bench> [targets...]" >&2; exit 2 ;;
esac

if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$root" -B "$dir" -G Ninja "${flags[@]}"
fi
if [ $# -gt 0 ]; then
  cmake --build "$dir" -j "$jobs" --target "$@"
else
  cmake --build "$dir" -j "$jobs"
fi
