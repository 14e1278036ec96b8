// The program's own path and folders through GetModuleFileNameW (the module of the running
// executable, a null module handle) and GetCurrentDirectoryW. A path longer than the
// buffer comes back cut and with ERROR_INSUFFICIENT_BUFFER, so the buffer grows until the
// path fits. Exercised under Wine by the Windows unit tests.
#include "platform/ProgramPath.h"

#include "platform/windows/WinText.h"

#include <vector>

namespace plintor::platform {

using windows::AnsiFromWide;
using windows::WideFromAnsi;

namespace {

// Long paths ("\\?\" form) hold at most 32767 characters.
constexpr DWORD kMaxPathCharacters = 32768;

std::size_t LastSeparator(const std::string& path)
{
    return path.find_last_of("\\/");
}

}

std::string ProgramPath()
{
    for (DWORD size = MAX_PATH; size < 2 * kMaxPathCharacters; size *= 2) {
        std::vector<wchar_t> buffer(size);
        SetLastError(ERROR_SUCCESS);
        DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0)
            return {};
        if (length < size && GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            return AnsiFromWide(std::wstring_view(buffer.data(), length));
    }
    return {};
}

std::string ProgramFolder()
{
    std::string path = ProgramPath();
    std::size_t separator = LastSeparator(path);
    if (separator == std::string::npos)
        return {};
    return path.substr(0, separator);
}

std::string CurrentFolder()
{
    DWORD needed = GetCurrentDirectoryW(0, nullptr);   // characters, the terminator included
    if (needed == 0)
        return {};
    std::vector<wchar_t> buffer(needed);
    DWORD length = GetCurrentDirectoryW(needed, buffer.data());
    if (length == 0 || length >= needed)
        return {};
    return AnsiFromWide(std::wstring_view(buffer.data(), length));
}

bool FolderWritable(const std::string& folder)
{
    // The access lists decide, and only the system can evaluate them for this process: the
    // question is answered by creating a file there that the system deletes when it is
    // closed.
    if (folder.empty())
        return false;
    std::wstring wide = WideFromAnsi(folder);
    DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    if (wide.back() != L'\\' && wide.back() != L'/')
        wide += L'\\';
    wchar_t name[64];
    swprintf(name, 64, L".plintor-probe-%lu-%lu", GetCurrentProcessId(), GetTickCount());
    HANDLE probe = CreateFileW((wide + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (probe == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(probe);
    return true;
}

}
