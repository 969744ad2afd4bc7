#pragma once

#include <QtGlobal>

namespace zestora {

// Whether a process of this number runs on this computer (one of another user's counts).
bool processRuns(qint64 pid);

} // namespace zestora
