#!/usr/bin/env bash
# Builds and runs the DXF import benchmark, with another program's DXF-to-PDF conversion for comparison
# (Debian's librecad, installed here when missing; the test set-up never installs it).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
if ! command -v librecad >/dev/null 2>&1; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends librecad
fi
bash "$root/scripts/build.sh" bench bench_dxf_import
"$root/build/bench/bin/bench_dxf_import" "$@"
