#pragma once

#include <QtGlobal>

#include <atomic>

namespace zestora {

// Keeps a read-only mapping of a file from ending the program when the file shrinks under it.
// Reading a mapped page past the file's new end raises a bus error; inside a guarded range that
// error makes the whole range read as zeros from then on, and the guard records the loss, so that
// nothing is taken from those bytes any more. A bus error anywhere else is left to whatever handled
// it before.
class FaultGuard {
public:
    // lost is set when the range is given up; it must outlive the guard.
    FaultGuard(const void* begin, qsizetype size, std::atomic<bool>* lost);
    ~FaultGuard();
    FaultGuard(const FaultGuard&) = delete;
    FaultGuard& operator=(const FaultGuard&) = delete;

    // False when no guard could be set up (all places taken, or no handler installed): the
    // mapping is then not safe to keep.
    bool holds() const { return m_slot >= 0; }

private:
    int m_slot = -1;
};

} // namespace zestora
