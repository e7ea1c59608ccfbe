/* Slow storage under a running program, for the black-box runs: preloaded (LD_PRELOAD), it makes
 * every open and every read of a file under RBX_SLOW_DIR wait RBX_SLOW_MS milliseconds, the way a
 * network share, a USB stick or a disk waking up does. Every read waits, so the page cache hides
 * nothing. While a file NAME.hold lies beside a file NAME, an open of NAME waits besides, as on a
 * share that has stopped answering. Everything else passes straight through. With RBX_SLOW_LOG
 * naming a file, each call made to wait is written there (its name and descriptor), to see which
 * calls a reader really makes.
 *
 * The calls are the C library's entries that FFmpeg's file protocol and the program's own readers
 * use (open64 and read in FFmpeg; fopen/fread, open/pread and open/mmap in the program's checks and
 * scanners), and the other opens and reads a reader might use; the descriptors opened under the
 * folder are noted (and followed through dup) so their reads can be told from all others.
 * The C library's own stdio reads behind fread do not come through here, so fread waits itself.
 * Pages of a mapped file cannot be made to wait; the mapping call does, once. */
#undef _FORTIFY_SOURCE
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <time.h>
#include <unistd.h>

/* Descriptors above this are never marked slow; a program opens far fewer. */
#define FD_SLOTS 65536

static unsigned char slowFds[FD_SLOTS];
static char folder[PATH_MAX];
static size_t folderLength;
static long delayMs;
static int logFd = -1;
static pthread_once_t once = PTHREAD_ONCE_INIT;

static int (*realOpen)(const char*, int, ...);
static int (*realOpen64)(const char*, int, ...);
static int (*realOpenat)(int, const char*, int, ...);
static int (*realOpenat64)(int, const char*, int, ...);
static ssize_t (*realRead)(int, void*, size_t);
static ssize_t (*realPread)(int, void*, size_t, off_t);
static ssize_t (*realPread64)(int, void*, size_t, off64_t);
static ssize_t (*realReadv)(int, const struct iovec*, int);
static int (*realClose)(int);
static int (*realDup)(int);
static int (*realDup2)(int, int);
static int (*realDup3)(int, int, int);
static FILE* (*realFopen)(const char*, const char*);
static FILE* (*realFopen64)(const char*, const char*);
static size_t (*realFread)(void*, size_t, size_t, FILE*);
static int (*realFclose)(FILE*);
static void* (*realMmap)(void*, size_t, int, int, int, off_t);
static void* (*realMmap64)(void*, size_t, int, int, int, off64_t);

/* dlsym gives an object pointer; copied, not cast, so ISO C has nothing to say. */
static void resolve(void* target, const char* name)
{
    void* found = dlsym(RTLD_NEXT, name);
    memcpy(target, &found, sizeof found);
}

static void setUp(void)
{
    const char* dir = getenv("RBX_SLOW_DIR");
    const char* ms = getenv("RBX_SLOW_MS");
    if (dir != NULL && dir[0] == '/' && strlen(dir) < sizeof folder) {
        strcpy(folder, dir);
        folderLength = strlen(folder);
        while (folderLength > 1 && folder[folderLength - 1] == '/') {
            folder[--folderLength] = '\0';
        }
    }
    delayMs = ms != NULL ? strtol(ms, NULL, 10) : 0;
    resolve(&realOpen, "open");
    resolve(&realOpen64, "open64");
    resolve(&realOpenat, "openat");
    resolve(&realOpenat64, "openat64");
    resolve(&realRead, "read");
    resolve(&realPread, "pread");
    resolve(&realPread64, "pread64");
    resolve(&realReadv, "readv");
    resolve(&realClose, "close");
    resolve(&realDup, "dup");
    resolve(&realDup2, "dup2");
    resolve(&realDup3, "dup3");
    resolve(&realFopen, "fopen");
    resolve(&realFopen64, "fopen64");
    resolve(&realFread, "fread");
    resolve(&realFclose, "fclose");
    resolve(&realMmap, "mmap");
    resolve(&realMmap64, "mmap64");
    const char* log = getenv("RBX_SLOW_LOG");
    if (log != NULL && log[0] != '\0') {
        logFd = realOpen(log, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    }
}

static void ready(void)
{
    pthread_once(&once, setUp);
}

static void sleepMs(long ms)
{
    struct timespec left = {ms / 1000, (ms % 1000) * 1000000L};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

/* What storage costs one call. */
static void waitForStorage(const char* call, int fd)
{
    const int saved = errno;
    if (logFd >= 0 && call != NULL) {
        dprintf(logFd, "%s %d\n", call, fd);
    }
    if (delayMs > 0) {
        sleepMs(delayMs);
    }
    errno = saved;
}

/* An open waits out the file's hold, then what any call costs. */
static void waitForOpen(const char* call, const char* path)
{
    const int saved = errno;
    char hold[PATH_MAX + 8];
    snprintf(hold, sizeof hold, "%s.hold", path);
    while (access(hold, F_OK) == 0) {
        sleepMs(10);
    }
    if (logFd >= 0) {
        dprintf(logFd, "%s %s\n", call, path);
    }
    errno = saved;
    waitForStorage(NULL, -1);
}

static int isSlow(int fd)
{
    return fd >= 0 && fd < FD_SLOTS && __atomic_load_n(&slowFds[fd], __ATOMIC_ACQUIRE);
}

static void mark(int fd, unsigned char slow)
{
    if (fd >= 0 && fd < FD_SLOTS) {
        __atomic_store_n(&slowFds[fd], slow, __ATOMIC_RELEASE);
    }
}

/* Whether a path names something under the folder; a relative one is taken from the working
 * folder or from the folder its descriptor stands for. `full` gets the path as taken. */
static int underFolder(int dirFd, const char* path, char* full)
{
    if (folderLength == 0 || path == NULL) {
        return 0;
    }
    if (path[0] != '/') {
        if (dirFd == AT_FDCWD) {
            if (getcwd(full, PATH_MAX) == NULL) {
                return 0;
            }
        } else {
            char link[64];
            snprintf(link, sizeof link, "/proc/self/fd/%d", dirFd);
            const ssize_t length = readlink(link, full, PATH_MAX - 1);
            if (length < 0) {
                return 0;
            }
            full[length] = '\0';
        }
        const size_t used = strlen(full);
        snprintf(full + used, PATH_MAX - used, "/%s", path);
    } else {
        snprintf(full, PATH_MAX, "%s", path);
    }
    path = full;
    return strncmp(path, folder, folderLength) == 0 && (path[folderLength] == '/' || path[folderLength] == '\0');
}

/* A mode follows the flags only when the open may create a file. */
static mode_t modeOf(int flags, va_list args)
{
    return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE ? (mode_t)va_arg(args, int) : 0;
}

static int opened(const char* call, int dirFd, const char* path, int flags, mode_t mode, int large)
{
    ready();
    char full[PATH_MAX];
    const int slow = underFolder(dirFd, path, full);
    if (slow) {
        waitForOpen(call, full);
    }
    int fd;
    if (dirFd == AT_FDCWD) {
        fd = large ? realOpen64(path, flags, mode) : realOpen(path, flags, mode);
    } else {
        fd = large ? realOpenat64(dirFd, path, flags, mode) : realOpenat(dirFd, path, flags, mode);
    }
    if (fd >= 0) {
        mark(fd, (unsigned char)slow);
    }
    return fd;
}

int open(const char* path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeOf(flags, args);
    va_end(args);
    return opened("open", AT_FDCWD, path, flags, mode, 0);
}

int open64(const char* path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeOf(flags, args);
    va_end(args);
    return opened("open64", AT_FDCWD, path, flags, mode, 1);
}

int openat(int dirFd, const char* path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeOf(flags, args);
    va_end(args);
    return opened("openat", dirFd, path, flags, mode, 0);
}

int openat64(int dirFd, const char* path, int flags, ...)
{
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeOf(flags, args);
    va_end(args);
    return opened("openat64", dirFd, path, flags, mode, 1);
}

/* The entries a caller built with source fortification reaches instead of open. */
int __open_2(const char* path, int flags)
{
    return opened("__open_2", AT_FDCWD, path, flags, 0, 0);
}

int __open64_2(const char* path, int flags)
{
    return opened("__open64_2", AT_FDCWD, path, flags, 0, 1);
}

ssize_t read(int fd, void* buffer, size_t bytes)
{
    ready();
    if (isSlow(fd)) {
        waitForStorage("read", fd);
    }
    return realRead(fd, buffer, bytes);
}

ssize_t __read_chk(int fd, void* buffer, size_t bytes, size_t room)
{
    if (bytes > room) {
        abort();
    }
    return read(fd, buffer, bytes);
}

ssize_t pread(int fd, void* buffer, size_t bytes, off_t at)
{
    ready();
    if (isSlow(fd)) {
        waitForStorage("pread", fd);
    }
    return realPread(fd, buffer, bytes, at);
}

ssize_t pread64(int fd, void* buffer, size_t bytes, off64_t at)
{
    ready();
    if (isSlow(fd)) {
        waitForStorage("pread64", fd);
    }
    return realPread64(fd, buffer, bytes, at);
}

ssize_t readv(int fd, const struct iovec* parts, int count)
{
    ready();
    if (isSlow(fd)) {
        waitForStorage("readv", fd);
    }
    return realReadv(fd, parts, count);
}

int close(int fd)
{
    ready();
    /* Unmarked first: once closed, another thread's open may be given the same number. */
    mark(fd, 0);
    return realClose(fd);
}

/* A copy of a descriptor reads the same file. */
static int copied(int from, int to)
{
    if (to >= 0) {
        mark(to, (unsigned char)isSlow(from));
    }
    return to;
}

int dup(int fd)
{
    ready();
    return copied(fd, realDup(fd));
}

int dup2(int fd, int to)
{
    ready();
    return copied(fd, realDup2(fd, to));
}

int dup3(int fd, int to, int flags)
{
    ready();
    return copied(fd, realDup3(fd, to, flags));
}

static FILE* streamOpened(const char* call, const char* path, const char* mode, int large)
{
    ready();
    char full[PATH_MAX];
    const int slow = underFolder(AT_FDCWD, path, full);
    if (slow) {
        waitForOpen(call, full);
    }
    FILE* stream = large ? realFopen64(path, mode) : realFopen(path, mode);
    if (stream != NULL) {
        mark(fileno(stream), (unsigned char)slow);
    }
    return stream;
}

FILE* fopen(const char* path, const char* mode)
{
    return streamOpened("fopen", path, mode, 0);
}

FILE* fopen64(const char* path, const char* mode)
{
    return streamOpened("fopen64", path, mode, 1);
}

size_t fread(void* buffer, size_t size, size_t count, FILE* stream)
{
    ready();
    if (stream != NULL && isSlow(fileno(stream))) {
        waitForStorage("fread", fileno(stream));
    }
    return realFread(buffer, size, count, stream);
}

int fclose(FILE* stream)
{
    ready();
    if (stream != NULL) {
        mark(fileno(stream), 0);
    }
    return realFclose(stream);
}

void* mmap(void* at, size_t bytes, int protection, int flags, int fd, off_t offset)
{
    ready();
    if (isSlow(fd)) {
        waitForStorage("mmap", fd);
    }
    return realMmap(at, bytes, protection, flags, fd, offset);
}

void* mmap64(void* at, size_t bytes, int protection, int flags, int fd, off64_t offset)
{
    ready();
    if (isSlow(fd)) {
        waitForStorage("mmap64", fd);
    }
    return realMmap64(at, bytes, protection, flags, fd, offset);
}
