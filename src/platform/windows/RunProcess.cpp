// Programs run with CreateProcessW: argv[0] is the application name (no search along the
// path, no shell), and the command line is the arguments quoted by the rules with which the
// Microsoft C run-time splits a command line again (CommandLineToArgvW's rules): an
// argument with a blank, a tab, a newline or a quote, or an empty one, goes in quotes; a
// quote inside is written \"; backslashes are doubled only where a quote follows them,
// inside or closing. The standard handles are the NUL device, and only they are inherited
// (PROC_THREAD_ATTRIBUTE_HANDLE_LIST), so that the child holds none of the program's
// sockets or files. No console window is made (CREATE_NO_WINDOW). The wait is bounded
// (WaitForSingleObject); a program still running then is ended with TerminateProcess and
// waited for. Exercised under Wine by the Windows unit tests.
#include "platform/RunProcess.h"

#include "platform/windows/CommandLineQuoting.h"
#include "platform/windows/WinText.h"

#include <vector>

namespace plintor::platform {

using windows::ScopedHandle;
using windows::WideFromAnsi;

namespace {

void AppendQuoted(std::wstring& line, const std::wstring& argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        line += argument;
        return;
    }
    line += L'"';
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"')
            line.append(backslashes * 2 + 1, L'\\');
        else
            line.append(backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, L'\\');
    line += L'"';
}

ScopedHandle OpenNul(DWORD access)
{
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return ScopedHandle(CreateFileW(L"NUL", access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
}

}

std::wstring windows::QuoteCommandLine(const std::vector<std::string>& argv)
{
    std::wstring line;
    for (const std::string& argument : argv) {
        if (!line.empty())
            line += L' ';
        AppendQuoted(line, WideFromAnsi(argument));
    }
    return line;
}

ProcessResult RunProcess(const std::vector<std::string>& argv, std::chrono::milliseconds bound)
{
    ProcessResult result;
    if (argv.empty() || argv[0].empty())
        return result;
    ScopedHandle input = OpenNul(GENERIC_READ);
    ScopedHandle output = OpenNul(GENERIC_WRITE);
    if (!input || !output)
        return result;

    HANDLE inherited[] = {input.Get(), output.Get()};
    SIZE_T attributeSize = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &attributeSize);
    std::vector<ULONG_PTR> attributeBuffer((attributeSize + sizeof(ULONG_PTR) - 1) / sizeof(ULONG_PTR));
    auto* attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributeBuffer.data());
    if (!InitializeProcThreadAttributeList(attributes, 1, 0, &attributeSize))
        return result;
    bool listed = UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited,
                                            sizeof inherited, nullptr, nullptr);

    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = input.Get();
    startup.StartupInfo.hStdOutput = output.Get();
    startup.StartupInfo.hStdError = output.Get();
    startup.lpAttributeList = listed ? attributes : nullptr;

    std::wstring application = WideFromAnsi(argv[0]);
    std::wstring commandLine = windows::QuoteCommandLine(argv);   // CreateProcessW may write into it
    PROCESS_INFORMATION process{};
    BOOL started = CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                  CREATE_NO_WINDOW | (listed ? EXTENDED_STARTUPINFO_PRESENT : 0), nullptr, nullptr,
                                  &startup.StartupInfo, &process);
    DeleteProcThreadAttributeList(attributes);
    if (!started)
        return result;
    result.started = true;
    ScopedHandle processHandle(process.hProcess);
    CloseHandle(process.hThread);

    auto ms = bound.count() < 0 ? 0 : bound.count();
    DWORD wait = ms >= static_cast<long long>(INFINITE) ? INFINITE - 1 : static_cast<DWORD>(ms);
    if (WaitForSingleObject(processHandle.Get(), wait) != WAIT_OBJECT_0) {
        TerminateProcess(processHandle.Get(), 1);
        WaitForSingleObject(processHandle.Get(), INFINITE);
        result.timedOut = true;
        return result;
    }
    DWORD code = 0;
    if (GetExitCodeProcess(processHandle.Get(), &code))
        result.exitCode = static_cast<int>(code);
    return result;
}

std::string FindProgram(const std::vector<std::string>& candidates)
{
    for (const std::string& path : candidates) {
        DWORD attributes = GetFileAttributesW(WideFromAnsi(path).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            return path;
    }
    return {};
}

}
