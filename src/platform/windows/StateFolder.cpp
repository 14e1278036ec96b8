// The machine-wide state folder below the common application data folder that
// SHGetFolderPathW gives for CSIDL_COMMON_APPDATA (the known folder ProgramData), which
// administrators may write to. Exercised under Wine by the Windows unit tests.
#include "platform/StateFolder.h"

#include "platform/ProgramPath.h"
#include "platform/windows/WinText.h"

#include <shlobj.h>

namespace plintor::platform {

namespace {

std::string CommonApplicationData()
{
    wchar_t folder[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK)
        return {};
    return windows::AnsiFromWide(folder);
}

}

std::string MachineStateFolder()
{
    std::string common = CommonApplicationData();
    return common.empty() ? std::string() : common + "\\Plintor";
}

bool MachineStateFolderWritable()
{
    std::string folder = MachineStateFolder();
    if (folder.empty())
        return false;
    DWORD attributes = GetFileAttributesW(windows::WideFromAnsi(folder).c_str());
    return FolderWritable(attributes == INVALID_FILE_ATTRIBUTES ? CommonApplicationData() : folder);
}

}
