#pragma once

#include <string>
#include <string_view>

namespace plintor::platform {

// The workstation's "ANSI code page": on Linux the character set of the user's locale
// (LC_ALL / LC_CTYPE / LANG, as the environment sets it), converted with iconv.
//
// A character that the set cannot carry becomes "?" (one per character), the way the
// platform's conversion marks it; bytes that are not valid in the set become U+FFFD. Nothing
// is dropped without trace, and NUL bytes pass through both ways.
class CAnsiCodePage {
public:
    // The locale's character set.
    CAnsiCodePage();
    // A named character set ("UTF-8", "ISO-8859-1", "CP1252", ...); tests use this so that
    // they do not depend on the machine's locale. An unknown name falls back to ASCII.
    explicit CAnsiCodePage(std::string charset);
    CAnsiCodePage(const CAnsiCodePage& other);
    CAnsiCodePage& operator=(const CAnsiCodePage& other);
    ~CAnsiCodePage();

    const std::string& Charset() const { return charset; }

    // UTF-8 text to bytes of the set.
    std::string ToAnsi(std::string_view text) const;

    // Bytes of the set to UTF-8 text. With `carry`, a character cut off at the end of
    // `bytes` is kept in `carry` (and taken from there first on the next call) instead of
    // being marked invalid: accumulating reads pass the same carry for every chunk.
    std::string FromAnsi(std::string_view bytes, std::string* carry = nullptr) const;

    // The locale's character set name as iconv knows it.
    static std::string LocaleCharset();

private:
    void OpenConverters();
    void CloseConverters();

    std::string charset;
    void* toAnsi = nullptr;   // iconv_t, UTF-8 -> charset
    void* fromAnsi = nullptr; // iconv_t, charset -> UTF-8
};

}
