/*
 * click_target: a plain X window that records every mouse button event it
 * receives, so end-to-end tests can check where Cursovia clicked.
 *
 *   click_target X Y WIDTH HEIGHT LOGFILE
 *   click_target --tray LOGFILE
 *
 * The window is titled "Cursovia Click Target" and its client area is placed
 * at root position X,Y (static gravity, so the window manager's frame does
 * not shift it). With --tray it docks into the system tray instead, as an
 * XEmbed icon, so tests can check that clicks on tray icons get through.
 * Each ButtonPress/ButtonRelease (buttons 1 to 5, 4 and 5 being the wheel)
 * and each pointer motion while a button is held appends one line to LOGFILE:
 *
 *   press 1 412 230 81234
 *   motion 1 480 230 81290
 *   release 1 480 230 81310
 *
 * with the button number (for a motion, the lowest button held), the root
 * coordinates and the X server's time of the event in milliseconds (to tell
 * a double click as toolkits do). Lines are flushed one by
 * one so a test can read the log while the target keeps running.
 * SIGTERM or SIGINT ends it cleanly.
 */
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/signalfd.h>
#include <unistd.h>

static const char window_title[] = "Cursovia Click Target";

static int parse_int(const char *text, const char *what, int min_value)
{
    char *end = NULL;
    errno = 0;
    long value = strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < min_value || value > 65535) {
        fprintf(stderr, "click_target: bad %s '%s'\n", what, text);
        exit(2);
    }
    return (int)value;
}

/* Signals arrive through a file descriptor so the wait on the X connection
 * and the wait for SIGTERM are one poll() without races. */
static int open_termination_fd(void)
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    if (sigprocmask(SIG_BLOCK, &signals, NULL) != 0) {
        perror("click_target: sigprocmask");
        exit(1);
    }
    int fd = signalfd(-1, &signals, SFD_CLOEXEC);
    if (fd < 0) {
        perror("click_target: signalfd");
        exit(1);
    }
    return fd;
}

/* System tray protocol: ask the tray (owner of _NET_SYSTEM_TRAY_S<screen>)
 * to embed the window; the tray maps it because _XEMBED_INFO says so. */
static int dock_into_tray(Display *display, Window window)
{
    char selection_name[32];
    snprintf(selection_name, sizeof selection_name, "_NET_SYSTEM_TRAY_S%d", DefaultScreen(display));
    Window tray = XGetSelectionOwner(display, XInternAtom(display, selection_name, False));
    if (tray == None) {
        fprintf(stderr, "click_target: no system tray\n");
        return 0;
    }
    enum { xembed_version = 0, xembed_mapped = 1, system_tray_request_dock = 0 };
    const long xembed_info[2] = {xembed_version, xembed_mapped};
    Atom xembed_info_atom = XInternAtom(display, "_XEMBED_INFO", False);
    XChangeProperty(display, window, xembed_info_atom, xembed_info_atom, 32, PropModeReplace,
                    (const unsigned char *)xembed_info, 2);

    XEvent request = {0};
    request.xclient.type = ClientMessage;
    request.xclient.window = tray;
    request.xclient.message_type = XInternAtom(display, "_NET_SYSTEM_TRAY_OPCODE", False);
    request.xclient.format = 32;
    request.xclient.data.l[0] = CurrentTime;
    request.xclient.data.l[1] = system_tray_request_dock;
    request.xclient.data.l[2] = (long)window;
    XSendEvent(display, tray, False, NoEventMask, &request);
    XFlush(display);
    return 1;
}

static Window create_target_window(Display *display, int x, int y, int width, int height,
                                   int in_tray)
{
    int screen = DefaultScreen(display);
    XSetWindowAttributes attributes;
    attributes.background_pixel = 0xf0c040; /* visible in screenshots */
    attributes.event_mask = ButtonPressMask | ButtonReleaseMask | ButtonMotionMask | StructureNotifyMask;
    Window window = XCreateWindow(display, RootWindow(display, screen), x, y,
                                  (unsigned)width, (unsigned)height, 0, CopyFromParent,
                                  InputOutput, CopyFromParent, CWBackPixel | CWEventMask,
                                  &attributes);

    XSizeHints *size_hints = XAllocSizeHints();
    /* The minimum size keeps the geometry fixed; trays size icons from it. */
    size_hints->flags = USPosition | USSize | PMinSize | PWinGravity;
    size_hints->x = x;
    size_hints->y = y;
    size_hints->width = size_hints->min_width = width;
    size_hints->height = size_hints->min_height = height;
    size_hints->win_gravity = StaticGravity;
    XSetWMNormalHints(display, window, size_hints);
    XFree(size_hints);

    XStoreName(display, window, window_title);
    Atom utf8_string = XInternAtom(display, "UTF8_STRING", False);
    Atom net_wm_name = XInternAtom(display, "_NET_WM_NAME", False);
    XChangeProperty(display, window, net_wm_name, utf8_string, 8, PropModeReplace,
                    (const unsigned char *)window_title, (int)strlen(window_title));

    XClassHint class_hint = {"click_target", "CursoviaClickTarget"};
    XSetClassHint(display, window, &class_hint);

    if (in_tray) {
        if (!dock_into_tray(display, window))
            exit(1);
    } else {
        XMapWindow(display, window);
        XFlush(display);
    }
    return window;
}

static void log_button_event(FILE *log, const XButtonEvent *event)
{
    fprintf(log, "%s %u %d %d %lu\n", event->type == ButtonPress ? "press" : "release",
            event->button, event->x_root, event->y_root, (unsigned long)event->time);
    fflush(log);
}

static void log_motion_event(FILE *log, const XMotionEvent *event)
{
    unsigned button = 1;
    while (button < 5 && !(event->state & (Button1Mask << (button - 1))))
        button++;
    fprintf(log, "motion %u %d %d %lu\n", button, event->x_root, event->y_root, (unsigned long)event->time);
    fflush(log);
}

int main(int argc, char **argv)
{
    int in_tray = argc == 3 && strcmp(argv[1], "--tray") == 0;
    if (argc != 6 && !in_tray) {
        fprintf(stderr, "usage: %s X Y WIDTH HEIGHT LOGFILE\n       %s --tray LOGFILE\n",
                argv[0], argv[0]);
        return 2;
    }
    /* A tray icon starts at the usual icon size; the tray resizes it. */
    int x = in_tray ? 0 : parse_int(argv[1], "x", 0);
    int y = in_tray ? 0 : parse_int(argv[2], "y", 0);
    int width = in_tray ? 22 : parse_int(argv[3], "width", 1);
    int height = in_tray ? 22 : parse_int(argv[4], "height", 1);
    const char *log_path = argv[argc - 1];

    FILE *log = fopen(log_path, "a");
    if (log == NULL) {
        perror("click_target: cannot open log");
        return 1;
    }
    int termination_fd = open_termination_fd();

    Display *display = XOpenDisplay(NULL);
    if (display == NULL) {
        fprintf(stderr, "click_target: cannot open display\n");
        return 1;
    }
    create_target_window(display, x, y, width, height, in_tray);

    struct pollfd waits[2] = {
        {.fd = ConnectionNumber(display), .events = POLLIN},
        {.fd = termination_fd, .events = POLLIN},
    };
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == ButtonPress || event.type == ButtonRelease)
                log_button_event(log, &event.xbutton);
            else if (event.type == MotionNotify)
                log_motion_event(log, &event.xmotion);
        }
        if (poll(waits, 2, -1) < 0 && errno != EINTR) {
            perror("click_target: poll");
            break;
        }
        if (waits[1].revents & POLLIN)
            break;
        if (waits[0].revents & (POLLERR | POLLHUP))
            break;
    }

    XCloseDisplay(display);
    fclose(log);
    close(termination_fd);
    return 0;
}
