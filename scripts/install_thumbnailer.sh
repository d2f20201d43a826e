#!/usr/bin/env bash
# Lets file managers show the pictures of drawings: installs the program's file types and its
# thumbnailer entry for the current user (or below the data folder given as the first argument),
# pointing at the built program (or the one given as the second argument).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
data="${1:-${XDG_DATA_HOME:-$HOME/.local/share}}"
program="${2:-$root/build/release/bin/KorvanCADst}"
case "$program" in /*) ;; *) program="$(pwd)/$program" ;; esac
mkdir -p "$data/thumbnailers" "$data/mime/packages"
install -m 644 "$root/app/desktop/korvancadst-mime.xml" "$data/mime/packages/korvancadst.xml"
# The entry names the program by its full path: a build tree is not on PATH.
sed -e "s|^TryExec=.*|TryExec=$program|" -e "s|^Exec=KorvanCADst |Exec=$program |" \
  "$root/app/desktop/korvancadst.thumbnailer" > "$data/thumbnailers/korvancadst.thumbnailer"
chmod 644 "$data/thumbnailers/korvancadst.thumbnailer"
if command -v update-mime-database >/dev/null 2>&1; then
  update-mime-database "$data/mime" >/dev/null 2>&1 || true
fi
echo "thumbnailer for $program installed below $data"
