// The version record through RtlGetVersion of ntdll, looked up at run time. Unlike
// GetVersionExW, whose answer since Windows 8.1 depends on the versions the program's
// manifest declares, RtlGetVersion reports the system's true version: 10.0 on Windows 10
// and 11. The extended record (RTL_OSVERSIONINFOEXW) brings the suite mask and the product
// type; the plain one (RTL_OSVERSIONINFOW) leaves them 0. RtlGetVersion returns
// STATUS_SUCCESS (0) for both sizes. Exercised under Wine by the Windows unit tests.
#include "platform/OsVersion.h"

#include "platform/windows/WinText.h"

namespace plintor::platform {

namespace {

// RtlGetVersion takes the record that OSVERSIONINFOEXW lays out (RTL_OSVERSIONINFOEXW).
using RtlGetVersionCall = LONG(WINAPI*)(OSVERSIONINFOW*);

RtlGetVersionCall FindRtlGetVersion()
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (!ntdll)
        return nullptr;
    return reinterpret_cast<RtlGetVersionCall>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
}

}

bool ReadOsVersionRecord(VersionRecordKind kind, OsVersionRecord& record)
{
    record = {};
    RtlGetVersionCall rtlGetVersion = FindRtlGetVersion();
    if (!rtlGetVersion)
        return false;
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = kind == VersionRecordKind::Extended ? sizeof(OSVERSIONINFOEXW) : sizeof(OSVERSIONINFOW);
    if (rtlGetVersion(reinterpret_cast<OSVERSIONINFOW*>(&info)) != 0)
        return false;
    record.platformId = info.dwPlatformId;
    record.majorVersion = info.dwMajorVersion;
    record.minorVersion = info.dwMinorVersion;
    record.buildNumber = info.dwBuildNumber;
    if (kind == VersionRecordKind::Extended) {
        record.suiteMask = info.wSuiteMask;
        record.productType = info.wProductType;
    }
    return true;
}

}
