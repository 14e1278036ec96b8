// One whole IP configuration through the Windows front end's real windows under Wine:
// start-up from the welcome page, the network search behind its wait dialog, the list, the
// IP page, the confirmation and the completion page, each step a click or typing sent as
// window messages by a second thread. The stand-in printer (started on loopback by
// tests/windows/desktop_ip_flow.sh, which names its log in PLINTOR_TEST_PRINTER_LOG) must
// log exactly the job the Linux program sends in the same walk.

#include "app/CPlintorApp.h"
#include "app/StartUpWiring.h"
#include "resources/dialogs/CommonPageIds.h"
#include "resources/dialogs/CompleteIds.h"
#include "resources/dialogs/ConfirmConfigIds.h"
#include "resources/dialogs/IpSettingIds.h"
#include "resources/dialogs/SelectMethodIds.h"
#include "resources/dialogs/SelectPrinterIds.h"
#include "resources/dialogs/WelcomeIds.h"
#include "ui/CButton.h"
#include "ui/CDialog.h"
#include "ui/CListView.h"
#include "ui/win32/CWin32FrontEnd.h"
#include "wizard/PageIndex.h"

#include "IpFlowJobs.h"
#include "Win32Drive.h"
#include "Win32Input.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

namespace plintor {
namespace {

using test::NativeWindow;
using test::OnMain;
using test::WaitUntil;
using win32::CWin32FrontEnd;

// The front end, telling the test which page the wizard shows.
class CWatchedFrontEnd : public CWin32FrontEnd {
public:
    void PageShown(CDialog& shownFrame, int index, const std::string&) override
    {
        frame = &shownFrame;
        page = index;
    }
    CDialog* frame = nullptr;   // main thread only
    int page = kPageNone;
};

class Win32IpFlow : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* log = std::getenv("PLINTOR_TEST_PRINTER_LOG");
        if (!log || !*log)
            GTEST_SKIP() << "no stand-in printer (run by tests/windows/desktop_ip_flow.sh)";
        logPath = log;
        ASSERT_TRUE(frontEnd.Start()) << "no window can be made here (no display?)";
        SetFrontEnd(&frontEnd);
    }
    void TearDown() override { SetFrontEnd(nullptr); }

    // Main thread: the page window now shown, and one of its controls.
    CWindow* ShownPage() const
    {
        if (!frontEnd.frame)
            return nullptr;
        for (CWindow* child : frontEnd.frame->Children())
            if (child->Kind() == ControlKind::Dialog && child->IsWindowVisible())
                return child;
        return nullptr;
    }
    CWindow* Control(int id) const
    {
        CWindow* page = ShownPage();
        return page ? page->GetDlgItem(id) : nullptr;
    }

    // Driver thread: waits for `page` to show with the frame taking input again.
    bool OnPage(int page)
    {
        return WaitUntil([this, page] {
            return frontEnd.page == page && ShownPage() && frontEnd.frame->IsWindowEnabled();
        });
    }
    NativeWindow Native(int id)
    {
        return OnMain([this, id]() -> NativeWindow {
            CWindow* control = Control(id);
            return control ? CWin32FrontEnd::NativeOf(*control) : nullptr;
        });
    }

    CWatchedFrontEnd frontEnd;
    std::string logPath;
};

TEST_F(Win32IpFlow, FromTheWelcomePageOverTheNetworkTheWindowsSendThePrinterTheLinuxProgramsJob)
{
    std::string reached;   // the last step the user got to
    std::string summary, finishText;
    auto walk = [&] {
        auto step = [&reached](const char* name, bool ok) {
            if (ok)
                reached = name;
            return ok;
        };
        if (!step("welcome", OnPage(kPageWelcome)))
            return;
        test::PressButton(Native(IDC_WELCOME_IP));
        if (!step("welcome next enabled", test::NativeEnabled(Native(IDC_NEXT))))
            return;
        test::PressButton(Native(IDC_NEXT));
        if (!step("method", OnPage(kPageSelectMethod) && test::NativeChecked(Native(IDC_METHOD_NETWORK))))
            return;
        test::PressButton(Native(IDC_NEXT));
        if (!step("network check", OnPage(kPageConnectCom)))
            return;
        test::PressButton(Native(IDC_NEXT));
        // The search runs behind its wait dialog, which disables the frame until it is done.
        if (!step("printer list", OnPage(kPageSelectPrinter) && WaitUntil([this] {
                auto* list = dynamic_cast<CListView*>(Control(IDC_PRINTER_LIST));
                return list && list->GetItemCount() == 1 && frontEnd.frame->IsWindowEnabled();
            })))
            return;
        test::ClickRow(Native(IDC_PRINTER_LIST), 0);
        if (!step("row chosen", WaitUntil([this] {
                auto* list = dynamic_cast<CListView*>(Control(IDC_PRINTER_LIST));
                return list && list->SelectedRow() == 0;
            })))
            return;
        test::PressButton(Native(IDC_NEXT));
        if (!step("ip page", OnPage(kPageIpSetting)))
            return;
        test::ChooseItem(Native(IDC_IP_MODE), 0);
        test::ChooseItem(Native(IDC_IPV4_TYPE), 1);
        test::TypeAddress(Native(IDC_IPV4_ADDRESS), "198.18.1.50");
        test::TypeAddress(Native(IDC_IPV4_MASK), "255.255.255.0");
        test::TypeAddress(Native(IDC_IPV4_GATEWAY), "198.18.1.1");
        test::PressButton(Native(IDC_IPV6_MANUAL));
        if (!step("ipv6 manual", test::NativeEnabled(Native(IDC_IPV6_ADDRESS))))
            return;
        test::TypeText(Native(IDC_IPV6_ADDRESS), "2001:1:1:1000:123:4567:89ab:cdef");
        test::TypeText(Native(IDC_IPV6_PREFIX), "64");
        test::TypeText(Native(IDC_IPV6_GATEWAY), "2001:1:1:1000::1");
        test::PressButton(Native(IDC_NEXT));
        if (!step("confirmation", OnPage(kPageConfirmConfig)))
            return;
        summary = test::NativeText(Native(IDC_CONFIRM_SUMMARY));
        test::PressButton(Native(IDC_NEXT));
        if (!step("completion", OnPage(kPageComplete)))
            return;
        finishText = test::NativeText(Native(IDC_NEXT));
        test::PressButton(Native(IDC_NEXT));
        reached = "finished";
    };
    std::thread user([&] {
        walk();
        // A walk that stopped leaves the wizard open, perhaps under a message box: both are
        // ended, so that the run returns.
        if (reached != "finished") {
            OnMain([this] { return frontEnd.frame ? (frontEnd.frame->EndDialog(IDCANCEL), 1) : 0; });
            test::DismissMessageBoxes();
        }
    });

    StartUpServices services = DefaultStartUpServices();
    services.configFilePath = [] { return std::string(PLINTOR_BIN_DIR) + "/plintor.ini"; };
    services.osVersionCode = [] { return 20; };
    services.isAdministrator = [] { return true; };
    services.defaultLanguage = [] { return LANG_ENGLISH_US; };
    services.uiLanguage = [](const CPlintorApp&) { return LANG_ENGLISH_US; };
    CPlintorApp app(services, ProgramPrinterOperations());
    app.hooks = ProgramStartUpHooks();
    app.InitInstance();
    const int status = app.ExitInstance();
    user.join();
    EXPECT_EQ(reached, "finished");
    EXPECT_EQ(status, 0);
    EXPECT_NE(summary.find("IP Address:198.18.1.50\r\n"), std::string::npos) << summary;
    EXPECT_EQ(finishText, "Finish");

    std::ifstream in(logPath, std::ios::binary);
    const std::string log((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(log, test::DualStackPrinterLog("@PJL DEFAULT LANG=ENGLISH\r\n"));
}

}
}
