// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up as a person sees it: starts a program and prints the time, in
// milliseconds, from its start to the X server's first damage of its
// first top-level window of at least WIDTH x HEIGHT pixels (the moment its
// first pixels are drawn), then ends it.
//   xdamage_start WIDTH HEIGHT PROGRAM [ARGUMENT ...]
// Needs a display ($DISPLAY, Xvfb for instance) without a window manager,
// so that the program's windows are children of the root window.
#include <signal.h>
#include <sys/select.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

static double Now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

int main(int argc, char **argv)
{
    if (argc < 4) {
        fprintf(stderr, "usage: xdamage_start WIDTH HEIGHT PROGRAM [ARGUMENT ...]\n");
        return 2;
    }
    const int width = atoi(argv[1]), height = atoi(argv[2]);
    Display *display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "xdamage_start: no display\n");
        return 2;
    }
    int damageEvent, damageError;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        fprintf(stderr, "xdamage_start: the X server has no DAMAGE extension\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    // Every window the program creates is watched from its creation: its
    // first drawing may come before a watcher would see it mapped.
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);
    const double start = Now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    int status = 1;
    for (;;) {
        // A program that ends, or never draws within a minute, is told.
        while (!XPending(display)) {
            fd_set ready;
            FD_ZERO(&ready);
            FD_SET(ConnectionNumber(display), &ready);
            struct timeval wait = {0, 100000};
            select(ConnectionNumber(display) + 1, &ready, NULL, NULL, &wait);
            if (waitpid(child, NULL, WNOHANG) == child) {
                fprintf(stderr, "xdamage_start: %s ended before it drew a window\n", argv[3]);
                XCloseDisplay(display);
                return 1;
            }
            if (Now() - start > 60000) {
                fprintf(stderr, "xdamage_start: %s drew no window within a minute\n", argv[3]);
                goto end;
            }
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == CreateNotify) {
            XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
        } else if (event.type == damageEvent + XDamageNotify) {
            const XDamageNotifyEvent *damage = (const XDamageNotifyEvent *)&event;
            XWindowAttributes attributes;
            if (XGetWindowAttributes(display, damage->drawable, &attributes) && attributes.map_state == IsViewable
                && attributes.width >= width && attributes.height >= height) {
                printf("%.1f\n", Now() - start);
                status = 0;
                break;
            }
        }
    }
end:
    kill(child, SIGKILL);
    waitpid(child, NULL, 0);
    XCloseDisplay(display);
    return status;
}
