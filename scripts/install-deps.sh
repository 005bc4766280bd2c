#!/usr/bin/env bash
# Installs the Debian packages one of the project's jobs needs, when missing:
#
#   scripts/install-deps.sh build     building and running the Linux program (scripts/run.sh)
#   scripts/install-deps.sh package   that, plus building the packages (scripts/package.sh)
#   scripts/install-deps.sh test      everything the tests need (scripts/test.sh; the default)
#
# Each set holds the one before it. Does nothing when everything is there;
# otherwise installs with apt-get as root, or through sudo, saying which.
set -euo pipefail

build=(cmake make g++ pkg-config qt6-base-dev libx11-dev libxi-dev libxtst-dev fonts-liberation)
package=("${build[@]}" dpkg-dev file g++-mingw-w64-x86-64-posix nsis zip)
test=("${package[@]}"
  googletest libgtest-dev
  xvfb xauth xdotool openbox trayer x11-utils x11-xserver-utils imagemagick
  wine wine64
  dbus-daemon libglib2.0-bin
  clang libclang-rt-14-dev lld
  unzip lintian desktop-file-utils appstream
)

set_name=${1:-test}
case $set_name in
  build) packages=("${build[@]}") ;;
  package) packages=("${package[@]}") ;;
  test) packages=("${test[@]}") ;;
  *) echo "usage: $0 [build|package|test]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "Missing Debian packages: ${missing[*]}" >&2
    echo "Install them as root: apt-get install ${missing[*]}" >&2
    exit 1
  fi
  echo "Missing Debian packages: ${missing[*]}"
  echo "Installing them with sudo (it may ask for your password)."
  as_root=(sudo)
else
  echo "Installing: ${missing[*]}"
fi
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
