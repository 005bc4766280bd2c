#include "WaylandSession.h"

#include <QString>

namespace cursovia::qtx11 {

bool isWaylandSession() {
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
}

} // namespace cursovia::qtx11
