#pragma once

// What tests need of the process's surroundings on every system the program is built for:
// a temporary folder of their own and their own environment variables.

#include <string>
#include <string_view>

namespace plintor::test {

// A fresh, empty folder below the system's temporary folder, named `prefix` and a random
// tail; it goes, with everything in it, when the object goes. Path() is empty when no
// folder could be made.
class CTempFolder {
public:
    explicit CTempFolder(std::string_view prefix = "plintor-test");
    ~CTempFolder();
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    const std::string& Path() const { return path; }

private:
    std::string path;
};

// Sets an environment variable of this process; a null value removes it.
void SetTestEnvironment(const char* name, const char* value);

}
