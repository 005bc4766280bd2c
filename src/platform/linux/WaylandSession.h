#pragma once

namespace cursovia::qtx11 {

// Whether the desktop session is a Wayland one (WAYLAND_DISPLAY set, or
// XDG_SESSION_TYPE "wayland"), though this program always talks X11.
bool isWaylandSession();

} // namespace cursovia::qtx11
