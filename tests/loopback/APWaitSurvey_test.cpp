// The access point wait dialog over the real survey of a USB stand-in printer.

#include "PrinterProcess.h"

#include "settings/ApSurveyResult.h"
#include "settings/SettingsContext.h"
#include "ui/CMessageQueue.h"
#include "ui/DialogTemplate.h"
#include "wizard/CAPWaitDlg.h"
#include "wizard/CWorkerThread.h"

#include <gtest/gtest.h>

namespace plintor {
namespace {

TEST(APWaitSurvey, SurveyRunsBehindTheWaitDialogAndFillsThePageRecord)
{
    CMessageQueue::Instance().AttachToCurrentThread();
    test::CPrinterProcess::Setup setup;
    setup.usb = true;
    setup.arguments = {"--access-point", "home,3,1", "--access-point", "office,6,3"};
    test::CPrinterProcess printer(setup);
    ASSERT_TRUE(printer.Ready());

    CDialog page;
    DialogTemplate layout;
    layout.id = 9001;
    layout.cx = 100;
    layout.cy = 100;
    layout.child = false;
    ASSERT_TRUE(page.Create(layout, nullptr));

    ApSurveyResult result;
    result.accessPoints.push_back({"stale", 1, 1});
    {
        CAPWaitDlg wait(&page, 1033);
        ASSERT_TRUE(wait.Run(CAPWaitDlg::SurveyWork(result, printer.UsbDevice(), SettingsContext{})));
    }
    EXPECT_EQ(result.dataStatus, 1);
    ASSERT_EQ(result.accessPoints.size(), 2u);
    EXPECT_EQ(result.accessPoints[0].ssid, "home");
    EXPECT_EQ(result.accessPoints[1].ssid, "office");
    EXPECT_EQ(CWorkerThread::LiveCount(), 0);
    CMessageQueue::Instance().Reset();
}

}
}
