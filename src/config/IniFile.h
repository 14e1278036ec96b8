#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace plintor {

// A configuration file in the private-profile (INI) format, parsed once into memory.
//
// The rules are those of the platform's profile reading:
// - "[name]" lines start a section; "key=value" lines belong to the section above them;
//   lines whose first non-blank character is ";" are comments; other lines are ignored.
// - Section and key names match without regard to (ASCII) case; blanks (spaces, tabs)
//   around names and values are dropped.
// - The first occurrence of a key in a section wins; a section named again later adds
//   the keys it does not already hold.
// - A value is cut to `kMaxValueChars` characters (code points).
// Hostile input is survived: a line ends at its first NUL byte, invalid UTF-8 becomes
// U+FFFD, names longer than `kMaxNameBytes` can never match and are dropped, and at most
// `kMaxFileBytes` of the file are read.
class IniFile {
public:
    // A value longer than this many characters is cut (the profile buffer holds 260
    // characters with the terminator).
    static constexpr std::size_t kMaxValueChars = 259;
    static constexpr std::size_t kMaxNameBytes = 1024;
    static constexpr std::size_t kMaxFileBytes = 64u << 20;

    IniFile() = default;

    // Parses the text of a file.
    static IniFile Parse(std::string_view text);

    // Reads and parses the regular file at `path`. False when it cannot be opened or read,
    // or is not a regular file; the result then holds nothing, so every key is absent.
    bool Load(const std::string& path);

    // The value of `key` in `section`, or nothing when the key is absent. The value may be
    // empty ("KEY=").
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

private:
    using Keys = std::map<std::string, std::string, std::less<>>;
    std::map<std::string, Keys, std::less<>> sections;  // names lower-cased
};

}
