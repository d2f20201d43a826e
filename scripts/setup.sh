#!/usr/bin/env bash
# Installs what the build, the tests and the program need on Debian 12.
# Idempotent: only missing packages are installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins libqt6svg6
  libgl-dev libxkbcommon-dev
  libocct-foundation-dev libocct-modeling-data-dev libocct-modeling-algorithms-dev
  libtbb-dev libgsf-1-dev libgsf-bin libdxflib-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-dejavu-core fonts-noto-cjk
  xvfb xauth
  poppler-utils
)

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
