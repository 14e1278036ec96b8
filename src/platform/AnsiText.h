#pragma once

// The parts of CAnsiCodePage that do not depend on the system's conversion: the strict
// UTF-8 reading and writing, and the kept bytes (U+DC00 + byte). Both forms of
// AnsiCodePage.cpp use them, so that the contracts of AnsiCodePage.h hold alike.

#include "platform/Utf8.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <string>
#include <string_view>

namespace plintor::platform::ansi_text {

// The length of the UTF-8 sequence that begins with `lead`, 1 for a stray byte.
inline std::size_t Utf8Length(unsigned char lead)
{
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    if (lead >= 0xE0)
        return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2)
        return 2;
    return 1;
}

inline constexpr std::string_view Replacement = "\xEF\xBF\xBD"; // U+FFFD

// "UTF-8", "utf8", "UTF_8", ...
inline bool IsUtf8Name(const std::string& name)
{
    std::string plain;
    for (char c : name)
        if (c != '-' && c != '_')
            plain += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return plain == "UTF8";
}

// A kept byte B is the code point U+DC00 + B, in UTF-8 ED B0..B3 80..BF.
inline void AppendKeptByte(std::string& text, unsigned char byte)
{
    char32_t point = 0xDC00 + byte;
    text += '\xED';
    text += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (point & 0x3F));
}

inline bool KeptByteAt(std::string_view text, std::size_t pos, unsigned char& byte)
{
    if (pos + 3 > text.size())
        return false;
    auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    if (at(0) != 0xED || (at(1) & 0xFC) != 0xB0 || (at(2) & 0xC0) != 0x80)
        return false;
    byte = static_cast<unsigned char>(((at(1) & 0x03) << 6) | (at(2) & 0x3F));
    return true;
}

// Calls `plain` for each run of `text` without kept bytes and `kept` for each kept byte,
// in order.
template <class Plain, class Kept>
void SplitAtKeptBytes(std::string_view text, Plain plain, Kept kept)
{
    std::size_t start = 0;
    for (std::size_t pos = text.find('\xED'); pos != std::string_view::npos; pos = text.find('\xED', pos)) {
        unsigned char byte;
        if (KeptByteAt(text, pos, byte)) {
            if (pos > start)
                plain(text.substr(start, pos - start));
            kept(byte);
            pos += 3;
            start = pos;
        } else {
            ++pos;
        }
    }
    if (start < text.size())
        plain(text.substr(start));
}

// Walks `text` as UTF-8 and calls `broken(pos, step)` at each place where no whole
// character begins; it returns where the walk goes on (text.size() ends it).
template <class Broken>
void WalkUtf8(std::string_view text, Broken broken)
{
    char32_t value;
    std::size_t length;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            ++pos;
            continue;
        }
        Utf8Step step = ReadUtf8(text, pos, value, length);
        if (step == Utf8Step::Character)
            pos += length;
        else
            pos = broken(pos, step);
    }
}

inline bool IsValidUtf8(std::string_view text)
{
    bool valid = true;
    WalkUtf8(text, [&](std::size_t, Utf8Step) {
        valid = false;
        return text.size();
    });
    return valid;
}

// UTF-8 read strictly; `mark` writes what an unreadable byte becomes.
template <class Mark>
std::string ReadUtf8Bytes(std::string_view bytes, std::string* carry, Mark mark)
{
    std::string text;
    text.reserve(bytes.size() + 16);
    std::size_t run = 0;  // where the characters not yet appended begin
    WalkUtf8(bytes, [&](std::size_t pos, Utf8Step step) {
        text.append(bytes.substr(run, pos - run));
        if (step == Utf8Step::Incomplete && carry) {
            carry->assign(bytes.substr(pos));
            run = bytes.size();
        } else {
            mark(text, static_cast<unsigned char>(bytes[pos]));
            run = pos + 1;
        }
        return run;
    });
    text.append(bytes.substr(run));
    return text;
}

// `run` as UTF-8: valid characters as they are; one "?" for each broken sequence.
inline void AppendUtf8Marked(std::string& bytes, std::string_view run)
{
    std::size_t valid = 0;  // where the characters not yet appended begin
    WalkUtf8(run, [&](std::size_t pos, Utf8Step) {
        bytes.append(run.substr(valid, pos - valid));
        bytes += '?';
        valid = pos + std::min(Utf8Length(static_cast<unsigned char>(run[pos])), run.size() - pos);
        return valid;
    });
    bytes.append(run.substr(valid));
}

// `bytes` after what the last chunk left in `carry` (which is emptied); `joined` holds the
// text when both were joined.
inline std::string_view AfterCarry(std::string_view bytes, std::string* carry, std::string& joined)
{
    if (!carry || carry->empty())
        return bytes;
    joined = *carry + std::string(bytes);
    carry->clear();
    return joined;
}

// What a byte that begins no character becomes when read: kept (U+DC00 + byte) or U+FFFD.
struct UnreadableMark {
    bool keep;
    void operator()(std::string& text, unsigned char byte) const
    {
        if (keep)
            AppendKeptByte(text, byte);
        else
            text += Replacement;
    }
};

// `text` written as bytes: `plain(run, bytes)` writes each run without kept bytes, and
// each kept byte is written back as the byte it stands for.
template <class Plain>
std::string WriteBytes(std::string_view text, Plain plain)
{
    std::string bytes;
    SplitAtKeptBytes(text, [&](std::string_view run) { plain(run, bytes); },
                     [&](unsigned char byte) { bytes += static_cast<char>(byte); });
    return bytes;
}

// WriteBytes that says whether every character was written exactly: broken UTF-8 is not,
// and neither is a run that `convert(run, bytes)` says it did not convert exactly. With
// `asIs` runs are written as they are.
template <class Convert>
bool WriteBytesExactly(std::string_view text, std::string& bytes, bool asIs, Convert convert)
{
    bool exact = true;
    bytes = WriteBytes(text, [&](std::string_view run, std::string& out) {
        if (!exact || !IsValidUtf8(run)) {
            exact = false;
            return;
        }
        if (asIs)
            out.append(run);
        else if (!convert(run, out))
            exact = false;
    });
    return exact;
}

// `text` with every kept byte shown as U+FFFD.
inline std::string ReadableText(std::string_view text)
{
    std::string readable;
    SplitAtKeptBytes(text, [&](std::string_view run) { readable.append(run); },
                     [&](unsigned char) { readable += Replacement; });
    return readable;
}

}
