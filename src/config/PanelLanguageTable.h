#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace plintor {

// One operation-panel language: its LANGID, the string id of its display name and the
// name the printer's PJL takes ("@PJL DEFAULT LANG=...").
struct PanelLanguageRow {
    std::uint16_t langId;
    std::uint32_t stringId;
    std::string_view pjlName;
};

// The 22 panel languages the printers know, in their fixed order.
std::span<const PanelLanguageRow> PanelLanguageTable();

// The index of the row with this LANGID, or -1.
int PanelLanguageRowOfLangId(std::uint16_t langId);

// The row with this LANGID, or nullptr.
const PanelLanguageRow* FindPanelLanguage(std::uint16_t langId);

// The row at `index`, or nullptr when the index lies outside the table.
const PanelLanguageRow* PanelLanguageAt(int index);

}
