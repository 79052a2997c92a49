#!/usr/bin/env bash
# Sets up, builds and starts the program. Without a display it runs the headless checker over the
# bundled sample document instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/src/tarnwick
fi
echo "No display: running the headless checker over examples/sample/index.html instead."
build/src/tarnwick-check examples/sample/index.html || [ $? -eq 1 ]  # 1: the sample has broken links on purpose
