#pragma once

#include "platform/OsVersion.h"

#include <optional>

namespace plintor {

// System codes of the start-up table; a code below kOsCodeFirstSupported is refused.
inline constexpr int kOsCodeNt4 = 12;
inline constexpr int kOsCodeFirstSupported = 15;
inline constexpr int kOsCodeNewerNt = 255;   // another 5.x or 6.x version, or one after 10.0
// Version 10.0, which Windows 10 and 11 both report to a program that declares them in its
// manifest (and always through RtlGetVersion).
inline constexpr int kOsCodeNt10Workstation = 22;
inline constexpr int kOsCodeNt10Server = 23;

// The system code of a version record; 0 without a record (the system refused both).
int GetOsVersionCode(const std::optional<platform::OsVersionRecord>& record);

// The system code of the running system: the extended record, or the plain one when the
// extended one is refused.
int GetOsVersionCode();

}
