#!/bin/bash
# Installs what Drava needs to build, run and test on Debian 12, if missing.
set -euo pipefail

packages=(
    g++ make cmake pkg-config clang libclang-rt-14-dev
    qt6-base-dev qt6-qpa-plugins libgl-dev libboost-math-dev
    fonts-ipafont-gothic fonts-ipafont-mincho fontconfig
    xvfb xauth x11-utils xdotool dbus dbus-x11 at-spi2-core python3 python3-pyatspi python3-gi
    gir1.2-atspi-2.0 python3-xlib python3-fusepy
    libcups2-dev cups cups-client cups-bsd cups-filters poppler-utils strace
    libxcb1-dev libxcb-damage0-dev
    libcanberra-dev libglib2.0-dev libcanberra-pulse sound-theme-freedesktop gsettings-desktop-schemas
    pulseaudio pulseaudio-utils
    qt6-wayland sway wtype desktop-file-utils appstream dpkg-dev file mandoc lintian
    openssl zlib1g-dev
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
