# Shared by the bench/compare_*.sh scripts, which source it from the project's
# top folder after setting `build_dir`.

# Installs the Debian package $2 when the command $1 is missing.
need_command() {
  command -v "$1" >/dev/null && return
  echo "Installing $2"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "$2"
}

# A work folder (kept with KEEP=1), a Release build of quillnote and the
# generator of the full composition, and full.msf written into the folder,
# which becomes the current one. Sets `work`, `quillnote`, `make_full_msf`.
prepare_full_composition() {
  work=$(mktemp -d)
  if [ "${KEEP:-0}" = 1 ]; then echo "Work folder: $work"; else trap 'rm -rf "$work"' EXIT; fi

  # Quiet unless it fails: the timings are the output.
  if ! { [ -f "$build_dir/build.ninja" ] || [ -f "$build_dir/Makefile" ] ||
    cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release; } >"$work/build.log" 2>&1 ||
    ! cmake --build "$build_dir" -j2 --target quillnote make_full_msf >>"$work/build.log" 2>&1; then
    cat "$work/build.log" >&2
    exit 1
  fi
  quillnote=$(realpath "$build_dir/quillnote")
  make_full_msf=$(realpath "$build_dir/bench/make_full_msf")
  cd "$work"
  # The command-line modes need no display.
  export QT_QPA_PLATFORM=offscreen
  "$make_full_msf" full.msf
}
