// Starts a program and watches its window from outside, as a user would:
// when its painting settles (the last paint before QUIET_MS without one),
// how long its event loop ever kept a _NET_WM_PING waiting until then, how
// long each letter typed takes to be painted, and how long a change made by
// another program takes to show. Then ends the program with SIGTERM and reads
// its peak resident memory from wait4.
//
// Usage: windowprobe TIMEOUT_MS QUIET_MS KEYS COMMAND PROGRAM [ARGUMENT...]
// KEYS: letters typed once the window settled, after Ctrl+F, each waited for
// ("-": none); COMMAND: a shell command run after them and Escape ("-": none).
// Prints "SETTLED_MS FIRSTPAINT_MS STALL_MS MAXRSS_KIB KEY_MEDIAN_MS KEY_MAX_MS
// COMMAND_MS"; a figure not measured is 0. Exit 1 when the window never
// settled within TIMEOUT_MS or the program ended first.

#define _GNU_SOURCE
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>

extern char **environ;

enum { MaxWindows = 256, MaxKeys = 64, PingEveryMs = 10 };

// A caret's blink, a few pixels wide (16 at twice the scale), is not the
// window's work.
enum { LeastPaintWidth = 24, LeastPaintHeight = 12 };

static Display *display;
static int damageBase;
static Atom protocolsAtom, pingAtom;
static Window windows[MaxWindows];
static int isFrame[MaxWindows];
static int windowCount;
static Window client;   // the first window the program mapped: the one pinged
static pid_t child;

static double lastPaintMs = -1;   // the last paint seen, in ms from the start
static double start;

static long pingSerial;
static double pingSentMs = -1;   // -1: none waiting
static double stallMs;

static double nowMs(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6 - start;
}

static int ignoreError(Display *d, XErrorEvent *error)
{
    (void)d;
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

static void watchWindow(Window window)
{
    if (windowCount == MaxWindows || indexOf(window) >= 0)
        return;
    windows[windowCount++] = window;
    XSelectInput(display, window, StructureNotifyMask);
    XDamageCreate(display, window, XDamageReportRawRectangles);
    XFlush(display);
}

static void sendPing(void)
{
    XEvent event;
    memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = client;
    event.xclient.message_type = protocolsAtom;
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)pingAtom;
    event.xclient.data.l[1] = ++pingSerial;
    event.xclient.data.l[2] = (long)client;
    XSendEvent(display, client, False, NoEventMask, &event);
    XFlush(display);
    pingSentMs = nowMs();
}

static void handleEvent(const XEvent *event)
{
    if (event->type == CreateNotify && event->xcreatewindow.parent == DefaultRootWindow(display)) {
        watchWindow(event->xcreatewindow.window);
    } else if (event->type == ReparentNotify && event->xreparent.parent != DefaultRootWindow(display)) {
        const int i = indexOf(event->xreparent.parent);
        if (i >= 0)
            isFrame[i] = 1;
    } else if (event->type == MapNotify && !client) {
        const int i = indexOf(event->xmap.window);
        if (i >= 0 && !isFrame[i]) {
            client = event->xmap.window;
            sendPing();
        }
    } else if (event->type == ClientMessage && event->xclient.message_type == protocolsAtom
        && (Atom)event->xclient.data.l[0] == pingAtom && event->xclient.data.l[1] == pingSerial
        && pingSentMs >= 0) {
        const double waited = nowMs() - pingSentMs;
        if (waited > stallMs)
            stallMs = waited;
        pingSentMs = -1;
    } else if (event->type == damageBase + XDamageNotify) {
        const XDamageNotifyEvent *damage = (const XDamageNotifyEvent *)event;
        const int i = indexOf(damage->drawable);
        if (i >= 0 && !isFrame[i] && damage->area.width >= LeastPaintWidth
            && damage->area.height >= LeastPaintHeight)
            lastPaintMs = nowMs();
    }
}

// Handles events for up to waitMs, pinging the window as it goes.
static int pump(double waitMs)
{
    const double until = nowMs() + waitMs;
    struct pollfd x = { ConnectionNumber(display), POLLIN, 0 };
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            handleEvent(&event);
        }
        if (waitpid(child, NULL, WNOHANG) == child)
            return 0;
        const double now = nowMs();
        if (client && pingSentMs >= 0 && now - pingSentMs > stallMs)
            stallMs = now - pingSentMs;   // still waiting: the stall so far
        if (client && pingSentMs < 0)
            sendPing();
        if (now >= until)
            return 1;
        poll(&x, 1, PingEveryMs);
    }
}

// Waits until no paint came for quietMs after one at or after sinceMs;
// returns that paint's time, or -1.
static double waitForQuiet(double sinceMs, double quietMs, double timeoutMs)
{
    const double deadline = nowMs() + timeoutMs;
    while (nowMs() < deadline) {
        if (!pump(quietMs / 4))
            return -1;
        if (lastPaintMs >= sinceMs && nowMs() - lastPaintMs >= quietMs)
            return lastPaintMs;
    }
    return -1;
}

static void pressKey(KeySym symbol, int withControl)
{
    const KeyCode control = XKeysymToKeycode(display, XK_Control_L);
    const KeyCode key = XKeysymToKeycode(display, symbol);
    if (withControl)
        XTestFakeKeyEvent(display, control, True, CurrentTime);
    XTestFakeKeyEvent(display, key, True, CurrentTime);
    XTestFakeKeyEvent(display, key, False, CurrentTime);
    if (withControl)
        XTestFakeKeyEvent(display, control, False, CurrentTime);
    XFlush(display);
}

static int byValue(const void *a, const void *b)
{
    const double x = *(const double *)a, y = *(const double *)b;
    return x < y ? -1 : x > y;
}

// The time from now until the window's next paint, or -1.
static double timeToPaint(double timeoutMs)
{
    const double sent = nowMs();
    while (nowMs() - sent < timeoutMs) {
        if (!pump(1))
            return -1;
        if (lastPaintMs >= sent)
            return lastPaintMs - sent;
    }
    return -1;
}

// Types each letter, times the paint it causes, and lets the window settle
// before the next: the median and the longest time from a key to its paint.
static void typeKeys(const char *keys, double quietMs, double *median, double *longest)
{
    double times[MaxKeys];
    int count = 0;
    pressKey(XK_f, 1);
    waitForQuiet(nowMs(), quietMs, 5000);
    for (const char *c = keys; *c && count < MaxKeys; ++c) {
        const char name[2] = { *c, 0 };
        pressKey(XStringToKeysym(name), 0);
        const double painted = timeToPaint(5000);
        if (painted >= 0)
            times[count++] = painted;
        waitForQuiet(nowMs(), quietMs, 5000);
    }
    pressKey(XK_Escape, 0);
    waitForQuiet(nowMs(), quietMs, 5000);
    if (count == 0)
        return;
    qsort(times, count, sizeof times[0], byValue);
    *median = count % 2 ? times[count / 2] : (times[count / 2 - 1] + times[count / 2]) / 2;
    *longest = times[count - 1];
}

// Runs the command; how long after its start the window painted. A paint
// queued while it ran is read after it, and counts.
static double timeCommand(const char *command)
{
    const double sent = nowMs();
    if (system(command) != 0)
        return -1;
    const double ran = nowMs() - sent;
    const double painted = timeToPaint(10000);
    return painted < 0 ? -1 : ran + painted;
}

static void endChild(struct rusage *usage)
{
    kill(child, SIGTERM);
    wait4(child, NULL, 0, usage);
}

int main(int argc, char **argv)
{
    if (argc < 6) {
        fprintf(stderr, "usage: windowprobe TIMEOUT_MS QUIET_MS KEYS COMMAND PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    const double timeoutMs = atof(argv[1]), quietMs = atof(argv[2]);
    int errorBase, event, major, minor;
    display = XOpenDisplay(NULL);
    if (!display || !XDamageQueryExtension(display, &damageBase, &errorBase)
        || !XTestQueryExtension(display, &event, &errorBase, &major, &minor)) {
        fprintf(stderr, "windowprobe: no X display with the Damage and XTest extensions\n");
        return 1;
    }
    XSetErrorHandler(ignoreError);
    protocolsAtom = XInternAtom(display, "WM_PROTOCOLS", False);
    pingAtom = XInternAtom(display, "_NET_WM_PING", False);
    // A ping comes back to the root window as a structure event.
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask | StructureNotifyMask);
    XSync(display, False);

    start = 0;
    start = nowMs();
    if (posix_spawnp(&child, argv[5], NULL, NULL, argv + 5, environ) != 0) {
        perror(argv[5]);
        return 1;
    }
    double firstPaint = -1;
    while (firstPaint < 0 && nowMs() < timeoutMs) {
        if (!pump(PingEveryMs))
            break;
        firstPaint = lastPaintMs;
    }
    const double settled = firstPaint < 0 ? -1 : waitForQuiet(0, quietMs, timeoutMs - nowMs());
    struct rusage usage;
    if (settled < 0) {
        endChild(&usage);
        fprintf(stderr, "windowprobe: %s did not settle\n", argv[5]);
        return 1;
    }
    const double stall = stallMs;
    double keyMedian = 0, keyMax = 0, commandMs = 0;
    if (strcmp(argv[3], "-") != 0)
        typeKeys(argv[3], quietMs / 10, &keyMedian, &keyMax);
    if (strcmp(argv[4], "-") != 0) {
        commandMs = timeCommand(argv[4]);
        // The changed card's new poster is drawn, and its thumbnail cached,
        // before the end: the next run opens with every thumbnail cached.
        waitForQuiet(0, quietMs / 10, 5000);
    }
    endChild(&usage);
    printf("%.2f %.2f %.2f %ld %.2f %.2f %.2f\n", settled, firstPaint, stall, usage.ru_maxrss, keyMedian,
        keyMax, commandMs);
    return 0;
}
