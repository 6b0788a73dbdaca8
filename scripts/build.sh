#!/usr/bin/env bash
# Configures and builds the tree with the Windows cross compiler into build/<arch>.
# Usage: build.sh [i686|x86_64] [extra cmake options...]   (default: the arch Wine runs here)
set -euo pipefail
root=$(realpath "$(dirname "$0")/..")
arch=${1:-$("$root/scripts/wine-arch.sh")}
shift || true
build=${BUILD_ROOT:-$root/build}/$arch
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch-mingw.cmake" \
  "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
