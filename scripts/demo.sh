#!/usr/bin/env bash
# Runs the program on the demo company: installs what it needs, builds,
# makes the working directory demo/ when there is none, and starts the
# program in it on the embedded database engine. Log in as DEMO / demo.
# Arguments go to the program (any argument skips the login).
# Without a display (no $DISPLAY, no $WAYLAND_DISPLAY) the program runs on a
# virtual X server, so the command works on a headless machine too.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
BUILD_DIR="${BUILD_DIR:-build}"
cmake -S . -B "$BUILD_DIR" -G Ninja
# Only what the demo runs: the program and the tool that makes its databases.
cmake --build "$BUILD_DIR" --target tarvedo tarvedo-cli -j2

if [ ! -e demo/TARVEDO.INI ]; then
  "$BUILD_DIR"/src/tarvedo-cli init-demo demo
fi
PROGRAM="$(cd "$BUILD_DIR" && pwd)/src/tarvedo"

cd demo
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Nincs grafikus kijelző: a program virtuális X szerveren fut (xvfb-run)." >&2
  exec xvfb-run -a -s "-screen 0 1280x900x24" "$PROGRAM" "$@"
fi
exec "$PROGRAM" "$@"
