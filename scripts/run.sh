#!/usr/bin/env bash
# Sets up, builds and runs the checker over the bundled sample document.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
build/src/tarnwick-check examples/sample/index.html || [ $? -eq 1 ]  # 1: the sample has broken links on purpose
