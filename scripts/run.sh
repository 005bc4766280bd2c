#!/usr/bin/env bash
# Builds the Linux program and starts it. Needs an X11 display (DISPLAY set).
#
# Installs only what building and running need, through sudo when you are not
# root. Through sudo itself (sudo ./scripts/run.sh) it installs as root but
# builds and starts the program as you, so that your list, options and log-on
# entry stay in your own account. As root with no user to return to (su, doas,
# a login as root) it does nothing: the build would belong to root and the
# program would keep its settings in root's account.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CURSOVIA_BUILD_DIR:-$root/build}/linux
binary=$build/src/platform/linux/cursovia

# The account the program is for: the one that called sudo, if any.
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  if [ -z "${SUDO_USER:-}" ] || [ "$SUDO_USER" = root ]; then
    echo "You are root, and no user called sudo: nothing was built. Run it as your own user:" >&2
    echo "  ./scripts/run.sh          (it asks for sudo when it has something to install)" >&2
    echo "or, from this root shell, for the user USER:" >&2
    echo "  sudo -u USER $0" >&2
    exit 1
  fi
  as_user=(runuser -u "$SUDO_USER" --)
  # sudo keeps DISPLAY and XAUTHORITY; the session's runtime folder holds the
  # user's D-Bus socket (the tray on StatusNotifier desktops).
  runtime=/run/user/$(id -u "$SUDO_USER")
  [ -d "$runtime" ] && as_user+=(env "XDG_RUNTIME_DIR=$runtime")
fi

"$root/scripts/install-deps.sh" build

if ! "${as_user[@]}" mkdir -p "$build" || ! "${as_user[@]}" test -w "$build"; then
  echo "${SUDO_USER:-$(id -un)} cannot write to $build: change its owner, or set CURSOVIA_BUILD_DIR" >&2
  exit 1
fi
"${as_user[@]}" cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCURSOVIA_BUILD_TESTS=OFF >/dev/null
"${as_user[@]}" cmake --build "$build" -j 2 --target cursovia
if [ -z "${DISPLAY:-}" ]; then
  echo "Cursovia needs an X11 display: set DISPLAY, or try it without one under Xvfb:" >&2
  echo "  xvfb-run -a $binary" >&2
  exit 1
fi
exec "${as_user[@]}" "$binary"
