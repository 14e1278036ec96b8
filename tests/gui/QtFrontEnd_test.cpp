// Start of the desktop front end: without a display it refuses before anything runs.

#include "ui/qt/QtFrontEnd.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace plintor {
namespace {

// Sets or clears an environment variable for one scope.
class EnvironmentValue {
public:
    EnvironmentValue(const char* name, const char* value) : name(name)
    {
        if (const char* old = std::getenv(name))
            saved = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~EnvironmentValue()
    {
        if (saved)
            setenv(name, saved->c_str(), 1);
        else
            unsetenv(name);
    }
    EnvironmentValue(const EnvironmentValue&) = delete;
    EnvironmentValue& operator=(const EnvironmentValue&) = delete;

private:
    const char* name;
    std::optional<std::string> saved;
};

TEST(QtFrontEndStart, WithoutADisplayNothingRunsAndTheCallerIsTold)
{
    EnvironmentValue platform("QT_QPA_PLATFORM", nullptr);
    EnvironmentValue display("DISPLAY", nullptr);
    EnvironmentValue wayland("WAYLAND_DISPLAY", "");
    EXPECT_FALSE(QtDisplayAvailable());
    int argc = 1;
    char name[] = "plintor";
    char* argv[] = {name, nullptr};
    bool ran = false;
    int exitCode = 77;
    EXPECT_FALSE(RunQtFrontEnd(argc, argv, [&ran] { ran = true; return 0; }, exitCode));
    EXPECT_FALSE(ran);
    EXPECT_EQ(exitCode, 77);
}

TEST(QtFrontEndStart, ADisplayThatAnswersOrAPlatformCounts)
{
    EnvironmentValue platform("QT_QPA_PLATFORM", nullptr);
    EnvironmentValue wayland("WAYLAND_DISPLAY", nullptr);
    {
        // A local display without a server behind it would end the program in the toolkit.
        EnvironmentValue display("DISPLAY", ":64999");
        EXPECT_FALSE(QtDisplayAvailable());
        int argc = 1;
        char name[] = "plintor";
        char* argv[] = {name, nullptr};
        int exitCode = 0;
        EXPECT_FALSE(RunQtFrontEnd(argc, argv, [] { return 0; }, exitCode));
    }
    {
        EnvironmentValue display("DISPLAY", "junk");
        EXPECT_FALSE(QtDisplayAvailable());
    }
    {
        EnvironmentValue display("DISPLAY", "printers.example:0");   // another host: taken on trust
        EXPECT_TRUE(QtDisplayAvailable());
    }
    {
        EnvironmentValue display("DISPLAY", nullptr);
        EnvironmentValue named("WAYLAND_DISPLAY", "/nonexistent/wayland-0");
        EXPECT_FALSE(QtDisplayAvailable());
    }
    {
        EnvironmentValue display("DISPLAY", nullptr);
        EnvironmentValue offscreen("QT_QPA_PLATFORM", "offscreen");
        EXPECT_TRUE(QtDisplayAvailable());
    }
}

}
}
