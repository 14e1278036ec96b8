// Durable replacement of a small file with the file functions of Windows: the text goes to
// "<path>.new" (CreateFileW, CREATE_ALWAYS), is flushed to the disk (FlushFileBuffers),
// and MoveFileExW with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH puts it in the
// place of the file; with MOVEFILE_WRITE_THROUGH the call returns only once the move has
// been flushed to the disk, which is what the folder's fsync does on Linux. Windows keeps
// no mode bits: the file gets the access list that its folder hands down. Exercised under
// Wine by the Windows unit tests.
#include "platform/DurableFile.h"

#include "platform/windows/WinText.h"

#include <algorithm>

namespace plintor::platform {

using windows::WideFromAnsi;

namespace {

std::size_t LastSeparator(const std::string& path)
{
    return path.find_last_of("\\/");
}

// "C:\a\b" has the parent "C:\a"; a drive ("C:", "C:\") or a share root ends the walk.
bool MakeFolders(const std::string& folder)
{
    if (folder.empty())
        return true;
    DWORD attributes = GetFileAttributesW(WideFromAnsi(folder).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    std::size_t separator = LastSeparator(folder);
    if (separator != std::string::npos && separator > 0) {
        std::string parent = folder.substr(0, separator);
        if (!(parent.size() == 2 && parent[1] == ':') && !MakeFolders(parent))
            return false;
    }
    return CreateDirectoryW(WideFromAnsi(folder).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool WriteAll(HANDLE file, std::string_view text)
{
    while (!text.empty()) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, text.data(), chunk, &written, nullptr) || written == 0)
            return false;
        text.remove_prefix(written);
    }
    return true;
}

}

bool ReplaceFileDurably(const std::string& path, std::string_view text)
{
    std::wstring wide = WideFromAnsi(path);
    if (wide.empty())
        return false;
    if (text.empty()) {
        if (!DeleteFileW(wide.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND
            && GetLastError() != ERROR_PATH_NOT_FOUND)
            return false;
        return true;
    }
    std::size_t separator = LastSeparator(path);
    if (separator != std::string::npos && !MakeFolders(path.substr(0, separator)))
        return false;
    std::wstring temporary = wide + L".new";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = WriteAll(file, text) && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    if (!ok || !MoveFileExW(temporary.c_str(), wide.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& text)
{
    text.clear();
    HANDLE file = CreateFileW(WideFromAnsi(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    char buffer[4096];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            CloseHandle(file);
            text.clear();
            return false;
        }
        if (got == 0)
            break;
        text.append(buffer, got);
    }
    CloseHandle(file);
    return true;
}

bool ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& text)
{
    // A folder cannot be opened without FILE_FLAG_BACKUP_SEMANTICS, a pipe or a device
    // opens at once or not at all, and GetFileType tells a disk file from the others.
    text.clear();
    HANDLE file = CreateFileW(WideFromAnsi(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return false;
    }
    char buffer[1 << 16];
    bool ok = true;
    while (text.size() < maxBytes) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0)
            break;
        text.append(buffer, std::min<std::size_t>(got, maxBytes - text.size()));
    }
    CloseHandle(file);
    if (!ok)
        text.clear();
    return ok;
}

}
