// The IP settings page with its own logic under the desktop front end: what a person types
// into the real widgets is what the page validates, its refusal comes as a real message
// box, and an accepted Next moves the wizard on.

#include "QtTestEnvironment.h"

#include "app/CPlintorApp.h"
#include "core/ConfigureFlags.h"
#include "pages/CWizardDlg.h"
#include "resources/dialogs/CommonPageIds.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "resources/dialogs/IpSettingIds.h"
#include "settings/SettingsStore.h"
#include "ui/qt/CQtFrontEnd.h"
#include "ui/qt/CQtIpAddressEdit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace plintor::qt {
namespace {

using testing::ClickWidget;
using testing::PressKeyOn;
using testing::TypeInto;

QWidget* WidgetOfControl(CWizardDlg& wizard, int page, int id)
{
    CTemplateDlg* dialog = wizard.Page(page);
    CWindow* control = dialog ? dialog->GetDlgItem(id) : nullptr;
    return control ? CQtFrontEnd::WidgetOf(*control) : nullptr;
}

void TypeAddress(CWizardDlg& wizard, int id, const char* dotted)
{
    auto* address = qobject_cast<CQtIpAddressEdit*>(WidgetOfControl(wizard, kPageIpSetting, id));
    ASSERT_NE(address, nullptr);
    address->FocusField(0);
    TypeInto(address->Field(0), QString::fromLatin1(dotted));
}

TEST(QtIpPage, TypedAddressesAreValidatedByThePageAndARefusalIsARealMessageBox)
{
    testing::EnsureQtFrontEnd();
    CPlintorApp app;
    app.configureFlags = kConfigureIp;
    app.connectionMode = 2;
    PrinterEntry entry;
    entry.connection = kConnectionNetwork;
    entry.addressIpv4 = "127.0.0.1";
    entry.macAddress = "0000AA000001";
    app.printers.Add(entry);
    app.currentPrinter.SetSettings(entry.Settings());
    SelectPrinter(app.printers, app.selectedPrinter, app.currentPrinter, 0);
    CWizardDlg wizard(&app);
    wizard.currentPage = kPageIpSetting;
    ASSERT_TRUE(wizard.Create(*FindDialogTemplate(IDD_WIZARD, 1033), nullptr));
    wizard.ShowWindow(true);
    QApplication::processEvents();   // the frame becomes the active window
    ASSERT_EQ(wizard.currentPage, kPageIpSetting);

    // IPv4 only, static, through the real drop-down lists.
    auto* mode = qobject_cast<QComboBox*>(WidgetOfControl(wizard, kPageIpSetting, IDC_IP_MODE));
    ASSERT_NE(mode, nullptr);
    ASSERT_EQ(mode->count(), 3);
    mode->setFocus();
    while (mode->currentIndex() < 1)
        PressKeyOn(mode, Qt::Key_Down);
    auto* type = qobject_cast<QComboBox*>(WidgetOfControl(wizard, kPageIpSetting, IDC_IPV4_TYPE));
    ASSERT_NE(type, nullptr);
    type->setFocus();
    while (type->currentIndex() < 1)
        PressKeyOn(type, Qt::Key_Down);
    ASSERT_EQ(type->currentText(), "Static IP");
    ASSERT_TRUE(WidgetOfControl(wizard, kPageIpSetting, IDC_IPV4_ADDRESS)->isEnabled());

    TypeAddress(wizard, IDC_IPV4_ADDRESS, "127.0.0.1");
    TypeAddress(wizard, IDC_IPV4_MASK, "255.255.255.0");
    TypeAddress(wizard, IDC_IPV4_GATEWAY, "192.168.0.1");
    EXPECT_EQ(wizard.Page(kPageIpSetting)->GetDlgItem(IDC_IPV4_MASK)->GetWindowText(), "255.255.255.0");
    EXPECT_EQ(wizard.Page(kPageIpSetting)->GetDlgItem(IDC_IPV4_GATEWAY)->GetWindowText(), "192.168.0.1");

    QString shownText, shownTitle;
    QTimer::singleShot(0, [&] {
        auto answer = [&](auto& self) -> void {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) {
                QTimer::singleShot(10, [&] { self(self); });
                return;
            }
            shownText = box->text();
            shownTitle = box->windowTitle();
            ClickWidget(box->buttons().front());
        };
        answer(answer);
    });
    ClickWidget(qobject_cast<QPushButton*>(WidgetOfControl(wizard, kPageIpSetting, IDC_NEXT)));
    EXPECT_EQ(shownText, "Incorrect IP Address.");
    EXPECT_EQ(shownTitle, "Input Error");
    EXPECT_EQ(wizard.currentPage, kPageIpSetting);
    // The focus went back to the refused address.
    EXPECT_EQ(CWindow::GetFocus(), wizard.Page(kPageIpSetting)->GetDlgItem(IDC_IPV4_ADDRESS));

    QApplication::processEvents();   // the frame is the active window again
    TypeAddress(wizard, IDC_IPV4_ADDRESS, "192.168.0.10");
    EXPECT_EQ(wizard.Page(kPageIpSetting)->GetDlgItem(IDC_IPV4_ADDRESS)->GetWindowText(), "192.168.0.10");
    shownText.clear();
    ClickWidget(qobject_cast<QPushButton*>(WidgetOfControl(wizard, kPageIpSetting, IDC_NEXT)));
    EXPECT_TRUE(shownText.isEmpty()) << shownText.toStdString();
    EXPECT_EQ(wizard.currentPage, kPageConfirmConfig);
    PrinterEntry stored;
    ASSERT_TRUE(app.printers.GetPrinter(0, stored));
    EXPECT_EQ(stored.ip.stackMode, 1u);
    EXPECT_EQ(stored.ip.ipv4Mode, 1u);
    EXPECT_EQ(stored.ip.ipv4Address, 0xC0A8000Au);
    EXPECT_EQ(stored.ip.subnetMask, 0xFFFFFF00u);
    EXPECT_EQ(stored.ip.gateway, 0xC0A80001u);
    wizard.DestroyWindow();
}

}
}
