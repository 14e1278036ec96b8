#include "pages/CIPSettingDlg.h"

#include "core/CIPv6Utl.h"
#include "core/ConfigureFlags.h"
#include "core/StringTable.h"
#include "pages/IpAddressRules.h"
#include "resources/dialogs/IpSettingIds.h"
#include "settings/KeywordTables.h"
#include "ui/CButton.h"
#include "ui/CComboBox.h"
#include "ui/CEdit.h"
#include "ui/CIpAddressControl.h"
#include "ui/MessageBox.h"
#include "wizard/CWizardFrame.h"
#include "wizard/FirstSettingsPage.h"
#include "wizard/Messages.h"
#include "wizard/PageIndex.h"
#include "wizard/PrinterOperations.h"
#include "wizard/RunState.h"

namespace plintor {

namespace {

// IpSettings::stackMode rows.
constexpr int kModeDual = 0;
constexpr int kModeIpv4 = 1;
constexpr int kModeIpv6 = 2;
// IpSettings::ipv4Mode rows.
constexpr int kTypeDhcp = 0;
constexpr int kTypeStatic = 1;
constexpr int kTypeAutoIp = 2;

constexpr std::uint32_t kUnsetSubnetMask = 0xFF000000;  // 255.0.0.0
constexpr std::uint32_t kDefaultPrefixLength = 64;
constexpr std::uint32_t kNetworkAdHoc = 1;

constexpr std::uint32_t PageBit(int page)
{
    return 1u << page;
}

bool UsesIpv4(int mode)
{
    return mode == kModeDual || mode == kModeIpv4;
}

bool UsesIpv6(int mode)
{
    return mode == kModeDual || mode == kModeIpv6;
}

int SelectedData(const CComboBox* box)
{
    if (!box || box->GetCurSel() < 0)
        return -1;
    return static_cast<int>(box->GetItemData(box->GetCurSel()));
}

void SelectData(CComboBox* box, std::intptr_t data)
{
    if (box)
        box->SetCurSel(box->FindItemData(data));
}

}

CComboBox* CIPSettingDlg::ModeBox() const
{
    return Item<CComboBox>(IDC_IP_MODE);
}

CComboBox* CIPSettingDlg::TypeBox() const
{
    return Item<CComboBox>(IDC_IPV4_TYPE);
}

CIpAddressControl* CIPSettingDlg::Address(int controlId) const
{
    return Item<CIpAddressControl>(controlId);
}

int CIPSettingDlg::SelectedMode() const
{
    return SelectedData(ModeBox());
}

int CIPSettingDlg::SelectedType() const
{
    return SelectedData(TypeBox());
}

bool CIPSettingDlg::IsAdHoc() const
{
    const RunState* app = App();
    return app && (app->configureFlags & kConfigureWireless) != 0 && workingCopy.wireless.networkType == kNetworkAdHoc;
}

bool CIPSettingDlg::OnInitDialog()
{
    CTemplateDlg::OnInitDialog();

    SetItemText(IDC_PAGE_TITLE, IDS_IPSETTING_DLG_TITLE);
    SetItemText(IDC_SIDE_TITLE, IDS_IPSETTING_DLG_SIDE_TITLE);
    SetItemText(IDC_SIDE_MESSAGE, IDS_IPSETTING_DLG_SIDE_MSG);
    SetItemText(IDC_IP_MODE_LABEL, IDS_IPSETTING_DLG_IPMODE_LABEL);
    SetItemText(IDC_IPV4_GROUP, IDS_IPSETTING_DLG_IPV4_GROUP);
    SetItemText(IDC_IPV4_TYPE_LABEL, IDS_IPSETTING_DLG_TYPE_LABEL);
    SetItemText(IDC_IPV4_ADDRESS_LABEL, IDS_IPSETTING_DLG_IPV4_ADDRESS_LABEL);
    SetItemText(IDC_IPV4_MASK_LABEL, IDS_IPSETTING_DLG_MASK_LABEL);
    SetItemText(IDC_IPV4_GATEWAY_LABEL, IDS_IPSETTING_DLG_IPV4_GATEWAY_LABEL);
    SetItemText(IDC_IPV6_GROUP, IDS_IPSETTING_DLG_IPV6_GROUP);
    SetItemText(IDC_IPV6_MANUAL, IDS_IPSETTING_DLG_USE_MANUAL);
    SetItemText(IDC_IPV6_ADDRESS_LABEL, IDS_IPSETTING_DLG_IPV6_ADDRESS_LABEL);
    SetItemText(IDC_IPV6_GATEWAY_LABEL, IDS_IPSETTING_DLG_IPV6_GATEWAY_LABEL);
    for (int link : {IDC_IP_MODE_HELP, IDC_IPV4_HELP, IDC_IPV6_HELP})
        SetItemText(link, IDS_WHATS_THIS);
    ipModeHelp.Attach(*this, IDC_IP_MODE_HELP);
    ipv4Help.Attach(*this, IDC_IPV4_HELP);
    ipv6Help.Attach(*this, IDC_IPV6_HELP);

    if (CComboBox* mode = ModeBox()) {
        mode->ResetContent();
        for (std::size_t row = 0; row < IpModeTable.size(); ++row)
            AddComboItem(mode, static_cast<StringId>(IpModeTable[row].stringId), static_cast<std::intptr_t>(row));
    }
    if (CComboBox* type = TypeBox()) {
        type->ResetContent();
        for (std::size_t row = 0; row < Ipv4TypeTable.size(); ++row)
            AddComboItem(type, static_cast<StringId>(Ipv4TypeTable[row].stringId), static_cast<std::intptr_t>(row));
    }
    if (CEdit* edit = Item<CEdit>(IDC_IPV6_ADDRESS))
        edit->SetLimitText(IPV6_ADDRESS_MAX_CHARS);
    if (CEdit* edit = Item<CEdit>(IDC_IPV6_PREFIX))
        edit->SetLimitText(IPV6_PREFIX_MAX_CHARS);
    if (CEdit* edit = Item<CEdit>(IDC_IPV6_GATEWAY))
        edit->SetLimitText(IPV6_ADDRESS_MAX_CHARS);

    if (RunState* app = App())
        ApplyBackButtonRule(app->backButtonFlag);
    return true;
}

void CIPSettingDlg::EnableRange(int firstId, int lastId, bool enable)
{
    for (int id = firstId; id <= lastId; ++id)
        if (CWindow* control = GetDlgItem(id))
            control->EnableWindow(enable);
}

void CIPSettingDlg::ShowAndEnable(int controlId, bool show, bool enable)
{
    if (CWindow* control = GetDlgItem(controlId)) {
        control->ShowWindow(show);
        control->EnableWindow(enable);
    }
}

void CIPSettingDlg::ApplyModeRule()
{
    int mode = SelectedMode();
    bool adHoc = IsAdHoc();
    bool ipv4 = mode == kModeDual || mode == kModeIpv4;
    bool ipv6 = mode == kModeDual || mode == kModeIpv6;
    if (mode == kModeDual || mode == kModeIpv4 || mode == kModeIpv6) {
        EnableRange(IDC_IPV4_TYPE_LABEL, IDC_IPV4_MASK, ipv4);
        EnableRange(IDC_IPV4_GATEWAY_LABEL, IDC_IPV4_GATEWAY, ipv4 && !adHoc);
        EnableRange(IDC_IPV6_MANUAL, IDC_IPV6_PREFIX, ipv6);
        EnableRange(IDC_IPV6_GATEWAY_LABEL, IDC_IPV6_GATEWAY, ipv6 && !adHoc);
    }
    ApplyIpv4Rule();
    ApplyIpv6Rule();
}

void CIPSettingDlg::ApplyIpv4Rule()
{
    int mode = SelectedMode();
    int type = SelectedType();
    bool automatic = type == kTypeDhcp || type == kTypeAutoIp;
    bool enable = !((UsesIpv4(mode) && automatic) || mode == kModeIpv6);
    EnableRange(IDC_IPV4_ADDRESS_LABEL, IDC_IPV4_MASK, enable);
    bool adHoc = IsAdHoc();
    ShowAndEnable(IDC_IPV4_GATEWAY_LABEL, !adHoc, !adHoc && enable);
    ShowAndEnable(IDC_IPV4_GATEWAY, !adHoc, !adHoc && enable);
}

void CIPSettingDlg::ApplyIpv6Rule()
{
    int mode = SelectedMode();
    bool enable = true;
    if (UsesIpv6(mode)) {
        const CButton* manual = Item<CButton>(IDC_IPV6_MANUAL);
        enable = manual && manual->GetCheck() == 1;
    } else if (mode == kModeIpv4) {
        enable = false;
    }
    EnableRange(IDC_IPV6_ADDRESS_LABEL, IDC_IPV6_PREFIX, enable);
    bool adHoc = IsAdHoc();
    ShowAndEnable(IDC_IPV6_GATEWAY_LABEL, !adHoc, !adHoc && enable);
    ShowAndEnable(IDC_IPV6_GATEWAY, !adHoc, !adHoc && enable);
}

void CIPSettingDlg::ApplyAdHocDefault()
{
    if (!IsAdHoc())
        return;
    workingCopy.ip.ipv4Mode = kTypeStatic;
    SelectData(TypeBox(), kTypeStatic);
    ApplyIpv4Rule();
}

void CIPSettingDlg::LoadControls()
{
    const IpSettings& ip = workingCopy.ip;
    SelectData(ModeBox(), ip.stackMode);
    ApplyModeRule();
    SelectData(TypeBox(), ip.ipv4Mode);
    ApplyIpv4Rule();
    if (CIpAddressControl* address = Address(IDC_IPV4_ADDRESS))
        address->SetAddress(ip.ipv4Address);
    if (CIpAddressControl* mask = Address(IDC_IPV4_MASK))
        mask->SetAddress(ip.subnetMask);
    if (CIpAddressControl* gateway = Address(IDC_IPV4_GATEWAY))
        gateway->SetAddress(ip.gateway);
    if (CButton* manual = Item<CButton>(IDC_IPV6_MANUAL))
        manual->SetCheck(ip.ipv6Manual == 1 ? 1 : 0);
    ApplyIpv6Rule();
    ipv6AddressText = ip.ipv6Address;
    prefixLengthText = std::to_string(ip.ipv6PrefixLength);
    ipv6GatewayText = ip.ipv6Gateway;
    if (CWindow* edit = GetDlgItem(IDC_IPV6_ADDRESS))
        edit->SetWindowText(ipv6AddressText);
    if (CWindow* edit = GetDlgItem(IDC_IPV6_PREFIX))
        edit->SetWindowText(prefixLengthText);
    if (CWindow* edit = GetDlgItem(IDC_IPV6_GATEWAY))
        edit->SetWindowText(ipv6GatewayText);
}

void CIPSettingDlg::OnShowWindow(bool show)
{
    if (!show)
        return;
    RunState* app = App();
    if (!app)
        return;
    // 1. The working copy of the chosen printer.
    app->printers.GetPrinter(app->selectedPrinter, workingCopy);
    // 2. The enabled state for what the controls hold now.
    ApplyIpv4Rule();
    ApplyIpv6Rule();
    // 3. and 4. A newly chosen printer loads the controls; otherwise they keep what the
    // user entered.
    if (TakeRefreshBit()) {
        LoadControls();
        if (app->configuredMacs.empty())
            ApplyAdHocDefault();
    } else if (leftForward == 0) {
        ApplyAdHocDefault();
    }
    // 5.
    if (CWindow* next = GetDlgItem(IDC_NEXT))
        next->SetFocus();
}

bool CIPSettingDlg::OnCommand(int controlId, int code)
{
    switch (controlId) {
    case IDC_IP_MODE:
        if (code == CBN_SELCHANGE)
            ApplyModeRule();
        return code == CBN_SELCHANGE;
    case IDC_IPV4_TYPE:
        if (code == CBN_SELCHANGE)
            ApplyIpv4Rule();
        return code == CBN_SELCHANGE;
    case IDC_IPV6_MANUAL:
        if (code == BN_CLICKED)
            ApplyIpv6Rule();
        return code == BN_CLICKED;
    case IDC_IP_MODE_HELP:
        if (code == BN_CLICKED)
            ShowGuide(IDS_GUIDE_IPMODE_TEXT, IDS_GUIDE_IPMODE_TITLE);
        return code == BN_CLICKED;
    case IDC_IPV4_HELP:
        if (code == BN_CLICKED)
            ShowGuide(IDS_GUIDE_IPV4_TEXT, IDS_GUIDE_IPV4_TITLE);
        return code == BN_CLICKED;
    case IDC_IPV6_HELP:
        if (code == BN_CLICKED)
            ShowGuide(IDS_GUIDE_IPV6_TEXT, IDS_GUIDE_IPV6_TITLE);
        return code == BN_CLICKED;
    default:
        return CTemplateDlg::OnCommand(controlId, code);
    }
}

void CIPSettingDlg::TakeControlValues()
{
    if (const CWindow* edit = GetDlgItem(IDC_IPV6_ADDRESS))
        ipv6AddressText = edit->GetWindowText();
    if (const CWindow* edit = GetDlgItem(IDC_IPV6_PREFIX))
        prefixLengthText = edit->GetWindowText();
    if (const CWindow* edit = GetDlgItem(IDC_IPV6_GATEWAY))
        ipv6GatewayText = edit->GetWindowText();
}

bool CIPSettingDlg::Refuse(StringId textId, int focusId)
{
    ShowMessage(language, this, textId, IDS_ERR_TITLE, MB_OK | MB_ICONEXCLAMATION);
    if (CWindow* control = GetDlgItem(focusId))
        control->SetFocus();
    return false;
}

bool CIPSettingDlg::Validate()
{
    int mode = SelectedMode();
    bool adHoc = IsAdHoc();
    auto fieldsOf = [this](int id) {
        const CIpAddressControl* control = Address(id);
        return control ? control->Fields() : std::array<int, 4>{-1, -1, -1, -1};
    };

    if (UsesIpv4(mode) && SelectedType() == kTypeStatic) {
        if (!IsValidHostAddress(fieldsOf(IDC_IPV4_ADDRESS)))
            return Refuse(MSG_ERR_INCORRECT_IP_ADDRESS, IDC_IPV4_ADDRESS);
        if (!IsValidNetworkMask(fieldsOf(IDC_IPV4_MASK)))
            return Refuse(MSG_ERR_INCORRECT_NETMASK, IDC_IPV4_MASK);
        if (!adHoc && !IsValidHostAddress(fieldsOf(IDC_IPV4_GATEWAY)))
            return Refuse(MSG_ERR_INCORRECT_GATEWAY, IDC_IPV4_GATEWAY);
    }

    const CButton* manual = Item<CButton>(IDC_IPV6_MANUAL);
    if (UsesIpv6(mode) && manual && manual->GetCheck() == 1) {
        if (CIPv6Utl::ValidateAddress(ipv6AddressText) != CIPv6Utl::kAccepted) {
            std::string text = LoadText(language, MSG_ERR_INCORRECT_IP_ADDRESS) + "\n"
                + LoadText(language, MSG_ERR_IPV6_ADDRESS_RANGE);
            ShowMessageText(language, this, text, IDS_ERR_TITLE, MB_OK | MB_ICONEXCLAMATION);
            if (CWindow* control = GetDlgItem(IDC_IPV6_ADDRESS))
                control->SetFocus();
            return false;
        }
        unsigned prefix = 0;
        if (!IsValidPrefixLength(prefixLengthText, prefix))
            return Refuse(MSG_ERR_PREFIX_LENGTH, IDC_IPV6_PREFIX);
        if (!adHoc && CIPv6Utl::ValidateAddress(ipv6GatewayText) != CIPv6Utl::kAccepted)
            return Refuse(MSG_ERR_INCORRECT_GATEWAY, IDC_IPV6_GATEWAY);
    }
    return true;
}

void CIPSettingDlg::StoreValues()
{
    int mode = SelectedMode();
    bool adHoc = IsAdHoc();
    IpSettings& ip = workingCopy.ip;
    if (UsesIpv4(mode)) {
        if (SelectedType() == kTypeStatic) {
            ip.ipv4Mode = kTypeStatic;
            if (const CIpAddressControl* address = Address(IDC_IPV4_ADDRESS))
                address->GetAddress(ip.ipv4Address);
            if (const CIpAddressControl* mask = Address(IDC_IPV4_MASK))
                mask->GetAddress(ip.subnetMask);
            ip.gateway = 0;
            if (const CIpAddressControl* gateway = Address(IDC_IPV4_GATEWAY); gateway && !adHoc)
                gateway->GetAddress(ip.gateway);
        } else {
            ip.ipv4Mode = SelectedType() == kTypeAutoIp ? kTypeAutoIp : kTypeDhcp;
            ip.ipv4Address = 0;
            ip.gateway = 0;
            ip.subnetMask = kUnsetSubnetMask;
        }
    }
    if (UsesIpv6(mode)) {
        const CButton* manual = Item<CButton>(IDC_IPV6_MANUAL);
        if (manual && manual->GetCheck() == 1) {
            unsigned prefix = kDefaultPrefixLength;
            IsValidPrefixLength(prefixLengthText, prefix);
            ip.ipv6Manual = 1;
            ip.ipv6Address = ipv6AddressText;
            ip.ipv6PrefixLength = prefix;
            ip.ipv6Gateway = adHoc ? std::string() : ipv6GatewayText;
        } else {
            ip.ipv6Manual = 0;
            ip.ipv6Address.clear();
            ip.ipv6PrefixLength = kDefaultPrefixLength;
            ip.ipv6Gateway.clear();
        }
    }
    ip.stackMode = static_cast<std::uint32_t>(mode);
}

void CIPSettingDlg::MoveOn()
{
    RunState* app = App();
    if (!(app->configureFlags & kConfigureFax)) {
        wizard->GoToPage(kPageConfirmConfig);
        return;
    }
    int next = FaxPageOf(app->faxPageVariant);
    if (next == kPageNone)
        return;
    // The FAX page that loads itself afresh needs the printer's current FAX settings.
    const auto& read = app->operations.readFaxSettings;
    if ((wizard->pageRefreshMask & PageBit(kPageFaxSetting)) && read)
        app->currentPrinter.faxReadStatus = read(*app);
    wizard->GoToPage(next);
}

void CIPSettingDlg::OnNext()
{
    RunState* app = App();
    if (!app || !wizard)
        return;
    TakeControlValues();
    if (!Validate())
        return;
    StoreValues();
    app->printers.ReplacePrinter(app->selectedPrinter, workingCopy);
    leftForward = 1;
    MoveOn();
}

void CIPSettingDlg::OnBack()
{
    leftForward = 0;
    CommonBack();
}

}
