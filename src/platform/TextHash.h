#pragma once

#include <cstdint>
#include <string_view>

namespace plintor::platform {

// The 64-bit FNV-1a hash of the text's bytes: a short name that stays the same from run to
// run for a text too long or too odd to be a name itself.
inline std::uint64_t Fnv1a(std::string_view text)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

}
