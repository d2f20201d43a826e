#!/usr/bin/env bash
# Installs what the build, the tests and the program need on Debian 12.
# Idempotent: only missing packages are installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins libqt6svg6 qt6-svg-dev
  fcitx5-frontend-qt6
  libgl-dev libxkbcommon-dev
  libocct-foundation-dev libocct-modeling-data-dev libocct-modeling-algorithms-dev
  libtbb-dev libgsf-1-dev libgsf-bin libdxflib-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-dejavu-core fonts-noto-cjk fonts-urw-base35
  xvfb xauth xclip
  poppler-utils
  libcups2-dev cups-daemon
)
# Node.js and npm run the DWG converter. Debian's packages only when the commands are missing: a Node.js
# that brings its own npm conflicts with Debian's npm.
command -v node >/dev/null 2>&1 || packages+=(nodejs)
command -v npm >/dev/null 2>&1 || packages+=(npm)
# LibreDWG's WebAssembly build for the DWG reader, pinned by the lockfile; run on every way out of this
# script once the packages are there.
install_dwg_converter() {
  local rc=$?
  [ "$rc" -eq 0 ] || exit "$rc"
  local dir
  dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/libs/conv/dwg"
  if [ -f "$dir/package-lock.json" ] && [ ! -f "$dir/node_modules/@mlightcad/libredwg-web/wasm/libredwg-web.wasm" ]; then
    (cd "$dir" && npm ci --omit=dev --no-audit --no-fund) || exit 1
  fi
}
trap install_dwg_converter EXIT

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
