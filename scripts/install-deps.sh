#!/usr/bin/env bash
# Installs the Debian packages the build, the programs and the tests need.
# Does nothing when everything is already there; uses sudo when not root.
set -euo pipefail

PACKAGES=(
  # build
  cmake g++ make pkg-config clang libclang-rt-14-dev clang-format
  # renderer
  libsdl2-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri libxss-dev libxext-dev
  libxrandr-dev libxinerama-dev
  # front end; qt6-wayland: the dialog and message boxes on a Wayland session, which
  # may have no X server at all
  qt6-base-dev qt6-wayland libx11-dev libxfixes-dev fonts-ipafont-gothic fonts-dejavu-core
  # music
  libsdl2-mixer-dev libcdio-dev
  # idle watch: KDE's Wayland idle protocol (the others come with Wayland below)
  plasma-wayland-protocols
  # tests of the idle watch: a private session bus and dbus-send
  dbus-daemon dbus-bin
  # tests: virtual display, input, screenshots, audio fixtures, xset and xrandr
  libgtest-dev googletest xvfb xauth x11-utils libxtst-dev xdotool imagemagick lame
  x11-xserver-utils
  # Wayland: the renderer's native windows; headless compositors, screenshots and
  # virtual input in tests
  libwayland-dev libegl-dev wayland-protocols libxkbcommon-dev sway weston xwayland grim wtype
  # the real desktops' shells in tests: GNOME Shell (its lock screen's D-Bus service
  # runs on gjs) and KWin with its screen locker, on buses of the test's own with
  # logind and display-manager stand-ins; gdbus and systemd-inhibit talk to them
  gnome-shell gjs kwin-wayland python3-dbusmock libglib2.0-bin systemd
  # Debian package and the checks of the installed files (appstream: appstreamcli)
  dpkg-dev lintian desktop-file-utils mandoc appstream
  # benchmarks: frames counted from the X server's damage reports
  libxdamage-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
