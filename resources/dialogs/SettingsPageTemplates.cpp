// Layouts of the IP, wireless and access point pages.

#include "resources/dialogs/TemplateBuilder.h"

#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/EnterApPwdIds.h"
#include "resources/dialogs/FixedSsidWlSettingIds.h"
#include "resources/dialogs/IpSettingIds.h"
#include "resources/dialogs/SelectApIds.h"
#include "resources/dialogs/WirelessSettingIds.h"

namespace plintor::dialogs {

namespace {

void SetTexts(DialogTemplate& page, const char* title, const char* sideTitle, const char* sideMessage)
{
    for (ControlTemplate& c : page.controls) {
        if (c.id == IDC_PAGE_TITLE)
            c.text = title;
        else if (c.id == IDC_SIDE_TITLE)
            c.text = sideTitle;
        else if (c.id == IDC_SIDE_MESSAGE)
            c.text = sideMessage;
    }
}

// Columns inside a group box: labels, fields, "What's this?".
constexpr int GROUP_LABEL_X = 25;
constexpr int GROUP_FIELD_X = 100;
constexpr int LINK_X = 218;

ControlTemplate DropDown(int id, Rect r, std::uint32_t style = StyleNone)
{
    return Control(id, ControlKind::ComboBox, r, {}, style);
}

const char* const WIRELESS_SIDE_MESSAGE =
    "The SSID and wireless settings on your printer must match your network's wireless settings to "
    "function properly.\nOnce the SSID is changed on this printer, you will lose contact with the printer "
    "until you change the SSID on this computer to match the new SSID on the printer.";

// The network type and security groups that both wireless settings pages share, below
// the SSID line.
void AddWirelessControls(DialogTemplate& page)
{
    auto& c = page.controls;
    c.push_back(Control(IDC_WL_TYPE_GROUP, ControlKind::GroupBox, {CONTENT_LEFT, 119, 268, 38},
                        "Type of wireless network"));
    c.push_back(Control(IDC_WL_INFRASTRUCTURE, ControlKind::RadioButton, {GROUP_LABEL_X, 135, 90, LINE_HEIGHT},
                        "&Infrastructure", StyleGroup));
    c.push_back(Control(IDC_WL_ADHOC, ControlKind::RadioButton, {120, 135, 90, LINE_HEIGHT}, "Ad &Hoc"));
    c.push_back(Link(IDC_WL_TYPE_HELP, LINK_X, 135));
    c.push_back(Control(IDC_WL_SECURITY_GROUP, ControlKind::GroupBox, {CONTENT_LEFT, 163, 268, 100}, "Security"));
    c.push_back(Label(IDC_WL_SECURITY_LABEL, {GROUP_LABEL_X, 180, 70, LABEL_HEIGHT}, "Pro&tocol:"));
    c.push_back(DropDown(IDC_WL_SECURITY, {GROUP_FIELD_X, 178, 175, FIELD_HEIGHT}, StyleGroup));
    c.push_back(Label(IDC_WL_KEY_INDEX_LABEL, {GROUP_LABEL_X, 200, 70, LABEL_HEIGHT}, "Inde&x:"));
    c.push_back(DropDown(IDC_WL_KEY_INDEX, {GROUP_FIELD_X, 198, 60, FIELD_HEIGHT}, StyleGroup));
    c.push_back(Label(IDC_WL_KEY_LABEL, {GROUP_LABEL_X, 220, 70, LABEL_HEIGHT}, "&WEP Key:"));
    c.push_back(Edit(IDC_WL_KEY, {GROUP_FIELD_X, 218, 175, FIELD_HEIGHT}, 26, StylePassword | StyleGroup));
    c.push_back(Link(IDC_WL_SECURITY_HELP, LINK_X, 240));
}

}

DialogTemplate IpSettingTemplate()
{
    DialogTemplate page = PageTemplate(IDD_IP_SETTING, SideBar::With);
    SetTexts(page, "IP Address Settings", "IP Address Settings",
             "In case of IPv4,Choose DHCP if a server,router,or other device automatically assigns IP "
             "addresses to devices on the network.\n\nIn case of IPv6,If IP address are assigned "
             "manually,click the check box and enter an existing IP address.");
    auto& c = page.controls;
    c.push_back(Label(IDC_IP_MODE_LABEL, {CONTENT_LEFT, 101, 80, LABEL_HEIGHT}, "&IP Mode:"));
    c.push_back(DropDown(IDC_IP_MODE, {GROUP_FIELD_X, 99, 100, FIELD_HEIGHT}, StyleGroup));
    c.push_back(Link(IDC_IP_MODE_HELP, LINK_X, 100));

    c.push_back(Control(IDC_IPV4_GROUP, ControlKind::GroupBox, {CONTENT_LEFT, 116, 268, 80}, "IPv4 Settings"));
    c.push_back(Label(IDC_IPV4_TYPE_LABEL, {GROUP_LABEL_X, 130, 70, LABEL_HEIGHT}, "&Type:"));
    c.push_back(DropDown(IDC_IPV4_TYPE, {GROUP_FIELD_X, 128, 100, FIELD_HEIGHT}, StyleGroup));
    c.push_back(Link(IDC_IPV4_HELP, LINK_X, 129));
    c.push_back(Label(IDC_IPV4_ADDRESS_LABEL, {GROUP_LABEL_X, 148, 70, LABEL_HEIGHT}, "I&P Address:"));
    c.push_back(Control(IDC_IPV4_ADDRESS, ControlKind::IpAddress, {GROUP_FIELD_X, 146, 100, FIELD_HEIGHT}, {},
                        StyleGroup));
    c.push_back(Label(IDC_IPV4_MASK_LABEL, {GROUP_LABEL_X, 164, 70, LABEL_HEIGHT}, "Net&work Mask:"));
    c.push_back(Control(IDC_IPV4_MASK, ControlKind::IpAddress, {GROUP_FIELD_X, 162, 100, FIELD_HEIGHT}, {},
                        StyleGroup));
    c.push_back(Label(IDC_IPV4_GATEWAY_LABEL, {GROUP_LABEL_X, 180, 70, LABEL_HEIGHT}, "&Gateway Address:"));
    c.push_back(Control(IDC_IPV4_GATEWAY, ControlKind::IpAddress, {GROUP_FIELD_X, 178, 100, FIELD_HEIGHT}, {},
                        StyleGroup));

    c.push_back(Control(IDC_IPV6_GROUP, ControlKind::GroupBox, {CONTENT_LEFT, 200, 268, 87}, "IPv6 Settings"));
    c.push_back(Control(IDC_IPV6_MANUAL, ControlKind::CheckBox, {GROUP_LABEL_X, 214, 150, LINE_HEIGHT},
                        "&Use Manual Address", StyleGroup));
    c.push_back(Link(IDC_IPV6_HELP, LINK_X, 214));
    c.push_back(Label(IDC_IPV6_ADDRESS_LABEL, {GROUP_LABEL_X, 234, 70, LABEL_HEIGHT}, "IP &Address:"));
    c.push_back(Edit(IDC_IPV6_ADDRESS, {GROUP_FIELD_X, 232, 138, FIELD_HEIGHT}, IPV6_ADDRESS_MAX_CHARS,
                     StyleGroup));
    c.push_back(Label(IDC_IPV6_SLASH, {240, 234, 6, LABEL_HEIGHT}, "/", StyleCenter));
    c.push_back(Edit(IDC_IPV6_PREFIX, {248, 232, 27, FIELD_HEIGHT}, IPV6_PREFIX_MAX_CHARS,
                     StyleDigitsOnly | StyleGroup));
    c.push_back(Label(IDC_IPV6_GATEWAY_LABEL, {GROUP_LABEL_X, 256, 70, LABEL_HEIGHT}, "Gat&eway Address:"));
    c.push_back(Edit(IDC_IPV6_GATEWAY, {GROUP_FIELD_X, 254, 138, FIELD_HEIGHT}, IPV6_ADDRESS_MAX_CHARS,
                     StyleGroup));
    AddPageButtons(page);
    return page;
}

DialogTemplate WirelessSettingTemplate()
{
    DialogTemplate page = PageTemplate(IDD_WIRELESS_SETTING, SideBar::With);
    SetTexts(page, "Wireless Network Settings", "Wireless Settings", WIRELESS_SIDE_MESSAGE);
    auto& c = page.controls;
    c.push_back(Label(IDC_WL_SSID_LABEL, {CONTENT_LEFT, 101, 80, LABEL_HEIGHT}, "SSI&D:"));
    c.push_back(Edit(IDC_WL_SSID, {GROUP_FIELD_X, 99, 110, FIELD_HEIGHT}, SSID_MAX_CHARS, StyleGroup));
    c.push_back(Link(IDC_WL_SSID_HELP, LINK_X, 100));
    AddWirelessControls(page);
    AddPageButtons(page);
    return page;
}

DialogTemplate FixedSsidWlSettingTemplate()
{
    DialogTemplate page = PageTemplate(IDD_FIXED_SSID_WL_SETTING, SideBar::With);
    SetTexts(page, "Wireless Network Settings", "Wireless Settings", WIRELESS_SIDE_MESSAGE);
    auto& c = page.controls;
    c.push_back(Label(IDC_WL_SSID_LABEL, {CONTENT_LEFT, 101, 80, LABEL_HEIGHT}, "SSID:"));
    c.push_back(Label(IDC_WL_FIXED_SSID, {GROUP_FIELD_X, 101, 180, LABEL_HEIGHT}, "", StyleNoWrap));
    AddWirelessControls(page);
    AddPageButtons(page);
    return page;
}

DialogTemplate SelectApTemplate()
{
    DialogTemplate page = PageTemplate(IDD_SELECT_AP, SideBar::With);
    SetTexts(page, "Select Access Point", "Select Access Point",
             "Select the Access Point you want to use. \n \nIf your Access Point is not listed: \n"
             "\xE3\x83\xBB" "Ensure Access Point is connected to the network then click \"Refresh\". \n"
             "\xE3\x83\xBB" "For Non broadcasted SSID, use the [Input the SSID directly : ] option  to  provide "
             "SSID information.   When unsure of the SSID, refer to the User Guide of Access Point or contact "
             "the network administrator.");
    auto& c = page.controls;
    // The two radio buttons come first so that they form one group in the tab order.
    c.push_back(Control(IDC_AP_FROM_LIST, ControlKind::RadioButton, {CONTENT_LEFT, 99, 260, LINE_HEIGHT},
                        "&Select from the found Access Points", StyleGroup));
    c.push_back(Control(IDC_AP_TYPED, ControlKind::RadioButton, {CONTENT_LEFT, 230, 260, LINE_HEIGHT},
                        "&Input the SSID directly"));
    c.push_back(Control(IDC_AP_GROUP, ControlKind::GroupBox, {GROUP_LABEL_X, 113, 258, 112}, "&Access Point",
                        StyleGroup));
    c.push_back(Control(IDC_AP_LIST, ControlKind::ListView, {33, 126, 242, 76}, {}, StyleGroup));
    c.push_back(Control(IDC_AP_REFRESH, ControlKind::PushButton, {225, 206, 50, BUTTON_HEIGHT}, "&Refresh",
                        StyleGroup));
    c.push_back(Label(IDC_AP_TYPED_HINT, {GROUP_LABEL_X, 244, 255, 18},
                      "When the required Access Points are not displayed, input the SSID directly from the "
                      "following. "));
    c.push_back(Label(IDC_AP_SSID_LABEL, {GROUP_LABEL_X, 268, 40, LABEL_HEIGHT}, "SSI&D:"));
    c.push_back(Edit(IDC_AP_SSID, {70, 266, 140, FIELD_HEIGHT}, AP_SSID_MAX_CHARS, StyleGroup));
    c.push_back(Link(IDC_AP_SSID_HELP, LINK_X, 267));
    AddPageButtons(page);
    return page;
}

DialogTemplate EnterApPwdTemplate()
{
    DialogTemplate page = PageTemplate(IDD_ENTER_AP_PWD, SideBar::With);
    SetTexts(page, "Enter WEP Key", "WEP Key", "");
    auto& c = page.controls;
    c.push_back(Label(IDC_AP_PWD_SSID_LABEL, {CONTENT_LEFT, 101, 80, LABEL_HEIGHT}, "SSID:"));
    c.push_back(Label(IDC_AP_PWD_SSID, {GROUP_FIELD_X, 101, 180, LABEL_HEIGHT}, "", StyleNoWrap));
    c.push_back(Label(IDC_AP_PWD_KEY_LABEL, {CONTENT_LEFT, 123, 80, LABEL_HEIGHT}, "&WEP Key:"));
    c.push_back(Edit(IDC_AP_PWD_KEY, {GROUP_FIELD_X, 121, 175, FIELD_HEIGHT}, 26, StylePassword | StyleGroup));
    AddPageButtons(page);
    return page;
}

}
