#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Quillnote need,
# when any is missing. Sourced by run.sh and test.sh.
set -euo pipefail

QUILLNOTE_PACKAGES=(
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev
  # SVG pictures: the library, and its plugins (icon engine, image format) that
  # load the toolbar icons and the desktop theme's icons at run time
  qt6-svg-dev libqt6svg6
  libfluidsynth-dev libsdl2-dev libsndfile1-dev timgm6mb-soundfont
  librtmidi-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  poppler-utils
)

missing=()
for package in "${QUILLNOTE_PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
