#pragma once

#include "pages/CCheckFAXSettingDlg.h"
#include "pages/CCompleteDlg.h"
#include "pages/CConfirmConfigDlg.h"
#include "pages/CEnterAPPwdDlg.h"
#include "pages/CFAXSettingDlg.h"
#include "pages/CFixedSSIDWLSettingDLG.h"
#include "pages/CIPSettingDlg.h"
#include "pages/CSelectAPDlg.h"
#include "pages/CSelectPrinterDlg.h"
#include "pages/CWirelessSettingDlg.h"
#include "wizard/CConnectComDlg.h"
#include "wizard/CConnectDlg.h"
#include "wizard/CDisconnectDlg.h"
#include "wizard/CSelectMethodDlg.h"
#include "wizard/CWelcomDlg.h"
#include "wizard/CWizardFrame.h"

namespace plintor {

// The wizard frame with its fifteen pages, which it owns and enters into the frame's page
// table; the frame (wizard/CWizardFrame.h) does the navigation.
class CWizardDlg : public CWizardFrame {
public:
    explicit CWizardDlg(RunState* application = nullptr);

private:
    // The pages, in page-table order.
    CWelcomDlg welcome;               // 0
    CSelectMethodDlg selectMethod;    // 1
    CConnectDlg connect;              // 2
    CDisconnectDlg disconnect;        // 3
    CSelectPrinterDlg selectPrinter;  // 4
    CWirelessSettingDlg wirelessSetting;  // 5
    CIPSettingDlg ipSetting;          // 6
    CFAXSettingDlg faxSetting;        // 7
    CCheckFAXSettingDlg checkFaxSetting;  // 8
    CConfirmConfigDlg confirmConfig;  // 9
    CCompleteDlg complete;            // 10
    CSelectAPDlg selectAp;            // 11
    CEnterAPPwdDlg enterApPwd;        // 12
    CFixedSSIDWLSettingDLG fixedSsidWlSetting;  // 13
    CConnectComDlg connectCom;        // 14
};

}
