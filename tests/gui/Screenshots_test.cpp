// Pictures of every page for a person to look at: written when PLINTOR_SCREENSHOT_DIR names
// a folder (scripts/screenshots sets it), skipped otherwise. The pages are the page base's
// stand-ins inside the real frame, so no page logic (discovery, printer queries) runs.

#include "QtPageTour.h"
#include "QtTestEnvironment.h"

#include "pages/CWizardDlg.h"
#include "resources/dialogs/ConfirmConfigIds.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "resources/dialogs/IpSettingIds.h"
#include "resources/dialogs/SelectPrinterIds.h"
#include "ui/CComboBox.h"
#include "ui/CDialog.h"
#include "ui/CIpAddressControl.h"
#include "ui/CListView.h"
#include "ui/WindowMessages.h"
#include "ui/qt/CQtFrontEnd.h"
#include "wizard/CTemplateDlg.h"

#include <QApplication>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace plintor::qt {
namespace {

bool Save(QWidget* widget, const std::filesystem::path& file)
{
    QApplication::processEvents();
    return widget && widget->grab().save(QString::fromStdString(file.string()), "PNG");
}

TEST(Screenshots, EveryPageAndDialog)
{
    const char* folder = std::getenv("PLINTOR_SCREENSHOT_DIR");
    if (!folder || !*folder)
        GTEST_SKIP() << "PLINTOR_SCREENSHOT_DIR is not set";
    testing::EnsureQtFrontEnd();
    const std::filesystem::path out(folder);
    std::filesystem::create_directories(out);

    CWizardDlg wizard;
    std::array<CTemplateDlg, kPageCount> pages;
    for (int i = 0; i < kPageCount; ++i)
        wizard.ReplacePage(i, pages[static_cast<std::size_t>(i)]);
    wizard.currentPage = 0;
    ASSERT_TRUE(wizard.Create(*FindDialogTemplate(IDD_WIZARD, 1033), nullptr));
    wizard.ShowWindow(true);
    for (int index = 0; index < kPageCount; ++index) {
        wizard.GoToPage(index);
        char name[64];
        std::snprintf(name, sizeof name, "page-%02d-%d.png", index, CWizardDlg::PageTemplateId(index));
        EXPECT_TRUE(Save(CQtFrontEnd::WidgetOf(wizard), out / name)) << name;
    }
    // A few pages again with contents and disabled fields, as the pages will set them.
    CTemplateDlg& ip = pages[kPageIpSetting];
    wizard.GoToPage(kPageIpSetting);
    auto* mode = ip.Item<CComboBox>(IDC_IP_MODE);
    for (const char* item : {"Dual Stack", "IPv4", "IPv6"})
        mode->AddString(item);
    mode->SetCurSel(1);
    auto* type = ip.Item<CComboBox>(IDC_IPV4_TYPE);
    for (const char* item : {"DHCP", "Static IP", "AutoIP"})
        type->AddString(item);
    type->SetCurSel(1);
    ip.Item<CIpAddressControl>(IDC_IPV4_ADDRESS)->SetAddress(0xC0A8000Au);
    ip.Item<CIpAddressControl>(IDC_IPV4_MASK)->SetAddress(0xFFFFFF00u);
    ip.Item<CIpAddressControl>(IDC_IPV4_GATEWAY)->SetAddress(0xC0A80001u);
    ip.GetDlgItem(IDC_IPV6_PREFIX)->SetWindowText("64");
    for (int id : {IDC_IPV6_MANUAL, IDC_IPV6_ADDRESS_LABEL, IDC_IPV6_ADDRESS, IDC_IPV6_SLASH, IDC_IPV6_PREFIX,
                   IDC_IPV6_GATEWAY_LABEL, IDC_IPV6_GATEWAY})
        ip.GetDlgItem(id)->EnableWindow(false);
    EXPECT_TRUE(Save(CQtFrontEnd::WidgetOf(wizard), out / "state-06-ipv4-static.png"));

    CTemplateDlg& printers = pages[kPageSelectPrinter];
    wizard.GoToPage(kPageSelectPrinter);
    auto* list = printers.Item<CListView>(IDC_PRINTER_LIST);
    list->InsertColumn(0, "MAC Address", PRINTER_LIST_MAC_WIDTH);
    list->InsertColumn(1, "IP Address", PRINTER_LIST_IP_WIDTH);
    list->InsertItem(0, "00:80:92:12:34:56");
    list->SetItemText(0, 1, "192.168.0.10 / 2001:db9::10");
    list->InsertItem(1, "00:80:92:65:43:21");
    list->SetItemText(1, 1, "192.168.0.11");
    list->SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    printers.GetDlgItem(IDC_USE_IPV6)->EnableWindow(true);
    EXPECT_TRUE(Save(CQtFrontEnd::WidgetOf(wizard), out / "state-04-two-printers.png"));

    CTemplateDlg& confirm = pages[kPageConfirmConfig];
    wizard.GoToPage(kPageConfirmConfig);
    confirm.GetDlgItem(IDC_CONFIRM_SUMMARY)->SetWindowText(
        "========== IP Address Settings ==========\r\nIP Mode:IPv4\r\n[IPv4 Settings]\r\nType:Static IP\r\n"
        "IP Address:192.168.0.10\r\nNetwork Mask:255.255.255.0\r\nGateway Address:192.168.0.1\r\n");
    auto* panel = confirm.Item<CComboBox>(IDC_PANEL_LANGUAGE);
    panel->AddString("English");
    panel->SetCurSel(0);
    EXPECT_TRUE(Save(CQtFrontEnd::WidgetOf(wizard), out / "state-09-summary.png"));
    wizard.DestroyWindow();

    for (int id : {IDD_WAIT, IDD_ENTER_IP}) {
        CDialog dialog;
        ASSERT_TRUE(dialog.Create(*FindDialogTemplate(id, 1033), nullptr));
        dialog.ShowWindow(true);
        EXPECT_TRUE(Save(CQtFrontEnd::WidgetOf(dialog), out / ("dialog-" + std::to_string(id) + ".png")));
        dialog.DestroyWindow();
    }
}

// Every page as the tour of the text-fit test shows it, in German, Russian and Greek, for a
// translator or reviewer to look at.
TEST(Screenshots, EveryPageInGermanRussianAndGreek)
{
    const char* folder = std::getenv("PLINTOR_SCREENSHOT_DIR");
    if (!folder || !*folder)
        GTEST_SKIP() << "PLINTOR_SCREENSHOT_DIR is not set";
    const std::filesystem::path out(folder);
    std::filesystem::create_directories(out);
    const std::pair<LangId, const char*> languages[] = {{0x0407, "de"}, {0x0419, "ru"}, {0x0408, "el"}};
    for (auto [language, code] : languages) {
        const std::string prefix = std::string(code) + "-";
        int saved = 0;
        auto save = [&](const std::string& name, QWidget& widget) {
            saved += Save(&widget, out / tour::PictureName(prefix, name, saved)) ? 1 : 0;
        };
        auto page = [&](const std::string& name, CWizardDlg& wizard, CDialog&) {
            save(name, *CQtFrontEnd::WidgetOf(wizard));
        };
        testing::TourEveryPage(language, page, save);
        testing::TourDialogs(language, save);
        EXPECT_GE(saved, 20) << code;
    }
}

}
}
