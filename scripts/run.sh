#!/usr/bin/env bash
# Builds the program and starts it under Wine.
set -euo pipefail
root=$(realpath "$(dirname "$0")/..")
if [ ! -f "$root/src/app/CMakeLists.txt" ]; then
  echo "run: the application's start-up is not built yet; nothing to start." >&2
  exit 1
fi
bash "$root/scripts/setup.sh"
arch=$("$root/scripts/wine-arch.sh")
bash "$root/scripts/build.sh" "$arch"
build=${BUILD_ROOT:-$root/build}/$arch
exec bash "$root/scripts/with-wine.sh" "$build" "$WINE" "$build/src/app/RadonMonitor.exe"
