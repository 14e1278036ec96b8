#include "resources/dialogs/DialogResources.h"

#include <algorithm>
#include <array>
#include <vector>

#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/TemplateBuilder.h"

namespace plintor {

namespace {

// Every language with a string table except Japanese holds the dialog templates; all of
// them share one set of layouts, whose texts the pages replace from the string table.
constexpr std::array<std::uint16_t, 17> TEMPLATE_LANGUAGES = {
    1029, 1030, 1031, 1032, 1033, 1035, 1036, 1038, 1040, 1043, 1044, 1045, 1046, 1049, 1053, 1055, 3082,
};

constexpr std::array<int, 18> TEMPLATE_IDS = {
    IDD_WIZARD,           IDD_WELCOME,       IDD_SELECT_METHOD,    IDD_CONNECT,
    IDD_DISCONNECT,       IDD_SELECT_PRINTER, IDD_WIRELESS_SETTING, IDD_IP_SETTING,
    IDD_FAX_SETTING,      IDD_CHECK_FAX_SETTING, IDD_CONFIRM_CONFIG, IDD_COMPLETE,
    IDD_SELECT_AP,        IDD_ENTER_AP_PWD,  IDD_FIXED_SSID_WL_SETTING, IDD_CONNECT_COM,
    IDD_WAIT,             IDD_ENTER_IP,
};

const std::vector<DialogTemplate>& SharedLayouts()
{
    static const std::vector<DialogTemplate> layouts = {
        dialogs::WizardFrameTemplate(),     dialogs::WelcomeTemplate(),
        dialogs::SelectMethodTemplate(),    dialogs::ConnectTemplate(),
        dialogs::DisconnectTemplate(),      dialogs::SelectPrinterTemplate(),
        dialogs::WirelessSettingTemplate(), dialogs::IpSettingTemplate(),
        dialogs::FaxSettingTemplate(),      dialogs::CheckFaxSettingTemplate(),
        dialogs::ConfirmConfigTemplate(),   dialogs::CompleteTemplate(),
        dialogs::SelectApTemplate(),        dialogs::EnterApPwdTemplate(),
        dialogs::FixedSsidWlSettingTemplate(), dialogs::ConnectComTemplate(),
        dialogs::WaitTemplate(),            dialogs::EnterIpTemplate(),
    };
    return layouts;
}

}

const DialogTemplate* FindDialogTemplate(int id, std::uint16_t language)
{
    if (std::find(TEMPLATE_LANGUAGES.begin(), TEMPLATE_LANGUAGES.end(), language) == TEMPLATE_LANGUAGES.end())
        return nullptr;
    for (const DialogTemplate& layout : SharedLayouts())
        if (layout.id == id)
            return &layout;
    return nullptr;
}

std::span<const std::uint16_t> DialogTemplateLanguages()
{
    return TEMPLATE_LANGUAGES;
}

std::span<const int> DialogTemplateIds()
{
    return TEMPLATE_IDS;
}

}
