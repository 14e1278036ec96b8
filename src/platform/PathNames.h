#pragma once

#include <cstddef>
#include <string_view>

namespace plintor::platform {

// How the system writes paths: the characters that end a folder's name (Windows takes
// "\" and "/" alike; on Linux "\" is an ordinary character of a name) and the one that
// paths made here use.
#if defined(_WIN32)
inline constexpr std::string_view kPathSeparators = "\\/";
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr std::string_view kPathSeparators = "/";
inline constexpr char kPathSeparator = '/';
#endif

// The position of the last separator in `path`, or npos.
inline std::size_t LastPathSeparator(std::string_view path)
{
    return path.find_last_of(kPathSeparators);
}

inline bool IsPathSeparator(char c)
{
    return kPathSeparators.find(c) != std::string_view::npos;
}

}
