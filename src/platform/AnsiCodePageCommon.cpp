// The parts of CAnsiCodePage that both forms share: making, copying and ending one around
// the form's own OpenConverters and CloseConverters.
#include "platform/AnsiCodePage.h"

#include "platform/AnsiText.h"

#include <utility>

namespace plintor::platform {

CAnsiCodePage::CAnsiCodePage() : CAnsiCodePage(LocaleCharset()) {}

CAnsiCodePage::CAnsiCodePage(std::string name, UnreadableBytes unreadable)
    : charset(std::move(name)), unreadable(unreadable)
{
    OpenConverters();
}

CAnsiCodePage::CAnsiCodePage(const CAnsiCodePage& other) : charset(other.charset), unreadable(other.unreadable)
{
    OpenConverters();
}

CAnsiCodePage& CAnsiCodePage::operator=(const CAnsiCodePage& other)
{
    if (this != &other) {
        CloseConverters();
        charset = other.charset;
        unreadable = other.unreadable;
        OpenConverters();
    }
    return *this;
}

CAnsiCodePage::~CAnsiCodePage()
{
    CloseConverters();
}

std::string CAnsiCodePage::Readable(std::string_view text)
{
    return ansi_text::ReadableText(text);
}

std::string CAnsiCodePage::FromAnsi(std::string_view bytes, std::string* carry) const
{
    std::string joined;
    bytes = ansi_text::AfterCarry(bytes, carry, joined);
    const bool keep = unreadable == UnreadableBytes::Keep;
    if (utf8)
        return ansi_text::ReadUtf8Bytes(bytes, carry, ansi_text::UnreadableMark{keep});
    return FromCharset(bytes, carry, keep);
}

}
