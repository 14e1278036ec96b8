// Pictures of the wireless pages as a user meets them: the real page classes inside the real
// frame, for a USB printer whose survey answer is given here. Written when
// PLINTOR_SCREENSHOT_DIR names a folder (scripts/screenshots sets it), skipped otherwise.

#include "QtTestEnvironment.h"

#include "app/CPlintorApp.h"
#include "core/ConfigureFlags.h"
#include "pages/CSelectAPDlg.h"
#include "pages/CWizardDlg.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "resources/dialogs/EnterApPwdIds.h"
#include "resources/dialogs/SelectApIds.h"
#include "resources/dialogs/WirelessSettingIds.h"
#include "settings/SettingsStore.h"
#include "ui/CButton.h"
#include "ui/CComboBox.h"
#include "ui/CEdit.h"
#include "ui/CListView.h"
#include "ui/qt/CQtFrontEnd.h"

#include <QApplication>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace plintor::qt {
namespace {

bool Save(QWidget* widget, const std::filesystem::path& file)
{
    QApplication::processEvents();
    return widget && widget->grab().save(QString::fromStdString(file.string()), "PNG");
}

// Runs the frame's queued messages (the access point page's start message) for a moment.
void Settle()
{
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
}

TEST(Screenshots, WirelessPages)
{
    const char* folder = std::getenv("PLINTOR_SCREENSHOT_DIR");
    if (!folder || !*folder)
        GTEST_SKIP() << "PLINTOR_SCREENSHOT_DIR is not set";
    testing::EnsureQtFrontEnd();
    const std::filesystem::path out(folder);
    std::filesystem::create_directories(out);

    CPlintorApp app;
    app.configureFlags = kConfigureWireless;
    app.connectionMode = 1;
    PrinterEntry entry;
    entry.connection = kConnectionUsb;
    entry.usbDevicePath = "/dev/usb/lp0";
    entry.wireless = {"HomeNetwork", 0, 3, 0, "", "correct horse battery"};
    app.printers.Add(entry);
    app.printers.GetPrinter(0, app.currentPrinter);
    SelectPrinter(app.printers, app.selectedPrinter, app.currentPrinter, 0);

    CWizardDlg wizard(&app);
    wizard.currentPage = kPageWirelessSetting;
    ASSERT_TRUE(wizard.Create(*FindDialogTemplate(IDD_WIZARD, 1033), nullptr));
    auto* select = dynamic_cast<CSelectAPDlg*>(wizard.Page(kPageSelectAp));
    ASSERT_NE(select, nullptr);
    app.operations.surveyAccessPoints = [](ApSurveyResult& result, const std::string&, const SettingsContext&) {
        result.dataStatus = 1;
        result.accessPoints = {{"HomeNetwork", 4, 1}, {"Cafe-Guest", 1, 2}, {"Office-5G", 5, 1},
                               {"OldRouter", 2, 3},   {"Neighbour", 3, 3}};
    };
    wizard.ShowWindow(true);
    Settle();

    // 5: infrastructure with a WPA2 passphrase.
    EXPECT_TRUE(Save(CQtFrontEnd::WidgetOf(wizard), out / "wireless-05-wpa2.png"));
    // 5: ad hoc with WEP and key slot 1.
    CTemplateDlg* settings = wizard.Page(kPageWirelessSetting);
    settings->Item<CButton>(IDC_WL_ADHOC)->Click();
    settings->Item<CComboBox>(IDC_WL_SECURITY)->UserSelect(1);
    settings->Item<CEdit>(IDC_WL_KEY)->UserType("abcde");
    EXPECT_TRUE(Save(CQtFrontEnd::WidgetOf(wizard), out / "wireless-05-adhoc-wep.png"));

    // 11: the survey's access points, the first selected.
    wizard.GoToPage(kPageSelectAp);
    Settle();
    EXPECT_TRUE(Save(CQtFrontEnd::WidgetOf(wizard), out / "wireless-11-access-points.png"));
    // 11: an SSID typed by hand.
    select->Item<CButton>(IDC_AP_TYPED)->Click();
    select->Item<CEdit>(IDC_AP_SSID)->UserType("Hidden-Network");
    EXPECT_TRUE(Save(CQtFrontEnd::WidgetOf(wizard), out / "wireless-11-typed-ssid.png"));
    select->Item<CButton>(IDC_AP_FROM_LIST)->Click();

    // 12: the passphrase of the chosen access point.
    select->Item<CButton>(IDC_NEXT)->Click();
    Settle();
    EXPECT_EQ(wizard.currentPage, kPageEnterApPwd);
    wizard.Page(kPageEnterApPwd)->Item<CEdit>(IDC_AP_PWD_KEY)->UserType("secret-passphrase");
    EXPECT_TRUE(Save(CQtFrontEnd::WidgetOf(wizard), out / "wireless-12-passphrase.png"));

    // 13: the typed SSID with WEP and key slot 2.
    wizard.GoBack();
    Settle();
    select->Item<CButton>(IDC_AP_TYPED)->Click();
    select->Item<CEdit>(IDC_AP_SSID)->UserType("Hidden-Network");
    select->Item<CButton>(IDC_NEXT)->Click();
    Settle();
    EXPECT_EQ(wizard.currentPage, kPageFixedSsidWlSetting);
    CTemplateDlg* fixed = wizard.Page(kPageFixedSsidWlSetting);
    fixed->Item<CComboBox>(IDC_WL_SECURITY)->UserSelect(1);
    fixed->Item<CComboBox>(IDC_WL_KEY_INDEX)->UserSelect(2);
    fixed->Item<CEdit>(IDC_WL_KEY)->UserType("0123456789abc");
    EXPECT_TRUE(Save(CQtFrontEnd::WidgetOf(wizard), out / "wireless-13-fixed-ssid-wep.png"));
    wizard.DestroyWindow();
}

}
}
