#include "config/ConfigReader.h"

#include "config/TextCompare.h"
#include "platform/PathNames.h"
#include "platform/ProgramPath.h"
#include "platform/TestOverrides.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <system_error>

namespace plintor {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}

std::string ConfigFilePathFor(std::string_view programPath)
{
    if (programPath.empty())
        return {};
    // Only a "." inside the file name (not its first character) starts an extension:
    // programs here usually have none, and a "." in a folder name must not cut the path.
    std::size_t nameStart = platform::LastPathSeparator(programPath);
    nameStart = nameStart == std::string_view::npos ? 0 : nameStart + 1;
    std::size_t dot = programPath.rfind('.');
    if (dot == std::string_view::npos || dot <= nameStart)
        return std::string(programPath) + ".ini";
    return std::string(programPath.substr(0, dot + 1)) + "ini";
}

std::string SystemConfigFile()
{
    return platform::SystemConfigOverride().value_or(kSystemConfigFile);
}

std::string ChooseConfigFile(std::string_view programPath, const std::string& systemFile,
    const std::function<bool(const std::string& path)>& exists)
{
    std::string beside = ConfigFilePathFor(programPath);
    if (beside.empty() || exists(beside) || !exists(systemFile))
        return beside;
    return systemFile;
}

std::string ConfigFilePath()
{
    return ChooseConfigFile(platform::ProgramPath(), SystemConfigFile(), [](const std::string& path) {
        std::error_code error;
        return std::filesystem::is_regular_file(path, error);
    });
}

bool ReadTextKey(const IniFile& file, std::string_view section, std::string_view key, std::string& text)
{
    text = file.Find(section, key).value_or(std::string());
    return !text.empty();
}

bool ReadTextKey(const std::string& path, std::string_view section, std::string_view key, std::string& text)
{
    IniFile file;
    file.Load(path);   // an unreadable file holds no keys
    return ReadTextKey(file, section, key, text);
}

std::uint32_t ReadCountKey(const IniFile& file, std::string_view section, std::string_view key)
{
    std::string value = file.Find(section, key).value_or(std::string());
    std::uint64_t count = 0;
    for (char c : value) {
        if (!IsDigit(c))
            break;
        count = count * 10 + static_cast<std::uint64_t>(c - '0');
        if (count > std::numeric_limits<std::uint32_t>::max())
            return std::numeric_limits<std::uint32_t>::max();
    }
    return static_cast<std::uint32_t>(count);
}

bool ReadListKey(const IniFile& file, std::string_view section, std::string_view countKey,
    std::string_view pattern, std::vector<std::string>& list)
{
    list.clear();
    std::uint32_t count = ReadCountKey(file, section, countKey);
    if (count == 0)
        return false;
    std::size_t slot = pattern.find("%u");
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string key(pattern);
        if (slot != std::string_view::npos)
            key.replace(slot, 2, std::to_string(i));
        std::string value;
        if (!ReadTextKey(file, section, key, value)) {
            list.clear();
            return false;
        }
        list.push_back(std::move(value));
    }
    return true;
}

SwitchValue ReadSwitchKey(const IniFile& file, std::string_view section, std::string_view key)
{
    std::string value;
    if (!ReadTextKey(file, section, key, value))
        return SwitchValue::Missing;
    if (EqualsNoCase(value, "ON"))
        return SwitchValue::On;
    if (EqualsNoCase(value, "OFF"))
        return SwitchValue::Off;
    return SwitchValue::Malformed;
}

std::vector<std::string_view> SplitCommaList(std::string_view text)
{
    std::vector<std::string_view> pieces;
    while (!text.empty()) {
        std::size_t comma = text.find(',');
        std::string_view piece = text.substr(0, comma);
        if (!piece.empty())
            pieces.push_back(piece);
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return pieces;
}

std::int32_t TextToInt(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r'
               || text[i] == '\v' || text[i] == '\f'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t value = 0;
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > limit) {
            value = limit;
            break;
        }
    }
    if (negative)
        return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(std::min<std::int64_t>(value, std::numeric_limits<std::int32_t>::max()));
}

}
