#!/usr/bin/env bash
# Builds zlib and the Haru PDF library from Debian's source packages with the Windows cross
# compiler, as static libraries under <third-party dir>/zlib and <third-party dir>/libharu.
# Usage: build-libharu.sh <third-party dir> <toolchain file>
set -euo pipefail

zlib_version="1:1.2.13.dfsg-1"    # pinned: bookworm's zlib
haru_version="2.3.0+dfsg-1"       # pinned: bookworm's libharu
third_party=$(realpath -m "$1")
toolchain=$(realpath "$2")
zlib_prefix="$third_party/zlib"
haru_prefix="$third_party/libharu"
work="$third_party/libharu-src"

[ -f "$zlib_prefix/lib/libz.a" ] && [ -f "$haru_prefix/lib/libhpdf.a" ] && exit 0
rm -rf "$work" && mkdir -p "$work"
cd "$work"

# Fetches a source package and unpacks its upstream tarball, checked against the .dsc's sums.
# Only the upstream sources are needed, so a missing Debian tarball on the mirror is no harm.
fetch() {
  local package=$1 version=$2 dest=$3
  apt-get source --download-only -qq "$package=$version" >/dev/null 2>&1 || true
  local dsc orig
  dsc=$(ls "${package}"_*.dsc)
  orig=$(ls "${package}"_*.orig.tar.*)
  local sum
  sum=$(awk '/^Checksums-Sha256:/ {f=1; next} /^[^ ]/ {f=0} f {print $1, $3}' "$dsc" \
        | awk -v n="$orig" '$2 == n {print $1}')
  [ -n "$sum" ] && echo "$sum  $orig" | sha256sum -c --quiet - \
    || { echo "checksum of $orig does not match $dsc" >&2; exit 1; }
  mkdir -p "$dest" && tar -xf "$orig" -C "$dest" --strip-components=1
}

fetch zlib "$zlib_version" zlib
fetch libharu "$haru_version" libharu

cmake -Wno-dev -S zlib -B zlib-build -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_POSITION_INDEPENDENT_CODE=OFF >/dev/null
cmake --build zlib-build -j"$(nproc)" --target zlibstatic >build.log 2>&1 || { cat build.log; exit 1; }
mkdir -p "$zlib_prefix/lib" "$zlib_prefix/include"
cp zlib-build/libzlibstatic.a "$zlib_prefix/lib/libz.a"
cp zlib/zlib.h zlib-build/zconf.h "$zlib_prefix/include/"

# No PNG support: the engine hands images over as raw pixels or JPEG data.
cmake -Wno-dev -S libharu -B haru-build -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DLIBHPDF_SHARED=OFF -DLIBHPDF_STATIC=ON -DLIBHPDF_EXAMPLES=OFF \
  -DZLIB_INCLUDE_DIR="$zlib_prefix/include" -DZLIB_LIBRARY="$zlib_prefix/lib/libz.a" \
  -DCMAKE_DISABLE_FIND_PACKAGE_PNG=ON >/dev/null
cmake --build haru-build -j"$(nproc)" >build.log 2>&1 || { cat build.log; exit 1; }
mkdir -p "$haru_prefix/lib" "$haru_prefix/include"
cp "$(find haru-build -name 'libhpdf*.a' | head -1)" "$haru_prefix/lib/libhpdf.a"
cp libharu/include/*.h haru-build/include/hpdf_config.h "$haru_prefix/include/"
echo "zlib and libharu built into $third_party"
