#!/usr/bin/env bash
# Saves a PNG of the whole X display named by $DISPLAY (default: shot.png).
set -euo pipefail
import -window root "${1:-shot.png}"
