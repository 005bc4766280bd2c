/*
 * x_selection_owner: prints the window that owns an X selection.
 *
 *   x_selection_owner SELECTION      e.g. _NET_SYSTEM_TRAY_S0
 *
 * Exit status 0 and the owner's id in hex when the selection is owned,
 * 1 when nobody owns it, 2 on usage or connection errors. The desktop
 * harness polls it to know when the system tray host is ready to embed
 * icons, which no stock X utility reports.
 */
#include <X11/Xlib.h>

#include <stdio.h>

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: %s SELECTION\n", argv[0]);
        return 2;
    }
    Display *display = XOpenDisplay(NULL);
    if (display == NULL) {
        fprintf(stderr, "x_selection_owner: cannot open display\n");
        return 2;
    }
    Window owner = XGetSelectionOwner(display, XInternAtom(display, argv[1], False));
    XCloseDisplay(display);
    if (owner == None)
        return 1;
    printf("0x%lx\n", owner);
    return 0;
}
