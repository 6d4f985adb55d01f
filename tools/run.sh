#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: starting the game on a virtual X display (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1280x800x24" build/bin/tessarine "$@"
fi
exec build/bin/tessarine "$@"
