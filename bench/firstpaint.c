// Starts a program and measures, from outside it, how long its window takes
// to show: from just before the start to the first X Damage event on one of
// its top-level windows (the first pixels it draws). Then ends the program
// with SIGTERM and reads its peak resident memory from wait4.
//
// Usage: firstpaint TIMEOUT_MS PROGRAM [ARGUMENT...]
// Prints "PAINT_MS MAP_MS MAXRSS_KIB": the first paint and the window's map,
// in milliseconds after the start, and the peak memory in KiB. Exit 1 when
// no paint came within TIMEOUT_MS or the program ended first.

#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>

extern char **environ;

enum { MaxWindows = 256 };

// Top-level windows seen since the start; a frame is a window manager's
// decoration around a client, whose paints are not the program's.
static Window windows[MaxWindows];
static int isFrame[MaxWindows];
static int windowCount;

static double nowMs(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// A window may be gone, or input-only, by the time its Damage is created.
static int ignoreError(Display *display, XErrorEvent *error)
{
    (void)display;
    (void)error;
    return 0;
}

static int indexOf(Window window)
{
    for (int i = 0; i < windowCount; ++i)
        if (windows[i] == window)
            return i;
    return -1;
}

static void watchWindow(Display *display, Window window)
{
    if (windowCount == MaxWindows || indexOf(window) >= 0)
        return;
    windows[windowCount++] = window;
    XSelectInput(display, window, StructureNotifyMask);
    XDamageCreate(display, window, XDamageReportNonEmpty);
    XFlush(display);
}

static void markFrame(Window window)
{
    const int i = indexOf(window);
    if (i >= 0)
        isFrame[i] = 1;
}

// Handles one event; returns 1 on the first paint of a client window.
static int handleEvent(Display *display, const XEvent *event, int damageBase, double start, double *mapMs)
{
    if (event->type == CreateNotify && event->xcreatewindow.parent == DefaultRootWindow(display))
        watchWindow(display, event->xcreatewindow.window);
    else if (event->type == ReparentNotify && event->xreparent.parent != DefaultRootWindow(display))
        markFrame(event->xreparent.parent);
    else if (event->type == MapNotify && *mapMs < 0 && indexOf(event->xmap.window) >= 0
        && !isFrame[indexOf(event->xmap.window)])
        *mapMs = nowMs() - start;
    else if (event->type == damageBase + XDamageNotify) {
        const int i = indexOf(((const XDamageNotifyEvent *)event)->drawable);
        return i >= 0 && !isFrame[i];
    }
    return 0;
}

static pid_t spawn(char **argv)
{
    pid_t pid;
    if (posix_spawnp(&pid, argv[0], NULL, NULL, argv, environ) != 0) {
        perror(argv[0]);
        exit(1);
    }
    return pid;
}

// Waits for the first paint; returns its time, or -1 on timeout or early end.
static double waitForPaint(
    Display *display, int damageBase, pid_t pid, double start, double timeoutMs, double *mapMs)
{
    struct pollfd x = { ConnectionNumber(display), POLLIN, 0 };
    while (nowMs() - start < timeoutMs) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (handleEvent(display, &event, damageBase, start, mapMs))
                return nowMs() - start;
        }
        if (waitpid(pid, NULL, WNOHANG) == pid)
            return -1;
        poll(&x, 1, 20);
    }
    return -1;
}

int main(int argc, char **argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: firstpaint TIMEOUT_MS PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    Display *display = XOpenDisplay(NULL);
    int damageBase, errorBase;
    if (!display || !XDamageQueryExtension(display, &damageBase, &errorBase)) {
        fprintf(stderr, "firstpaint: no X display with the Damage extension\n");
        return 1;
    }
    XSetErrorHandler(ignoreError);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    double mapMs = -1;
    const double start = nowMs();
    const pid_t pid = spawn(argv + 2);
    const double paintMs = waitForPaint(display, damageBase, pid, start, atof(argv[1]), &mapMs);

    if (paintMs < 0) {
        kill(pid, SIGKILL);
        waitpid(pid, NULL, 0);
        fprintf(stderr, "firstpaint: %s painted no window\n", argv[2]);
        return 1;
    }
    kill(pid, SIGTERM);
    struct rusage usage;
    wait4(pid, NULL, 0, &usage);
    printf("%.2f %.2f %ld\n", paintMs, mapMs, usage.ru_maxrss);
    return 0;
}
