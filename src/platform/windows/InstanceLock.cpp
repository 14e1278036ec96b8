// The single-instance lock as a named mutex (CreateMutexW). The mutex is made owned by its
// maker (bInitialOwner TRUE) with security attributes that carry a security descriptor
// whose discretionary access list is null, so that any user's process may open it, and
// that are not inheritable. When the name already exists CreateMutexW still returns a
// handle, to the existing object, and GetLastError gives ERROR_ALREADY_EXISTS: that handle
// is closed and the lock is not held. A name in another user's session that this process
// may not open gives ERROR_ACCESS_DENIED and no handle: not held either. The system
// abandons the mutex when its holder ends, however it ends. Exercised under Wine by the
// Windows unit tests.
#include "platform/InstanceLock.h"

#include "platform/TestOverrides.h"
#include "platform/TextHash.h"
#include "platform/windows/WinText.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>

namespace plintor::platform {

InstanceLock::~InstanceLock()
{
    Release();
}

InstanceLock::InstanceLock(InstanceLock&& other) noexcept : fd(other.fd)
{
    other.fd = kNoFile;
}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept
{
    if (this != &other) {
        Release();
        fd = other.fd;
        other.fd = kNoFile;
    }
    return *this;
}

void InstanceLock::Release()
{
    if (fd != kNoFile) {
        ReleaseMutex(fd);
        CloseHandle(fd);
        fd = kNoFile;
    }
}

std::string InstanceLockObjectName(std::string_view name)
{
    std::string object(name);
    if (std::optional<std::string> folder = LockFolderOverride()) {
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, ".%016llx", static_cast<unsigned long long>(Fnv1a(*folder)));
        object += suffix;
    }
    return object;
}

InstanceLock InstanceLock::Acquire(std::string_view name)
{
    if (name.empty())
        return {};
    SECURITY_DESCRIPTOR descriptor;
    if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION)
        || !SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE))
        return {};
    SECURITY_ATTRIBUTES attributes{};
    attributes.nLength = sizeof attributes;
    attributes.lpSecurityDescriptor = &descriptor;
    attributes.bInheritHandle = FALSE;
    std::wstring object = windows::WideFromAnsi(InstanceLockObjectName(name));
    HANDLE mutex = CreateMutexW(&attributes, TRUE, object.c_str());
    if (!mutex)
        return {};
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return {};
    }
    return InstanceLock(mutex);
}

void PauseWhileHoldingLockForTests()
{
    long ms = std::min<long>(TestLockHoldMs(), kMaxTestHoldMs);
    if (ms > 0)
        Sleep(static_cast<DWORD>(ms));
}

}
