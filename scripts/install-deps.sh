#!/usr/bin/env bash
# Installs the Debian packages the build and every test need, when missing.
# Needs root (apt-get); does nothing when everything is there already.
set -euo pipefail

packages=(
  cmake make g++ pkg-config googletest libgtest-dev
  qt6-base-dev libx11-dev libxi-dev libxtst-dev
  xvfb xauth xdotool openbox trayer x11-utils imagemagick fonts-liberation
  dbus-daemon libglib2.0-bin
  g++-mingw-w64-x86-64-posix wine wine64
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Run as root, or: sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
