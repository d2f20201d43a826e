#!/usr/bin/env bash
# Prints one line naming the tests of a CTest run that failed at least once and then passed on a rerun
# (ctest --repeat until-pass:N), read from the run's log (build/test/Testing/Temporary/LastTest.log).
# Usage: scripts/reruns.sh [LastTest.log]
set -euo pipefail
log="${1:-Testing/Temporary/LastTest.log}"
if [ ! -r "$log" ]; then
  echo "Tests that passed only on a rerun: unknown (no test log at $log)"
  exit 1
fi
# Every attempt of a test ends with its outcome line followed by '"<name>" end time: ...'.
awk '
  /^".*" end time: / {
    name = $0
    sub(/^"/, "", name)
    sub(/" end time: .*$/, "", name)
    if (!(name in last)) order[++n] = name
    if (previous == "Test Passed.") {
      last[name] = "passed"
    } else {
      last[name] = "failed"
      failedOnce[name] = 1
    }
  }
  { previous = $0 }
  END {
    list = ""
    for (i = 1; i <= n; ++i) {
      name = order[i]
      if ((name in failedOnce) && last[name] == "passed") list = list (list == "" ? "" : " ") name
    }
    print "Tests that passed only on a rerun: " (list == "" ? "none" : list)
  }
' "$log"
