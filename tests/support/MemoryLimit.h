#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// Runs `body` in a child process whose address space may grow by at most `extraBytes` beyond
// what the test process already maps, and gives its result: the status `body` returned, or -1
// when the child did not end normally (an allocation beyond the limit aborts it). This shows
// that a command stays within a memory bound without timing anything.
//
// AddressSanitizer maps terabytes of shadow memory, so no such limit can be set in its build:
// `memoryLimitWorks()` says whether this build can run the check at all.
#if defined(__SANITIZE_ADDRESS__)
#define ZEV_TEST_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZEV_TEST_UNDER_ASAN 1
#endif
#endif

inline bool memoryLimitWorks() {
#ifdef ZEV_TEST_UNDER_ASAN
    return false;
#else
    return true;
#endif
}

inline std::size_t mappedBytesNow() {
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    unsigned long pages = 0;
    if (f) {
        if (std::fscanf(f, "%lu", &pages) != 1)
            pages = 0;
        std::fclose(f);
    }
    return static_cast<std::size_t>(pages) * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

inline int runWithMemoryLimit(std::size_t extraBytes, const std::function<int()>& body) {
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const rlim_t limit = static_cast<rlim_t>(mappedBytesNow() + extraBytes);
        const rlimit rl{limit, limit};
        ::setrlimit(RLIMIT_AS, &rl);
        int status = 99;
        try {
            status = body();
        } catch (...) {
            ::_exit(98);
        }
        ::_exit(status);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    const int code = WEXITSTATUS(status);
    return code == 98 ? -1 : code;
}

#define SKIP_WITHOUT_MEMORY_LIMIT()                                                                \
    if (!memoryLimitWorks())                                                                       \
    GTEST_SKIP() << "no address-space limit under AddressSanitizer; the memory bound is checked "  \
                    "in the plain build"
