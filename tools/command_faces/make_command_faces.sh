#!/usr/bin/env bash
# Makes frontend/controls/faces/*.png again (BUILD_DIR chooses the build folder, build/ by default).
cd "$(dirname "$0")/../.." && b="${BUILD_DIR:-build}" && cmake --build "$b" --target veyora_command_faces && "$b"/tools/command_faces/veyora_command_faces frontend/controls/faces
