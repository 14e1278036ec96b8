#pragma once

#include "config/IniFile.h"

#include <string>
#include <string_view>

namespace plintor {

// The switches of section "General Setting" that are read from the configuration file at
// the time they are used, not at start-up. Each takes the file's path (ConfigFilePath())
// and reads the file again; the IniFile forms serve callers that hold a parsed file.

inline constexpr std::string_view kGeneralSettingSection = "General Setting";

// MUTEX_NAME: the name of the single-instance lock. False when absent or empty.
bool ReadMutexName(const std::string& path, std::string& name);
bool ReadMutexName(const IniFile& file, std::string& name);

// SEND_PJL_VERIFICATION: off only when present with a value other than "ON" (any case);
// a missing key counts as on.
bool IsPjlVerificationOn(const std::string& path);
bool IsPjlVerificationOn(const IniFile& file);

// NECCESITY_OF_ENTRY_COMMAND: on only when the value is "1"; a missing key counts as off.
bool IsEntryCommandNeeded(const std::string& path);
bool IsEntryCommandNeeded(const IniFile& file);

// CONTINUE_TO_INSTALL: off only when present with a value other than "ON" (any case);
// a missing key counts as on.
bool IsContinueToInstallOn(const std::string& path);
bool IsContinueToInstallOn(const IniFile& file);

}
