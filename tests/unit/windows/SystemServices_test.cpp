// The Win32 forms of the start-up services: the lock, the program path, the version
// record, the administrator test, the durable file and the process runner.
#include "platform/Administrator.h"
#include "platform/DurableFile.h"
#include "platform/InstanceLock.h"
#include "platform/Locale.h"
#include "platform/OsVersion.h"
#include "platform/ProgramPath.h"
#include "platform/RunProcess.h"
#include "platform/StateFolder.h"

#include "platform/windows/CommandLineQuoting.h"
#include "platform/windows/WinText.h"

#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace plintor::platform {
namespace {

using namespace std::chrono_literals;

std::string TemporaryFolder()
{
    wchar_t buffer[MAX_PATH + 1];
    DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    return windows::AnsiFromWide(std::wstring_view(buffer, length)) + "plintor-test-"
           + std::to_string(GetCurrentProcessId());
}

TEST(WindowsInstanceLock, SecondHolderIsRefusedUntilTheFirstReleases)
{
    const std::string name = "Global\\plintor-test-" + std::to_string(GetCurrentProcessId());
    InstanceLock first = InstanceLock::Acquire(name);
    ASSERT_TRUE(first.Held());
    EXPECT_FALSE(InstanceLock::Acquire(name).Held());
    InstanceLock moved = std::move(first);
    EXPECT_FALSE(first.Held());
    EXPECT_FALSE(InstanceLock::Acquire(name).Held());
    moved.Release();
    EXPECT_TRUE(InstanceLock::Acquire(name).Held());
    EXPECT_FALSE(InstanceLock::Acquire("").Held());

    // A run with its own lock folder has a mutex of its own.
    _wputenv(L"PLINTOR_LOCK_DIR=C:\\plintor-run-a");
    InstanceLock runA = InstanceLock::Acquire(name);
    _wputenv(L"PLINTOR_LOCK_DIR=C:\\plintor-run-b");
    InstanceLock runB = InstanceLock::Acquire(name);
    _wputenv(L"PLINTOR_LOCK_DIR=");
    EXPECT_TRUE(runA.Held());
    EXPECT_TRUE(runB.Held());
}

TEST(WindowsProgram, PathVersionAndAdministratorAnswerAsTheSystemDoes)
{
    std::string path = ProgramPath();
    ASSERT_GT(path.size(), 4u);
    EXPECT_EQ(_stricmp(path.substr(path.size() - 4).c_str(), ".exe"), 0);
    EXPECT_NE(GetFileAttributesW(windows::WideFromAnsi(path).c_str()), INVALID_FILE_ATTRIBUTES);
    const std::string folder = ProgramFolder();
    EXPECT_EQ(path.substr(0, folder.size() + 1), folder + "\\");
    EXPECT_TRUE(FolderWritable(TemporaryFolder().substr(0, TemporaryFolder().rfind('\\'))));
    EXPECT_FALSE(FolderWritable(TemporaryFolder() + "-missing"));
    EXPECT_FALSE(CurrentFolder().empty());

    OsVersionRecord extended, plain;
    ASSERT_TRUE(ReadOsVersionRecord(VersionRecordKind::Extended, extended));
    ASSERT_TRUE(ReadOsVersionRecord(VersionRecordKind::Plain, plain));
    EXPECT_EQ(extended.platformId, OsVersionRecord::kPlatformNt);
    EXPECT_EQ(plain.majorVersion, extended.majorVersion);
    EXPECT_GE(extended.majorVersion, 5u);
    EXPECT_NE(extended.productType, 0);
    EXPECT_EQ(plain.productType, 0);

    // A token that counts as a member of the Administrators alias holds its SID, so the
    // group walk finds it too (the walk also counts the deny-only group of a
    // non-elevated administrator, which this check does not).
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    ASSERT_TRUE(AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0,
                                         0, 0, &administrators));
    BOOL member = FALSE;
    ASSERT_TRUE(CheckTokenMembership(nullptr, administrators, &member));
    FreeSid(administrators);
    if (member) {
        EXPECT_TRUE(IsProcessAdministrator());
    }
}

TEST(WindowsDurableFile, ReplacesReadsAndRemovesInAFolderItMakes)
{
    // The held-queue list's folder lies below ProgramData, which the test run may write.
    std::string state = MachineStateFolder();
    ASSERT_GT(state.size(), 8u);
    EXPECT_EQ(state.substr(state.size() - 8), "\\Plintor");
    EXPECT_TRUE(MachineStateFolderWritable());

    const std::string folder = TemporaryFolder() + "\\state\\nested";
    const std::string path = folder + "\\held-queues";
    ASSERT_TRUE(ReplaceFileDurably(path, "host\t9100\tqueue-a\n"));
    ASSERT_TRUE(ReplaceFileDurably(path, "host\t9100\tqueue-b\n"));
    std::string text;
    ASSERT_TRUE(ReadWholeFile(path, text));
    EXPECT_EQ(text, "host\t9100\tqueue-b\n");
    EXPECT_EQ(GetFileAttributesW(windows::WideFromAnsi(path + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(ReplaceFileDurably(path, ""));
    EXPECT_FALSE(ReadWholeFile(path, text));
    EXPECT_TRUE(text.empty());
    EXPECT_TRUE(ReplaceFileDurably(path, ""));   // already gone
    RemoveDirectoryW(windows::WideFromAnsi(folder).c_str());
    RemoveDirectoryW(windows::WideFromAnsi(TemporaryFolder() + "\\state").c_str());
    RemoveDirectoryW(windows::WideFromAnsi(TemporaryFolder()).c_str());
}

std::vector<std::wstring> SplitAgain(const std::wstring& line)
{
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(line.c_str(), &count);
    std::vector<std::wstring> result(words, words + count);
    LocalFree(words);
    return result;
}

TEST(WindowsRunProcess, ArgumentsSurviveTheCommandLineAndTheWaitIsBounded)
{
    const std::vector<std::string> argv = {"C:\\Windows\\System32\\route.exe", "add", "", "two words",
        "say \"hi\"", "C:\\trailing\\", "a\\\\\"b", "\\\\server\\share", "169.254.0.0"};
    std::vector<std::wstring> back = SplitAgain(windows::QuoteCommandLine(argv));
    ASSERT_EQ(back.size(), argv.size());
    for (std::size_t i = 0; i < argv.size(); ++i)
        EXPECT_EQ(windows::AnsiFromWide(back[i]), argv[i]) << i;

    wchar_t system[MAX_PATH];
    UINT length = GetSystemDirectoryW(system, MAX_PATH);
    const std::string cmd = windows::AnsiFromWide(std::wstring_view(system, length)) + "\\cmd.exe";
    ASSERT_EQ(FindProgram({"C:\\no\\such\\program.exe", cmd}), cmd);

    ProcessResult ended = RunProcess({cmd, "/c", "exit 3"}, 20s);
    EXPECT_TRUE(ended.started);
    EXPECT_FALSE(ended.timedOut);
    EXPECT_EQ(ended.exitCode, 3);

    // The test program itself, asked to wait, stands in for a route command that hangs.
    _wputenv(L"PLINTOR_TEST_CHILD_WAIT_MS=30000");
    auto start = std::chrono::steady_clock::now();
    ProcessResult hung = RunProcess({ProgramPath(), "--gtest_filter=WindowsRunProcessChild.WaitsWhenAsked"}, 1500ms);
    _wputenv(L"PLINTOR_TEST_CHILD_WAIT_MS=");
    EXPECT_TRUE(hung.started);
    EXPECT_TRUE(hung.timedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 15s);

    EXPECT_FALSE(RunProcess({"C:\\no\\such\\program.exe"}, 1s).started);
}

// Runs only as the child of the test above.
TEST(WindowsRunProcessChild, WaitsWhenAsked)
{
    const wchar_t* wait = _wgetenv(L"PLINTOR_TEST_CHILD_WAIT_MS");
    if (!wait || !*wait)
        GTEST_SKIP() << "runs as a child of WindowsRunProcess only";
    Sleep(static_cast<DWORD>(_wtoi(wait)));
}

TEST(WindowsLocale, EnvironmentLocaleAndTheSystemsUiLanguages)
{
    _wputenv(L"LC_ALL=");
    _wputenv(L"LC_MESSAGES=");
    _wputenv(L"LANG=de_CH.UTF-8");
    LocaleSources sources = DefaultLocaleSources();
    EXPECT_EQ(UserLocaleName(sources), "de_CH.UTF-8");
    EXPECT_EQ(UserDefaultLanguage(sources), 0x0807);
    EXPECT_TRUE(sources.systemLocaleFiles.empty());
    EXPECT_NE(UserDefaultLanguage(), 0);
    EXPECT_NE(SystemDefaultLanguage(), 0);
    std::int64_t nation = UserGeoId();
    EXPECT_TRUE(nation == -1 || nation > 0);
}

}
}
