// libFuzzer target for the IEEE 1284 device id that a USB printer reports through the
// device-id request: any answer gives an id text taken from inside the answer (after its
// length bytes, within the length that fits), without NUL bytes or trailing line ends and
// blanks, which the channel turns into valid UTF-8.
//
// Input: the character set byte, then the raw answer (two length bytes, then the id).
#include "FuzzSupport.h"

#include "platform/AnsiCodePage.h"
#include "platform/UsbPrinterClass.h"

using namespace plintor;
using namespace plintor::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InputReader input(data, size);
    const platform::CAnsiCodePage& codePage = CodePageOf(input.Byte());
    std::string raw(input.Rest());

    // The answer as the device-id reader hands it over (the reader is injected, no device).
    platform::UsbRoots roots;
    roots.deviceIdIoctl = [&raw](int, std::string& out) {
        out = raw;
        return true;
    };
    std::string id = platform::ReadDeviceIdIoctl(-1, roots);
    auto bytes = reinterpret_cast<const unsigned char*>(raw.data());
    Check(id == platform::ParseDeviceIdAnswer(std::span(bytes, raw.size())), "the reader's id is the parsed answer");

    if (raw.size() < 2) {
        Check(id.empty(), "an answer without its length bytes gives no id");
        return 0;
    }
    // The length counts its own two bytes; big-endian first, little-endian when that does
    // not fit, else the whole answer.
    std::size_t big = std::size_t(bytes[0]) << 8 | bytes[1];
    std::size_t little = std::size_t(bytes[1]) << 8 | bytes[0];
    auto fits = [&](std::size_t length) { return length >= 2 && length <= raw.size(); };
    std::size_t end = fits(big) ? big : fits(little) ? little : raw.size();
    std::string_view span = std::string_view(raw).substr(2, end - 2);
    Check(span.starts_with(id), "the id is the beginning of the answer within its length");
    Check(id.find('\0') == std::string::npos, "the id holds no NUL");
    Check(id.empty() || (id.back() != '\n' && id.back() != '\r' && id.back() != ' '),
          "the id ends without line ends and blanks");
    // What is cut off is only the text from a NUL on, or line ends and blanks at the end.
    std::string_view cut = span.substr(id.size());
    std::string_view beforeNul = cut.substr(0, cut.find('\0'));
    Check(beforeNul.find_first_not_of("\r\n ") == std::string_view::npos, "nothing but the tail is cut off");

    CheckUtf8(codePage.FromAnsi(id), "the id in the program's text is valid UTF-8");
    return 0;
}
