#!/usr/bin/env bash
# The reliability check of saving and recovery, by killing the program (SIGKILL).
#
# 1. Saves: the largest composition is saved again and again over the same
#    file, the way the window's Save does, alternating two versions; it is
#    killed at KILLS random moments (0 to 15 ms after its first save, a save
#    takes a few ms). After every kill the file must hold one version or the
#    other, byte for byte; after the last, one more save must leave no temporary.
# 2. Recovery: the window (offscreen, autosave every second) makes random
#    edits and is killed at a random moment, CRASHES times; the next start must
#    offer the work back, with the last change in it, every time that change
#    was older than the autosave interval.
#
# Usage: bench/kill_during_save.sh [KILLS] [CRASHES]     (default 1000 and 20)
# Environment: BUILD_DIR (default build-bench), KEEP=1 keeps the work folder.
set -euo pipefail
cd "$(dirname "$0")/.."

kills=${1:-1000}
crashes=${2:-20}
build_dir=$(realpath -m "${BUILD_DIR:-build-bench}")
# shellcheck source=bench/common.sh
. bench/common.sh

prepare_full_composition
cmake --build "$build_dir" -j2 --target crash_helper >>"$work/build.log" 2>&1 ||
  { cat "$work/build.log" >&2; exit 1; }
helper=$(realpath "$build_dir/bench/crash_helper")

# A random number of milliseconds in [0, $1], as a sleep argument.
random_sleep() { printf '0.%03d' $((RANDOM % ($1 + 1))); }

echo "1. $kills kills while saving $(stat -c %s full.msf) bytes"
old=0 new=0 damaged=0 temporaries=0
for ((k = 0; k < kills; k++)); do
  rm -f ready
  "$helper" save-loop full.msf song.msf ready 2>/dev/null &
  pid=$!
  while [ ! -e ready ] && kill -0 "$pid" 2>/dev/null; do :; done
  sleep "$(random_sleep 15)"
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  if cmp -s song.msf song.msf.a; then
    old=$((old + 1))
  elif cmp -s song.msf song.msf.b; then
    new=$((new + 1))
  else
    damaged=$((damaged + 1))
    cp song.msf "damaged-$k.msf"
  fi
  if compgen -G '.song.msf.quillnote-*.tmp' >/dev/null; then temporaries=$((temporaries + 1)); fi
done
"$helper" save-loop full.msf song.msf ready 1
left=$(compgen -G '.song.msf.quillnote-*.tmp' | wc -l || true)
echo "   first version $old, second version $new, damaged or empty $damaged;"
echo "   a temporary was left by $temporaries kills; after the next save $left remain"

echo "2. $crashes kills after random edits, autosave every second"
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data SDL_AUDIODRIVER=dummy
mkdir -p "$XDG_CONFIG_HOME/Quillnote"
printf '[Properties]\nRegLoaded=True\nautosave=1\n' >"$XDG_CONFIG_HOME/Quillnote/Quillnote.conf"
settled=0 recovered=0 recent=0 recent_offered=0
for ((k = 0; k < crashes; k++)); do
  export XDG_STATE_HOME=$work/state-$k
  "$helper" edit "$k" >edits.log 2>/dev/null &
  pid=$!
  sleep "$((RANDOM % 6)).$(random_sleep 999 | cut -c3-)"
  killed=$(date +%s%3N)
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  read -r _ changed expected < <(tail -n 1 edits.log) || changed=
  read -r _ offered shown < <("$helper" check 2>/dev/null) || offered=
  if [ -z "$changed" ]; then
    echo "   kill $k: before the first edit; offered $offered"
  elif ((killed - changed >= 1000)); then
    settled=$((settled + 1))
    if [ "$offered" = 1 ] && [ "$shown" = "$expected" ]; then recovered=$((recovered + 1)); fi
  else
    recent=$((recent + 1))
    if [ "$offered" = 1 ]; then recent_offered=$((recent_offered + 1)); fi
  fi
done
echo "   last change older than the interval: $settled kills, recovered with it $recovered"
echo "   last change younger: $recent kills, an earlier copy offered $recent_offered"
[ "$damaged" = 0 ] && [ "$left" = 0 ] && [ "$settled" = "$recovered" ]
