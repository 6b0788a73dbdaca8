#!/usr/bin/env bash
# Builds the program and starts it under Wine, on the user's display when there is one. The COM
# port stored in the program's settings file is linked to the monitor simulator (a sample 6916
# test), or with --device to a real serial device such as a USB adapter.
# Usage: run.sh [--device /dev/ttyUSB0]
set -euo pipefail
root=$(realpath "$(dirname "$0")/..")

usage() { echo "usage: bash scripts/run.sh [--device <serial device, e.g. /dev/ttyUSB0>]"; }

device=
while [ $# -gt 0 ]; do
  case "$1" in
    --device) [ $# -ge 2 ] || { usage >&2; exit 2; }; device=$2; shift 2 ;;
    --device=*) device=${1#*=}; shift ;;
    -h|--help) usage; exit 0 ;;
    *) echo "run.sh: unknown argument: $1" >&2; usage >&2; exit 2 ;;
  esac
done
if [ -n "$device" ] && [ ! -c "$device" ]; then
  echo "run.sh: $device is not a serial device" >&2
  exit 1
fi

# [ComPort] Port of the settings file beside the program (names case-insensitive, decimal or
# 0x-hexadecimal value), 1 when the file, the key or a number is missing: as the program reads it.
settings_port() {
  local file value=
  file=$(find "$1" -maxdepth 1 -iname 'RadonMonitor.ini' -print -quit 2>/dev/null)
  if [ -n "$file" ]; then
    value=$(awk '
      /^[ \t]*\[/ { s = tolower($0); gsub(/[ \t\r]/, "", s); section = (s == "[comport]"); next }
      section && index($0, "=") {
        key = tolower(substr($0, 1, index($0, "=") - 1)); gsub(/[ \t]/, "", key)
        if (key == "port") {
          v = substr($0, index($0, "=") + 1); gsub(/^[ \t]+|[ \t\r]+$/, "", v); print v; exit
        }
      }' "$file")
  fi
  if [[ $value =~ ^0[xX]([0-9a-fA-F]{1,7})$ ]]; then echo $((16#${BASH_REMATCH[1]}))
  elif [[ $value =~ ^[0-9]{1,9}$ ]]; then echo $((10#$value))
  else echo 1
  fi
}

# Runs inside the Wine session: links COM<port> to the simulator or the device, starts the
# program, and puts the port links back as they were when it ends.
run_in_session() {
  local build=$1 port=$2 device=$3 serial=$1/serial n
  local sim_port=$((port == 20 ? 21 : 20))
  dosdevices=$WINEPREFIX/dosdevices links=("com$port") saved=() pids=()
  [ -n "$device" ] || links+=("com$sim_port")
  for n in "${links[@]}"; do saved+=("$(readlink "$dosdevices/$n" || true)"); done
  trap restore_links EXIT

  if [ -n "$device" ]; then
    ln -sfn "$device" "$dosdevices/com$port"
    echo "run: COM$port is $device"
  else
    mkdir -p "$serial"
    rm -f "$serial/run-com$port" "$serial/run-com$sim_port"
    socat "pty,raw,echo=0,link=$serial/run-com$port" \
          "pty,raw,echo=0,link=$serial/run-com$sim_port" &
    pids+=($!)
    for n in $port $sim_port; do
      while [ ! -e "$serial/run-com$n" ]; do sleep 0.05; done
      ln -sfn "$(readlink "$serial/run-com$n")" "$dosdevices/com$n"
    done
    local log=$build/monitor-simulator.log
    "$WINE" "$build/tools/monitor-simulator/MonitorSimulator.exe" "$sim_port" >"$log" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do [ -s "$log" ] && break; sleep 0.1; done
    echo "run: COM$port is linked to the monitor simulator on COM$sim_port (log: $log)"
    head -n 1 "$log"
  fi
  "$WINE" "$build/src/app/RadonMonitor.exe"
}

# Stops what run_in_session started and gives the port links their old targets back.
restore_links() {
  local i p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for i in "${!links[@]}"; do
    if [ -n "${saved[$i]}" ]; then ln -sfn "${saved[$i]}" "$dosdevices/${links[$i]}"
    else rm -f "$dosdevices/${links[$i]}"; fi
  done
}

bash "$root/scripts/setup.sh"
arch=$("$root/scripts/wine-arch.sh")
bash "$root/scripts/build.sh" "$arch"
build=${BUILD_ROOT:-$root/build}/$arch
port=$(settings_port "$build/src/app")
if [ "$port" -lt 1 ] || [ "$port" -gt 255 ]; then
  echo "run: the settings file names COM$port, which Wine cannot link; starting without a port"
  port=0
fi

KEEP_DISPLAY=1 exec bash "$root/scripts/with-wine.sh" "$build" bash -c \
  "$(declare -f run_in_session restore_links); "'if [ "$2" = 0 ]; then exec "$WINE" "$1/src/app/RadonMonitor.exe"; fi; run_in_session "$@"' \
  run "$build" "$port" "$device"
