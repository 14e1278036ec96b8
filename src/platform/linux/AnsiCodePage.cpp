#include "platform/AnsiCodePage.h"

#include "platform/AnsiText.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <utility>

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

namespace plintor::platform {

using namespace ansi_text;

namespace {

const iconv_t NoConverter = reinterpret_cast<iconv_t>(-1);

iconv_t AsIconv(void* handle)
{
    return handle ? static_cast<iconv_t>(handle) : NoConverter;
}

// Runs `converter` over `input`; `onInvalid` is called with the input left at each
// character that cannot be converted and returns how many bytes to skip and what to emit.
// An incomplete character at the end is left in `rest` (EINVAL). `irreversible` counts
// the characters that the converter changed on its own.
template <class OnInvalid>
std::string Convert(iconv_t converter, std::string_view input, std::string* rest, OnInvalid onInvalid,
                    std::size_t* irreversible = nullptr)
{
    std::string output;
    output.reserve(input.size() + input.size() / 4 + 16);
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        std::size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
        output.append(buffer, static_cast<std::size_t>(out - buffer));
        if (done != static_cast<std::size_t>(-1)) {
            if (irreversible)
                *irreversible += done;
            continue;
        }
        if (errno == E2BIG)
            continue;
        if (errno == EINVAL && rest) {
            rest->assign(in, inLeft);
            return output;
        }
        // EILSEQ, or EINVAL without a carry: mark and step over.
        auto [skip, mark] = onInvalid(std::string_view(in, inLeft));
        output.append(mark);
        in += skip;
        inLeft -= skip;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
    }
    // Flush a stateful encoder's shift sequence.
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    iconv(converter, nullptr, nullptr, &out, &outLeft);
    output.append(buffer, static_cast<std::size_t>(out - buffer));
    return output;
}

}

void CAnsiCodePage::OpenConverters()
{
    iconv_t to = iconv_open(charset.c_str(), "UTF-8");
    iconv_t from = iconv_open("UTF-8", charset.c_str());
    if (to == NoConverter || from == NoConverter) {
        if (to != NoConverter)
            iconv_close(to);
        if (from != NoConverter)
            iconv_close(from);
        charset = "ANSI_X3.4-1968";
        to = iconv_open(charset.c_str(), "UTF-8");
        from = iconv_open("UTF-8", charset.c_str());
    }
    toAnsi = to == NoConverter ? nullptr : to;
    fromAnsi = from == NoConverter ? nullptr : from;
    utf8 = IsUtf8Name(charset);
}

void CAnsiCodePage::CloseConverters()
{
    if (toAnsi)
        iconv_close(AsIconv(toAnsi));
    if (fromAnsi)
        iconv_close(AsIconv(fromAnsi));
    toAnsi = fromAnsi = nullptr;
}

std::string CAnsiCodePage::ToAnsi(std::string_view text) const
{
    return WriteBytes(text, [&](std::string_view run, std::string& bytes) {
        if (utf8) {
            AppendUtf8Marked(bytes, run);
        } else if (!toAnsi) {
            bytes.append(run);
        } else {
            bytes += Convert(AsIconv(toAnsi), run, nullptr, [](std::string_view left) {
                std::size_t length = Utf8Length(static_cast<unsigned char>(left.front()));
                if (length > left.size())
                    length = left.size();
                return std::pair<std::size_t, std::string>(length, "?");
            });
        }
    });
}

bool CAnsiCodePage::ToAnsiExactly(std::string_view text, std::string& bytes) const
{
    return WriteBytesExactly(text, bytes, utf8 || !toAnsi, [&](std::string_view run, std::string& out) {
        bool exact = true;
        std::size_t irreversible = 0;
        out += Convert(
            AsIconv(toAnsi), run, nullptr,
            [&](std::string_view left) {
                exact = false;
                return std::pair<std::size_t, std::string>(left.size(), "");
            },
            &irreversible);
        return exact && irreversible == 0;
    });
}

std::string CAnsiCodePage::FromCharset(std::string_view bytes, std::string* carry, bool keepUnreadable) const
{
    const UnreadableMark mark{keepUnreadable};
    if (!fromAnsi)
        return std::string(bytes);
    return Convert(AsIconv(fromAnsi), bytes, carry, [&](std::string_view left) {
        std::string marked;
        mark(marked, static_cast<unsigned char>(left.front()));
        return std::pair<std::size_t, std::string>(1, marked);
    });
}

std::string CAnsiCodePage::LocaleCharset()
{
    // The environment's locale, without touching the process's own (which the program
    // leaves at "C").
    locale_t locale = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0));
    if (locale == static_cast<locale_t>(0))
        return "ANSI_X3.4-1968";
    std::string name = nl_langinfo_l(CODESET, locale);
    freelocale(locale);
    return name.empty() ? std::string("ANSI_X3.4-1968") : name;
}

}
