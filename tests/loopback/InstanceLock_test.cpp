#include "app/CPlintorApp.h"
#include "platform/InstanceLock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace plintor {
namespace {

class InstanceLockTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/plintor-lock-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        setenv("PLINTOR_LOCK_DIR", folder.c_str(), 1);
    }
    void TearDown() override
    {
        unsetenv("PLINTOR_LOCK_DIR");
        std::system(("rm -rf '" + folder + "'").c_str());
    }

    // Runs `body` in a child process and returns its exit status (or -1).
    template <typename Body>
    static int InChild(Body body)
    {
        pid_t pid = fork();
        if (pid == 0)
            _exit(body());
        int status = 0;
        if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
            return -1;
        return WEXITSTATUS(status);
    }

    std::string folder;
};

TEST_F(InstanceLockTest, SecondProcessIsRefusedWhileTheFirstHoldsTheLock)
{
    platform::InstanceLock first = CPlintorApp::CreateInstanceLock(20, "Plintor Test");
    ASSERT_TRUE(first.Held());
    EXPECT_EQ(InChild([] { return CPlintorApp::CreateInstanceLock(20, "Plintor Test").Held() ? 1 : 0; }), 0);
    // Another name is another lock.
    EXPECT_EQ(InChild([] { return CPlintorApp::CreateInstanceLock(20, "Plintor Other").Held() ? 1 : 0; }), 1);
    first.Release();
    EXPECT_EQ(InChild([] { return CPlintorApp::CreateInstanceLock(20, "Plintor Test").Held() ? 1 : 0; }), 1);
}

TEST_F(InstanceLockTest, LockHeldByAChildIsFreedWhenTheChildEnds)
{
    int toParent[2];
    int toChild[2];
    ASSERT_EQ(pipe(toParent), 0);
    ASSERT_EQ(pipe(toChild), 0);
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        platform::InstanceLock lock = platform::InstanceLock::Acquire("child-held");
        char held = lock.Held() ? 'y' : 'n';
        (void)!write(toParent[1], &held, 1);
        char go;
        (void)!read(toChild[0], &go, 1);   // hold until the parent has tried
        _exit(0);   // the lock goes with the process, with no release
    }
    char held = 0;
    ASSERT_EQ(read(toParent[0], &held, 1), 1);
    ASSERT_EQ(held, 'y');
    EXPECT_FALSE(platform::InstanceLock::Acquire("child-held").Held());
    ASSERT_EQ(write(toChild[1], "x", 1), 1);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(platform::InstanceLock::Acquire("child-held").Held());
    for (int fd : {toParent[0], toParent[1], toChild[0], toChild[1]})
        close(fd);
}

TEST_F(InstanceLockTest, NamesMapToDistinctFilesInsideTheLockFolder)
{
    std::string a = platform::InstanceLockPath("Global\\Plintor");
    std::string b = platform::InstanceLockPath("Global/Plintor");
    std::string c = platform::InstanceLockPath("../../etc/passwd");
    EXPECT_NE(a, b);
    for (const std::string& path : {a, b, c}) {
        EXPECT_EQ(path.rfind(folder + "/plintor-", 0), 0u) << path;
        EXPECT_EQ(path.find('/', folder.size() + 1), std::string::npos) << path;
    }
    std::string longName(259, 'x');
    std::string longPath = platform::InstanceLockPath(longName);
    EXPECT_LT(longPath.size() - folder.size(), 255u);
    EXPECT_NE(longPath, platform::InstanceLockPath(longName + "y"));
    platform::InstanceLock lock = platform::InstanceLock::Acquire(std::string(259, '\xE9'));
    EXPECT_TRUE(lock.Held());
    EXPECT_FALSE(platform::InstanceLock::Acquire("").Held());
}

TEST_F(InstanceLockTest, LockFileOpenToOtherUsers)
{
    mode_t old = umask(077);
    platform::InstanceLock lock = platform::InstanceLock::Acquire("shared");
    umask(old);
    ASSERT_TRUE(lock.Held());
    struct stat info {};
    ASSERT_EQ(stat(platform::InstanceLockPath("shared").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0666u);
}

TEST_F(InstanceLockTest, SymlinkInPlaceOfTheLockFileIsNotFollowed)
{
    std::string target = folder + "/target";
    ASSERT_EQ(symlink(target.c_str(), platform::InstanceLockPath("sym").c_str()), 0);
    EXPECT_FALSE(platform::InstanceLock::Acquire("sym").Held());
    struct stat info {};
    EXPECT_NE(stat(target.c_str(), &info), 0);
}

}
}
