/*
 * click_gaps: clicks at the pointer's position with given gaps between the
 * presses, through XTest, and prints when each press happened, so the
 * recording benchmark can compare what a recording stored with the real gaps.
 *
 *   click_gaps GAP_MS...
 *
 * Makes one click more than there are gaps: a click, GAP_MS[0] ms, a click,
 * GAP_MS[1] ms, ... The clicks alternate between the left and the right
 * button, so two of them never make a double click, whatever the gap. Prints
 * one line per press, CLOCK_MONOTONIC in nanoseconds, on stdout:
 *
 *   T_BEFORE T_AFTER
 *
 * T_BEFORE is read just before the press is sent, T_AFTER once XSync has
 * returned: the server has made the event by then (XTest makes it as it
 * handles the request), so the event's moment lies between the two.
 * Each press is sent GAP_MS after the previous one's T_BEFORE, on an
 * absolute clock_nanosleep, so a late wake-up does not shift the ones after.
 */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static long long now_ns(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

static void sleep_until(long long deadline_ns)
{
    struct timespec t = {.tv_sec = deadline_ns / 1000000000LL, .tv_nsec = deadline_ns % 1000000000LL};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, NULL) == EINTR) {
    }
}

int main(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: %s GAP_MS...\n", argv[0]);
        return 2;
    }
    Display *display = XOpenDisplay(NULL);
    int event_base, error_base, major, minor;
    if (display == NULL || !XTestQueryExtension(display, &event_base, &error_base, &major, &minor)) {
        fprintf(stderr, "click_gaps: no display with XTest\n");
        return 1;
    }
    long long next = now_ns();
    for (int i = 1; i <= argc; ++i) {
        sleep_until(next);
        const unsigned button = i % 2 ? 1 : 3;
        const long long before = now_ns();
        XTestFakeButtonEvent(display, button, True, CurrentTime);
        XTestFakeButtonEvent(display, button, False, CurrentTime);
        XSync(display, False);
        printf("%lld %lld\n", before, now_ns());
        if (i == argc)
            break;
        char *end = NULL;
        const double gap = strtod(argv[i], &end);
        if (end == argv[i] || *end != '\0' || gap < 0) {
            fprintf(stderr, "click_gaps: bad gap '%s'\n", argv[i]);
            return 2;
        }
        next = before + (long long)(gap * 1e6);
    }
    fflush(stdout);
    XCloseDisplay(display);
    return 0;
}
