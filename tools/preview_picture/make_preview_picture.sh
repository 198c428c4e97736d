#!/usr/bin/env bash
# Makes resources/preview_picture.jpg again: builds the picture tool, renders the
# glow scene on a private virtual X server and saves the picture. Arguments are
# passed on to the tool after the output file: [FRAMES [SEED]]. BUILD_DIR chooses
# the build folder (build/ by default).
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/install-deps.sh
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target veyora_preview_picture
. scripts/xvfb.sh
start_xvfb 1024x768
export LIBGL_ALWAYS_SOFTWARE=1
"$build"/tools/preview_picture/veyora_preview_picture resources/preview_picture.jpg "$@"
echo "Wrote resources/preview_picture.jpg"
