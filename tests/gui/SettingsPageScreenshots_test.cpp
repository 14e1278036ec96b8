// Pictures of the IP, confirmation and completion pages as a user meets them, with a
// chosen printer and its settings: written when PLINTOR_SCREENSHOT_DIR names a folder
// (scripts/screenshots sets it), skipped otherwise.

#include "QtTestEnvironment.h"

#include "app/CPlintorApp.h"
#include "core/ConfigureFlags.h"
#include "pages/CWizardDlg.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "settings/SettingsStore.h"
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

TEST(SettingsPageScreenshots, IpConfirmationAndCompletionWithAChosenPrinter)
{
    const char* folder = std::getenv("PLINTOR_SCREENSHOT_DIR");
    if (!folder || !*folder)
        GTEST_SKIP() << "PLINTOR_SCREENSHOT_DIR is not set";
    testing::EnsureQtFrontEnd();
    const std::filesystem::path out(folder);
    std::filesystem::create_directories(out);

    CPlintorApp app;
    app.configureFlags = kConfigureIp | kConfigurePanelLanguage;
    app.connectionMode = 2;
    app.config.panelLanguages = {1033, 2052, 1028, 1042};
    PrinterEntry entry;
    entry.connection = kConnectionNetwork;
    entry.macAddress = "0000AA000001";
    entry.addressIpv4 = "192.168.1.20";
    entry.ip.stackMode = 0;
    entry.ip.ipv4Mode = 1;
    entry.ip.ipv4Address = 0xC0A8010A;
    entry.ip.subnetMask = 0xFFFFFF00;
    entry.ip.gateway = 0xC0A80101;
    entry.ip.ipv6Manual = 1;
    entry.ip.ipv6Address = "2001:db9::5";
    entry.ip.ipv6Gateway = "2001:db9::1";
    app.printers.Add(entry);
    SelectPrinter(app.printers, app.selectedPrinter, entry, 0);

    CWizardDlg wizard(&app);
    wizard.currentPage = kPageIpSetting;
    ASSERT_TRUE(wizard.Create(*FindDialogTemplate(IDD_WIZARD, 1033), nullptr));
    wizard.ShowWindow(true);
    for (int page : {kPageIpSetting, kPageConfirmConfig, kPageComplete}) {
        wizard.GoToPage(page);
        QApplication::processEvents();
        QWidget* widget = CQtFrontEnd::WidgetOf(wizard);
        ASSERT_NE(widget, nullptr);
        char name[64];
        std::snprintf(name, sizeof name, "settings-page-%02d.png", page);
        EXPECT_TRUE(widget->grab().save(QString::fromStdString((out / name).string()), "PNG")) << name;
    }
    wizard.DestroyWindow();
}

}
}
