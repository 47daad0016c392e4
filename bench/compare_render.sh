#!/usr/bin/env bash
# Times the whole process of `quillnote --render` on the full composition (four
# tracks of 10 001 notes, 52 minutes of music at Division 64) beside FluidSynth's
# own command-line renderer (package fluidsynth) on the same MIDI file, the one
# `quillnote --export-midi` writes, with the same sound font.
#
# Two FluidSynth lines: "as configured" with the settings Quillnote gives its
# synthesiser (gain 0.5, no built-in reverb or chorus, 16-bit WAV), and
# "defaults", the plain `fluidsynth -F out.wav -r 44100 -ni font file.mid`
# (reverb and chorus on). Quillnote's time includes opening the .msf and
# writing the MIDI bytes; `quillnote --export-midi` alone is printed for reading it.
#
# Usage: bench/compare_render.sh [RUNS]     (default 3 alternating runs of each)
# Environment: BUILD_DIR (default build-bench), QUILLNOTE_SOUNDFONT (default:
# the first system font, as the program looks it up), KEEP=1 keeps the work folder.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-3}
build_dir=${BUILD_DIR:-build-bench}
# shellcheck source=bench/common.sh
. bench/common.sh

need_command fluidsynth fluidsynth

font=${QUILLNOTE_SOUNDFONT:-}
if [ -z "$font" ]; then
  for candidate in default-GM.sf2 TimGM6mb.sf2 FluidR3_GM.sf2; do
    if [ -f "/usr/share/sounds/sf2/$candidate" ]; then
      font=/usr/share/sounds/sf2/$candidate
      break
    fi
  done
fi
[ -n "$font" ] || { echo "No sound font; set QUILLNOTE_SOUNDFONT" >&2; exit 1; }
export QUILLNOTE_SOUNDFONT=$font

prepare_full_composition
"$quillnote" --export-midi full.msf full.mid
echo "Sound font: $(readlink -f "$font") ($(stat -Lc %s "$font") bytes)"
echo "full.msf $(stat -c %s full.msf) bytes, full.mid $(stat -c %s full.mid) bytes"

python3 - "$runs" "$quillnote" "$font" <<'PYTHON'
import statistics, subprocess, sys, time, wave

runs, quillnote, font = int(sys.argv[1]), sys.argv[2], sys.argv[3]
commands = {
    "quillnote --render": [quillnote, "--render", "full.msf", "q.wav"],
    "fluidsynth as configured": ["fluidsynth", "-ni", "-q", "-F", "fc.wav", "-r", "44100",
                                 "-g", "0.5", "-R", "0", "-C", "0", "-O", "s16", "-T", "wav",
                                 font, "full.mid"],
    "fluidsynth defaults": ["fluidsynth", "-F", "fd.wav", "-r", "44100", "-ni", "-q",
                            font, "full.mid"],
    "quillnote --export-midi": [quillnote, "--export-midi", "full.msf", "x.mid"],
}

def run(name):
    start = time.monotonic_ns()
    subprocess.run(commands[name], check=True, stdout=subprocess.DEVNULL)
    return (time.monotonic_ns() - start) / 1e9

times = {name: [] for name in commands}
names = list(commands)
for i in range(runs):  # alternating, the order flipped every round
    for name in (names if i % 2 == 0 else names[::-1]):
        times[name].append(run(name))

def seconds_of(path):
    with wave.open(path) as w:
        return w.getnframes() / w.getframerate()

audio = {"quillnote --render": seconds_of("q.wav"),
         "fluidsynth as configured": seconds_of("fc.wav"),
         "fluidsynth defaults": seconds_of("fd.wav")}
for name, t in times.items():
    line = f"{name:<26} median {statistics.median(t):7.2f} s   min {min(t):7.2f} s"
    if name in audio:
        line += (f"   audio {audio[name]:8.1f} s   "
                 f"{audio[name] / statistics.median(t):6.0f} x real time")
    print(line + f"   ({runs} runs)")
PYTHON
