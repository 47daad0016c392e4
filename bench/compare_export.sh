#!/usr/bin/env bash
# Times the whole process of `quillnote --export-midi` on the full composition
# (four tracks of 10 001 notes, 10 001 lyrics) beside csvmidi (package midicsv)
# writing the same MIDI file from its CSV form, as a yardstick of what a small
# native converter costs on this machine.
#
# The last line, `quillnote --version`, is the program's start-up alone (loading
# Qt and creating the application object), for reading the other two.
#
# Usage: bench/compare_export.sh [RUNS]     (default 30 runs of each command)
# Environment: BUILD_DIR (default build-bench), KEEP=1 keeps the work folder.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-30}
build_dir=${BUILD_DIR:-build-bench}
# shellcheck source=bench/common.sh
. bench/common.sh

need_command csvmidi midicsv

prepare_full_composition
"$quillnote" --export-midi full.msf out.mid
midicsv out.mid full.csv
csvmidi full.csv csv.mid
echo "full.msf $(stat -c %s full.msf) bytes, out.mid $(stat -c %s out.mid) bytes," \
  "full.csv $(stat -c %s full.csv) bytes"

# The comparison only means something if both write the same file.
if cmp -s out.mid csv.mid; then
  echo "csvmidi output: byte-identical to quillnote's"
else
  midicsv csv.mid csv.csv
  if cmp -s full.csv csv.csv; then
    echo "csvmidi output: not byte-identical, but the same events (midicsv of both agrees)"
  else
    echo "csvmidi output differs from quillnote's in its events; no comparison" >&2
    diff full.csv csv.csv | head -20 >&2
    exit 1
  fi
fi

if command -v hyperfine >/dev/null; then
  # hyperfine runs each command's series in one block rather than alternating,
  # but its warm-up and outlier handling make up for that.
  hyperfine -N --warmup 3 --runs "$runs" --export-json times.json \
    -n "quillnote --export-midi" "$(printf '%q ' "$quillnote" --export-midi full.msf q.mid)" \
    -n "csvmidi" "csvmidi full.csv c.mid" \
    -n "quillnote --version" "$(printf '%q ' "$quillnote" --version)" >/dev/null
  python3 - times.json <<'EOF'
import json, statistics, sys
for r in json.load(open(sys.argv[1]))["results"]:
    t = [x * 1000 for x in r["times"]]
    print(f"{r['command']:<24} median {statistics.median(t):7.2f} ms   mean {statistics.mean(t):7.2f} ms"
          f"   min {min(t):7.2f} ms   ({len(t)} runs, hyperfine)")
EOF
else
  # Alternating runs, the order flipped every round, so load from other
  # processes on this machine falls on both commands alike.
  python3 - "$runs" "$quillnote" <<'EOF'
import statistics, subprocess, sys, time
runs, quillnote = int(sys.argv[1]), sys.argv[2]
commands = {"quillnote --export-midi": [quillnote, "--export-midi", "full.msf", "q.mid"],
            "csvmidi": ["csvmidi", "full.csv", "c.mid"],
            "quillnote --version": [quillnote, "--version"]}
def run(name):
    start = time.monotonic_ns()
    subprocess.run(commands[name], check=True, stdout=subprocess.DEVNULL)
    return (time.monotonic_ns() - start) / 1e6
for name in commands:  # warm-up: page cache, dynamic loader
    for _ in range(3):
        run(name)
times = {name: [] for name in commands}
names = list(commands)
for i in range(runs):
    for name in (names if i % 2 == 0 else names[::-1]):
        times[name].append(run(name))
for name, t in times.items():
    print(f"{name:<24} median {statistics.median(t):7.2f} ms   mean {statistics.mean(t):7.2f} ms"
          f"   min {min(t):7.2f} ms   ({runs} alternating runs)")
EOF
fi
