#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test executable under Wine through ctest.
# The 32-bit program is always built; the tests run in the architecture Wine can run here.
set -euo pipefail
root=$(realpath "$(dirname "$0")/..")
bash "$root/scripts/setup.sh"
arch=$("$root/scripts/wine-arch.sh")
if [ "$arch" != i686 ]; then
  # The 32-bit program and its tests are still compiled and linked, so no 32-bit-only fault hides.
  echo "test: this kernel runs no 32-bit programs; the i686 tests are built, the $arch tests run"
  bash "$root/scripts/build.sh" i686 -DBUILD_TESTING=ON
fi
bash "$root/scripts/build.sh" "$arch" -DBUILD_TESTING=ON
build=${BUILD_ROOT:-$root/build}/$arch
exec bash "$root/scripts/with-wine.sh" "$build" \
  ctest --test-dir "$build" --output-on-failure --no-tests=error -j"$(nproc)" "$@"
