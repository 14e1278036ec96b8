#include "platform/TestOverrides.h"

#include <cstdlib>

namespace plintor::platform {

std::optional<std::string> TestOverride(const char* name)
{
    const char* value = std::getenv(name);
    if (!value || !*value)
        return std::nullopt;
    return std::string(value);
}

std::string PjlPort()
{
    return TestOverride("PLINTOR_PJL_PORT").value_or("9100");
}

}
