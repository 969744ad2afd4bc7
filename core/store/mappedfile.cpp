#include "core/store/mappedfile.h"

#include "core/store/faultguard.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zestora {

namespace {

std::optional<FileIdentity> identityOf(int result, const struct stat& status)
{
    if (result != 0)
        return std::nullopt;
    return FileIdentity{quint64(status.st_dev), quint64(status.st_ino), qint64(status.st_size),
                        qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec};
}

} // namespace

std::optional<FileIdentity> FileIdentity::of(int fd)
{
    struct stat status {};
    return identityOf(::fstat(fd, &status), status);
}

std::optional<FileIdentity> FileIdentity::of(const QString& fileName)
{
    struct stat status {};
    return identityOf(::stat(QFile::encodeName(fileName).constData(), &status), status);
}

class MappedFile::State {
public:
    std::atomic<bool> lost{false};
    // The rest belongs to the mapping and is used under the lock of the mappings.
    int fd = -1; // holds the lease while the mapping is the file's
    FileIdentity identity;
    bool copied = false; // the mapping holds the program's own copy of the bytes
    uchar* data = nullptr;
    qsizetype size = 0;
    std::unique_ptr<FaultGuard> guard;
};

namespace {

// Every mapping, and the way the lease-break signal wakes the thread that answers it.
struct Mappings {
    std::mutex lock;
    std::vector<MappedFile::State*> all;
    bool watched = false;
};

Mappings& mappings()
{
    // Never destroyed: the thread may still wake while the program exits.
    static Mappings* const instance = new Mappings;
    return *instance;
}

std::atomic<int> wakeFd{-1};
struct sigaction previousIoAction {};

// The system's word that another program wants to change a file Zestora holds a lease on. It may
// interrupt any thread anywhere, so it only writes a byte into a pipe (write is safe in a signal
// handler; errno is kept) and passes the signal on to whoever handled it before.
void onLeaseBreak(int signal, siginfo_t* info, void* context)
{
    const int savedErrno = errno;
    const char wake = 0;
    [[maybe_unused]] const ssize_t written = ::write(wakeFd.load(), &wake, 1);
    if ((previousIoAction.sa_flags & SA_SIGINFO) && previousIoAction.sa_sigaction)
        previousIoAction.sa_sigaction(signal, info, context);
    else if (previousIoAction.sa_handler != SIG_DFL && previousIoAction.sa_handler != SIG_IGN)
        previousIoAction.sa_handler(signal);
    errno = savedErrno;
}

void letGo(MappedFile::State& state)
{
    ::fcntl(state.fd, F_SETLEASE, F_UNLCK);
    ::close(state.fd);
    state.fd = -1;
}

// The other program waits for this: the bytes are copied into memory of the program's own, which
// then takes the mapping's place at the same addresses in one step, so that a thread reading them
// meanwhile sees the same bytes before and after. Then the lease goes.
void copyAndLetGo(MappedFile::State& state)
{
    const size_t size = size_t(state.size);
    void* copy = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    bool copied = copy != MAP_FAILED;
    if (copied) {
        std::memcpy(copy, state.data, size);
        ::mprotect(copy, size, PROT_READ);
        copied =
            ::mremap(copy, size, size, MREMAP_MAYMOVE | MREMAP_FIXED, state.data) != MAP_FAILED;
        if (!copied)
            ::munmap(copy, size);
    }
    // The copy is the file as mapped only if the file did not change first, which it can when the
    // system stopped waiting for this program.
    state.copied = copied && FileIdentity::of(state.fd) == state.identity;
    if (!state.copied)
        state.lost = true;
    letGo(state);
}

void answerLeaseBreaks(int wakeRead)
{
    for (;;) {
        char wake[64];
        if (::read(wakeRead, wake, sizeof wake) < 0 && errno != EINTR)
            return;
        Mappings& all = mappings();
        const std::lock_guard lock(all.lock);
        for (MappedFile::State* state : all.all)
            if (state->fd >= 0 && ::fcntl(state->fd, F_GETLEASE) != F_RDLCK)
                copyAndLetGo(*state);
    }
}

bool startWatching()
{
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0)
        return false;
    // A full pipe must not block the signal handler: a byte in it already wakes the thread.
    ::fcntl(pipe[1], F_SETFL, O_NONBLOCK);
    wakeFd = pipe[1];
    struct sigaction action {};
    action.sa_sigaction = onLeaseBreak;
    action.sa_flags = SA_SIGINFO | SA_RESTART;
    sigemptyset(&action.sa_mask);
    if (::sigaction(SIGIO, &action, &previousIoAction) != 0)
        return false;
    std::thread(answerLeaseBreaks, pipe[0]).detach();
    return true;
}

} // namespace

MappedFile::MappedFile(std::shared_ptr<State> state, const uchar* data, qsizetype size,
                       const FileIdentity& identity)
    : m_state(std::move(state))
    , m_identity(identity)
    , m_data(data)
    , m_size(size)
{
}

std::unique_ptr<MappedFile> MappedFile::map(const QString& fileName)
{
    Mappings& all = mappings();
    static std::once_flag started;
    std::call_once(started, [&all] { all.watched = startWatching(); });
    if (!all.watched)
        return nullptr;
    const int fd = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    auto state = std::make_shared<State>();
    state->fd = fd;
    // Under the lock, so that a lease broken at once is answered only once the mapping is known.
    const std::lock_guard lock(all.lock);
    struct stat status {};
    const bool file = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0;
    // From the lease on, no other program can open the file to change it unannounced; the file
    // is measured after it is taken.
    if (!file || ::fcntl(fd, F_SETLEASE, F_RDLCK) != 0) {
        ::close(fd);
        return nullptr;
    }
    const std::optional<FileIdentity> identity = FileIdentity::of(fd);
    void* data = identity && identity->size > 0
                     ? ::mmap(nullptr, size_t(identity->size), PROT_READ, MAP_PRIVATE, fd, 0)
                     : MAP_FAILED;
    if (data != MAP_FAILED) {
        state->identity = *identity;
        state->data = static_cast<uchar*>(data);
        state->size = identity->size;
        state->guard = std::make_unique<FaultGuard>(data, state->size, &state->lost);
        if (state->guard->holds()) {
            all.all.push_back(state.get());
            return std::unique_ptr<MappedFile>(
                new MappedFile(state, state->data, state->size, state->identity));
        }
        state->guard.reset();
        ::munmap(data, size_t(state->size));
    }
    letGo(*state);
    return nullptr;
}

MappedFile::~MappedFile()
{
    Mappings& all = mappings();
    const std::lock_guard lock(all.lock);
    all.all.erase(std::find(all.all.begin(), all.all.end(), m_state.get()));
    m_state->guard.reset();
    if (m_state->fd >= 0)
        letGo(*m_state);
    ::munmap(m_state->data, size_t(m_state->size));
    m_state->data = nullptr;
}

QByteArrayView MappedFile::bytes() const
{
    return QByteArrayView(m_data, m_size);
}

void MappedFile::release(qsizetype from, qsizetype to)
{
    static const quintptr page = quintptr(::sysconf(_SC_PAGESIZE));
    const auto at = [this](qsizetype offset) {
        return quintptr(m_data + qMin(offset, m_size));
    };
    // Whole pages only: the page the reader has reached stays.
    const quintptr first = (at(from) + page - 1) & ~(page - 1);
    const quintptr end = at(to) & ~(page - 1);
    if (end <= first)
        return;
    Mappings& all = mappings();
    const std::lock_guard lock(all.lock);
    // Pages the program holds of its own would come back empty, not from the file.
    if (m_state->fd >= 0)
        ::madvise(reinterpret_cast<void*>(first), end - first, MADV_DONTNEED);
}

bool MappedFile::intact(State& state)
{
    Mappings& all = mappings();
    const std::lock_guard lock(all.lock);
    if (state.fd >= 0 && FileIdentity::of(state.fd) != state.identity)
        state.lost = true;
    return !state.lost;
}

} // namespace zestora
