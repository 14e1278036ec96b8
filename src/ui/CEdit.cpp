#include "ui/CEdit.h"

#include "ui/WindowMessages.h"

namespace plintor {

namespace {

bool IsContinuationByte(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

}

std::size_t CountCodePoints(const std::string& utf8)
{
    std::size_t count = 0;
    for (unsigned char c : utf8)
        if (!IsContinuationByte(c))
            ++count;
    return count;
}

std::string FirstCodePoints(const std::string& utf8, std::size_t count)
{
    std::size_t seen = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (!IsContinuationByte(static_cast<unsigned char>(utf8[i]))) {
            if (seen == count)
                return utf8.substr(0, i);
            ++seen;
        }
    }
    return utf8;
}

void CEdit::SetLimitText(std::size_t characters)
{
    if (limit == characters)
        return;
    limit = characters;
    Changed(PeerLimit);
}

bool CEdit::UserType(const std::string& typed)
{
    if (!IsEnabledForInput() || IsReadOnly())
        return false;
    std::string accepted;
    if (IsDigitsOnly()) {
        for (char c : typed)
            if (c >= '0' && c <= '9')
                accepted += c;
    } else {
        accepted = typed;
    }
    if (limit > 0)
        accepted = FirstCodePoints(accepted, limit);
    SetWindowText(accepted);
    NotifyParent(EN_CHANGE);
    return true;
}

}
