#!/usr/bin/env bash
# Builds the game and starts it; any argument is passed on (a saved game to open).
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh build
cmake -S . -B build/game -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOVANE_TESTS=OFF >/dev/null
cmake --build build/game -j2 --target ovane
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Ovane needs a graphical display: no DISPLAY or WAYLAND_DISPLAY is set." >&2
  exit 1
fi
exec build/game/ui/ovane "$@"
