// The ANSI code page with the conversions of Windows. Writing converts UTF-16 to the code
// page with WideCharToMultiByte and WC_NO_BEST_FIT_CHARS, so that a character the page
// cannot carry becomes the default character "?" instead of a look-alike ("a" for "ā"), as
// iconv does on Linux; the code pages whose conversion takes no flags and no default
// character (50220-50229, 52936, 54936, 57002-57011, 65000, 42) convert with neither, and
// "exactly" is then decided by converting the bytes back. Reading converts with
// MultiByteToWideChar and MB_ERR_INVALID_CHARS; when the system refuses the bytes, they are
// read character by character (the lead bytes of a double-byte page from GetCPInfo) and
// each byte that begins no character is marked (U+FFFD, or kept). A lead byte at the end of
// a chunk is carried to the next one. Pages of more than two bytes a character (GB18030,
// UTF-7, the ISO-2022 pages) are read whole, without a carry, and the system marks what
// it cannot read. UTF-8 is read and written by the program's own strict reader, as on
// Linux. Exercised under Wine by the Windows unit tests (code pages 1252, 932 and UTF-8).
#include "platform/AnsiCodePage.h"

#include "platform/AnsiText.h"
#include "platform/windows/WinText.h"

#include <array>
#include <cctype>
#include <cstdlib>
#include <utility>

namespace plintor::platform {

using namespace ansi_text;

namespace {

constexpr unsigned kAscii = 20127;
constexpr unsigned kUtf8 = CP_UTF8;
constexpr char kDefaultCharacter[] = "?";

struct NamedPage {
    const char* name;   // upper case, without "-", "_" and blanks
    unsigned codePage;
};

constexpr NamedPage namedPages[] = {
    {"ASCII", kAscii},       {"USASCII", kAscii},     {"ANSIX3.41968", kAscii}, {"LATIN1", 28591},
    {"SHIFTJIS", 932},       {"SJIS", 932},           {"EUCJP", 20932},         {"GBK", 936},
    {"GB2312", 936},         {"GB18030", 54936},      {"BIG5", 950},            {"EUCKR", 51949},
    {"KOI8R", 20866},        {"KOI8U", 21866},
};

std::string Plain(const std::string& name)
{
    std::string plain;
    for (char c : name)
        if (c != '-' && c != '_' && c != ' ')
            plain += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return plain;
}

// The number after `prefix`, 0 when the text is not prefix and digits.
unsigned NumberAfter(const std::string& text, std::string_view prefix)
{
    if (text.size() <= prefix.size() || text.compare(0, prefix.size(), prefix) != 0)
        return 0;
    unsigned value = 0;
    for (std::size_t i = prefix.size(); i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])) || value > 100000)
            return 0;
        value = value * 10 + static_cast<unsigned>(text[i] - '0');
    }
    return value;
}

unsigned CodePageOfName(const std::string& name)
{
    std::string plain = Plain(name);
    if (plain == "UTF8")
        return kUtf8;
    for (const NamedPage& row : namedPages)
        if (plain == row.name)
            return row.codePage;
    if (unsigned iso = NumberAfter(plain, "ISO8859"); iso >= 1 && iso <= 15)
        return 28590 + iso;
    for (std::string_view prefix : {"CP", "WINDOWS", "IBM", "MS"})
        if (unsigned number = NumberAfter(plain, prefix))
            return number;
    return 0;
}

// The code pages whose WideCharToMultiByte takes neither flags nor a default character.
bool TakesNoFlags(unsigned page)
{
    return (page >= 50220 && page <= 50229) || page == 52936 || page == 54936 || (page >= 57002 && page <= 57011)
           || page == 65000 || page == 42;
}

std::wstring WideOf(unsigned page, DWORD flags, std::string_view bytes, bool& ok)
{
    ok = true;
    if (bytes.empty())
        return {};
    int count = MultiByteToWideChar(page, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (count <= 0) {
        ok = false;
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(count), L'\0');
    MultiByteToWideChar(page, flags, bytes.data(), static_cast<int>(bytes.size()), wide.data(), count);
    return wide;
}

// UTF-16 to the code page; `usedDefault` reports a character the page cannot carry.
std::string BytesOf(unsigned page, std::wstring_view wide, bool* usedDefault)
{
    if (wide.empty())
        return {};
    bool noFlags = TakesNoFlags(page);
    DWORD flags = noFlags ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* fallback = noFlags ? nullptr : kDefaultCharacter;
    BOOL used = FALSE;
    BOOL* usedFlag = noFlags ? nullptr : &used;
    int count = WideCharToMultiByte(page, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0, fallback,
                                    usedFlag);
    if (count <= 0) {
        if (usedDefault)
            *usedDefault = true;
        return {};
    }
    std::string bytes(static_cast<std::size_t>(count), '\0');
    WideCharToMultiByte(page, flags, wide.data(), static_cast<int>(wide.size()), bytes.data(), count, fallback,
                        usedFlag);
    if (usedDefault && used)
        *usedDefault = true;
    return bytes;
}

std::string Utf8OfWide(std::wstring_view wide)
{
    return BytesOf(kUtf8, wide, nullptr);
}

// Strict UTF-8 to UTF-16; `onInvalid` is called at each broken sequence, with the wide text
// read so far, and the sequence is skipped.
template <class OnInvalid>
std::wstring WideOfUtf8(std::string_view text, OnInvalid onInvalid)
{
    std::wstring wide;
    wide.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t value;
        std::size_t length = 1;
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            wide += static_cast<wchar_t>(text[pos]);
        } else if (ReadUtf8(text, pos, value, length) == Utf8Step::Character) {
            if (value >= 0x10000) {
                value -= 0x10000;
                wide += static_cast<wchar_t>(0xD800 + (value >> 10));
                wide += static_cast<wchar_t>(0xDC00 + (value & 0x3FF));
            } else {
                wide += static_cast<wchar_t>(value);
            }
        } else {
            onInvalid(wide);
            length = std::min(Utf8Length(static_cast<unsigned char>(text[pos])), text.size() - pos);
        }
        pos += length;
    }
    return wide;
}

}

void CAnsiCodePage::OpenConverters()
{
    codePage = CodePageOfName(charset);
    if (codePage == 0 || (codePage != kUtf8 && !IsValidCodePage(codePage))) {
        charset = "ANSI_X3.4-1968";
        codePage = IsValidCodePage(kAscii) ? kAscii : 0;   // 0: bytes pass unconverted
    }
    utf8 = codePage == kUtf8;
}

void CAnsiCodePage::CloseConverters()
{
    // The system's conversions hold nothing.
}

std::string CAnsiCodePage::ToAnsi(std::string_view text) const
{
    return WriteBytes(text, [&](std::string_view run, std::string& bytes) {
        if (utf8) {
            AppendUtf8Marked(bytes, run);
        } else if (codePage == 0) {
            bytes.append(run);
        } else {
            std::wstring wide = WideOfUtf8(run, [&](std::wstring& before) {
                bytes += BytesOf(codePage, before, nullptr);
                bytes += '?';
                before.clear();
            });
            bytes += BytesOf(codePage, wide, nullptr);
        }
    });
}

bool CAnsiCodePage::ToAnsiExactly(std::string_view text, std::string& bytes) const
{
    return WriteBytesExactly(text, bytes, utf8 || codePage == 0, [&](std::string_view run, std::string& out) {
        bool exact = true;
        std::wstring wide = WideOfUtf8(run, [&](std::wstring&) { exact = false; });
        bool usedDefault = false;
        std::string converted = BytesOf(codePage, wide, &usedDefault);
        bool ok = true;
        if (usedDefault || WideOf(codePage, 0, converted, ok) != wide || !ok)
            exact = false;
        out += converted;
        return exact;
    });
}

std::string CAnsiCodePage::FromCharset(std::string_view bytes, std::string* carry, bool keepUnreadable) const
{
    const UnreadableMark mark{keepUnreadable};
    if (codePage == 0 || bytes.empty())
        return std::string(bytes);

    CPINFO info{};
    if (!GetCPInfo(codePage, &info) || info.MaxCharSize > 2) {
        bool ok = true;
        return Utf8OfWide(WideOf(codePage, 0, bytes, ok));
    }
    std::array<bool, 256> lead{};
    for (int i = 0; i + 1 < MAX_LEADBYTES && (info.LeadByte[i] || info.LeadByte[i + 1]); i += 2)
        for (unsigned b = info.LeadByte[i]; b <= info.LeadByte[i + 1]; ++b)
            lead[b] = true;

    // A lead byte at the very end waits for its second byte.
    std::size_t end = bytes.size();
    if (carry) {
        std::size_t last = 0;
        for (std::size_t pos = 0; pos < bytes.size(); pos += lead[static_cast<unsigned char>(bytes[pos])] ? 2 : 1)
            last = pos;
        if (lead[static_cast<unsigned char>(bytes[last])] && last + 1 == bytes.size()) {
            carry->assign(bytes.substr(last));
            end = last;
        }
    }
    std::string_view whole = bytes.substr(0, end);
    bool ok = true;
    std::wstring wide = WideOf(codePage, MB_ERR_INVALID_CHARS, whole, ok);
    if (ok)
        return Utf8OfWide(wide);

    // Character by character: the system refused some bytes.
    std::string text;
    for (std::size_t pos = 0; pos < whole.size();) {
        std::size_t size = lead[static_cast<unsigned char>(whole[pos])] && pos + 1 < whole.size() ? 2 : 1;
        bool read = true;
        std::wstring one = WideOf(codePage, MB_ERR_INVALID_CHARS, whole.substr(pos, size), read);
        if (read) {
            text += Utf8OfWide(one);
            pos += size;
        } else {
            mark(text, static_cast<unsigned char>(whole[pos]));
            ++pos;
        }
    }
    return text;
}

std::string CAnsiCodePage::LocaleCharset()
{
    UINT page = GetACP();
    if (page == kUtf8)
        return "UTF-8";
    return "CP" + std::to_string(page);
}

}
