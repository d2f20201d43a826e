#!/usr/bin/env bash
# Installs what is missing, builds every test with the sanitizers and runs them all.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" test
cd "$root/build/test"
export QT_QPA_PLATFORM=offscreen
# A test that fails is run again (up to three times in all) so that one slow moment of a loaded
# machine cannot fail the run; a real fault fails every time.
ctest --output-on-failure -j "${KC_JOBS:-$(nproc)}" --timeout 600 --repeat until-pass:3
