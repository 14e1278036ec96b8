#pragma once

#include "config/IniFile.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace plintor {

// The configuration file's path for a program at `programPath`: the program's own name
// with the extension "ini", in the program's folder. An extension of the program is
// replaced ("/opt/plintor/plintor.exe" gives "/opt/plintor/plintor.ini"); a program
// without one gets ".ini" appended ("/usr/bin/plintor" gives "/usr/bin/plintor.ini",
// and "/opt/my.tools/plintor" gives "/opt/my.tools/plintor.ini"). An empty path gives
// an empty text.
std::string ConfigFilePathFor(std::string_view programPath);

// The configuration of the installed program, shared by every user of the machine.
inline constexpr const char* kSystemConfigFile = "/etc/plintor/plintor.ini";

// kSystemConfigFile, unless a test moved it (platform/TestOverrides.h), so that no test
// run reads the configuration of a package installed on the machine.
std::string SystemConfigFile();

// The configuration file a program at `programPath` reads: the one beside it
// (ConfigFilePathFor) when that exists, so that a copy run from a folder keeps its own;
// else `systemFile` when that exists (the installed program); else the one beside it
// again, whose absence start-up reports. An empty program path gives an empty text.
std::string ChooseConfigFile(std::string_view programPath, const std::string& systemFile,
    const std::function<bool(const std::string& path)>& exists);

// The configuration file path of the running program (the program path service), or
// an empty text when the program path cannot be read.
std::string ConfigFilePath();

// A text key. False when the key is absent or its value is empty; `text` is then empty.
bool ReadTextKey(const IniFile& file, std::string_view section, std::string_view key, std::string& text);
bool ReadTextKey(const std::string& path, std::string_view section, std::string_view key, std::string& text);

// A count key: the unsigned decimal number at the start of the value (saturating at the
// largest 32-bit value); 0 when the key is absent or starts with no digit.
std::uint32_t ReadCountKey(const IniFile& file, std::string_view section, std::string_view key);

// A counted list: `countKey` holds N >= 1, and the N keys named by `pattern` with "%u"
// replaced by 0 .. N-1 hold the entries. `list` is cleared first. False when N is 0 or
// one of the N keys is absent or empty; the keys after N are never read.
bool ReadListKey(const IniFile& file, std::string_view section, std::string_view countKey,
    std::string_view pattern, std::vector<std::string>& list);

enum class SwitchValue {
    Missing,     // absent or empty
    On,          // "ON", any letter case
    Off,         // "OFF", any letter case
    Malformed,   // anything else
};

SwitchValue ReadSwitchKey(const IniFile& file, std::string_view section, std::string_view key);

// The pieces of a comma list; empty pieces between commas are skipped, nothing is trimmed
// ("IP, FAX" gives "IP" and " FAX").
std::vector<std::string_view> SplitCommaList(std::string_view text);

// Decimal text to integer in the manner of the C library: leading blanks and one sign are
// taken, the digits up to the first non-digit are converted (saturating at the 32-bit
// limits), and a text without leading digits gives 0.
std::int32_t TextToInt(std::string_view text);

}
