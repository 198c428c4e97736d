#!/usr/bin/env bash
# Makes frontend/dialog/pictures/*.png again (BUILD_DIR chooses the build folder, build/ by default).
cd "$(dirname "$0")/../.." && b="${BUILD_DIR:-build}" && cmake --build "$b" --target veyora_dialog_pictures && "$b"/tools/dialog_pictures/veyora_dialog_pictures frontend/dialog/pictures
