#include "core/store/faultguard.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <mutex>

#include <sys/mman.h>

namespace zestora {

namespace {

// The guarded ranges, read by the signal handler without a lock: a range counts once its begin is
// set, which happens last when it is claimed and first when it is given back.
struct Range {
    std::atomic<quintptr> begin{0};
    std::atomic<quintptr> end{0};
    std::atomic<std::atomic<bool>*> lost{nullptr};
};
std::array<Range, 64> ranges;
std::mutex claiming; // between threads claiming places, never taken by the handler
struct sigaction previousAction {};
bool installed = false;

static_assert(std::atomic<quintptr>::is_always_lock_free &&
                  std::atomic<std::atomic<bool>*>::is_always_lock_free &&
                  std::atomic<bool>::is_always_lock_free,
              "the signal handler reads these without a lock");

// Runs inside the faulting thread, interrupting whatever it did, so it only reads atomics and
// makes system calls: mmap (a bare system call in the C library, holding no lock) and sigaction.
void onBusError(int signal, siginfo_t* info, void* context)
{
    const int savedErrno = errno;
    const quintptr at = reinterpret_cast<quintptr>(info->si_addr);
    for (Range& range : ranges) {
        const quintptr begin = range.begin.load(std::memory_order_acquire);
        if (begin == 0 || at < begin || at >= range.end.load(std::memory_order_acquire))
            continue;
        // Zero pages in place of the whole mapping, at the same addresses: the faulting read then
        // goes on and finds zeros, and so does every later one.
        if (std::atomic<bool>* lost = range.lost.load(std::memory_order_acquire))
            lost->store(true);
        if (::mmap(reinterpret_cast<void*>(begin), range.end.load() - begin, PROT_READ,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) != MAP_FAILED) {
            errno = savedErrno;
            return;
        }
        break; // no memory for the zero pages: the read would only fault again
    }
    // Not ours: the error is left to what handled it before. A handler of its own is called;
    // otherwise the earlier action is put back, and it follows when the faulting read runs again
    // (or at once, for a signal another process sent).
    if ((previousAction.sa_flags & SA_SIGINFO) && previousAction.sa_sigaction) {
        previousAction.sa_sigaction(signal, info, context);
    } else if (previousAction.sa_handler != SIG_DFL && previousAction.sa_handler != SIG_IGN) {
        previousAction.sa_handler(signal);
    } else {
        ::sigaction(SIGBUS, &previousAction, nullptr);
        if (info->si_code <= 0)
            ::raise(SIGBUS);
    }
    errno = savedErrno;
}

} // namespace

FaultGuard::FaultGuard(const void* begin, qsizetype size, std::atomic<bool>* lost)
{
    const std::lock_guard lock(claiming);
    if (!installed) {
        struct sigaction action {};
        action.sa_sigaction = onBusError;
        action.sa_flags = SA_SIGINFO | SA_RESTART;
        sigemptyset(&action.sa_mask);
        installed = ::sigaction(SIGBUS, &action, &previousAction) == 0;
        if (!installed)
            return;
    }
    for (int slot = 0; slot < int(ranges.size()); ++slot) {
        Range& range = ranges[size_t(slot)];
        if (range.begin.load() != 0 || range.end.load() != 0)
            continue;
        range.lost.store(lost, std::memory_order_release);
        range.end.store(reinterpret_cast<quintptr>(begin) + quintptr(size),
                        std::memory_order_release);
        range.begin.store(reinterpret_cast<quintptr>(begin), std::memory_order_release);
        m_slot = slot;
        return;
    }
}

FaultGuard::~FaultGuard()
{
    if (m_slot < 0)
        return;
    const std::lock_guard lock(claiming);
    Range& range = ranges[size_t(m_slot)];
    range.begin.store(0, std::memory_order_release);
    range.lost.store(nullptr, std::memory_order_release);
    range.end.store(0, std::memory_order_release);
}

} // namespace zestora
