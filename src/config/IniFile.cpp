#include "config/IniFile.h"

#include "config/TextCompare.h"
#include "platform/DurableFile.h"

namespace plintor {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The length of the valid UTF-8 sequence at the start of `text`, or 0 when it is invalid
// (overlong forms, surrogates and values above U+10FFFF are invalid).
std::size_t Utf8SequenceLength(std::string_view text)
{
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    if (byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    }
    return length;
}

// Valid UTF-8 of at most `maxChars` code points; each invalid byte becomes U+FFFD.
std::string CleanText(std::string_view text, std::size_t maxChars)
{
    std::string result;
    std::size_t chars = 0;
    while (!text.empty() && chars < maxChars) {
        std::size_t length = Utf8SequenceLength(text);
        if (length == 0) {
            result += "\xEF\xBF\xBD";
            length = 1;
        } else {
            result.append(text.data(), length);
        }
        text.remove_prefix(length);
        ++chars;
    }
    return result;
}

}

IniFile IniFile::Parse(std::string_view text)
{
    IniFile file;
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);

    Keys* current = nullptr;   // keys before the first section belong to none
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

        line = line.substr(0, line.find('\0'));
        line = Trim(line);
        if (line.empty() || line.front() == ';')
            continue;

        if (line.front() == '[') {
            std::string_view name = line.substr(1);
            name = Trim(name.substr(0, name.find(']')));
            current = nullptr;
            if (name.size() <= kMaxNameBytes)
                current = &file.sections[ToLowerAscii(CleanText(name, kMaxNameBytes))];
            continue;
        }

        std::size_t equals = line.find('=');
        if (current == nullptr || equals == std::string_view::npos)
            continue;
        std::string_view key = Trim(line.substr(0, equals));
        if (key.empty() || key.size() > kMaxNameBytes)
            continue;
        std::string_view value = Trim(line.substr(equals + 1));
        // emplace keeps the first occurrence of a key.
        current->emplace(ToLowerAscii(CleanText(key, kMaxNameBytes)), CleanText(value, kMaxValueChars));
    }
    return file;
}

bool IniFile::Load(const std::string& path)
{
    sections.clear();
    std::string text;
    if (!platform::ReadRegularFile(path, kMaxFileBytes, text))
        return false;
    *this = Parse(text);
    return true;
}

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view key) const
{
    auto s = sections.find(ToLowerAscii(Trim(section)));
    if (s == sections.end())
        return std::nullopt;
    auto k = s->second.find(ToLowerAscii(Trim(key)));
    if (k == s->second.end())
        return std::nullopt;
    return k->second;
}

}
