#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test on a private virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
. scripts/xvfb.sh
start_xvfb 1280x1024
# Mesa's software renderer; no sound card needed.
export LIBGL_ALWAYS_SOFTWARE=1
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
cd build
ctest --output-on-failure -j"$(nproc)" --timeout 600
