#pragma once

#include <algorithm>
#include <chrono>

namespace plintor::platform {

// The milliseconds left until `deadline`, for poll(): rounded up, so that a wait never ends
// before its bound; 0 once it has passed.
inline int RemainingMs(std::chrono::steady_clock::time_point deadline)
{
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    return left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, 1 << 30));
}

}
