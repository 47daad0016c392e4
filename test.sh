#!/usr/bin/env bash
# Installs what is missing, builds everything into build/ and runs every test;
# then runs the tests of the plain C++ libraries (model, effects) again in an
# AddressSanitizer + UndefinedBehaviorSanitizer build (build-sanitize/).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}"
cmake --build build -j2
(cd build && ctest --output-on-failure -j2)

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DQUILLNOTE_SANITIZE=ON -DQUILLNOTE_MODEL_ONLY=ON "${launcher[@]}"
cmake --build build-sanitize -j2
(cd build-sanitize && ctest --output-on-failure -j2)
