#include "ui/CIpAddressControl.h"

#include "ui/WindowMessages.h"

namespace plintor {

bool CIpAddressControl::ParseFields(const std::string& dotted, std::array<int, 4>& out)
{
    std::array<int, 4> parsed{-1, -1, -1, -1};
    if (dotted.empty()) {
        out = parsed;
        return true;
    }
    std::size_t field = 0;
    std::size_t digits = 0;
    for (char c : dotted) {
        if (c == '.') {
            if (++field > 3)
                return false;
            digits = 0;
        } else if (c >= '0' && c <= '9') {
            if (++digits > 3)
                return false;
            int& value = parsed[field];
            value = (value < 0 ? 0 : value * 10) + (c - '0');
            if (value > 255)
                return false;
        } else {
            return false;
        }
    }
    if (field != 3)
        return false;
    out = parsed;
    return true;
}

int CIpAddressControl::GetAddress(std::uint32_t& address) const
{
    address = 0;
    int filled = 0;
    for (int value : fields) {
        address = (address << 8) | static_cast<std::uint32_t>(value < 0 ? 0 : value);
        if (value >= 0)
            ++filled;
    }
    return filled;
}

void CIpAddressControl::SetAddress(std::uint32_t address)
{
    for (int i = 0; i < 4; ++i)
        fields[static_cast<std::size_t>(i)] = static_cast<int>((address >> (24 - 8 * i)) & 0xFF);
    UpdateText();
}

void CIpAddressControl::ClearAddress()
{
    fields = {-1, -1, -1, -1};
    UpdateText();
}

bool CIpAddressControl::IsBlank() const
{
    for (int value : fields)
        if (value >= 0)
            return false;
    return true;
}

bool CIpAddressControl::SetField(int index, int value)
{
    if (index < 0 || index > 3 || value < -1 || value > 255)
        return false;
    fields[static_cast<std::size_t>(index)] = value;
    UpdateText();
    return true;
}

bool CIpAddressControl::UserType(const std::string& dotted)
{
    std::array<int, 4> parsed;
    if (!IsEnabledForInput() || !ParseFields(dotted, parsed))
        return false;
    fields = parsed;
    UpdateText();
    NotifyParent(EN_CHANGE);
    return true;
}

void CIpAddressControl::SetWindowText(const std::string& newText)
{
    std::array<int, 4> parsed;
    if (ParseFields(newText, parsed))
        fields = parsed;
    else
        fields = {-1, -1, -1, -1};
    UpdateText();
}

void CIpAddressControl::UpdateText()
{
    std::string dotted;
    for (std::size_t i = 0; i < 4; ++i) {
        if (i)
            dotted += '.';
        if (fields[i] >= 0)
            dotted += std::to_string(fields[i]);
    }
    Changed(PeerItems);
    CWindow::SetWindowText(dotted);
}

}
