#include "ToolkitXkbEvents.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

namespace cursovia::qtx11 {

void leaveButtonsOutOfToolkitKeyboardState(QGuiApplication& app) {
    const auto* x11 = app.nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return;
    constexpr unsigned long modifiersAndGroup = XkbModifierStateMask | XkbModifierBaseMask | XkbModifierLatchMask |
                                                XkbModifierLockMask | XkbGroupStateMask | XkbGroupBaseMask |
                                                XkbGroupLatchMask | XkbGroupLockMask;
    XkbSelectEventDetails(display, XkbUseCoreKbd, XkbStateNotify, XkbAllStateComponentsMask, modifiersAndGroup);
    XFlush(display);
}

} // namespace cursovia::qtx11
