#!/usr/bin/env bash
# Starts the till on the demo database of run/, creating it when missing.
# Without a display, the till runs on a virtual display (Xvfb).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bin="$top/${BUILD:-build}/qor9"
mkdir -p "$top/run/DATA"
cd "$top/run"
[ -f config.ini ] || echo "$top/run/DATA/QOR.db" > config.ini
db=$(head -n 1 config.ini)
if [ -n "$db" ] && [ "${db#postgres}" = "$db" ] && [ ! -f "$db" ]; then
    "$bin" --new-database "$db" --demo
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Pas d'écran : la caisse tourne sur un écran virtuel (Xvfb :99)."
    Xvfb :99 -screen 0 1366x768x24 >/dev/null 2>&1 &
    xvfb=$!
    trap 'kill $xvfb 2>/dev/null' EXIT
    sleep 1
    export DISPLAY=:99
    command -v openbox >/dev/null && { openbox >/dev/null 2>&1 & }
fi
"$bin" "$@"
