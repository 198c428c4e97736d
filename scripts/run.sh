#!/usr/bin/env bash
# Installs what is missing, builds, and starts the screensaver as the system would:
# the front end with /s, which starts the renderer and the music. Without a display
# it runs on a private virtual X server for a few seconds and saves a screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
program="build/bin/Veyora(Ra05).scr"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$program" /s
fi

. scripts/xvfb.sh
start_xvfb 1280x720
export LIBGL_ALWAYS_SOFTWARE=1 SDL_AUDIODRIVER=dummy
mkdir -p screenshots
"$program" /s &
pid=$!
sleep 5
shot="$PWD/screenshots/screensaver.png"
import -display "$DISPLAY" -window root "$shot"
# Any key ends the renderer, as it would for a user; the front end follows it.
xdotool key space || kill "$pid"
wait "$pid" || true
echo "No display: ran on a virtual one for 5 seconds. Screenshot: $shot"
