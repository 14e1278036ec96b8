#pragma once

#include <string>
#include <string_view>

namespace plintor {

// Comparisons of names and keywords without regard to case. Only the ASCII letters fold;
// the names of the configuration file and the printer's keywords are ASCII.
char ToLowerAscii(char c);
std::string ToLowerAscii(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);

// The value of an ASCII hex digit, or -1 for any other character.
int HexDigitValue(char c);

}
