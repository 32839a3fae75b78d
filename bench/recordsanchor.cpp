// The anchor for reading many cards: open each file, read its first 1176
// bytes (the marker, the record and the separator), close it. Prints how
// many began with the marker. With --stat first, each file is also given an
// fstat, as a reader that tells the poster's size must; with --tail first,
// its last 4 KB are also read, where a card's extension ends it.

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    constexpr int kHeader = 1176;
    constexpr off_t kTail = 4096;
    char header[kHeader], tail[kTail];
    int cards = 0;
    const bool withStat = argc > 1 && std::strcmp(argv[1], "--stat") == 0;
    const bool withTail = argc > 1 && std::strcmp(argv[1], "--tail") == 0;
    for (int i = withStat || withTail ? 2 : 1; i < argc; ++i) {
        const int fd = open(argv[i], O_RDONLY);
        struct stat info;
        if (fd < 0 || (withStat && fstat(fd, &info) != 0))
            return 1;
        if (read(fd, header, kHeader) == kHeader && std::memcmp(header, "@CNFCH@", 7) == 0)
            ++cards;
        const off_t size = withTail ? lseek(fd, 0, SEEK_END) : 0;
        const off_t last = size - kHeader < kTail ? size - kHeader : kTail;
        if (last > 0 && pread(fd, tail, size_t(last), size - last) != last)
            return 1;
        close(fd);
    }
    std::printf("%d\n", cards);
    return 0;
}
