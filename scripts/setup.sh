#!/usr/bin/env bash
# Installs what the build and the tests need and is missing; quick when all is present.
# Runs as root without prompts. Only Debian's package registry is used.
set -euo pipefail

packages=(
  g++-mingw-w64-i686 g++-mingw-w64-x86-64-posix cmake make socat
  wine wine64 wine32:i386 xvfb xauth x11-utils
  googletest imagemagick poppler-utils
  fonts-wine fonts-liberation fonts-dejavu-core
  cups cups-bsd printer-driver-cups-pdf libcups2:i386
  dpkg-dev fp-utils locales qpdf
  clang libgif-dev libclang-rt-14-dev
  # Mesa for Wine's opengl32: GLX on the X display, OSMesa for drawing into bitmaps.
  libgl1:i386 libglx-mesa0:i386 libgl1-mesa-dri:i386 libosmesa6:i386
  libgl1:amd64 libglx-mesa0:amd64 libgl1-mesa-dri:amd64 libosmesa6:amd64
)

sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

is_installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q '^install ok installed$'
}

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  sudo_if_needed dpkg --add-architecture i386
  need_update=1
fi

# A deb-src entry for the main component lets the third-party libraries' source packages be
# fetched (libjpeg-turbo, zlib, libharu).
src_list=/etc/apt/sources.list.d/radonmonitor-src.sources
if [ ! -f "$src_list" ]; then
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  printf '%s\n' "Types: deb-src" "URIs: http://deb.debian.org/debian" "Suites: $codename" \
    "Components: main" "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" \
    | sudo_if_needed tee "$src_list" >/dev/null
  need_update=1
fi

missing=()
for p in "${packages[@]}"; do is_installed "$p" || missing+=("$p"); done

if [ ${#missing[@]} -gt 0 ] || [ -n "${need_update:-}" ]; then
  sudo_if_needed apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
    --no-install-recommends "${missing[@]}"
fi


# The tests run in a fixed English locale and, for number and date formats, a comma-decimal one.
for loc in en_US de_DE; do
  if ! locale -a 2>/dev/null | grep -qx "$loc.utf8"; then
    sudo_if_needed sed -i "s/^# *\($loc.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    regenerate=1
  fi
done
[ -z "${regenerate:-}" ] || sudo_if_needed locale-gen >/dev/null
