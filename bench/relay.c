// A network of chosen latency on one machine: an ssh ProxyCommand that
// joins its standard streams to HOST:PORT and holds each chunk DELAY_MS
// before passing it on, in each direction. Chunks keep their order and
// are not held behind one another: many requests in flight each pay the
// delay once, as on a real link.
//
// Usage: relay DELAY_MS HOST PORT

#define _GNU_SOURCE
#include <errno.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

struct Chunk {
    struct Chunk *next;
    double due;   // when it may be written, ms
    size_t size;
    char bytes[];
};

struct Direction {
    int in, out;
    double delay;
};

static double nowMs(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static int writeAll(int fd, const char *bytes, size_t size)
{
    while (size > 0) {
        const ssize_t n = write(fd, bytes, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return -1;
        bytes += n;
        size -= (size_t)n;
    }
    return 0;
}

// Writes the chunks that are due; -1 when the other side is gone.
static int writeDue(struct Direction *d, struct Chunk **head, struct Chunk **tail)
{
    while (*head && (*head)->due <= nowMs()) {
        struct Chunk *chunk = *head;
        if (writeAll(d->out, chunk->bytes, chunk->size) < 0)
            return -1;
        *head = chunk->next;
        if (!*head)
            *tail = NULL;
        free(chunk);
    }
    return 0;
}

static void *carry(void *arg)
{
    struct Direction *d = arg;
    struct Chunk *head = NULL, *tail = NULL;
    char buffer[65536];
    int open = 1;
    while (open || head) {
        int wait = head ? (int)(head->due - nowMs() + 0.999) : -1;
        if (wait < 0 && head)
            wait = 0;
        struct pollfd p = { .fd = d->in, .events = POLLIN };
        const int ready = open ? poll(&p, 1, wait) : (usleep((useconds_t)wait * 1000), 0);
        if (ready > 0) {
            const ssize_t n = read(d->in, buffer, sizeof buffer);
            if (n <= 0 && !(n < 0 && errno == EINTR)) {
                open = 0;
            } else if (n > 0) {
                struct Chunk *chunk = malloc(sizeof *chunk + (size_t)n);
                *chunk = (struct Chunk) { NULL, nowMs() + d->delay, (size_t)n };
                memcpy(chunk->bytes, buffer, (size_t)n);
                *(tail ? &tail->next : &head) = chunk;
                tail = chunk;
            }
        }
        if (writeDue(d, &head, &tail) < 0)
            exit(0);
    }
    shutdown(d->out, SHUT_WR);
    exit(0);   // one side closed: the connection is over
}

static int connectTo(const char *host, const char *port)
{
    struct addrinfo hints = { .ai_socktype = SOCK_STREAM }, *found;
    if (getaddrinfo(host, port, &hints, &found) != 0)
        return -1;
    int fd = -1;
    for (struct addrinfo *a = found; a && fd < 0; a = a->ai_next) {
        fd = socket(a->ai_family, a->ai_socktype, a->ai_protocol);
        if (fd >= 0 && connect(fd, a->ai_addr, a->ai_addrlen) != 0) {
            close(fd);
            fd = -1;
        }
    }
    freeaddrinfo(found);
    const int on = 1;   // each chunk sent as it comes, as ssh's own socket does
    if (fd >= 0)
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return fd;
}

int main(int argc, char **argv)
{
    if (argc != 4) {
        fprintf(stderr, "usage: relay DELAY_MS HOST PORT\n");
        return 2;
    }
    const int sock = connectTo(argv[2], argv[3]);
    if (sock < 0) {
        fprintf(stderr, "relay: cannot reach %s:%s\n", argv[2], argv[3]);
        return 1;
    }
    const double delay = atof(argv[1]);
    struct Direction up = { 0, sock, delay }, down = { sock, 1, delay };
    pthread_t thread;
    pthread_create(&thread, NULL, carry, &up);
    carry(&down);
    return 0;
}
