#pragma once

// What a printer receives in one IP configuration over the network (the welcome page, the
// network search, the IP page with 198.18.1.50/255.255.255.0 via 198.18.1.1 and the manual
// IPv6 address 2001:1:1:1000:123:4567:89ab:cdef/64 via 2001:1:1:1000::1, the
// confirmation and the completion page), whichever front end and system drove the run.

#include <string>

namespace plintor::test {

inline const std::string kUel = "\x1b%-12345X";
inline const std::string kOptionsQuestion = kUel + "@PJL INFO IWAOPTIONS\r\n" + kUel;
inline const std::string kSetupQuestion = kUel + "@PJL INFO IWASETUP\r\n" + kUel;

// The wired lines: the IPv4 numbers as eight upper-case hexadecimal digits, the IPv6 texts
// in full form, upper case, quoted.
inline const std::string kDualStackLines =
    "@PJL IWASETTCPIP VSSTACKMODE=DUAL\r\n"
    "@PJL IWASETTCPIP IPMODE=MANUAL\r\n"
    "@PJL IWASETTCPIP IPADDRESS=C6120132\r\n"
    "@PJL IWASETTCPIP SNMADDRESS=FFFFFF00\r\n"
    "@PJL IWASETTCPIP GTWADDRESS=C6120101\r\n"
    "@PJL IWASETTCPIP VSMANUAL=ON\r\n"
    "@PJL IWASETTCPIP VSIPADDRESS=\"2001:0001:0001:1000:0123:4567:89AB:CDEF/64\"\r\n"
    "@PJL IWASETTCPIP VSGTWADDRESS=\"2001:0001:0001:1000:0000:0000:0000:0001\"\r\n";

// The configured printer's whole log: the search's options question, the setup question
// and the framed job with `lastLines` (the panel language line, when the run offers it)
// before the restart.
inline std::string DualStackPrinterLog(const std::string& lastLines)
{
    return kOptionsQuestion + kSetupQuestion + kUel + kDualStackLines + lastLines + "@PJL REBOOT\r\n" + kUel;
}

}
