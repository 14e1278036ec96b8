#include "config/GeneralSettings.h"

#include "config/ConfigReader.h"
#include "config/TextCompare.h"

namespace plintor {

namespace {

IniFile LoadFile(const std::string& path)
{
    IniFile file;
    file.Load(path);   // an unreadable file holds no keys
    return file;
}

// On unless the key holds a value other than "ON".
bool OnUnlessOtherwise(const IniFile& file, std::string_view key)
{
    std::string value;
    if (!ReadTextKey(file, kGeneralSettingSection, key, value))
        return true;
    return EqualsNoCase(value, "ON");
}

}

bool ReadMutexName(const IniFile& file, std::string& name)
{
    return ReadTextKey(file, kGeneralSettingSection, "MUTEX_NAME", name);
}

bool ReadMutexName(const std::string& path, std::string& name)
{
    return ReadMutexName(LoadFile(path), name);
}

bool IsPjlVerificationOn(const IniFile& file)
{
    return OnUnlessOtherwise(file, "SEND_PJL_VERIFICATION");
}

bool IsPjlVerificationOn(const std::string& path)
{
    return IsPjlVerificationOn(LoadFile(path));
}

bool IsEntryCommandNeeded(const IniFile& file)
{
    std::string value;
    return ReadTextKey(file, kGeneralSettingSection, "NECCESITY_OF_ENTRY_COMMAND", value) && value == "1";
}

bool IsEntryCommandNeeded(const std::string& path)
{
    return IsEntryCommandNeeded(LoadFile(path));
}

bool IsContinueToInstallOn(const IniFile& file)
{
    return OnUnlessOtherwise(file, "CONTINUE_TO_INSTALL");
}

bool IsContinueToInstallOn(const std::string& path)
{
    return IsContinueToInstallOn(LoadFile(path));
}

}
