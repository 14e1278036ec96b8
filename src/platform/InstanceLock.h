#pragma once

#include "platform/NativeHandles.h"

#include <string>
#include <string_view>

namespace plintor::platform {

// A machine-wide named lock that only one process holds at a time: a lock file held with
// flock, so that the system drops it when its holder ends, however it ends.
//
// The lock files live in `InstanceLockFolder()`: the folder named by the environment
// variable PLINTOR_LOCK_DIR when it is set (tests give each run its own; read in
// platform/TestOverrides.h), else /run/lock when it is a writable folder, else the
// temporary folder (TMPDIR, or /tmp). Any user may open a lock file (mode 0666), as any
// user may start the program.
class InstanceLock {
public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(InstanceLock&& other) noexcept;
    InstanceLock& operator=(InstanceLock&& other) noexcept;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes the lock of this name without waiting. The result holds nothing when another
    // process holds it or the lock file cannot be opened or made.
    static InstanceLock Acquire(std::string_view name);

    bool Held() const { return fd != kNoFile; }
    void Release();

private:
    explicit InstanceLock(NativeFile held) : fd(held) {}
    NativeFile fd = kNoFile;
};

#if !defined(_WIN32)
std::string InstanceLockFolder();

// The lock file for a lock name: the name with every byte outside [A-Za-z0-9._-] written
// as %XX (so distinct names give distinct files), cut and completed with a hash when
// long, inside InstanceLockFolder().
std::string InstanceLockPath(std::string_view name);
#else
// The name of the mutex that holds the lock of this name.
std::string InstanceLockObjectName(std::string_view name);
#endif

// For tests of a second start: when PLINTOR_TEST_HOLD_LOCK_MS is set, the caller that
// has just taken its lock waits that many milliseconds (at most kMaxTestHoldMs) before it
// goes on, so that a second process meets the lock held. Does nothing otherwise.
inline constexpr int kMaxTestHoldMs = 30000;
void PauseWhileHoldingLockForTests();

}
