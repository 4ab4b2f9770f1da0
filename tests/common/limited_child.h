#pragma once

#include <csignal>
#include <cstdlib>
#include <functional>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define VK_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VK_ADDRESS_SANITIZER 1
#endif
#endif
#ifndef VK_ADDRESS_SANITIZER
#define VK_ADDRESS_SANITIZER 0
#endif

// Runs `work` in a child process that a timer ends after `seconds`, with its memory limited to
// `memoryBytes` where the sanitizers, which reserve far more address space, allow it. Returns
// work()'s result (0 … 255), or −1 when the child was ended by the timer, a signal or a failed
// allocation. Proves that something neither hangs nor fills the memory.
inline int RunLimited(const std::function<int()> &work, unsigned seconds = 10,
                      rlim_t memoryBytes = rlim_t(512) << 20)
{
    const pid_t child = fork();
    if (child == 0) {
        alarm(seconds);
#if !VK_ADDRESS_SANITIZER
        const rlimit limit{memoryBytes, memoryBytes};
        setrlimit(RLIMIT_AS, &limit);
#else
        (void)memoryBytes;
#endif
        _exit(work() & 0xff);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}
