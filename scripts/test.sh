#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test executable under Wine through ctest.
# The 32-bit program is always built; the tests run in the architecture Wine can run here.
set -euo pipefail
root=$(realpath "$(dirname "$0")/..")
bash "$root/scripts/setup.sh"
arch=$("$root/scripts/wine-arch.sh")
if [ "$arch" != i686 ]; then
  echo "test: this kernel runs no 32-bit programs; the tests run the $arch build"
  bash "$root/scripts/build.sh" i686 -DBUILD_TESTING=OFF
fi
bash "$root/scripts/build.sh" "$arch"
build=${BUILD_ROOT:-$root/build}/$arch
exec bash "$root/scripts/with-wine.sh" "$build" \
  ctest --test-dir "$build" --output-on-failure -j"$(nproc)" "$@"
