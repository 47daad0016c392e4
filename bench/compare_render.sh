#!/usr/bin/env bash
# Times the whole process of `quillnote --render` (the audio export of File >
# Export Audio) on the full composition (four tracks of 10 001 notes, 52 minutes
# of music at Division 64) into WAV, FLAC and Ogg Vorbis, beside FluidSynth's
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
import ctypes, os, resource, statistics, subprocess, sys, time

runs, quillnote, font = int(sys.argv[1]), sys.argv[2], sys.argv[3]
commands = {
    "quillnote --render WAV": [quillnote, "--render", "full.msf", "q.wav"],
    "quillnote --render FLAC": [quillnote, "--render", "full.msf", "q.flac"],
    "quillnote --render Ogg": [quillnote, "--render", "full.msf", "q.ogg"],
    "fluidsynth as configured": ["fluidsynth", "-ni", "-q", "-F", "fc.wav", "-r", "44100",
                                 "-g", "0.5", "-R", "0", "-C", "0", "-O", "s16", "-T", "wav",
                                 font, "full.mid"],
    "fluidsynth defaults": ["fluidsynth", "-F", "fd.wav", "-r", "44100", "-ni", "-q",
                            font, "full.mid"],
    "quillnote --export-midi": [quillnote, "--export-midi", "full.msf", "x.mid"],
}

def cpu_seconds():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime

# Wall-clock time, and the CPU time of the process (user + system), which a
# machine shared with other work changes far less.
def run(name):
    start, start_cpu = time.monotonic_ns(), cpu_seconds()
    subprocess.run(commands[name], check=True, stdout=subprocess.DEVNULL)
    return (time.monotonic_ns() - start) / 1e9, cpu_seconds() - start_cpu

times = {name: [] for name in commands}
cpu = {name: [] for name in commands}
names = list(commands)
for i in range(runs):  # alternating, the order flipped every round
    for name in (names if i % 2 == 0 else names[::-1]):
        wall, used = run(name)
        times[name].append(wall)
        cpu[name].append(used)

# The length of each file, read with libsndfile as the program writes them.
class Info(ctypes.Structure):
    _fields_ = [("frames", ctypes.c_int64), ("samplerate", ctypes.c_int),
                ("channels", ctypes.c_int), ("format", ctypes.c_int),
                ("sections", ctypes.c_int), ("seekable", ctypes.c_int)]
sndfile = ctypes.CDLL("libsndfile.so.1")
sndfile.sf_open.restype = ctypes.c_void_p
sndfile.sf_close.argtypes = [ctypes.c_void_p]

def seconds_of(path):
    info = Info()
    handle = sndfile.sf_open(path.encode(), 0x10, ctypes.byref(info))  # SFM_READ
    if not handle:
        sys.exit(f"cannot read {path}")
    sndfile.sf_close(handle)
    return info.frames / info.samplerate

files = {"quillnote --render WAV": "q.wav", "quillnote --render FLAC": "q.flac",
         "quillnote --render Ogg": "q.ogg", "fluidsynth as configured": "fc.wav",
         "fluidsynth defaults": "fd.wav"}
for name, t in times.items():
    line = (f"{name:<26} median {statistics.median(t):7.2f} s   min {min(t):7.2f} s   "
            f"CPU {statistics.median(cpu[name]):7.2f} s")
    if name in files:
        seconds = seconds_of(files[name])
        line += (f"   audio {seconds:7.1f} s  {os.path.getsize(files[name]) / 1e6:6.0f} MB  "
                 f"{seconds / statistics.median(t):4.0f} x real time")
    print(line + f"   ({runs} runs)")
PYTHON
