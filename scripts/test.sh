#!/usr/bin/env bash
# Installs what is missing, builds every test with the sanitizers and runs them all.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" test
# The benchmarks are built apart, but their build files are checked here so that a broken one shows at once.
cmake -S "$root" -B "$root/build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKC_BUILD_TESTS=OFF -DKC_BUILD_BENCH=ON > /dev/null
cd "$root/build/test"
export QT_QPA_PLATFORM=offscreen
# A test that fails is run again (up to three times in all), so that a run is not lost to one bad moment;
# a real fault fails every time. A test that needed a rerun is a fault of its own (it waits on luck rather
# than on a condition): the run ends by naming every such test, and that list is meant to stay empty.
status=0
ctest --output-on-failure -j "${KC_JOBS:-$(nproc)}" --timeout 600 --repeat until-pass:3 "$@" || status=$?
"$root/scripts/reruns.sh" Testing/Temporary/LastTest.log || true
exit "$status"
