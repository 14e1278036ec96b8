#pragma once

#include <cstdint>

namespace plintor::platform {

// The system's own handle types, named once here so that the interfaces of this folder can
// hold them without pulling the system's headers (and, on Windows, their macros) into the
// code above.
//
// NativeSocket: a socket descriptor (Windows: SOCKET, an unsigned pointer-sized number).
// NativeFile: an open file or device (Linux: a descriptor; Windows: a HANDLE). Every form
// of this folder reports a handle that is not open as kNoSocket / kNoFile.
#if defined(_WIN32)
using NativeSocket = std::uintptr_t;
inline constexpr NativeSocket kNoSocket = ~NativeSocket{0};   // INVALID_SOCKET
using NativeFile = void*;
inline constexpr NativeFile kNoFile = nullptr;
#else
using NativeSocket = int;
inline constexpr NativeSocket kNoSocket = -1;
using NativeFile = int;
inline constexpr NativeFile kNoFile = -1;
#endif

}
