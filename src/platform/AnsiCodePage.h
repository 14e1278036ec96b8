#pragma once

#include <string>
#include <string_view>

namespace plintor::platform {

// What a reading does with bytes that are not valid in the set.
enum class UnreadableBytes {
    Replace,  // each becomes U+FFFD
    Keep,     // each is kept in the text (see CAnsiCodePage), to be written back as itself
};

// The workstation's "ANSI code page": on Linux the character set of the user's locale
// (LC_ALL / LC_CTYPE / LANG, as the environment sets it), converted with iconv; on Windows
// the system's ANSI code page (GetACP, CP_ACP), converted with WideCharToMultiByte and
// MultiByteToWideChar. UTF-8 is
// read and written by the program's own strict reader (platform/Utf8.h), since iconv lets
// 5- and 6-byte forms and code points above U+10FFFF through.
//
// Reading: a byte that is not valid in the set becomes U+FFFD, one per byte. A code page
// made with UnreadableBytes::Keep instead keeps each such byte B inside the text as the
// code point U+DC00 + B: a lone surrogate, which no valid text holds, so that the text can
// be written back as the very bytes it was read from. Readable() shows kept bytes as U+FFFD.
//
// Writing: ToAnsi marks a character that the set cannot carry with "?" (one per
// character), the way the platform's conversion marks it; ToAnsiExactly refuses such a
// text instead. Both write kept bytes as themselves. NUL bytes pass through both ways.
class CAnsiCodePage {
public:
    // The locale's character set.
    CAnsiCodePage();
    // A named character set ("UTF-8", "ISO-8859-1", "CP1252", ...); tests use this so that
    // they do not depend on the machine's locale. An unknown name falls back to ASCII. On
    // Windows the name is that of a code page ("CP" or "WINDOWS-" and its number, or one of
    // the common names such as "ISO-8859-1", "SHIFT_JIS", "GBK").
    explicit CAnsiCodePage(std::string charset, UnreadableBytes unreadable = UnreadableBytes::Replace);
    CAnsiCodePage(const CAnsiCodePage& other);
    CAnsiCodePage& operator=(const CAnsiCodePage& other);
    ~CAnsiCodePage();

    const std::string& Charset() const { return charset; }

    // UTF-8 text to bytes of the set.
    std::string ToAnsi(std::string_view text) const;

    // UTF-8 text to bytes of the set, exactly: false (and `bytes` unspecified) when the
    // set cannot carry some character of `text`, or `text` is not valid UTF-8.
    bool ToAnsiExactly(std::string_view text, std::string& bytes) const;

    // Bytes of the set to UTF-8 text. With `carry`, a character cut off at the end of
    // `bytes` is kept in `carry` (and taken from there first on the next call) instead of
    // being marked invalid: accumulating reads pass the same carry for every chunk.
    std::string FromAnsi(std::string_view bytes, std::string* carry = nullptr) const;

    // `text` with every kept byte shown as U+FFFD, for display.
    static std::string Readable(std::string_view text);

    // The locale's character set name as iconv knows it (Windows: "CP" and the number of
    // the ANSI code page, "UTF-8" for 65001).
    static std::string LocaleCharset();

private:
    void OpenConverters();
    void CloseConverters();
    // FromAnsi for a set other than UTF-8, through the system's converter; `keepUnreadable`
    // keeps a byte that begins no character (U+DC00 + byte) instead of U+FFFD.
    std::string FromCharset(std::string_view bytes, std::string* carry, bool keepUnreadable) const;

    std::string charset;
    UnreadableBytes unreadable = UnreadableBytes::Replace;
    bool utf8 = false;        // the set is UTF-8: read and written without iconv
    void* toAnsi = nullptr;   // iconv_t, UTF-8 -> charset
    void* fromAnsi = nullptr; // iconv_t, charset -> UTF-8
    unsigned codePage = 0;    // Windows: the code page of the set (0 on Linux)
};

}
