#!/usr/bin/env bash
# Installs the Debian packages that building, testing, running and packaging
# Corvane need (dpkg-dev and file: CPack computes the .deb's dependencies;
# cups, printer-driver-cups-pdf and poppler-utils: the print test's spooler;
# libpolyclipping-dev: the polygon booleans of the standard reading's vector outputs;
# zlib1g-dev: the compression of exported PNG pictures).
set -euo pipefail
packages=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev
  libpolyclipping-dev zlib1g-dev libarchive-dev nlohmann-json3-dev libboost-dev qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev libx11-dev dpkg-dev
  file python3
  cups printer-driver-cups-pdf poppler-utils
  # The end-to-end tests: a virtual X server, a private D-Bus session, the
  # accessibility bus with its Python client, and ImageMagick to read the
  # picture off the screen.
  xvfb dbus-daemon dbus-bin dbus-session-bus-common at-spi2-core python3-pyatspi imagemagick)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
