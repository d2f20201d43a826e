#!/usr/bin/env bash
# Installs what is missing, builds the program optimised and starts it.
# Without a display it runs under Xvfb.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" release
program="$root/build/release/bin/KorvanCADst"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  exec xvfb-run -a "$program" "$@"
fi
exec "$program" "$@"
