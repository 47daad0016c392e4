#!/usr/bin/env bash
# Times the whole process of `quillnote --print-pdf` on the full composition
# (four tracks of 10 001 notes: 501 pages) and its peak memory, with
# /usr/bin/time, and checks the page count of the PDF with pdfinfo.
#
# Usage: bench/print_pdf.sh [RUNS]     (default 10 runs)
# Environment: BUILD_DIR (default build-bench), KEEP=1 keeps the work folder.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-10}
build_dir=${BUILD_DIR:-build-bench}
# shellcheck source=bench/common.sh
. bench/common.sh

need_command pdfinfo poppler-utils
[ -x /usr/bin/time ] || need_command time time

prepare_full_composition
"$quillnote" --print-pdf full.msf full.pdf
echo "full.msf $(stat -c %s full.msf) bytes: $(pdfinfo full.pdf | awk '/^Pages:/ {print $2}') pages"

for _ in $(seq "$runs"); do
  /usr/bin/time -f '%e %U %S %M' -a -o times.txt "$quillnote" --print-pdf full.msf full.pdf
done
echo "PDF $(stat -c %s full.pdf) bytes"
# Wall-clock and CPU seconds, and the peak resident memory, of each run.
python3 - times.txt <<'PY'
import statistics, sys
rows = [list(map(float, line.split())) for line in open(sys.argv[1])]
wall = [r[0] for r in rows]
cpu = [r[1] + r[2] for r in rows]
peak = [r[3] / 1024 for r in rows]
print(f"quillnote --print-pdf  wall median {statistics.median(wall):.2f} s (min {min(wall):.2f} s)"
      f"   CPU median {statistics.median(cpu):.2f} s   peak memory max {max(peak):.1f} MB"
      f"   ({len(rows)} runs)")
PY
