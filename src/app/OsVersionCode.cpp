#include "app/OsVersionCode.h"

namespace plintor {

using platform::OsVersionRecord;

int GetOsVersionCode(const std::optional<OsVersionRecord>& record)
{
    if (!record)
        return 0;
    const OsVersionRecord& v = *record;
    bool workstation = v.productType == OsVersionRecord::kProductWorkstation;

    if (v.platformId == OsVersionRecord::kPlatformConsumer) {
        if (v.majorVersion != 4)
            return 0;
        switch (v.minorVersion) {
        case 0:
            return 1;
        case 10:
            return (v.buildNumber >> 16) == 0x045A ? 3 : 2;
        case 90:
            return 3;
        default:
            return 0;
        }
    }

    if (v.platformId == OsVersionRecord::kPlatformNt) {
        auto xpCode = [&] { return (v.suiteMask & OsVersionRecord::kSuitePersonal) != 0 ? 15 : 16; };
        switch (v.majorVersion) {
        case 3:
            return v.minorVersion == 51 ? 11 : 0;
        case 4:
            return kOsCodeNt4;
        case 5:
            switch (v.minorVersion) {
            case 0:
                return workstation ? 13 : 14;
            case 1:
                return xpCode();
            case 2:
                return workstation ? xpCode() : 17;
            default:
                return kOsCodeNewerNt;
            }
        case 6:
            switch (v.minorVersion) {
            case 0:
                return workstation ? 18 : 19;
            case 1:
                return workstation ? 20 : 21;
            default:
                return kOsCodeNewerNt;
            }
        case 7:
        case 8:
        case 9:
            return 0;   // no such system
        case 10:
            if (v.minorVersion == 0)
                return workstation ? kOsCodeNt10Workstation : kOsCodeNt10Server;
            return kOsCodeNewerNt;
        default:
            return v.majorVersion > 10 ? kOsCodeNewerNt : 0;
        }
    }
    return 0;
}

int GetOsVersionCode()
{
    OsVersionRecord record;
    if (platform::ReadOsVersionRecord(platform::VersionRecordKind::Extended, record))
        return GetOsVersionCode(record);
    if (platform::ReadOsVersionRecord(platform::VersionRecordKind::Plain, record))
        return GetOsVersionCode(record);
    return 0;
}

}
