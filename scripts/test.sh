#!/usr/bin/env bash
# Installs what is missing, builds every test with the sanitizers and runs them all.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" test
cd "$root/build/test"
export QT_QPA_PLATFORM=offscreen
ctest --output-on-failure -j "${KC_JOBS:-$(nproc)}" --timeout 600
