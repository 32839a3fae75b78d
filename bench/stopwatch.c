// Runs one or more commands in turn and measures them from outside: the
// wall time from just before the first starts to the end of the last, and
// the largest peak resident memory among them (wait4).
//
// Usage: stopwatch COMMAND [ARGUMENT...] [--then COMMAND [ARGUMENT...]]...
// The commands' standard output goes to /dev/null. Prints "MS MAXRSS_KIB";
// exit 1 when a command fails (the rest are not run).

#define _GNU_SOURCE
#include <fcntl.h>
#include <spawn.h>
#include <stdio.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>

extern char **environ;

static double nowMs(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Runs argv to its end; returns its exit status (-1 when it could not start
// or was killed) and its peak memory in *maxRss.
static int run(char **argv, const posix_spawn_file_actions_t *actions, long *maxRss)
{
    pid_t pid;
    if (posix_spawnp(&pid, argv[0], actions, NULL, argv, environ) != 0) {
        perror(argv[0]);
        return -1;
    }
    int status;
    struct rusage usage;
    wait4(pid, &status, 0, &usage);
    if (usage.ru_maxrss > *maxRss)
        *maxRss = usage.ru_maxrss;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int main(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: stopwatch COMMAND [ARGUMENT...] [--then COMMAND [ARGUMENT...]]...\n");
        return 2;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);

    long maxRss = 0;
    const double start = nowMs();
    for (int first = 1; first < argc;) {
        int end = first;
        while (end < argc && strcmp(argv[end], "--then") != 0)
            ++end;
        argv[end] = NULL;   // each command's argv ends at its "--then"
        const int status = run(argv + first, &actions, &maxRss);
        if (status != 0) {
            fprintf(stderr, "stopwatch: %s failed (%d)\n", argv[first], status);
            return 1;
        }
        first = end + 1;
    }
    printf("%.2f %ld\n", nowMs() - start, maxRss);
    return 0;
}
