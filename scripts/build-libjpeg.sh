#!/usr/bin/env bash
# Builds the IJG-compatible JPEG library from Debian's libjpeg-turbo source package with the
# 32-bit Windows cross compiler, as a static library under <third-party dir>/libjpeg.
# Usage: build-libjpeg.sh <third-party dir> <toolchain file>
set -euo pipefail

version="1:2.1.5-2"          # pinned: bookworm's libjpeg-turbo
upstream="2.1.5"
third_party=$(realpath -m "$1")
toolchain=$(realpath "$2")
prefix="$third_party/libjpeg"
work="$third_party/libjpeg-src"

[ -f "$prefix/lib/libjpeg.a" ] && exit 0
rm -rf "$work" && mkdir -p "$work"
cd "$work"
apt-get source --download-only -qq "libjpeg-turbo=$version"
dpkg-source -x --no-check libjpeg-turbo_*.dsc src >/dev/null

cmake -S src -B build -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF \
  -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF -DCMAKE_POSITION_INDEPENDENT_CODE=OFF >/dev/null
cmake --build build -j"$(nproc)" --target jpeg-static >/dev/null
mkdir -p "$prefix/lib" "$prefix/include"
cp build/libjpeg.a "$prefix/lib/libjpeg.a"
cp src/jpeglib.h src/jmorecfg.h src/jerror.h build/jconfig.h "$prefix/include/"
echo "libjpeg-turbo $upstream built into $prefix"
