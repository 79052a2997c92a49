#!/usr/bin/env bash
# Configures and builds everything in build/ (warnings are errors).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DTARNWICK_WERROR=ON
cmake --build build
