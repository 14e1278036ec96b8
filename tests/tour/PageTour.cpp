#include "PageTour.h"

#include "app/CPlintorApp.h"
#include "config/FeatureNameTable.h"
#include "config/PanelLanguageTable.h"
#include "core/ConfigureFlags.h"
#include "core/StringTable.h"
#include "pages/CEnterIPDlg.h"
#include "pages/CSelectAPDlg.h"
#include "pages/CWizardDlg.h"
#include "resources/dialogs/CheckFaxSettingIds.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "resources/dialogs/SelectApIds.h"
#include "resources/dialogs/WaitIds.h"
#include "resources/dialogs/WlSettingTemplateIds.h"
#include "settings/SettingsStore.h"
#include "ui/CButton.h"
#include "ui/CComboBox.h"
#include "ui/CEdit.h"
#include "ui/CListView.h"
#include "ui/WindowMessages.h"
#include "wizard/Messages.h"
#include "wizard/PrinterOperations.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace plintor::tour {

namespace {

// Searches that find two network printers and no USB printer, typed addresses that are
// accepted, a FAX read that succeeds; nothing reaches a printer.
PrinterOperations StandInOperations()
{
    PrinterOperations services;
    services.discoverUsb = [](RunState&, int& noAdapter) {
        noAdapter = 0;
        return 0;
    };
    services.discoverNetwork = [](RunState& app) {
        for (const char* mac : {"0000AA000001", "0000AA000002"}) {
            PrinterEntry entry;
            entry.connection = kConnectionNetwork;
            entry.macAddress = mac;
            entry.addressIpv4 = "192.168.1.20";
            app.printers.Add(entry);
        }
        return 2;
    };
    services.validateTypedAddress = [](const std::string&) { return 1; };
    services.checkTypedAddress = [](RunState&, const std::string&) { return 0; };
    services.readFaxSettings = [](RunState&) { return 1; };
    return services;
}

void FillConfiguration(CPlintorApp& app)
{
    app.config.features = FeatureIp | FeatureWireless | FeatureFax;
    for (const PanelLanguageRow& row : PanelLanguageTable())
        app.config.panelLanguages.push_back(row.langId);
    app.config.faxCountries = {244, 39, 242, 94, 84, 12, 122};
    app.config.faxLineTypes = {1, 2};
    app.config.faxDialTypes = {1, 2, 3};
    app.config.faxReceiveModes = {1, 2, 3, 4, 5};
    app.config.faxDrpdPatterns = {1, 2, 3, 4, 5, 6, 7};
}

PrinterEntry SamplePrinter(int connection)
{
    PrinterEntry entry;
    entry.connection = connection;
    entry.macAddress = "0000AA000001";
    entry.addressIpv4 = "192.168.1.20";
    entry.usbDevicePath = "/dev/usb/lp0";
    entry.ip.ipv4Mode = 1;
    entry.ip.ipv4Address = 0xC0A8010A;
    entry.ip.subnetMask = 0xFFFFFF00;
    entry.ip.gateway = 0xC0A80101;
    entry.wireless = {"HomeNetwork", 0, 3, 0, "", "correct horse battery"};
    entry.fax.country = 244;
    entry.fax.lineType = 1;
    entry.fax.dialType = 1;
    entry.fax.receiveMode = 5;
    entry.fax.drpdPattern = 2;
    entry.fax.companyName = "Lakeside Books";
    entry.fax.faxNumber = "+1 555 0100";
    return entry;
}

// One scene: a run state, the wizard over it in `language`, and the visits.
class Scene {
public:
    Scene(CTourFrontEnd& frontEnd, LangId language, const std::string& name, std::uint32_t flags,
          int connectionMode, const PageVisit& visitPage)
        : frontEnd(frontEnd), name(name), visitPage(visitPage), watch(frontEnd.WatchPopups(where))
    {
        app.uiLanguage = language;
        app.configureFlags = flags;
        app.connectionMode = connectionMode;
        FillConfiguration(app);
        PrinterEntry entry = SamplePrinter(connectionMode == 1 ? kConnectionUsb : kConnectionNetwork);
        app.printers.Add(entry);
        app.printers.GetPrinter(0, app.currentPrinter);
        SelectPrinter(app.printers, app.selectedPrinter, app.currentPrinter, 0);
        wizard.language = language;
        wizard.rediscover = 0;
    }
    ~Scene() { wizard.DestroyWindow(); }

    bool Open(int page)
    {
        where = name + " opening";
        wizard.currentPage = page;
        const DialogTemplate* frame = FindDialogTemplate(IDD_WIZARD, wizard.language);
        if (!frame || !wizard.Create(*frame, nullptr))
            return false;
        wizard.ShowWindow(true);
        frontEnd.Settle();
        Visit();
        return true;
    }
    void Show(int page)
    {
        where = name + " going to " + std::to_string(page);
        wizard.GoToPage(page);
        frontEnd.Settle();
        Visit();
    }
    // Visits the page in front again, after a change of its state.
    void Visit(const std::string& state = "")
    {
        char page[8];
        std::snprintf(page, sizeof page, "%02d", wizard.currentPage);
        where = name + "-" + page + state;
        if (CTemplateDlg* shown = wizard.Page(wizard.currentPage))
            visitPage(where, wizard, *shown);
    }
    CTemplateDlg& Page(int index) { return *wizard.Page(index); }

    CPlintorApp app{DefaultStartUpServices(), StandInOperations()};
    CWizardDlg wizard{&app};

private:
    CTourFrontEnd& frontEnd;
    std::string name;
    std::string where;
    const PageVisit& visitPage;
    std::unique_ptr<CPopupWatch> watch;
};

}

void TourEveryPage(CTourFrontEnd& frontEnd, LangId language, const PageVisit& visitPage)
{
    frontEnd.Install();

    {   // Choosing the kind, then the opening pages of a network run.
        Scene scene(frontEnd, language, "choose", kConfigureChoose | kConfigureIp | kConfigureWireless | kConfigureFax,
                    0, visitPage);
        ASSERT_TRUE(scene.Open(kPageWelcome));
        scene.Show(kPageSelectMethod);
        scene.Show(kPageConnectCom);
        scene.wizard.rediscover = 1;
        scene.Show(kPageSelectPrinter);
    }
    {   // IP settings, with the panel language, over the network.
        Scene scene(frontEnd, language, "ip", kConfigureIp | kConfigurePanelLanguage, 2, visitPage);
        ASSERT_TRUE(scene.Open(kPageSelectMethod));
        scene.Show(kPageIpSetting);
        scene.Show(kPageConfirmConfig);
        scene.Show(kPageComplete);
    }
    {   // FAX settings: both pages, and the second with "not used" checked.
        Scene scene(frontEnd, language, "fax", kConfigureFax, 2, visitPage);
        ASSERT_TRUE(scene.Open(kPageSelectMethod));
        scene.Show(kPageFaxSetting);
        scene.wizard.pageRefreshMask |= 1u << kPageFaxSetting;
        scene.Show(kPageCheckFaxSetting);
        if (auto* box = scene.Page(kPageCheckFaxSetting).Item<CButton>(IDC_FAX_NOT_USED)) {
            box->Click();
            scene.Visit("-not-used");
        }
        scene.Show(kPageConfirmConfig);
    }
    {   // Wireless settings of a USB printer: every wireless page and the cable pages.
        Scene scene(frontEnd, language, "wireless", kConfigureWireless, 1, visitPage);
        ASSERT_TRUE(scene.Open(kPageSelectMethod));
        auto* select = dynamic_cast<CSelectAPDlg*>(scene.wizard.Page(kPageSelectAp));
        ASSERT_NE(select, nullptr);
        scene.app.operations.surveyAccessPoints = [](ApSurveyResult& result, const std::string&,
                                                     const SettingsContext&) {
            result.dataStatus = 1;
            result.accessPoints = {{"HomeNetwork", 4, 1}, {"Cafe-Guest", 2, 2}, {"OpenCafe", 1, 3}};
        };
        scene.Show(kPageWirelessSetting);
        CTemplateDlg& settings = scene.Page(kPageWirelessSetting);
        settings.Item<CButton>(IDC_WL_ADHOC)->Click();
        settings.Item<CComboBox>(IDC_WL_SECURITY)->UserSelect(1);
        scene.Visit("-adhoc-wep");
        scene.Show(kPageSelectAp);
        // Each access point leads to the key page in its own words (WEP, passphrase).
        auto* list = select->Item<CListView>(IDC_AP_LIST);
        ASSERT_NE(list, nullptr);
        for (const char* ssid : {"Cafe-Guest", "HomeNetwork"}) {
            for (int row = 0; row < list->GetItemCount(); ++row)
                if (list->GetItemText(row, 0) == ssid)
                    list->SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            select->Item<CButton>(IDC_NEXT)->Click();
            frontEnd.Settle();
            scene.Visit(std::string("-") + ssid);
            scene.wizard.GoBack();
            frontEnd.Settle();
        }
        select->Item<CButton>(IDC_AP_TYPED)->Click();
        select->Item<CEdit>(IDC_AP_SSID)->UserType("Hidden-Network");
        scene.Visit("-typed");
        select->Item<CButton>(IDC_NEXT)->Click();
        frontEnd.Settle();
        scene.Visit("-typed");
        scene.Show(kPageComplete);
        scene.Show(kPageConnect);
        scene.Show(kPageDisconnect);
    }
}

void TourDialogs(CTourFrontEnd& frontEnd, LangId language, const DialogVisit& visitDialog)
{
    frontEnd.Install();
    const DialogTemplate* wait = FindDialogTemplate(IDD_WAIT, language);
    ASSERT_NE(wait, nullptr);
    for (StringId message : {IDS_WAIT_MSG, IDS_AP_WAIT_MSG}) {
        CDialog dialog;
        ASSERT_TRUE(dialog.Create(*wait, nullptr));
        dialog.GetDlgItem(IDC_WAIT_MESSAGE)->SetWindowText(LoadText(language, message));
        dialog.ShowWindow(true);
        frontEnd.Settle();
        visitDialog("wait " + StringIdName(message), dialog);
        dialog.DestroyWindow();
    }
    CPlintorApp app;
    CEnterIPDlg address(&app, language);
    const DialogTemplate* layout = FindDialogTemplate(IDD_ENTER_IP, language);
    ASSERT_NE(layout, nullptr);
    ASSERT_TRUE(address.Create(*layout, nullptr));
    address.ShowWindow(true);
    frontEnd.Settle();
    visitDialog("address dialog", address);
    address.DestroyWindow();
}

int TourMessageBoxes(CTourFrontEnd& frontEnd, LangId language)
{
    frontEnd.Install();
    std::string where;
    const std::unique_ptr<CPopupWatch> watch = frontEnd.WatchPopups(where);
    int shown = 0;
    for (StringId id : AllStringIds()) {
        const std::string name = StringIdName(id);
        if (name.rfind("MSG_", 0) != 0 || LoadText(LANG_ENGLISH_US, id).empty())
            continue;
        const std::uint32_t style = id == MSG_CANCEL_DLG ? MB_YESNO | MB_ICONEXCLAMATION
                                  : name.rfind("MSG_ERR_COMMUNICATION", 0) == 0 ? MB_RETRYCANCEL | MB_ICONEXCLAMATION
                                                                               : MB_OK | MB_ICONEXCLAMATION;
        where = "message-" + name;
        ShowMessage(language, nullptr, id, IDS_WARNING_TITLE, style);
        ++shown;
    }
    return shown;
}

int OpenEveryGuide(CDialog& page)
{
    int opened = 0;
    for (CWindow* child : page.Children()) {
        if (child->Kind() == ControlKind::LinkButton && child->IsWindowVisible() && child->IsWindowEnabled()) {
            static_cast<CButton*>(child)->Click();
            ++opened;
        }
    }
    return opened;
}

std::string PictureName(const std::string& prefix, const std::string& name, int serial)
{
    const std::string first = name.substr(0, name.find(' '));
    if (name.find(" message ") != std::string::npos || name.find(" popup") != std::string::npos)
        return prefix + first + "-popup-" + std::to_string(serial) + ".png";
    if (first != name)
        return prefix + "dialog-" + first + "-" + std::to_string(serial) + ".png";
    return prefix + name + ".png";
}

}
