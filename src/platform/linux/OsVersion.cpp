#include "platform/OsVersion.h"

#include <cstdlib>
#include <sys/utsname.h>

namespace plintor::platform {

// Linux has no such record. It reports an NT-line workstation of version 6.1, the newest
// version the start-up table knows, so that the checks that depend on the version (the
// USB identification by "@PJL INFO ID" from version 6 on, the machine-wide lock name)
// take their modern form. The kernel release stands in for the build number.
bool ReadOsVersionRecord(VersionRecordKind kind, OsVersionRecord& record)
{
    record = {};
    record.platformId = OsVersionRecord::kPlatformNt;
    record.majorVersion = 6;
    record.minorVersion = 1;
    struct utsname name {};
    if (uname(&name) == 0) {
        char* end = nullptr;
        unsigned long major = std::strtoul(name.release, &end, 10);
        unsigned long minor = (end && *end == '.') ? std::strtoul(end + 1, nullptr, 10) : 0;
        record.buildNumber = static_cast<std::uint32_t>(((major & 0xFF) << 8) | (minor & 0xFF));
    }
    if (kind == VersionRecordKind::Extended)
        record.productType = OsVersionRecord::kProductWorkstation;
    return true;
}

}
