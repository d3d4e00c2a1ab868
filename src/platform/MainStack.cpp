#include "platform/MainStack.h"

#ifdef __linux__
#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#endif

namespace qj {

#ifdef __linux__

namespace {

constexpr const char* kMarker = "QJ_MAIN_STACK_RAISED";
constexpr size_t kThreadStackBytes = size_t{8} << 20;

// The C library takes the stack limit at start as every new thread's stack size: threads keep the
// usual 8 MiB.
void KeepThreadStacksUsual() {
    pthread_attr_t attr;
    if (pthread_attr_init(&attr) != 0)
        return;
    if (pthread_attr_setstacksize(&attr, kThreadStackBytes) == 0)
        pthread_setattr_default_np(&attr);
    pthread_attr_destroy(&attr);
}

} // namespace

void EnsureLargeMainStack(char** argv) {
    rlimit limit{};
    if (getrlimit(RLIMIT_STACK, &limit) != 0)
        return;
    if (std::getenv(kMarker)) {
        unsetenv(kMarker);
        KeepThreadStacksUsual();
        return;
    }
    if (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur >= kMainStackBytes)
        return;
    rlim_t wanted = kMainStackBytes;
    if (limit.rlim_max != RLIM_INFINITY && limit.rlim_max < wanted)
        wanted = limit.rlim_max;
    if (wanted <= limit.rlim_cur)
        return;
    rlimit raised = limit;
    raised.rlim_cur = wanted;
    if (setrlimit(RLIMIT_STACK, &raised) != 0)
        return;
    // The program's own file by its real name, so that the process keeps its name (a start through
    // /proc/self/exe would be named "exe").
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) {
        setrlimit(RLIMIT_STACK, &limit);
        return;
    }
    path[length] = '\0';
    setenv(kMarker, "1", 1);
    execv(path, argv);
    // Not started again: go on as before.
    unsetenv(kMarker);
    setrlimit(RLIMIT_STACK, &limit);
}

#else

void EnsureLargeMainStack(char**) {}

#endif

} // namespace qj
