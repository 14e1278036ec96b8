#include "platform/InstanceLock.h"

#include "platform/TestOverrides.h"
#include "platform/TextHash.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace plintor::platform {

namespace {

// Lock file names stay well below the file system's 255-byte limit.
constexpr std::size_t kMaxEncodedNameBytes = 160;

bool IsWritableFolder(const char* path)
{
    struct stat info {};
    return stat(path, &info) == 0 && S_ISDIR(info.st_mode) && access(path, W_OK | X_OK) == 0;
}

// Opens an existing lock file first: in world-writable sticky folders the system may
// refuse to create-open a file that another user made, but still lets anybody open it.
int OpenLockFile(const std::string& path)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        int fd = open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY);
        if (fd < 0 && errno == EACCES)
            fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY);
        if (fd >= 0 || errno != ENOENT)
            return fd;
        fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0666);
        if (fd >= 0) {
            fchmod(fd, 0666);   // the umask must not keep other users out
            return fd;
        }
        if (errno != EEXIST)
            return -1;
        // Somebody made it in between: open theirs.
    }
    return -1;
}

}

InstanceLock::~InstanceLock()
{
    Release();
}

InstanceLock::InstanceLock(InstanceLock&& other) noexcept : fd(other.fd)
{
    other.fd = -1;
}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept
{
    if (this != &other) {
        Release();
        fd = other.fd;
        other.fd = -1;
    }
    return *this;
}

void InstanceLock::Release()
{
    if (fd >= 0) {
        // The file stays: removing it would let a late opener lock a file nobody else sees.
        flock(fd, LOCK_UN);
        close(fd);
        fd = -1;
    }
}

InstanceLock InstanceLock::Acquire(std::string_view name)
{
    if (name.empty())
        return {};
    int lockFd = OpenLockFile(InstanceLockPath(name));
    if (lockFd < 0)
        return {};
    int result;
    do {
        result = flock(lockFd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        close(lockFd);
        return {};
    }
    return InstanceLock(lockFd);
}

std::string InstanceLockFolder()
{
    if (std::optional<std::string> moved = LockFolderOverride())
        return *moved;
    if (IsWritableFolder("/run/lock"))
        return "/run/lock";
    const char* temp = std::getenv("TMPDIR");
    if (temp != nullptr && *temp == '/' && IsWritableFolder(temp))
        return temp;
    return "/tmp";
}

std::string InstanceLockPath(std::string_view name)
{
    std::string encoded;
    for (unsigned char c : name) {
        bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.'
            || c == '_' || c == '-';
        if (plain) {
            encoded += static_cast<char>(c);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            encoded += hex;
        }
    }
    if (encoded.size() > kMaxEncodedNameBytes) {
        char hash[24];
        std::snprintf(hash, sizeof hash, "~%016llx", static_cast<unsigned long long>(Fnv1a(name)));
        encoded = encoded.substr(0, kMaxEncodedNameBytes) + hash;
    }
    std::string folder = InstanceLockFolder();
    if (!folder.empty() && folder.back() == '/')
        folder.pop_back();
    return folder + "/plintor-" + encoded + ".lock";
}

void PauseWhileHoldingLockForTests()
{
    long ms = std::min<long>(TestLockHoldMs(), kMaxTestHoldMs);
    if (ms <= 0)
        return;
    struct timespec wait { ms / 1000, (ms % 1000) * 1000000L };
    while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
    }
}

}
