/*
 * click_target: a plain X window that records every mouse button event it
 * receives, so end-to-end tests can check where Cursovia clicked.
 *
 *   click_target X Y WIDTH HEIGHT LOGFILE
 *
 * The window is titled "Cursovia Click Target" and its client area is placed
 * at root position X,Y (static gravity, so the window manager's frame does
 * not shift it). Each ButtonPress/ButtonRelease appends one line to LOGFILE:
 *
 *   press 1 412 230
 *   release 1 412 230
 *
 * with the button number and the root coordinates. Lines are flushed one by
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

static Window create_target_window(Display *display, int x, int y, int width, int height)
{
    int screen = DefaultScreen(display);
    XSetWindowAttributes attributes;
    attributes.background_pixel = 0xf0c040; /* visible in screenshots */
    attributes.event_mask = ButtonPressMask | ButtonReleaseMask | StructureNotifyMask;
    Window window = XCreateWindow(display, RootWindow(display, screen), x, y,
                                  (unsigned)width, (unsigned)height, 0, CopyFromParent,
                                  InputOutput, CopyFromParent, CWBackPixel | CWEventMask,
                                  &attributes);

    XSizeHints *size_hints = XAllocSizeHints();
    size_hints->flags = USPosition | USSize | PWinGravity;
    size_hints->x = x;
    size_hints->y = y;
    size_hints->width = width;
    size_hints->height = height;
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

    XMapWindow(display, window);
    XFlush(display);
    return window;
}

static void log_button_event(FILE *log, const XButtonEvent *event)
{
    fprintf(log, "%s %u %d %d\n", event->type == ButtonPress ? "press" : "release",
            event->button, event->x_root, event->y_root);
    fflush(log);
}

int main(int argc, char **argv)
{
    if (argc != 6) {
        fprintf(stderr, "usage: %s X Y WIDTH HEIGHT LOGFILE\n", argv[0]);
        return 2;
    }
    int x = parse_int(argv[1], "x", 0);
    int y = parse_int(argv[2], "y", 0);
    int width = parse_int(argv[3], "width", 1);
    int height = parse_int(argv[4], "height", 1);

    FILE *log = fopen(argv[5], "a");
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
    create_target_window(display, x, y, width, height);

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
