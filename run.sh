#!/usr/bin/env bash
# Installs what is missing, builds Quillnote (Release) into build/ and starts it
# with the given arguments.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build build -j2 --target quillnote
exec build/quillnote "$@"
