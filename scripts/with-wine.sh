#!/usr/bin/env bash
# Runs a command with the project's Wine session around it: a private prefix in the build tree,
# Xvfb on a free display, one persistent wineserver and serial pairs linked as COM ports.
# Usage: with-wine.sh <build dir> <command> [args...]
# Serial pairs: COM5<->COM6 and COM7<->COM8 (override with SERIAL_PAIRS="5:6 7:8").
set -euo pipefail

build=$(realpath -m "$1"); shift
here=$(dirname "$(realpath "$0")")

export WINEPREFIX="$build/wineprefix"
if [ "$("$here/wine-arch.sh")" = i686 ]; then
  export WINEARCH=win32 WINE=/usr/lib/wine/wine WINESERVER=/usr/bin/wineserver
else
  export WINEARCH=win64 WINE=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
  export WINELOADER=$WINE
fi
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export LC_ALL="${TEST_LOCALE:-en_US.UTF-8}"
export LANG="$LC_ALL"

pids=()
cleanup() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap cleanup EXIT

start_xvfb() {
  # The run command keeps a display the user already has; tests always get their own.
  if [ -n "${KEEP_DISPLAY:-}" ] && [ -n "${DISPLAY:-}" ]; then return 0; fi
  local fifo; fifo=$(mktemp -u); mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  pids+=($!)
  read -r display <"$fifo"; rm -f "$fifo"
  export DISPLAY=":$display"
}

create_prefix() {
  [ -f "$WINEPREFIX/system.reg" ] && return 0
  mkdir -p "$WINEPREFIX"
  "$WINE" wineboot -i >/dev/null 2>&1
  "$WINESERVER" -w
  "$WINE" regedit "$here/wine-prefix.reg" >/dev/null 2>&1
  "$WINESERVER" -w
}

link_serial_pairs() {
  local pair a b
  for pair in ${SERIAL_PAIRS:-5:6 7:8}; do
    a=${pair%:*}; b=${pair#*:}
    rm -f "$build/serial/com$a" "$build/serial/com$b"
    mkdir -p "$build/serial"
    socat "pty,raw,echo=0,link=$build/serial/com$a" "pty,raw,echo=0,link=$build/serial/com$b" &
    pids+=($!)
  done
  for pair in ${SERIAL_PAIRS:-5:6 7:8}; do
    a=${pair%:*}; b=${pair#*:}
    for n in $a $b; do
      while [ ! -e "$build/serial/com$n" ]; do sleep 0.05; done
      ln -sfn "$(readlink "$build/serial/com$n")" "$WINEPREFIX/dosdevices/com$n"
    done
  done
}

# CUPS with its PDF queue, so that Wine offers a default printer whose pages land as PDF files
# in ~/PDF. cupsd is started only when it is not running (and then stopped with the rest);
# adding the queue needs root, without it printing tests skip.
start_cups() {
  command -v cupsd >/dev/null && command -v lpstat >/dev/null || return 0
  if ! lpstat -r 2>/dev/null | grep -q "scheduler is running"; then
    [ "$(id -u)" -eq 0 ] || return 0
    mkdir -p /run/cups
    cupsd -f >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 50); do
      lpstat -r 2>/dev/null | grep -q "scheduler is running" && break
      sleep 0.1
    done
  fi
  local ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  if ! lpstat -p PDF >/dev/null 2>&1 && [ -f "$ppd" ]; then
    lpadmin -p PDF -E -v cups-pdf:/ -P "$ppd" >/dev/null 2>&1 || true
  fi
  lpstat -d 2>/dev/null | grep -q ": PDF" || lpadmin -d PDF >/dev/null 2>&1 || true
  for _ in $(seq 50); do
    lpstat -a PDF 2>/dev/null | grep -q "accepting requests" && break
    sleep 0.1
  done
}

start_xvfb
start_cups
create_prefix
"$WINESERVER" -p
# Start Wine's services now, detached from the command's output pipes.
"$WINE" cmd /c exit </dev/null >/dev/null 2>&1
link_serial_pairs
"$@"
