#!/usr/bin/env bash
# Installs what building, running and testing vrx needs on Debian 12.
set -euo pipefail
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
PKGS=(cmake g++ make pkg-config libusb-dev umockdev libumockdev-dev libwxgtk3.2-dev
      libgtk-3-dev libgtest-dev libbenchmark-dev xvfb xauth imagemagick
      desktop-file-utils dpkg-dev clang libclang-rt-14-dev shared-mime-info xdg-utils libglib2.0-bin
      xdotool gettext python3-pyatspi at-spi2-core dbus)
missing=()
for p in "${PKGS[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
