#include "core/processes.h"

#include <cerrno>

#include <signal.h>

namespace zestora {

bool processRuns(qint64 pid)
{
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

} // namespace zestora
