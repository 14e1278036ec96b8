#include "TestEnvironment.h"

#include <cstdlib>
#include <filesystem>
#include <random>
#include <system_error>

namespace plintor::test {

CTempFolder::CTempFolder(std::string_view prefix)
{
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error)
        return;
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path candidate =
            base / (std::string(prefix) + "-" + std::to_string(random() % 1000000000u));
        if (std::filesystem::create_directory(candidate, error)) {
            path = candidate.generic_string();
            return;
        }
    }
}

CTempFolder::~CTempFolder()
{
    if (path.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

// The C runtime's own calls: POSIX has setenv and unsetenv, the Windows runtime
// _putenv_s, where an empty value removes the variable.
void SetTestEnvironment(const char* name, const char* value)
{
#if defined(_WIN32)
    _putenv_s(name, value ? value : "");
#else
    if (value)
        setenv(name, value, 1);
    else
        unsetenv(name);
#endif
}

}
