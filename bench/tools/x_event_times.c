/*
 * x_event_times: records, on the monotonic clock, when top-level windows
 * appear and disappear and when keys are pressed on the X display, so the
 * benchmarks can time start-up and the stop key without polling.
 *
 *   x_event_times [--launch PROGRAM [ARGS...]]
 *
 * Prints one line per event on stdout, flushed at once, each starting with
 * CLOCK_MONOTONIC in nanoseconds:
 *
 *   T ready                    listening; nothing before this is seen
 *   T spawn PID                just before PROGRAM was started (--launch)
 *   T exit PID STATUS          PROGRAM ended (its wait status)
 *   T map WINDOW CLIENT        a child of the root window was mapped: with a
 *   T unmap WINDOW CLIENT      reparenting window manager that is the frame,
 *                              and CLIENT is the application's window in it
 *                              (WINDOW itself when there is no frame)
 *   T property CLIENT          a property of CLIENT changed (watched from
 *                              the first time a window manager framed it)
 *   T key KEYSYM               a key press, from XInput2 raw events
 *
 * Window ids are decimal, as xdotool prints them. T is the moment the event
 * was read from the server's socket: the time between two events is the
 * time between the server sending them, give or take this program's own
 * scheduling. PROGRAM's own output goes to stderr. SIGTERM or
 * SIGINT ends the recording; the program launched is left running.
 */
#define _GNU_SOURCE
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/signalfd.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

enum { max_frames = 1024 };

/* Which client window each window-manager frame holds, learnt from the
 * ReparentNotify events the root window reports. */
static struct {
    Window frame, client;
} frames[max_frames];
static int frame_count;

static Window client_of(Window window)
{
    for (int i = 0; i < frame_count; i++)
        if (frames[i].frame == window)
            return frames[i].client;
    return window;
}

static void forget_client(Window client)
{
    for (int i = 0; i < frame_count; i++)
        if (frames[i].client == client) {
            frames[i] = frames[--frame_count];
            return;
        }
}

static void remember_frame(Display *display, Window frame, Window client)
{
    forget_client(client);
    if (frame_count < max_frames)
        frames[frame_count++] = (typeof(frames[0])){frame, client};
    /* A program changes its window's properties before it asks for the map:
     * the first change after a key shows when the program reacted, apart
     * from the window manager. No reply is waited for. */
    XSelectInput(display, client, PropertyChangeMask);
}

/* A window may be destroyed before a request about it arrives; that is no
 * reason to stop recording. */
static int ignore_vanished_windows(Display *display, XErrorEvent *error)
{
    if (error->error_code == BadWindow)
        return 0;
    char text[128];
    XGetErrorText(display, error->error_code, text, sizeof text);
    fprintf(stderr, "x_event_times: X error: %s\n", text);
    exit(1);
}

static long long monotonic_ns(void)
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (long long)now.tv_sec * 1000000000LL + now.tv_nsec;
}

static int open_signal_fd(void)
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGCHLD);
    if (sigprocmask(SIG_BLOCK, &signals, NULL) != 0 ||
        signal(SIGPIPE, SIG_IGN) == SIG_ERR) {
        perror("x_event_times: signals");
        exit(1);
    }
    int fd = signalfd(-1, &signals, SFD_CLOEXEC | SFD_NONBLOCK);
    if (fd < 0) {
        perror("x_event_times: signalfd");
        exit(1);
    }
    return fd;
}

static int select_raw_keys(Display *display)
{
    int opcode, event, error, major = 2, minor = 0;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error) ||
        XIQueryVersion(display, &major, &minor) != Success) {
        fprintf(stderr, "x_event_times: no XInput 2 on this display\n");
        exit(1);
    }
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {0};
    XISetMask(bits, XI_RawKeyPress);
    XIEventMask mask = {XIAllMasterDevices, sizeof bits, bits};
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
    return opcode;
}

static pid_t launch(char **command)
{
    printf("%lld spawn ", monotonic_ns());
    fflush(stdout);
    pid_t pid = fork();
    if (pid < 0) {
        perror("x_event_times: fork");
        exit(1);
    }
    if (pid == 0) {
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, NULL);
        dup2(STDERR_FILENO, STDOUT_FILENO);
        execvp(command[0], command);
        perror("x_event_times: exec");
        _exit(127);
    }
    printf("%d\n", (int)pid);
    fflush(stdout);
    return pid;
}

static void report(long long at, Display *display, XEvent *event, int xinput_opcode)
{
    switch (event->type) {
    case ReparentNotify:
        if (event->xreparent.parent == DefaultRootWindow(display))
            forget_client(event->xreparent.window);
        else
            remember_frame(display, event->xreparent.parent, event->xreparent.window);
        break;
    case PropertyNotify:
        printf("%lld property %lu\n", at, event->xproperty.window);
        break;
    case MapNotify:
        printf("%lld map %lu %lu\n", at, event->xmap.window, client_of(event->xmap.window));
        break;
    case UnmapNotify:
        printf("%lld unmap %lu %lu\n", at, event->xunmap.window, client_of(event->xunmap.window));
        break;
    case GenericEvent:
        if (event->xcookie.extension == xinput_opcode && XGetEventData(display, &event->xcookie)) {
            const XIRawEvent *raw = event->xcookie.data;
            const char *name = XKeysymToString(XkbKeycodeToKeysym(display, (KeyCode)raw->detail, 0, 0));
            printf("%lld key %s\n", at, name ? name : "unknown");
            XFreeEventData(display, &event->xcookie);
        }
        break;
    }
    fflush(stdout);
}

int main(int argc, char **argv)
{
    char **command = NULL;
    if (argc >= 3 && strcmp(argv[1], "--launch") == 0)
        command = argv + 2;
    else if (argc != 1) {
        fprintf(stderr, "usage: %s [--launch PROGRAM [ARGS...]]\n", argv[0]);
        return 2;
    }
    int signal_fd = open_signal_fd();
    Display *display = XOpenDisplay(NULL);
    if (display == NULL) {
        fprintf(stderr, "x_event_times: cannot open display\n");
        return 1;
    }
    XSetErrorHandler(ignore_vanished_windows);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    int xinput_opcode = select_raw_keys(display);
    /* Loads the keyboard map now, not while the first key waits to be stamped. */
    XkbKeycodeToKeysym(display, 8, 0, 0);
    XSync(display, False);
    printf("%lld ready\n", monotonic_ns());
    fflush(stdout);
    if (command)
        launch(command);

    struct pollfd waits[2] = {
        {.fd = ConnectionNumber(display), .events = POLLIN},
        {.fd = signal_fd, .events = POLLIN},
    };
    for (;;) {
        if (poll(waits, 2, -1) < 0 && errno != EINTR) {
            perror("x_event_times: poll");
            return 1;
        }
        if (waits[0].revents & (POLLERR | POLLHUP))
            return 1;
        /* Everything read in one go carries the time it was read: reporting
         * makes no request to the server, so nothing waits behind it. */
        const long long at = monotonic_ns();
        while (XEventsQueued(display, QueuedAfterReading) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            report(at, display, &event, xinput_opcode);
        }
        XFlush(display); /* the selections made while reporting */

        struct signalfd_siginfo info;
        while (read(signal_fd, &info, sizeof info) == sizeof info) {
            if (info.ssi_signo != SIGCHLD)
                goto done;
            int status;
            pid_t ended;
            while ((ended = waitpid(-1, &status, WNOHANG)) > 0) {
                printf("%lld exit %d %d\n", monotonic_ns(), (int)ended, status);
                fflush(stdout);
            }
        }
    }
done:
    XCloseDisplay(display);
    return 0;
}
