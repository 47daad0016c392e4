#!/bin/bash
# Whole-process start-up of the window as a user meets it: from exec of
# build/quillnote (which execs quillnote-app) to the main window's first frame
# painted and handed to the X server, under a virtual X server (Xvfb) and a
# D-Bus session bus, as in a desktop session, with the settings of an earlier
# run already stored. The program reports that moment itself when
# QUILLNOTE_STARTUP_PROBE is set, and ends at once.
#
#   bench/startup.sh [RUNS] [SOUNDFONT...]
#
# RUNS defaults to 20; each sound font (default: TimGM6mb and FluidR3 from
# /usr/share/sounds/sf2) gets its own series. Run from the project's top folder.
# program=/other/build/quillnote times another build (with quillnote-app beside
# it) instead of this one's. A last series times bench/startup_floor, the
# toolkit's plainest window, for comparison.
set -euo pipefail

build_dir=${build_dir:-build}
# shellcheck source=bench/common.sh
source bench/common.sh
need_command xvfb-run xvfb
# Without a session bus the toolkit spends about 14 ms launching one at every start.
need_command dbus-run-session dbus-daemon
runs=${1:-20}
shift || true
fonts=("$@")
if [ ${#fonts[@]} -eq 0 ]; then
  fonts=(/usr/share/sounds/sf2/TimGM6mb.sf2 /usr/share/sounds/sf2/FluidR3_GM.sf2)
fi

cmake --build "$build_dir" -j2 --target quillnote quillnote-app startup_exec startup_floor >/dev/null
quillnote=$(realpath "${program:-$build_dir/quillnote}")
startup_exec=$(realpath "$build_dir/bench/startup_exec")
startup_floor=$(realpath "$build_dir/bench/startup_floor")

# A home of its own: the user's settings stay untouched, and the warm-up run
# below writes the settings every measured run then reads.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share
export XDG_RUNTIME_DIR=$home/runtime
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} QT_QPA_PLATFORM=xcb QUILLNOTE_STARTUP_PROBE=1

for font in "${fonts[@]}"; do
  export QUILLNOTE_SOUNDFONT=$font
  echo "== sound font: $font"
  xvfb-run -a -s '-screen 0 1600x1000x24' dbus-run-session -- bash -c '
    "$1" 1 "$2" >/dev/null  # warm-up: the first run stores the settings
    "$1" "$3" "$2"' _ "$startup_exec" "$quillnote" "$runs"
done
echo "== the toolkit's plainest window (floor)"
xvfb-run -a -s '-screen 0 1600x1000x24' dbus-run-session -- bash -c '
  "$1" 1 "$2" >/dev/null
  "$1" "$3" "$2"' _ "$startup_exec" "$startup_floor" "$runs"
