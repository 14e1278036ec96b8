#include "config/PanelLanguageTable.h"

#include <iterator>

namespace plintor {

namespace {

// String ids 522, 595, 596 and 597 carry texts; the other display names are empty in
// every language.
constexpr PanelLanguageRow panelLanguages[] = {
    {0x0409, 522, "ENGLISH"},
    {0x040C, 523, "FRENCH"},
    {0x0410, 524, "ITALIAN"},
    {0x0407, 525, "GERMAN"},
    {0x0C0A, 526, "SPANISH"},
    {0x0406, 527, "DANISH"},
    {0x0413, 528, "DUTCH"},
    {0x0414, 529, "NORWEGIAN"},
    {0x041D, 530, "SWEDISH"},
    {0x040B, 660, "FINNISH"},
    {0x0415, 574, "POLISH"},
    {0x041F, 575, "TURKISH"},
    {0x0408, 661, "GREEK"},
    {0x0419, 531, "RUSSIAN"},
    {0x0405, 576, "CZECH"},
    {0x040E, 577, "HUNGARIAN"},
    {0x0416, 532, "BRAZILIAN"},
    {0x0816, 578, "PORTUGUESE"},
    {0x0411, 573, "JAPANESE"},
    {0x0412, 597, "KOREAN"},
    {0x0804, 595, "SIMPLIFIEDCHINESE"},
    {0x0404, 596, "TRADITIONALCHINESE"},
};

static_assert(std::size(panelLanguages) == 22);

}

std::span<const PanelLanguageRow> PanelLanguageTable()
{
    return panelLanguages;
}

int PanelLanguageRowOfLangId(std::uint16_t langId)
{
    for (std::size_t i = 0; i < std::size(panelLanguages); ++i) {
        if (panelLanguages[i].langId == langId)
            return static_cast<int>(i);
    }
    return -1;
}

const PanelLanguageRow* FindPanelLanguage(std::uint16_t langId)
{
    return PanelLanguageAt(PanelLanguageRowOfLangId(langId));
}

const PanelLanguageRow* PanelLanguageAt(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= std::size(panelLanguages))
        return nullptr;
    return &panelLanguages[index];
}

}
