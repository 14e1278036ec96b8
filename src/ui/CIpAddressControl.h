#pragma once

#include "ui/CWindow.h"

#include <array>
#include <cstdint>
#include <string>

namespace plintor {

// The IPv4 address control: four fields of 0 to 255, each possibly blank. Its text is
// "a.b.c.d" with blank fields empty ("192..0." has two blank fields).
class CIpAddressControl : public CWindow {
public:
    const char* ClassName() const override { return "SysIPAddress32"; }

    // Takes "a.b.c.d" (fields may be empty); any other text blanks all fields.
    void SetWindowText(const std::string& newText) override;

    // The address with the first field in the most significant byte (blank fields count
    // as 0) and the number of fields that are not blank.
    int GetAddress(std::uint32_t& address) const;
    void SetAddress(std::uint32_t address);       // all four fields
    void ClearAddress();                          // all fields blank
    bool IsBlank() const;
    int Field(int index) const { return fields.at(index); }   // -1 blank
    bool SetField(int index, int value);                      // -1 blank; false when invalid
    const std::array<int, 4>& Fields() const { return fields; }

    // user: sets the four fields from "a.b.c.d" (a field may be empty) and sends EN_CHANGE.
    // False when the text is not four fields of 0 to 255 or input cannot reach the control.
    bool UserType(const std::string& dotted);

    // Parses "a.b.c.d" with empty fields as -1.
    static bool ParseFields(const std::string& dotted, std::array<int, 4>& out);

private:
    void UpdateText();
    std::array<int, 4> fields{-1, -1, -1, -1};
};

}
