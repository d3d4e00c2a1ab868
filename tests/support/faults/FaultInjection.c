/* Failing writes and syncs on demand, for tests of what a full or failing disk does.
 *
 * Preloaded into a program (LD_PRELOAD) it reads QJ_FAULT="OP:PATH:ERRNO[:AFTER]" at start; linked
 * into a test program it is armed with qj_fault_arm(). Only files whose path contains PATH are hit:
 *   write  - write/pwrite/pwrite64 fail with ERRNO once AFTER bytes have gone to such files (the
 *            write that crosses the mark is cut short there, as on a full disk);
 *   fsync  - fsync/fdatasync of such a file fail with ERRNO;
 *   kill   - the process is killed (SIGKILL) at the write that crosses AFTER bytes;
 *   flip   - the write that crosses AFTER bytes succeeds but stores its first byte changed (a disk
 *            that damages data silently).
 * ERRNO is a number or ENOSPC, EIO, EDQUOT.
 */
#define _GNU_SOURCE
#include "FaultInjection.h"

#include <dlfcn.h>
#include <errno.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

enum { kNone, kWrite, kSync, kKill, kFlip };

static int op = kNone;
static char pathPart[1024];
static int failure = ENOSPC;
static long long after = 0;
static long long written = 0;

static int ParseErrno(const char* text) {
    if (strcmp(text, "ENOSPC") == 0)
        return ENOSPC;
    if (strcmp(text, "EIO") == 0)
        return EIO;
    if (strcmp(text, "EDQUOT") == 0)
        return EDQUOT;
    return atoi(text);
}

void qj_fault_arm(const char* what, const char* path, int error, long long afterBytes) {
    op = strcmp(what, "write") == 0   ? kWrite
         : strcmp(what, "fsync") == 0 ? kSync
         : strcmp(what, "kill") == 0  ? kKill
         : strcmp(what, "flip") == 0  ? kFlip
                                      : kNone;
    snprintf(pathPart, sizeof pathPart, "%s", path);
    failure = error;
    after = afterBytes;
    written = 0;
}

void qj_fault_disarm(void) {
    op = kNone;
}

__attribute__((constructor)) static void ArmFromEnvironment(void) {
    const char* plan = getenv("QJ_FAULT");
    if (!plan || !*plan)
        return;
    char copy[1200];
    snprintf(copy, sizeof copy, "%s", plan);
    char* fields[4] = {copy, NULL, NULL, NULL};
    for (int i = 1; i < 4; ++i) {
        char* colon = fields[i - 1] ? strchr(fields[i - 1], ':') : NULL;
        if (!colon)
            break;
        *colon = '\0';
        fields[i] = colon + 1;
    }
    if (fields[1] && fields[2])
        qj_fault_arm(fields[0], fields[1], ParseErrno(fields[2]), fields[3] ? atoll(fields[3]) : 0);
}

static int Hits(int fd) {
    char link[64], target[4096];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = readlink(link, target, sizeof target - 1);
    if (n <= 0)
        return 0;
    target[n] = '\0';
    return strstr(target, pathPart) != NULL;
}

/* How many of `size` bytes may be written to `fd`: all, some (cut at the mark) or -1 (fail). */
static ssize_t Allowed(int fd, size_t size) {
    if ((op != kWrite && op != kKill) || !Hits(fd))
        return (ssize_t)size;
    if (written + (long long)size <= after) {
        written += (long long)size;
        return (ssize_t)size;
    }
    if (op == kKill)
        raise(SIGKILL);
    if (written < after) {
        const ssize_t part = (ssize_t)(after - written);
        written = after;
        return part;
    }
    errno = failure;
    return -1;
}

typedef ssize_t (*WriteFunction)(int, const void*, size_t);
typedef ssize_t (*PwriteFunction)(int, const void*, size_t, off_t);
typedef ssize_t (*Pwrite64Function)(int, const void*, size_t, off64_t);
typedef int (*SyncFunction)(int);

/* The C library's own function of that name. */
static void* Real(const char* name) {
    return dlsym(RTLD_NEXT, name);
}

ssize_t write(int fd, const void* data, size_t size) {
    static WriteFunction real_write;
    if (!real_write)
        real_write = (WriteFunction)Real("write");
    if (op == kFlip && size > 0 && Hits(fd)) {
        written += (long long)size;
        if (written > after) {
            /* Once: the bytes go out with the first one changed. */
            op = kNone;
            unsigned char* changed = malloc(size);
            if (!changed)
                return -1;
            memcpy(changed, data, size);
            changed[0] ^= 0x5A;
            const ssize_t n = real_write(fd, changed, size);
            free(changed);
            return n;
        }
    }
    const ssize_t allowed = Allowed(fd, size);
    return allowed < 0 ? -1 : real_write(fd, data, (size_t)allowed);
}

ssize_t pwrite(int fd, const void* data, size_t size, off_t at) {
    static PwriteFunction real_pwrite;
    if (!real_pwrite)
        real_pwrite = (PwriteFunction)Real("pwrite");
    const ssize_t allowed = Allowed(fd, size);
    return allowed < 0 ? -1 : real_pwrite(fd, data, (size_t)allowed, at);
}

ssize_t pwrite64(int fd, const void* data, size_t size, off64_t at) {
    static Pwrite64Function real_pwrite64;
    if (!real_pwrite64)
        real_pwrite64 = (Pwrite64Function)Real("pwrite64");
    const ssize_t allowed = Allowed(fd, size);
    return allowed < 0 ? -1 : real_pwrite64(fd, data, (size_t)allowed, at);
}

static int SyncFails(int fd) {
    if (op == kSync && Hits(fd)) {
        errno = failure;
        return 1;
    }
    return 0;
}

int fsync(int fd) {
    static SyncFunction real_fsync;
    if (!real_fsync)
        real_fsync = (SyncFunction)Real("fsync");
    return SyncFails(fd) ? -1 : real_fsync(fd);
}

int fdatasync(int fd) {
    static SyncFunction real_fdatasync;
    if (!real_fdatasync)
        real_fdatasync = (SyncFunction)Real("fdatasync");
    return SyncFails(fd) ? -1 : real_fdatasync(fd);
}
